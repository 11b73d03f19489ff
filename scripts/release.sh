#!/usr/bin/env bash
# Builds a release of Pelorin into dist/ (emptied first):
#   Pelorin-<version>.zip        the portable program: Pelorin.exe and README.txt
#   Pelorin-<version>-setup.exe  the per-user setup (release/Pelorin.nsi)
#   SHA256SUMS                   the hashes of both
# <version> is the program's own (res/version.h), as its version window shows
# it. Installs the Debian packages it needs. The exe is build/win32's, the one
# the tests run. The same commit gives the same bytes on any machine: the
# exe's header and the setup carry no time, and the zip's entries are sorted
# and dated at the commit (SOURCE_DATE_EPOCH, when not set).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh g++-mingw-w64-i686-posix binutils-mingw-w64-i686 cmake ninja-build googletest \
    nsis zip git

version_part() { sed -n "s/^#define PELORIN_VERSION_$1 \([0-9]*\)\$/\1/p" res/version.h; }
major=$(version_part MAJOR)
minor=$(version_part MINOR)
if [ -z "$major" ] || [ -z "$minor" ]; then
    echo "release: no version in res/version.h" >&2
    exit 1
fi
version=$major.$minor
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 315532800)}

cmake -S . -B build/win32 -G Ninja --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build/win32 --target Pelorin -- -j2

# The files as Windows users get them: CRLF text, fixed times and modes.
stage=build/release
rm -rf "$stage" dist
mkdir -p "$stage" dist
cp build/win32/Pelorin.exe "$stage/"
sed 's/$/\r/' release/README.txt > "$stage/README.txt"
chmod 644 "$stage"/*
touch -d "@$SOURCE_DATE_EPOCH" "$stage"/*

zip_name=Pelorin-$version.zip
setup_name=Pelorin-$version-setup.exe
(cd "$stage" && TZ=UTC zip -q -X -9 "../../dist/$zip_name" Pelorin.exe README.txt)
# Uninstall.exe first (the same script), then the setup that carries it.
nsis=(makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DVERSION4="$major.$((10#$minor)).0.0"
    -DICON="$PWD/res/Pelorin.ico")
"${nsis[@]}" -DUNINSTALLER -DOUTFILE="$PWD/$stage/Uninstall.exe" release/Pelorin.nsi
"${nsis[@]}" -DEXE="$PWD/$stage/Pelorin.exe" -DREADME="$PWD/$stage/README.txt" \
    -DUNINSTALL_EXE="$PWD/$stage/Uninstall.exe" -DOUTFILE="$PWD/dist/$setup_name" release/Pelorin.nsi
(cd dist && sha256sum "$zip_name" "$setup_name" > SHA256SUMS)
ls -l dist
cat dist/SHA256SUMS
