#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs every test: the
# native unit tests and short fuzzing runs, the tests of the real program
# under Wine (the 32-bit program under Wine 8 and under Wine 10, the 64-bit
# build under the host's Wine), and the checks of the 32-bit executable.
# Each failure names its build and its Wine: "FAILED (32-bit Wine 10): ...".
# Ends with one line "N passed, N failed" over all of these (with ", N
# skipped" when a test skipped itself); exits non-zero when anything failed.
set -uo pipefail
cd "$(dirname "$0")/.."
began=$(date +%s)

bash scripts/setup.sh || exit 1
bash scripts/wine32-setup.sh || exit 1
PELORIN_WINE=10 bash scripts/wine32-setup.sh || exit 1
bash scripts/build.sh || exit 1

passed=0
failed=0
skipped=0

# Adds a run's closing "N passed, N failed[, N skipped]" to the totals; a
# run without one counts as one failure.
count() {   # what, log file
    local line p f s
    line=$(grep -E '^[0-9]+ passed, [0-9]+ failed(, [0-9]+ skipped)?$' "$2" | tail -n 1)
    if [ -z "$line" ]; then
        echo "test: $1 printed no result" >&2
        failed=$((failed + 1))
        return
    fi
    read -r p _ f _ s _ <<<"${line//,/}"
    passed=$((passed + p)) failed=$((failed + f)) skipped=$((skipped + ${s:-0}))
}

# A ctest run's counts.
run_ctest() {   # build dir, extra ctest arguments...
    local dir=$1; shift
    local log total fails
    log=$(mktemp)
    ctest --test-dir "$dir" --output-on-failure --timeout 300 "$@" 2>&1 | tee "$log"
    total=$(sed -n 's/.* tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n 1)
    fails=$(sed -n 's/.* \([0-9]*\) tests failed out of .*/\1/p' "$log" | tail -n 1)
    if [ -z "$total" ]; then
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
# The DLLs loaded at start: only these; the shell, the common dialogs, COM
# and the common controls are loaded on first use.
start_imports_only() {
    local dlls
    dlls=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
    echo "imports at start: $(echo $dlls)"
    ! echo "$dlls" | grep -qvE '^(kernel32|user32|gdi32|advapi32|msvcrt)\.dll$'
}
check "32-bit Pelorin.exe is a PE32 GUI program" is_pe32_gui
check "32-bit Pelorin.exe loads only kernel32, user32, gdi32, advapi32 and msvcrt at start" start_imports_only
check "the framework's files use each other in one direction only" bash scripts/framework-order.sh build/win32

run_ctest build/native -j2

# The Wine tests, against the shipped 32-bit program under Wine 8 and under
# Wine 10, and against the 64-bit build of the same sources, one after the
# other (each on its own display, in its own prefix).
# Then a short set against the 32-bit program in English (code page 1252)
# and in Chinese (936), under both Wines: the texts the user reads, a path
# with "é", completion, launch and drops of double-byte paths, and names no
# code page holds: given at start, dropped, typed, pasted, picked, stored,
# and a WinMerge installed in such a folder.
locale_set='Windows.*:Help.*:AboutMenu.*:Launch.HandsTheToolTheQuotedPathsAndTheOption'
locale_set+=':Launch.PastedAndTypedPathsReachTheToolAsShown:Completion.DoubleByteTailAndTextWithoutAMatch:FieldDrop.*'
locale_set+=':Settings.StoredTextsAreShownAndStoredBack:CommandLine.*:DialogDrop.EveryNameReachesTheFieldsExactly'
locale_set+=':Locator.WinMergeInAFolderNoCodePageHoldsIsFoundAndGetsItsForm'
for run in 32/8 32/10 64/8 32/8/en_US 32/10/en_US 32/8/zh_CN 32/10/zh_CN 32/8/en_US+ja_JP 32/10/en_US+ja_JP; do
    IFS=/ read -r bits gen loc <<<"$run"
    args=()
    [ -n "$loc" ] && args=(--gtest_filter="$locale_set")
    log=$(mktemp)
    PELORIN_WINE=$gen PELORIN_LOCALE=${loc:+$loc.UTF-8} bash scripts/wine-tests.sh "$bits" "${args[@]}" 2>&1 | tee "$log"
    count "the $bits-bit Wine $gen tests${loc:+ in $loc}" "$log"
    rm -f "$log"
done

# The release: the zip, then in a new 32-bit prefix an upgrade over a 0.00
# setup, the Installed test, and a silent uninstall (TEMP left out).
release_checks() {
    check "scripts/release.sh writes the release" bash scripts/release.sh
    local zip=$(echo dist/Pelorin-*.zip) old=build/release-old
    check "the zip holds Pelorin.exe and README.txt" test "$(unzip -Z1 "$zip" | tr '\n' ' ')" = "Pelorin.exe README.txt "
    check "the zip's Pelorin.exe is the tested one" cmp -s <(unzip -p "$zip" Pelorin.exe) build/win32/Pelorin.exe
    check "SHA256SUMS holds the zip's and the setup's hashes" bash -c 'cd dist && sha256sum --quiet -c SHA256SUMS'
    rm -rf "$old" && git clone -q . "$old" && sed -i 's/\(VERSION_MAJOR\) .*/\1 0/; s/\(VERSION_MINOR\) .*/\1 00/' \
        "$old/res/version.h" && bash "$old/scripts/release.sh" >/dev/null
    export PELORIN_WINE_BITS=32 PELORIN_WINEPREFIX=$PWD/build/wineprefix-release32 CI=true && rm -rf "$PELORIN_WINEPREFIX"
    source scripts/wine-env.sh && trap wine_env_stop EXIT && wine_env_start || { check "a new Wine prefix" false; return; }
    snapshot() { (cd "$WINEPREFIX/drive_c" && find . -path ./pt -prune -o -path '*/Temp' -prune -o -print | sort); }
    local reg=$WINEPREFIX/user.reg inst=$(echo "$WINEPREFIX"/drive_c/users/*/AppData/Local)/Programs/Pelorin before=$(snapshot)
    local setup=$(echo dist/*-setup.exe) own=$WINEPREFIX/drive_c/Tools pid
    install() { wine_timeout 300 "$1" /S && [ -e "$inst/Uninstall.exe" ]; }
    refused() { ! wine_timeout 300 "$@"; }   # ends with an error
    # Pelorin's dialog shown (or closed), found by the screenshots' helper.
    shotctl() { for _ in 1 2 3 4; do wine_timeout 60 build/win32/shotctl.exe "$1" >/dev/null 2>&1 && return; done; false; }
    mkdir -p "$own" && echo mine > "$own/README.txt"
    check "a setup into a folder of the user's own README.txt refuses it, changing nothing" eval \
        'refused "$setup" /S /D=C:\\Tools && [ "$(ls "$own")" = README.txt ] && grep -qx mine "$own/README.txt"'
    rm -rf "$own"
    check "the 0.00 setup installs silently" install "$(echo $old/dist/*-setup.exe)"
    check "a setup into another folder than Pelorin's refuses it" eval \
        'refused "$setup" /S /D=C:\\Other && [ ! -e "$WINEPREFIX/drive_c/Other" ]'
    wine "$inst/Pelorin.exe" </dev/null >/dev/null 2>&1 & pid=$!
    check "the installed Pelorin runs" shotctl main
    check "a silent upgrade while Pelorin runs fails, keeping the old program" eval \
        'refused "$setup" /S && cmp -s "$old/build/win32/Pelorin.exe" "$inst/Pelorin.exe"'
    check "a silent uninstall while Pelorin runs fails, keeping the program and its shortcuts" eval \
        'refused "$inst/Uninstall.exe" /S && [ -e "$inst/Pelorin.exe" ] && ls "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/SendTo/Pelorin.lnk >/dev/null'
    shotctl close; wait "$pid"
    check "this setup installs silently over it" install "$setup"
    (cd build/win32 && wine_timeout 600 uitests.exe --installed) 2>&1 | tee build/release-tests.log
    check "the installed program: shortcuts, entry, Send To" grep -q '^\[  PASSED  \] 1 test' build/release-tests.log
    wine_server_wait 120
    check "one entry after the upgrade" test "$(grep -c '^"DisplayName"="Pelorin"$' "$reg")" = 1
    check "the installed Pelorin.exe is the new one" cmp -s build/win32/Pelorin.exe "$inst/Pelorin.exe"
    # The entry's quiet uninstall command (the Installed test reads it): in its folder, no _?=.
    check "Uninstall.exe /S started in its folder runs" wine_timeout 120 "$inst/Uninstall.exe" /S
    wine_server_wait 120
    check "the uninstall leaves no file or folder of the setup's" test "$(snapshot)" = "$before"
    check "the uninstall takes the entry away" test "$(grep -c 'Uninstall\\\\Pelorin\]' "$reg")" = 0
    check "the uninstall keeps the settings" grep -q '^\[Software\\\\Velmot\\\\Pelorin\\\\Settings\]' "$reg"
    check "HKLM is left alone" test "$(grep -ci 'pelorin\|PendingFileRename' "$WINEPREFIX/system.reg")" = 0
}
(passed=0 failed=0; release_checks; echo "$passed passed, $failed failed") 2>&1 | tee build/release.log
count "the release" build/release.log

echo "test: everything took $(( $(date +%s) - began )) s"
echo "$passed passed, $failed failed$([ "$skipped" -eq 0 ] || echo ", $skipped skipped")"
[ "$failed" -eq 0 ]
