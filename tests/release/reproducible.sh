#!/usr/bin/env bash
# Builds the release in two fresh clones and compares the bytes (two builds from scratch: not in the test command).
set -euo pipefail
cd "$(dirname "$0")/../.."
for c in a b; do
    rm -rf "build/repro-$c" && git clone -q . "build/repro-$c" && bash "build/repro-$c/scripts/release.sh" >/dev/null
    (cd "build/repro-$c" && sha256sum build/win32/Pelorin.exe dist/*.zip dist/*-setup.exe) | tee "build/repro-$c.sums"
done
cmp build/repro-a.sums build/repro-b.sums && echo "reproducible: both clones gave the same bytes"
