#!/usr/bin/env bash
# Reproduces where Wine delivers a file dropped from the Linux desktop
# (XDND) on a child window that accepts files: a top-level window with an
# edit control, both accepting files (dropwin.c), and a minimal XDND source
# as a file manager is one (xdndsrc.c), which drops two files on the edit's
# centre. Prints the window that got WM_DROPFILES and the point.
#   bash tests/repro/xdnd-drop.sh [8|10]      (32-bit Wine 8 or 10)
# Wine 8:  WM_DROPFILES to the edit, point in the edit's client area.
# Wine 10: WM_DROPFILES to the top-level window, point in its client area
#          (user32's drag_drop_drop posts to the window it was given, not to
#          the one it found under the point).
# PELORIN_WINEDEBUG=+event,+xdnd,+clipboard adds Wine's trace to
# build/repro/wine.err.
set -uo pipefail
cd "$(dirname "$0")/../.."
here=tests/repro
out=build/repro
mkdir -p "$out"
i686-w64-mingw32-gcc -O1 -mconsole -o "$out/dropwin.exe" "$here/dropwin.c" -lshell32 || exit 1
gcc -O1 -o "$out/xdndsrc" "$here/xdndsrc.c" -lX11 || exit 1

export PELORIN_WINE=${1:-10} PELORIN_WINE_BITS=32 CI=true
export PELORIN_WINEPREFIX=$PWD/build/wineprefix-repro32-wine$PELORIN_WINE
bash scripts/wine32-setup.sh || exit 1
source scripts/wine-env.sh || exit 1
wine_env_start || exit 1
trap wine_env_stop EXIT
cd "$out"
rm -f drop.txt
wine dropwin.exe drop.txt >/dev/null 2>wine.err &
pid=$!
for i in $(seq 300); do grep -q centre drop.txt 2>/dev/null && break; sleep 0.2; done
read -r _ _ x y < drop.txt
sleep 2
./xdndsrc "$x" "$y" "file://$PWD/drop.txt" "file://$PWD/wine.err"
wait $pid
echo "$(wine_env_label): $(tail -n 1 drop.txt)"
