#!/usr/bin/env bash
# Builds Tavrelo for Windows: build-windows/tavrelo.exe, build-windows/tavrelo-windows.zip and the
# installer build-windows/tavrelo-VERSION-setup.exe (NSIS).
# The same game sources, cross-compiled with MinGW-w64 against the real Win32 API, linked
# statically with libjpeg-turbo, which is built here from Debian's source package of the very
# version the Linux build links (fetched through a private list of source archives, checked by
# apt against the archive's signed indexes).
#   tools/dev/windows.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
top=$PWD
out=$top/build-windows

tools/dev/install-deps.sh g++-mingw-w64-x86-64 nasm dpkg-dev cmake ninja-build libjpeg62-turbo-dev nsis
# The stage set, drawn by the Linux build's generator.
tools/dev/install-deps.sh
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target tavrelo_stages

# libjpeg-turbo, as the Linux build has it.
version=$(dpkg-query -W -f='${Version}' libjpeg62-turbo-dev)
jpeg=$out/jpeg
source=$(tools/dev/debian-source.sh libjpeg62-turbo-dev "$out")
if [ ! -f "$jpeg/lib/libjpeg.a" ] || [ "$(cat "$jpeg/version" 2>/dev/null)" != "$version" ]; then
  cmake -S "$source" -B "$out/jpeg-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" -DCMAKE_INSTALL_PREFIX="$jpeg" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF >/dev/null
  cmake --build "$out/jpeg-build" -j2 >/dev/null
  cmake --install "$out/jpeg-build" >/dev/null
  echo "$version" >"$jpeg/version"
fi

cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
  -DJPEG_INCLUDE_DIR="$jpeg/include" -DJPEG_LIBRARY="$jpeg/lib/libjpeg.a" \
  -DTAVRELO_JPEG_SOURCE_DIR="$source" -DTAVRELO_STAGE_SET="$PWD/build/Stage" >/dev/null
cmake --build "$out" -j2
echo "built $out/tavrelo.exe, $out/tavrelo-windows.zip and $(ls "$out"/tavrelo-*-setup.exe)" \
     "(libjpeg-turbo $version)"
