#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs every test: the
# native unit tests and short fuzzing runs, the tests of the real program
# under Wine, and the checks of the 32-bit executable. Ends with one line
# "N passed, N failed"; exits non-zero when anything failed.
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh || exit 1
bash scripts/build.sh || exit 1

source scripts/wine-env.sh
wine_env_start build/win64/anchor.exe || exit 1
trap wine_env_stop EXIT

passed=0
failed=0

# Adds a ctest run's counts to the totals.
run_ctest() {   # build dir, extra ctest arguments...
    local dir=$1; shift
    local log
    log=$(mktemp)
    ctest --test-dir "$dir" --output-on-failure --timeout 300 "$@" 2>&1 | tee "$log"
    local total fails
    total=$(sed -n 's/.* tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n 1)
    fails=$(sed -n 's/.* \([0-9]*\) tests failed out of .*/\1/p' "$log" | tail -n 1)
    if grep -q 'No tests were found' "$log"; then
        :
    elif [ -z "$total" ]; then
        echo "test: no ctest summary from $dir" >&2
        failed=$((failed + 1))
    else
        passed=$((passed + total - fails))
        failed=$((failed + fails))
    fi
    rm -f "$log"
}

check() {   # description, command...
    local what=$1; shift
    if "$@"; then
        echo "check passed: $what"
        passed=$((passed + 1))
    else
        echo "check FAILED: $what" >&2
        failed=$((failed + 1))
    fi
}

exe=build/win32/Pelorin.exe
is_pe32_gui() { file "$exe" | grep -q 'PE32 executable (GUI) Intel 80386'; }
system_imports_only() {
    local dlls
    dlls=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
    echo "imports: $(echo $dlls)"
    ! echo "$dlls" | grep -qvE '^(kernel32|user32|gdi32|advapi32|shell32|comdlg32|comctl32|ole32|msvcrt)\.dll$'
}
check "32-bit Pelorin.exe is a PE32 GUI program" is_pe32_gui
check "32-bit Pelorin.exe imports only Windows system DLLs" system_imports_only

run_ctest build/native -j2
run_ctest build/win64

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
