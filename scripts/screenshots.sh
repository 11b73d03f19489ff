#!/usr/bin/env bash
# Installs what is missing, builds, and takes the README's pictures of
# Pelorin under Wine: the main dialog (docs/main-dialog.png) and the version
# window (docs/version-window.png). Runs in a Wine prefix of its own
# (build/wineprefix-shots32, or -shots64) on an Xvfb display of its own, with sample
# settings, so the pictures come out the same on every machine.
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh || exit 1
# The shipped 32-bit program where 32-bit Wine can be had.
export PELORIN_WINE_BITS=32
bash scripts/wine32-setup.sh || PELORIN_WINE_BITS=64
bash scripts/build.sh || exit 1

shotctl=build/win$PELORIN_WINE_BITS/shotctl.exe

export PELORIN_WINEPREFIX=$PWD/build/wineprefix-shots$PELORIN_WINE_BITS
export CI=true   # always a fresh Xvfb, never the user's display
source scripts/wine-env.sh
exe=$(wine_env_program)
wine_env_start build/win$PELORIN_WINE_BITS/anchor.exe || exit 1
trap wine_env_stop EXIT

# Sample settings: both paths with a history, subdirectories on, and the
# comparison tool where Microsoft's development tools install it.
mkdir -p build; reg=$(mktemp --suffix=.reg -p "$PWD/build")   # inside the project: 32-bit Wine sees only that
printf '%s\r\n' 'REGEDIT4' '' \
    '[-HKEY_CURRENT_USER\software\Velmot\Pelorin]' '' \
    '[HKEY_CURRENT_USER\software\Velmot\Pelorin\Settings]' \
    '"Dir1"="C:\\Projects\\Pelorin\\src|C:\\Projects\\Pelorin\\src|C:\\Projects\\Pelorin\\res|D:\\Work\\reports"' \
    '"Dir2"="D:\\Backup\\Pelorin-1.03\\src|D:\\Backup\\Pelorin-1.03\\src|D:\\Backup\\Pelorin-1.03\\res"' \
    '"SubDir"="1"' \
    '"WinDiff"="C:\\Program Files\\Microsoft Visual Studio\\Common\\Tools\\WINDIFF.EXE"' > "$reg"
wine reg import "$(winepath -w "$reg")" >/dev/null 2>&1
rm -f "$reg"

wine "$exe" </dev/null >/dev/null 2>&1 &
pid=$!

# Crops one window, found by shotctl, out of the screen. The Wine desktop
# fills the Xvfb screen from its top left corner, so desktop pixels are
# screen pixels.
shoot() {   # shotctl command, output file
    local rect
    rect=$(wine "$shotctl" "$1" </dev/null 2>/dev/null | tr -d '\r')
    if ! [[ $rect =~ ^[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+$ ]]; then
        echo "screenshots: no window for '$1'" >&2
        return 1
    fi
    sleep 1   # let it paint
    import -display "$DISPLAY" -window root -crop "$rect" +repage png:- \
        | convert - -strip -define png:compression-level=9 "$2"
    echo "screenshots: $2 ($rect)"
}

mkdir -p docs
status=0
shoot main docs/main-dialog.png || status=1
shoot version docs/version-window.png || status=1
wine "$shotctl" close </dev/null >/dev/null 2>&1
wait "$pid" 2>/dev/null
exit $status
