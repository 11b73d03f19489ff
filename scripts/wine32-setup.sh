#!/usr/bin/env bash
# Makes 32-bit Wine available for running the 32-bit Pelorin.exe, once; fast
# when it is there already. Runs as root or via sudo.
#
# PELORIN_WINE chooses the Wine: 8 (the default; Debian 12's) or 10 (Debian
# 13's, what today's distributions ship).
# - A host whose own 32-bit Wine of that generation runs (/usr/lib/wine/wine)
#   needs nothing.
# - Otherwise an i386 Debian root with its wine32 is built, once: Debian 12
#   in $PELORIN_I386_ROOT (default /var/cache/pelorin/i386-root) for Wine 8,
#   Debian 13 in $PELORIN_I386_ROOT10 (default
#   /var/cache/pelorin/i386-root-trixie) for Wine 10. Each takes about 5
#   minutes and 1.4 GB on disk, 200 MB downloaded. No i386 package is ever
#   installed into the host, so the host's 64-bit Wine is left as it is.
# - A kernel that cannot execute 32-bit code runs the root's programs
#   through qemu-user (qemu 10 from bookworm-backports; bookworm's own qemu
#   7.2 costs about 50 s of CPU per Wine process), registered for i386 ELF
#   files with binfmt_misc. The registration lives in the kernel only and is
#   made again after a reboot.
# - The root holds the locales the tests run in (ja_JP, en_US and zh_CN,
#   UTF-8). A root built before one of them was listed gets it added, in
#   about a minute, without being built again.
set -euo pipefail

SUDO=
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi

gen=${PELORIN_WINE:-8}
case $gen in
    8) suite=bookworm; root=${PELORIN_I386_ROOT:-/var/cache/pelorin/i386-root} ;;
    10) suite=trixie; root=${PELORIN_I386_ROOT10:-/var/cache/pelorin/i386-root-trixie} ;;
    *) echo "wine32-setup: PELORIN_WINE is 8 or 10, not $gen" >&2; exit 2 ;;
esac

if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version 2>/dev/null | grep -q "^wine-$gen\."; then
    exit 0
fi
# Changing this list rebuilds the root's packages.
packages=(
    wine wine32 libwine fonts-ipafont-gothic fonts-wine locales fontconfig
    libgl1 libgnutls30 libkrb5-3 libgssapi-krb5-2 libcups2 libdbus-1-3
    libxcomposite1 libxcursor1 libxfixes3 libxi6 libxinerama1 libxrandr2 libxrender1 libxxf86vm1
)
# The locales the tests run in (scripts/wine-env.sh, PELORIN_LOCALE).
locales=(ja_JP.UTF-8 en_US.UTF-8 zh_CN.UTF-8)
stamp="$root/.pelorin-ready"
want="packages: ${packages[*]}"
# The Bookworm root's stamp predates the suite's name in it.
[ "$suite" = bookworm ] || want="suite: $suite; $want"

host_pkgs=()
command -v debootstrap >/dev/null || host_pkgs+=(debootstrap)

# A static i386 ELF of 93 bytes that exits with status 42, and the same with
# its last e_ident padding byte set: the kernel ignores that byte, but no
# binfmt_misc entry for i386 (ours or qemu's own) matches it.
tiny=$(mktemp)
tiny_native=$(mktemp)
trap 'rm -f "$tiny" "$tiny_native"' EXIT
elf_head='\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00'
elf_tail='\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xb3\x2a\xcd\x80'
printf "$elf_head\\x00$elf_tail" > "$tiny"
printf "$elf_head\\x01$elf_tail" > "$tiny_native"
chmod +x "$tiny" "$tiny_native"

binfmt=/proc/sys/fs/binfmt_misc
entry=$binfmt/pelorin-i386
[ -e "$binfmt/register" ] || $SUDO mount -t binfmt_misc binfmt_misc "$binfmt"

# Whether the kernel itself runs 32-bit code: asked with the ELF that no
# emulation catches, so that the emulation other runs are using right now
# stays on.
native=false
set +e; "$tiny_native" 2>/dev/null; rc=$?; set -e
[ "$rc" -eq 42 ] && native=true

if $native; then
    # Native runs are faster: our emulation is not needed.
    if [ -e "$entry" ]; then echo -1 | $SUDO tee "$entry" >/dev/null; fi
else
    qemu=/usr/bin/qemu-i386-static
    if ! "$qemu" --version 2>/dev/null | grep -q 'version \(9\|[1-9][0-9]\)\.'; then
        src=/etc/apt/sources.list.d/pelorin-backports.sources
        if ! grep -rqs 'bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d/; then
            printf '%s\n' 'Types: deb' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm-backports' \
                'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' | $SUDO tee "$src" >/dev/null
        fi
        $SUDO apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
            -t bookworm-backports qemu-user-static >/dev/null
    fi
    if [ ! -e "$entry" ]; then
        # i386 ELF executables (e_machine 3); F: the interpreter is opened
        # now, so it also serves inside the root.
        magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
        mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
        printf '%s' ":pelorin-i386:M::$magic:$mask:$qemu:POCF" | $SUDO tee "$binfmt/register" >/dev/null
    fi
    set +e; "$tiny"; rc=$?; set -e
    if [ "$rc" -ne 42 ]; then
        echo "wine32-setup: i386 programs do not run, even through $qemu" >&2
        exit 1
    fi
fi

# Lists each locale in the root's /etc/locale.gen, so that its own
# locale-gen keeps it.
list_locales() {
    local l
    for l in "${locales[@]}"; do
        grep -q "^$l UTF-8\$" "$root/etc/locale.gen" 2>/dev/null && continue
        if grep -q "^# *$l UTF-8\$" "$root/etc/locale.gen" 2>/dev/null; then
            $SUDO sed -i "s/^# *\($l UTF-8\)\$/\1/" "$root/etc/locale.gen"
        else
            echo "$l UTF-8" | $SUDO tee -a "$root/etc/locale.gen" >/dev/null
        fi
    done
}

# Whether the root holds every locale listed, as far as this script knows.
locales_made() {
    [ "$(cat "$root/.pelorin-locales" 2>/dev/null)" = "${locales[*]}" ]
}

# Adds the locales a ready root lacks, one by one, to its archive: the others
# stay usable meanwhile, for runs that are using the root now.
add_locales() {
    local l have
    locales_made && return 0
    list_locales
    have=$($SUDO chroot "$root" /usr/bin/locale -a 2>/dev/null | tr 'A-Z' 'a-z' | sed 's/utf-\?8$/utf-8/')
    for l in "${locales[@]}"; do
        echo "$have" | grep -qx "$(echo "$l" | tr 'A-Z' 'a-z')" && continue
        echo "wine32-setup: adding the locale $l to $root"
        $SUDO chroot "$root" /usr/bin/localedef -i "${l%%.*}" -f UTF-8 "$l" || return 1
    done
    echo "${locales[*]}" | $SUDO tee "$root/.pelorin-locales" >/dev/null
}

if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ] && locales_made; then
    exit 0
fi

# One build of a root (or of its locales) at a time: a second run (another
# clone's tests, say) waits for the first and then finds the root ready,
# instead of taking a root away that is still being built.
$SUDO mkdir -p "$(dirname "$root")"
exec 9>>"$root.lock"
flock 9
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ]; then
    add_locales || { echo "wine32-setup: cannot add the locales ${locales[*]} to $root" >&2; exit 1; }
    exit 0
fi

if [ ${#host_pkgs[@]} -gt 0 ]; then
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${host_pkgs[@]}" >/dev/null
fi

# Takes the root away, never reaching through a mount into the host's files.
remove_root() {
    local m
    for m in $(awk -v r="$root/" 'index($2, r) == 1 { print $2 }' /proc/mounts | sort -r); do
        $SUDO umount "$m" 2>/dev/null || $SUDO umount -l "$m"
    done
    $SUDO rm -rf --one-file-system "$root"
}

build_root() {
    if [ ! -x "$root/usr/bin/apt-get" ]; then
        remove_root
        $SUDO mkdir -p "$(dirname "$root")"
        local mirror
        mirror=$(sed -n 's/^URIs: *\(http[^ ]*debian\)\/\?$/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n 1)
        $SUDO debootstrap --arch=i386 --variant=minbase "$suite" "$root" "${mirror:-http://deb.debian.org/debian}" \
            >/dev/null || return 1
    fi
    # Package scripts start no services in the root.
    printf '#!/bin/sh\nexit 101\n' | $SUDO tee "$root/usr/sbin/policy-rc.d" >/dev/null
    $SUDO chmod +x "$root/usr/sbin/policy-rc.d"
    list_locales
    local d
    for d in proc sys dev dev/pts; do
        mountpoint -q "$root/$d" || $SUDO mount --bind "/$d" "$root/$d" || return 1
    done
    $SUDO chroot "$root" /bin/sh -c "apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends ${packages[*]} >/dev/null && locale-gen >/dev/null"
}

echo "wine32-setup: building the i386 Debian $suite root (Wine $gen) in $root (about 5 minutes, once)"
start=$(date +%s)
# A root left half-built (an interrupted download, say) is built again from
# the start, once.
if ! build_root; then
    echo "wine32-setup: building the root again from the start" >&2
    remove_root
    build_root || { echo "wine32-setup: cannot build the i386 root in $root" >&2; exit 1; }
fi
echo "$want" | $SUDO tee "$stamp" >/dev/null
add_locales || { echo "wine32-setup: cannot add the locales ${locales[*]} to $root" >&2; exit 1; }
echo "wine32-setup: i386 root ready in $(( $(date +%s) - start )) s"
