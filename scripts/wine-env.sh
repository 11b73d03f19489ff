# Sourced by run.sh and test.sh: a 64-bit Wine prefix with the Japanese code
# page and a virtual desktop, an X display (Xvfb when needed) and an anchor
# process that keeps the wineserver warm. wine_env_stop ends what was started.

PELORIN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${PELORIN_WINEPREFIX:-$PELORIN_ROOT/build/wineprefix}
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=ja_JP.UTF-8

_wine_xvfb_pid=
_wine_anchor_pid=

# Creates the prefix once: virtual desktop, a proportional Japanese font for
# "ＭＳ Ｐゴシック", and Wine's own fonts for the caption buttons.
wine_env_prefix() {
    [ -f "$WINEPREFIX/.pelorin-ready" ] && return 0
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    wineboot -i >/dev/null 2>&1 || true
    local reg="$WINEPREFIX/pelorin.reg"
    printf '\xef\xbb\xbfWindows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1024x768"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"ＭＳ Ｐゴシック"="IPAPGothic"\r\n' \
        | iconv -f UTF-8 -t UTF-16LE > "$reg"
    wine reg import "$reg" >/dev/null 2>&1
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    wineserver -w
    touch "$WINEPREFIX/.pelorin-ready"
}

# Uses $DISPLAY when it works (and CI is not set); otherwise starts Xvfb on
# a free display number.
wine_env_display() {
    if [ -z "${CI:-}" ] && [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
    fi
    local n
    for n in $(seq 100 150); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        _wine_xvfb_pid=$!
        export DISPLAY=":$n"
        local i
        for i in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && return 0
            sleep 0.1
        done
    done
    echo "wine-env: could not start Xvfb" >&2
    return 1
}

# The anchor: a Windows process that lives for the whole run, so that each
# test's Wine process finds the wineserver and the desktop already there.
wine_env_anchor() {
    local anchor=$1
    wine "$anchor" </dev/null >/dev/null 2>&1 &
    _wine_anchor_pid=$!
}

wine_env_start() {   # anchor.exe
    wine_env_display || return 1
    wine_env_prefix
    [ -n "${1:-}" ] && wine_env_anchor "$1"
    return 0
}

wine_env_stop() {
    if [ -n "$_wine_anchor_pid" ]; then
        kill "$_wine_anchor_pid" 2>/dev/null
        wait "$_wine_anchor_pid" 2>/dev/null
        _wine_anchor_pid=
    fi
    wineserver -k >/dev/null 2>&1
    timeout 20 wineserver -w >/dev/null 2>&1
    if [ -n "$_wine_xvfb_pid" ]; then
        kill "$_wine_xvfb_pid" 2>/dev/null
        wait "$_wine_xvfb_pid" 2>/dev/null
        _wine_xvfb_pid=
    fi
}

# The program to run: Pelorin is 32-bit; that build when this machine's Wine
# can run 32-bit code, else the same sources built as a 64-bit program.
wine_env_program() {
    if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
        echo build/win32/Pelorin.exe
    else
        echo build/win64/Pelorin.exe
    fi
}
