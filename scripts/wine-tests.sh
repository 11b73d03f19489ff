#!/usr/bin/env bash
# Runs the Wine tests against one build: 64 (build/win64: the 64-bit
# Pelorin.exe and 64-bit test programs under 64-bit Wine) or 32 (build/win32:
# the shipped 32-bit Pelorin.exe and 32-bit test programs under 32-bit Wine).
# Further arguments go to the test program (--gtest_filter=...). Needs what
# scripts/setup.sh and scripts/wine32-setup.sh install, and a build.
#
# The last line is "N passed, N failed"; the exit status is 0 only when
# every test ran and passed. PELORIN_WIN64_DIR / PELORIN_WIN32_DIR choose
# another build folder (the 32-bit one must lie in this project),
# PELORIN_WINEPREFIX another prefix (default build/wineprefix-tests32 or -64,
# so that what the tests store is not what run.sh shows).
set -uo pipefail
cd "$(dirname "$0")/.."

bits=${1:?usage: wine-tests.sh 64|32 [test arguments]}
shift
case $bits in
    64) dir=${PELORIN_WIN64_DIR:-build/win64} ;;
    32) dir=${PELORIN_WIN32_DIR:-build/win32} ;;
    *) echo "wine-tests: 64 or 32, not $bits" >&2; exit 2 ;;
esac
export PELORIN_WINE_BITS=$bits
export CI=${CI:-true}   # a display of our own: focus tests cannot share one
export PELORIN_WINEPREFIX=${PELORIN_WINEPREFIX:-$PWD/build/wineprefix-tests$bits}
source scripts/wine-env.sh

log=$(mktemp)
wine_env_start "$dir/anchor.exe" || exit 1
trap 'wine_env_stop; rm -f "$log"' EXIT

start=$(date +%s)
# Output to a file, not a pipe: Wine's helper processes would keep a pipe open.
(cd "$dir" && wine_timeout 3000 uitests.exe "$@" >"$log" 2>&1)
status=$?
iconv -f CP932 -t UTF-8 -c "$log" 2>/dev/null || cat "$log"

passed=$(grep -c '^\[       OK \]' "$log")
failed=$(grep -c '^\[  FAILED  \] .* ([0-9]* ms)' "$log")
label="$bits-bit"
grep '^\[  FAILED  \] .* ([0-9]* ms)' "$log" | sed "s/^\[  FAILED  \] \(.*\) ([0-9]* ms)/FAILED ($label Wine): \1/"
if ! grep -q '^\[==========\] .* ran\.' "$log"; then
    echo "FAILED ($label Wine): the test program did not finish (status $status)"
    failed=$((failed + 1))
elif [ "$status" -ne 0 ] && [ "$failed" -eq 0 ]; then
    echo "FAILED ($label Wine): the test program ended with status $status"
    failed=$((failed + 1))
fi
echo "$label Wine tests: $(( $(date +%s) - start )) s"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
