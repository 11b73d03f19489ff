#!/usr/bin/env bash
# Builds the 32-bit program (build/win32), the same sources as a 64-bit
# program with the Wine tests (build/win64), and the native unit tests and
# fuzzers (build/native).
set -euo pipefail
cd "$(dirname "$0")/.."

configure() {   # dir, extra cmake arguments... (again each time: new test files are picked up)
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
}

configure build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
configure build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
CC=clang CXX=clang++ configure build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo

for dir in build/win32 build/win64 build/native; do
    cmake --build "$dir" -- -j2
done
