#!/usr/bin/env bash
# Runs the Wine tests against one build: 64 (build/win64: the 64-bit
# Pelorin.exe and 64-bit test programs under 64-bit Wine) or 32 (build/win32:
# the shipped 32-bit Pelorin.exe and 32-bit test programs under 32-bit Wine).
# Further arguments go to the test program (--gtest_filter=...). Needs what
# scripts/setup.sh and scripts/wine32-setup.sh install, and a build.
# PELORIN_WINE=10 runs the 32-bit tests under Wine 10 instead of Wine 8
# (PELORIN_WINE=10 bash scripts/wine32-setup.sh sets it up).
# PELORIN_LOCALE=en_US.UTF-8 or zh_CN.UTF-8 runs them in that locale (code
# page 1252 or 936, English resources) instead of ja_JP.UTF-8, in a prefix of
# its own; scripts/test.sh runs a short set there. PELORIN_LOCALE=en_US+ja_JP
# runs them in code page 1252 with the Japanese resources (scripts/wine-env.sh).
#
# Each failure is printed as "FAILED (32-bit Wine 10): test", naming the
# build and the Wine, and each test that skipped itself (no row of its table
# holds in the run's code page) as "SKIPPED (...): test". The last line is
# "N passed, N failed", with ", N skipped" when any was; the exit status is 0
# only when no test failed. PELORIN_WIN64_DIR /
# PELORIN_WIN32_DIR choose another build folder (the 32-bit one must lie in
# this project), PELORIN_WINEPREFIX another prefix (default
# build/wineprefix-tests32, -tests32-wine10 or -tests64, so that what the
# tests store is not what run.sh shows), PELORIN_WINEDEBUG Wine's debug
# channels (+event,+xdnd, say; the default is -all).
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
export PELORIN_WINE=${PELORIN_WINE:-8}
suffix=
[ "$bits" = 32 ] && [ "$PELORIN_WINE" != 8 ] && suffix=-wine$PELORIN_WINE
source scripts/wine-env.sh || exit 2
export WINEPREFIX=${PELORIN_WINEPREFIX:-$PWD/build/wineprefix-tests$bits$suffix$(wine_env_locale_suffix)}

log=$(mktemp)
wine_env_start "$dir/anchor.exe" || exit 1
trap 'wine_env_stop; rm -f "$log"' EXIT

start=$(date +%s)
# Output to a file, not a pipe: Wine's helper processes would keep a pipe open.
(cd "$dir" && wine_timeout 3000 uitests.exe "$@" >"$log" 2>&1)
status=$?
iconv -f "$(wine_env_codepage)" -t UTF-8 -c "$log" 2>/dev/null || cat "$log"

passed=$(grep -c '^\[       OK \]' "$log")
failed=$(grep -c '^\[  FAILED  \] .* ([0-9]* ms)' "$log")
skipped=$(grep -c '^\[  SKIPPED \] .* ([0-9]* ms)' "$log")
label=$(wine_env_label)
grep -E '^\[  (FAILED  |SKIPPED )\] .* \([0-9]* ms\)' "$log" | sed -E "s/^\[  (FAILED|SKIPPED) *\] (.*) \([0-9]* ms\)/\1 ($label): \2/"
if ! grep -q '^\[==========\] .* ran\.' "$log"; then
    echo "FAILED ($label): the test program did not finish (status $status)"
    failed=$((failed + 1))
elif [ "$status" -ne 0 ] && [ "$failed" -eq 0 ]; then
    echo "FAILED ($label): the test program ended with status $status"
    failed=$((failed + 1))
fi
echo "$label tests: $(( $(date +%s) - start )) s"
echo "$passed passed, $failed failed$([ "$skipped" -eq 0 ] || echo ", $skipped skipped")"
[ "$failed" -eq 0 ]
