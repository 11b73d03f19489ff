#!/usr/bin/env bash
# Builds the release of this commit in two fresh clones (build/repro-a, -b)
# and compares the bytes of Pelorin.exe, the zip and the setup; apart from
# the test command, which it would slow down by two builds from scratch.
set -euo pipefail
cd "$(dirname "$0")/../.."
for c in a b; do
    rm -rf "build/repro-$c" && git clone -q . "build/repro-$c" && bash "build/repro-$c/scripts/release.sh" >/dev/null
    (cd "build/repro-$c" && sha256sum build/win32/Pelorin.exe dist/*.zip dist/*-setup.exe) | tee "build/repro-$c.sums"
done
cmp build/repro-a.sums build/repro-b.sums && echo "reproducible: both clones gave the same bytes"
