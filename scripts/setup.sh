#!/usr/bin/env bash
# Installs what building and testing Pelorin needs on Debian 12, when it is
# missing, or only the packages named as arguments. Fast when everything is
# there already. Runs as root or via sudo.
set -euo pipefail

packages=(
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686
    cmake ninja-build googletest libbenchmark-dev clang libclang-rt-14-dev
    wine wine64 xvfb xauth x11-utils fonts-ipafont-gothic fonts-wine locales imagemagick file unzip
)
[ $# -gt 0 ] && packages=("$@")

SUDO=
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi

missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    # Only 64-bit Wine: a 32-bit loader would be picked by the wine wrapper
    # even on kernels that cannot run 32-bit code.
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The locales Wine runs in (scripts/wine-env.sh, PELORIN_LOCALE), listed for
# locale-gen and each added on its own where missing: the others stay usable
# meanwhile.
[ $# -gt 0 ] && exit 0
for l in ja_JP en_US zh_CN; do
    grep -q "^$l.UTF-8 UTF-8" /etc/locale.gen 2>/dev/null || echo "$l.UTF-8 UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
    locale -a 2>/dev/null | grep -i "^$l\.utf-\?8$" >/dev/null && continue
    $SUDO localedef -i "$l" -f UTF-8 "$l.UTF-8"
done
