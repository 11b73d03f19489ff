#!/usr/bin/env bash
# Installs what is missing, builds, and starts Pelorin under Wine. With an X
# display, Pelorin opens there and this waits until it is closed. Without
# one, it runs under Xvfb: a screenshot of the window is saved and its path
# printed, then everything stops.
#
# The program runs under 32-bit Wine 8 (Debian 12's); PELORIN_WINE=10 runs
# it under Wine 10 (Debian 13's, what today's distributions ship) instead,
# each Wine with a prefix of its own.
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh || exit 1
# The program users run is the 32-bit one; where 32-bit Wine cannot be set
# up, the 64-bit build of the same sources runs instead, under the host's
# Wine.
export PELORIN_WINE_BITS=32
export PELORIN_WINE=${PELORIN_WINE:-8}
if ! bash scripts/wine32-setup.sh; then
    echo "run: 32-bit Wine $PELORIN_WINE cannot be set up here; starting the 64-bit build of the same sources" >&2
    PELORIN_WINE_BITS=64
    PELORIN_WINE=8
fi
bash scripts/build.sh || exit 1

headless=
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    headless=1
    unset DISPLAY
fi

source scripts/wine-env.sh || exit 1
exe=$(wine_env_program)
other=10
[ "$PELORIN_WINE" = 10 ] && other=8
echo "run: starting $exe under $(wine_env_label) (PELORIN_WINE=$other bash scripts/run.sh for Wine $other)"
wine_env_start || exit 1
trap wine_env_stop EXIT

if [ -z "$headless" ]; then
    wine "$exe"
    exit 0
fi

wine "$exe" </dev/null >/dev/null 2>&1 &
pid=$!
shot=$PWD/build/pelorin-screenshot.png
for i in $(seq 100); do
    sleep 0.2
    # The window has been drawn once the screen is no longer one colour.
    if import -display "$DISPLAY" -window root "$shot" 2>/dev/null \
        && [ "$(convert "$shot" -format '%k' info: 2>/dev/null)" -gt 2 ] 2>/dev/null; then
        sleep 1
        import -display "$DISPLAY" -window root "$shot"
        break
    fi
done
echo "run: no display was available, so Pelorin ran under Xvfb ($DISPLAY)."
echo "run: screenshot of the window: $shot"
kill "$pid" 2>/dev/null
