#!/usr/bin/env bash
# The benchmark: installs what is missing, builds, and measures
#   - history texts of 10 to 100,000 entries split and joined (native,
#     Google Benchmark; the cost must grow linearly);
#   - the stripped size and the imports of the 32-bit Pelorin.exe;
#   - under 64-bit Wine, side by side against one warm wineserver: start to
#     interactive of Pelorin and of a floor program (the same dialog template
#     with a dialog procedure that does nothing) in three rounds, each
#     round's ratio, their median (the start ratio) and spread; OK to
#     launch, private bytes, and a start with 10,000 stored history entries.
#     The 64-bit build of the same sources stands in here for the timings:
#     where 32-bit Wine runs through qemu-user, the emulation would distort
#     them;
#   - the shipped 32-bit Pelorin.exe under 32-bit Wine: where the kernel
#     runs 32-bit code itself, the same full rounds and the same start ratio
#     target as the 64-bit build; where 32-bit Wine runs through qemu-user
#     (as scripts/wine32-setup.sh found), only a short run of starts (4 a
#     round) that shows that it starts, whose timings are not targets.
# Prints tables, writes the figures to build/bench/bench.json, and exits 0
# when every target is met, 1 when one is missed; a figure that was not
# measured is null in the file. Every process it starts is ended.
# PELORIN_BENCH_RUNS sets the runs per program and round (default 40; at
# least 20 for the figures to count).
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${PELORIN_BENCH_RUNS:-40}
out=${PELORIN_BENCH_OUT:-build/bench}
# The build directories (scripts/build.sh makes these three).
win32=${PELORIN_WIN32_DIR:-build/win32}
win64=${PELORIN_WIN64_DIR:-build/win64}
native=${PELORIN_NATIVE_DIR:-build/native}
if [ -z "${PELORIN_BENCH_NO_BUILD:-}" ]; then
    bash scripts/setup.sh
    bash scripts/wine32-setup.sh
    bash scripts/build.sh >/dev/null
fi
cmake --build "$native" --target bench_history >/dev/null
for dir in "$win64" "$win32"; do
    cmake --build "$dir" --target floor benchdrv standin anchor Pelorin >/dev/null
done
mkdir -p "$out"
rm -f "$out/wine.json" "$out/wine32.json"
missed=()

# 1. History scale.
echo "== History texts (native) =="
"$native"/bench_history --json="$out/history.json" || missed+=("history growth is not linear")

# 2. Size and imports of the program itself.
exe=$win32/Pelorin.exe
cp "$exe" "$out/Pelorin-stripped.exe"
i686-w64-mingw32-strip "$out/Pelorin-stripped.exe"
size=$(stat -c %s "$out/Pelorin-stripped.exe")
limit=$((200 * 1024))
dlls=$(i686-w64-mingw32-objdump -p "$out/Pelorin-stripped.exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
system_only=true
if echo "$dlls" | grep -qvE '^(kernel32|user32|gdi32|advapi32|shell32|comdlg32|comctl32|ole32|msvcrt)\.dll$'; then
    system_only=false
    missed+=("imports beyond the system DLLs")
fi
[ "$size" -le "$limit" ] || missed+=("size $size bytes over $limit")
echo
echo "== 32-bit Pelorin.exe =="
printf '  stripped size        %d bytes (%.1f KB; target <= 200 KB)\n' "$size" "$(awk "BEGIN{print $size/1024}")"
echo "  imports              $(echo $dlls)"
echo "  system DLLs only     $system_only"
delayed=$(ls cmake/delayload/*.def | sed 's|.*/||; s|\.def$|.dll|' | tr '\n' ' ')
echo "  loaded on first use  $delayed(system DLLs too)"

# 3. Under Wine, in a prefix of the benchmark's own (it writes settings).
(
    export PELORIN_WINEPREFIX=${PELORIN_WINEPREFIX:-$PWD/build/wineprefix-bench}
    source scripts/wine-env.sh
    wine_env_start "$win64"/anchor.exe || exit 1
    trap wine_env_stop EXIT
    sleep 1
    echo
    echo "== Under Wine =="
    win() { winepath -w "$1" 2>/dev/null; }
    wine "$win64"/benchdrv.exe "$(win "$win64"/Pelorin.exe)" "$(win "$win64"/floor.exe)" \
        "$(win "$win64"/standin.exe)" "$(win "$out")\\wine.json" "$runs"
) || missed+=("some Wine measurements failed")

# 4. The shipped 32-bit program under 32-bit Wine: the full rounds where the
# kernel runs it natively; under qemu-user, the emulation would distort the
# timings, so a short run only shows that it starts.
full32=true
how=natively
if [ -e /proc/sys/fs/binfmt_misc/pelorin-i386 ]; then
    full32=false
    how="through qemu-user"
fi
echo
echo "== 32-bit Pelorin.exe under 32-bit Wine ($how) =="
$full32 || echo "  (a short start-only run of 4 starts a round, not the full rounds: the emulation distorts the timings, which are no targets here)"
(
    export PELORIN_WINE_BITS=32 PELORIN_WINEPREFIX=$PWD/build/wineprefix-bench32
    source scripts/wine-env.sh
    wine_env_start "$win32"/anchor.exe || exit 1
    trap wine_env_stop EXIT
    sleep 1
    win() { winepath -w "$1" 2>/dev/null; }
    if $full32; then
        wine "$win32"/benchdrv.exe "$(win "$win32"/Pelorin.exe)" "$(win "$win32"/floor.exe)" \
            "$(win "$win32"/standin.exe)" "$(win "$out")\\wine32.json" "$runs"
    else
        wine "$win32"/benchdrv.exe "$(win "$win32"/Pelorin.exe)" "$(win "$win32"/floor.exe)" \
            "$(win "$win32"/standin.exe)" "$(win "$out")\\wine32.json" 4 start-only
    fi
) || missed+=("the 32-bit Pelorin.exe did not start under 32-bit Wine, or a measurement failed")
# The start ratio: the median of the rounds' ratios (null when a round
# measured nothing); for the 32-bit exe only where it ran the full rounds.
target=1.03
ratio=$(sed -n 's/.*"ratio_median": \([0-9.]*\).*/\1/p' "$out/wine.json" | head -n 1)
if [ -z "$ratio" ] || ! awk "BEGIN{exit !($ratio <= $target)}"; then
    missed+=("start ratio ${ratio:-?} of the 64-bit build over $target")
fi
if $full32; then
    ratio32=$(sed -n 's/.*"ratio_median": \([0-9.]*\).*/\1/p' "$out/wine32.json" 2>/dev/null | head -n 1)
    if [ -z "$ratio32" ] || ! awk "BEGIN{exit !($ratio32 <= $target)}"; then
        missed+=("start ratio ${ratio32:-?} of the 32-bit exe over $target")
    fi
fi
[ "$runs" -ge 20 ] || missed+=("only $runs runs (at least 20 needed)")

# All figures in one file.
{
    echo "{"
    echo "\"history_scale\": $(cat "$out/history.json"),"
    echo "\"pelorin_exe_32bit\": {\"stripped_bytes\": $size, \"limit_bytes\": $limit,"
    echo "  \"imports\": [$(echo $dlls | sed 's/\([^ ]*\)/"\1"/g; s/ /, /g')], \"system_dlls_only\": $system_only,"
    echo "  \"loaded_on_first_use\": [$(echo $delayed | sed 's/\([^ ]*\)/"\1"/g; s/ /, /g')]},"
    echo "\"wine\": $(cat "$out/wine.json"),"
    echo "\"wine32\": {\"how\": \"$how\", \"full_rounds\": $full32, \"starts\": $(cat "$out/wine32.json" 2>/dev/null || echo null)}"
    echo "}"
} > "$out/bench.json"
echo
echo "Figures written to $out/bench.json"
if [ ${#missed[@]} -eq 0 ]; then
    echo "targets: all met"
else
    printf 'targets missed: %s\n' "${missed[@]}"
    exit 1
fi
