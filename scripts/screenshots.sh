#!/usr/bin/env bash
# Installs what is missing, builds, and takes the README's pictures of
# Pelorin under Wine: the main dialog (docs/main-dialog.png), the version
# window (docs/version-window.png) and the setup's first and last pages
# (docs/setup-folder.png, docs/setup-finish.png) as a Japanese user sees
# them, and the same as an English user sees them (docs/main-dialog-en.png,
# docs/version-window-en.png, docs/setup-folder-en.png, ...). Each language
# runs in a Wine prefix of its own (build/wineprefix-shots32 and
# -shots32-en_US, or -shots64...) on an Xvfb display of its own, with sample
# settings, so the pictures come out the same on every machine.
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh || exit 1
# The shipped 32-bit program where 32-bit Wine can be had.
export PELORIN_WINE_BITS=32
bash scripts/wine32-setup.sh || PELORIN_WINE_BITS=64
bash scripts/build.sh || exit 1
bash scripts/release.sh >/dev/null || exit 1

shotctl=build/win$PELORIN_WINE_BITS/shotctl.exe
export CI=true   # always a fresh Xvfb, never the user's display

# Both pictures in one locale, named with the ending given.
shoot_locale() {   # locale, ending of the file names
    export PELORIN_LOCALE=$1
    local ending=$2 suffix=
    [ "$1" = ja_JP.UTF-8 ] || suffix=-${1%%.*}
    export PELORIN_WINEPREFIX=$PWD/build/wineprefix-shots$PELORIN_WINE_BITS$suffix
    source scripts/wine-env.sh
    exe=$(wine_env_program)
    wine_env_start build/win$PELORIN_WINE_BITS/anchor.exe || return 1
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

    mkdir -p docs
    local status=0
    shoot main "docs/main-dialog$ending.png" || status=1
    shoot version "docs/version-window$ending.png" || status=1
    wine "$shotctl" close </dev/null >/dev/null 2>&1
    wait "$pid" 2>/dev/null

    # The setup's first and last pages. It installs into this prefix, and
    # its Finish starts the installed Pelorin, which is closed again.
    wine "$(echo dist/Pelorin-*-setup.exe)" </dev/null >/dev/null 2>&1 &
    pid=$!
    shoot setup "docs/setup-folder$ending.png" || status=1
    wine "$shotctl" next </dev/null >/dev/null 2>&1
    sleep 5   # the install, then the last page
    shoot setup "docs/setup-finish$ending.png" || status=1
    wine "$shotctl" next </dev/null >/dev/null 2>&1
    wine "$shotctl" close </dev/null >/dev/null 2>&1
    wait "$pid" 2>/dev/null
    return $status
}

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

status=0
(shoot_locale ja_JP.UTF-8 "") || status=1
(shoot_locale en_US.UTF-8 -en) || status=1
exit $status
