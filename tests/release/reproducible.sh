#!/usr/bin/env bash
# Builds the release of the current commit twice, each in a fresh clone
# (build/repro-a and build/repro-b), and checks that both give the same
# bytes: Pelorin.exe, the zip and the setup. Slower than the test command's
# release group (two builds from scratch), so it runs on its own. Prints the
# hashes; exits non-zero when they differ.
set -euo pipefail
cd "$(dirname "$0")/../.."
for c in a b; do
    rm -rf "build/repro-$c"
    git clone -q . "build/repro-$c"
    bash "build/repro-$c/scripts/release.sh" >/dev/null
    (cd "build/repro-$c" && sha256sum build/win32/Pelorin.exe dist/*.zip dist/*-setup.exe) | tee "build/repro-$c.sums"
done
cmp build/repro-a.sums build/repro-b.sums && echo "reproducible: both clones gave the same bytes"
