# Sourced by the scripts that run Pelorin: a Wine prefix with the Japanese
# code page and a virtual desktop, an X display (Xvfb when needed) and an
# anchor process that keeps the wineserver warm. wine_env_stop ends what was
# started.
#
# PELORIN_WINE_BITS=32 (set before sourcing) selects 32-bit Wine, for the
# 32-bit Pelorin.exe: the host's own when it has one of the chosen
# generation, else the one in the i386 root that scripts/wine32-setup.sh
# builds. Then wine, wineserver and winepath below are functions that run
# inside that root, where this project folder is mounted at the same path.
# The default is the host's 64-bit Wine.
#
# PELORIN_WINE chooses the 32-bit Wine's generation: 8 (the default,
# Debian 12's) or 10 (Debian 13's, what today's distributions ship). Each
# has a prefix of its own.
#
# PELORIN_LOCALE chooses the locale Wine runs in (LC_ALL), and with it the
# ANSI code page and the user-interface language: ja_JP.UTF-8 (the default;
# code page 932, the Japanese resources), en_US.UTF-8 (1252) or zh_CN.UTF-8
# (936), both with the English resources. Every other locale than the
# default has prefixes of its own (build/wineprefix32-en_US, say).
# Two locales joined by "+" give the ANSI code page of the first and the
# user-interface language of the second (LC_CTYPE and LC_MESSAGES): with
# en_US+ja_JP (".UTF-8" may be left out) Pelorin shows its Japanese
# resources in code page 1252, in build/wineprefix32-en_US-ja_JP.

PELORIN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
PELORIN_WINE_BITS=${PELORIN_WINE_BITS:-64}
PELORIN_WINE=${PELORIN_WINE:-8}
export WINEDEBUG=${PELORIN_WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
PELORIN_LOCALE=${PELORIN_LOCALE:-ja_JP.UTF-8}
# The code page's locale and the language's, each with ".UTF-8".
_wine_ctype=${PELORIN_LOCALE%%+*}
_wine_messages=${PELORIN_LOCALE#*+}
[[ $_wine_ctype == *.* ]] || _wine_ctype=$_wine_ctype.UTF-8
[[ $_wine_messages == *.* ]] || _wine_messages=$_wine_messages.UTF-8
if [ "$_wine_ctype" = "$_wine_messages" ]; then
    export LC_ALL=$_wine_ctype
    unset LC_CTYPE LC_MESSAGES
else
    unset LC_ALL
    export LANG=$_wine_ctype LC_CTYPE=$_wine_ctype LC_MESSAGES=$_wine_messages
fi
_wine_suffix=
case $PELORIN_WINE_BITS/$PELORIN_WINE in
    32/8 | 64/8) ;;
    32/10) _wine_suffix=-wine10 ;;
    *)
        echo "wine-env: no $PELORIN_WINE_BITS-bit Wine $PELORIN_WINE here (PELORIN_WINE=10 is 32-bit only)" >&2
        return 2 2>/dev/null || exit 2
        ;;
esac
# The ending of the locale's own prefixes: none for the default, else
# "-en_US", or "-en_US-ja_JP" for the code page of one and the language of
# the other.
wine_env_locale_suffix() {
    if [ "$_wine_ctype" != "$_wine_messages" ]; then
        echo "-${_wine_ctype%%.*}-${_wine_messages%%.*}"
    elif [ "$_wine_ctype" != ja_JP.UTF-8 ]; then
        echo "-${_wine_ctype%%.*}"
    fi
}
_wine_suffix=$_wine_suffix$(wine_env_locale_suffix)
if [ "$PELORIN_WINE_BITS" = 32 ]; then
    export WINEPREFIX=${PELORIN_WINEPREFIX:-$PELORIN_ROOT/build/wineprefix32$_wine_suffix}
    export WINEARCH=win32
else
    export WINEPREFIX=${PELORIN_WINEPREFIX:-$PELORIN_ROOT/build/wineprefix}
    export WINEARCH=win64
fi

_wine_sudo=
[ "$(id -u)" -ne 0 ] && _wine_sudo=sudo
_wine_root=
_wine_root_mount=
_wine_xvfb_pid=
_wine_anchor_pid=

if [ "$PELORIN_WINE_BITS" = 32 ] \
    && ! { [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version 2>/dev/null | grep -q "^wine-$PELORIN_WINE\."; }; then
    if [ "$PELORIN_WINE" = 10 ]; then
        _wine_root=${PELORIN_I386_ROOT10:-/var/cache/pelorin/i386-root-trixie}
    else
        _wine_root=${PELORIN_I386_ROOT:-/var/cache/pelorin/i386-root}
    fi

    # Runs a command of the i386 root there, in the current folder (which
    # must lie in this project), with Wine's settings.
    _wine_in_root() {
        $_wine_sudo chroot "$_wine_root" /usr/bin/env -i HOME=/root PATH=/usr/bin:/bin \
            LC_ALL="${LC_ALL:-}" LANG="${LANG:-}" LC_CTYPE="${LC_CTYPE:-}" LC_MESSAGES="${LC_MESSAGES:-}" \
            DISPLAY="${DISPLAY:-}" XAUTHORITY="${_wine_root_xauth:-}" \
            WINEPREFIX="$WINEPREFIX" WINEARCH="$WINEARCH" \
            WINEDEBUG="$WINEDEBUG" WINEDLLOVERRIDES="$WINEDLLOVERRIDES" \
            /bin/sh -c 'cd "$1" 2>/dev/null; shift; exec "$@"' sh "$PWD" "$@"
    }
    wine() { _wine_in_root wine "$@"; }
    wine_timeout() { local t=$1; shift; _wine_in_root timeout "$t" wine "$@"; }
    wine_server_wait() { _wine_in_root timeout "$1" wineserver -w >/dev/null 2>&1; }
    wineserver() { _wine_in_root wineserver "$@"; }
    winepath() { _wine_in_root winepath "$@"; }

    # The root sees this project at the same path, and the kernel's files.
    # Runs that share the project hold a shared lock on a file of the root;
    # the last one to stop takes the project's mount away.
    _wine_root_lock=
    _wine_root_mounts() {
        local d
        for d in proc sys dev dev/pts; do
            mountpoint -q "$_wine_root/$d" || $_wine_sudo mount --bind "/$d" "$_wine_root/$d" || return 1
        done
        _wine_root_lock="$_wine_root/tmp/pelorin-mount-$(echo "$PELORIN_ROOT" | md5sum | cut -c1-12).lock"
        exec {_wine_root_lock_fd}>>"$_wine_root_lock" || return 1
        flock -s "$_wine_root_lock_fd"
        if ! mountpoint -q "$_wine_root$PELORIN_ROOT"; then
            $_wine_sudo mkdir -p "$_wine_root$PELORIN_ROOT"
            $_wine_sudo mount --bind "$PELORIN_ROOT" "$_wine_root$PELORIN_ROOT" || return 1
        fi
        _wine_root_mount=$_wine_root$PELORIN_ROOT
        # The X server's cookie, where the display asks for one: a copy the
        # root can read.
        local cookie=${XAUTHORITY:-$HOME/.Xauthority}
        _wine_root_xauth=
        if [ -n "${DISPLAY:-}" ] && [ -r "$cookie" ]; then
            _wine_root_xauth=$PELORIN_ROOT/build/.xauthority
            mkdir -p "$PELORIN_ROOT/build" && cp "$cookie" "$_wine_root_xauth" 2>/dev/null || _wine_root_xauth=
        fi
    }
    _wine_root_unmount() {
        [ -n "$_wine_root_mount" ] || return 0
        flock -u "$_wine_root_lock_fd"
        exec {_wine_root_lock_fd}>&-
        (
            flock -xn 9 || exit 0
            $_wine_sudo umount "$_wine_root_mount" 2>/dev/null || $_wine_sudo umount -l "$_wine_root_mount" 2>/dev/null
        ) 9>>"$_wine_root_lock"
        _wine_root_mount=
    }
fi

# wine_timeout SECONDS ARGS...: wine ARGS, ended after SECONDS.
# wine_server_wait SECONDS: waits at most SECONDS for the wineserver to end.
if ! declare -F wine_timeout >/dev/null; then
    wine_timeout() { local t=$1; shift; timeout "$t" wine "$@"; }
    wine_server_wait() { timeout "$1" wineserver -w >/dev/null 2>&1; }
fi

# Creates the prefix once: virtual desktop, a proportional Japanese font for
# "ＭＳ Ｐゴシック", Wine's own fonts for the caption buttons, and no
# debugger: a program that crashes ends at once.
wine_env_prefix() {
    [ -f "$WINEPREFIX/.pelorin-ready" ] && return 0
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    wineboot -i >/dev/null 2>&1 || true
    local reg="$WINEPREFIX/pelorin.reg"
    printf '\xef\xbb\xbfWindows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1024x768"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"ＭＳ Ｐゴシック"="IPAPGothic"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug]\r\n"Debugger"=""\r\n' \
        | iconv -f UTF-8 -t UTF-16LE > "$reg"
    # An import right after wineboot can be lost while the prefix is still
    # being set up: it is checked, and made again.
    local try
    for try in 1 2 3 4 5; do
        (cd "$WINEPREFIX" && wine reg import pelorin.reg >/dev/null 2>&1)
        wine reg query 'HKCU\Software\Wine\Explorer' /v Desktop >/dev/null 2>&1 && break
        sleep 1
    done
    # The fonts of the Wine that runs (the root's, where it runs in one).
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp "$_wine_root"/usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    wineserver -w
    if ! grep -q '"Desktop"="Default"' "$WINEPREFIX/user.reg"; then
        echo "wine-env: cannot set up the prefix $WINEPREFIX" >&2
        return 1
    fi
    touch "$WINEPREFIX/.pelorin-ready"
}

# Uses $DISPLAY when it works (and CI is not set); otherwise starts Xvfb on
# a display number that it picks itself, free of every other run's.
wine_env_display() {
    if [ -z "${CI:-}" ] && [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
    fi
    local f i n
    f=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$f" >/dev/null 2>&1 &
    _wine_xvfb_pid=$!
    for i in $(seq 100); do
        n=$(tr -dc 0-9 <"$f")
        if [ -n "$n" ] && [ -e "/tmp/.X11-unix/X$n" ]; then
            rm -f "$f"
            export DISPLAY=":$n"
            return 0
        fi
        sleep 0.1
    done
    rm -f "$f"
    echo "wine-env: could not start Xvfb" >&2
    return 1
}

# The anchor: a Windows process that lives for the whole run, so that each
# test's Wine process finds the wineserver and the desktop already there.
# It first warms a new prefix up, and the run waits for that (at most two
# minutes), so that the first test does not pay for it within its own time
# limit.
wine_env_anchor() {
    local anchor=$1 ready i
    ready=build/.anchor-ready-$(basename "$WINEPREFIX")
    mkdir -p build && rm -f "$ready"
    wine "$anchor" "$ready" </dev/null >/dev/null 2>&1 &
    _wine_anchor_pid=$!
    for i in $(seq 1200); do
        [ -e "$ready" ] && break
        kill -0 "$_wine_anchor_pid" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$ready"
}

wine_env_start() {   # anchor.exe
    wine_env_display || return 1
    if [ -n "$_wine_root" ]; then
        _wine_root_mounts || { echo "wine-env: cannot mount the i386 root $_wine_root" >&2; return 1; }
    fi
    wine_env_prefix || return 1
    [ -n "${1:-}" ] && wine_env_anchor "$1"
    return 0
}

# Ends what wine_env_start started. Never fails, so that it can run from an
# EXIT trap under set -e without changing the script's status.
wine_env_stop() {
    if [ -n "$_wine_anchor_pid" ]; then
        kill "$_wine_anchor_pid" 2>/dev/null || true
        wait "$_wine_anchor_pid" 2>/dev/null || true
        _wine_anchor_pid=
    fi
    wineserver -k >/dev/null 2>&1 || true
    wine_server_wait 20 || true
    if [ -n "$_wine_root" ]; then
        _wine_root_unmount || true
    fi
    if [ -n "$_wine_xvfb_pid" ]; then
        kill "$_wine_xvfb_pid" 2>/dev/null || true
        wait "$_wine_xvfb_pid" 2>/dev/null || true
        _wine_xvfb_pid=
    fi
    return 0
}

# The chosen Wine as users name it: "32-bit Wine 10", say. The 64-bit one
# is the host's, whatever its version.
wine_env_label() {
    local gen=$PELORIN_WINE
    if [ "$PELORIN_WINE_BITS" = 64 ]; then
        gen=$(command wine --version 2>/dev/null | sed -n 's/^wine-\([0-9]*\)\..*/\1/p')
    fi
    echo "$PELORIN_WINE_BITS-bit Wine ${gen:-?}$(wine_env_locale_suffix | sed 's/^-/, /')"
}

# The ANSI code page of the locale, as iconv names it.
wine_env_codepage() {
    case $_wine_ctype in
        ja_JP*) echo CP932 ;;
        zh_CN*) echo CP936 ;;
        *) echo CP1252 ;;
    esac
}

# The program to run for the chosen Wine: the shipped 32-bit Pelorin.exe,
# or the same sources built as a 64-bit program.
wine_env_program() {
    if [ "$PELORIN_WINE_BITS" = 32 ]; then
        echo build/win32/Pelorin.exe
    else
        echo build/win64/Pelorin.exe
    fi
}
