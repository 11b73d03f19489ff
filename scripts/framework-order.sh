#!/usr/bin/env bash
# Checks that the files of framework/ use each other in one direction only:
# a file pair X.h/X.cpp is one unit, and X depends on Y when X.h or X.cpp
# includes Y.h, or when X's object file needs a symbol that only Y's object
# file defines (a call, a vtable, a variable). Prints the units from the
# bottom up; fails, naming the circle, when there is one. Needs a build
# (build/win32 by default: scripts/build.sh).
set -euo pipefail
export LC_ALL=C
cd "$(dirname "$0")/.."
build=${1:-build/win32}
nm=${NM:-i686-w64-mingw32-nm}

objects=$(find "$build/CMakeFiles" -path '*/framework/*.cpp.obj' | sort)
[ -n "$objects" ] || { echo "framework-order: no framework objects in $build" >&2; exit 1; }

unit() { basename "$1" | sed 's/\.cpp\.obj$//; s/\.\(h\|cpp\)$//'; }

edges=$(
    # Includes.
    for f in framework/*.h framework/*.cpp; do
        for inc in $(sed -n 's/^#include "\([A-Za-z0-9_]*\)\.h".*/\1/p' "$f"); do
            [ "$inc" != "$(unit "$f")" ] && echo "$inc $(unit "$f")"
        done
        echo "$(unit "$f") $(unit "$f")"
    done
    # Symbols: each one defined by exactly one object belongs to its unit.
    defs=$(for o in $objects; do
        "$nm" --defined-only "$o" | awk -v u="$(unit "$o")" '$2 ~ /^[TDBR]$/ { print $3, u }'
    done | sort -u | awk '{ n[$1]++; u[$1] = $2 } END { for (s in n) if (n[s] == 1) print s, u[s] }')
    for o in $objects; do
        "$nm" --undefined-only "$o" | awk '{ print $2 }' | sort -u \
            | join - <(echo "$defs" | sort) | awk -v u="$(unit "$o")" '$2 != u { print $2, u }'
    done
)

# tsort reads "lower upper" pairs and names a loop on stderr.
if ! order=$(echo "$edges" | sort -u | tsort 2>/tmp/framework-order.$$); then
    echo "framework-order: the framework's files use each other in a circle:" >&2
    sed 's/^tsort: //' /tmp/framework-order.$$ >&2
    rm -f /tmp/framework-order.$$
    exit 1
fi
rm -f /tmp/framework-order.$$
echo "framework order, bottom up: $(echo $order)"
echo "$edges" | sort -u | awk '$1 != $2 { d[$2] = d[$2] " " $1 } END { for (u in d) print "  " u ":" d[u] }' | sort
