#!/usr/bin/env bash
# Builds Tavrelo for the browser into build-web/: index.html, tavrelo.js, tavrelo.wasm,
# tavrelo.data (the fonts and the names of the stages), Stage/ (the stages, fetched as played), the manifest, the icons and the service worker. The
# same game sources on our own Win32 subset, compiled with Debian's Emscripten, with FreeType and
# libjpeg-turbo built alike from Debian's source packages of the very versions the Linux build
# links. The build itself is in build-wasm/.
#   tools/dev/web.sh                  build
#   tools/dev/web.sh --serve [PORT]   build, then serve build-web/ on 127.0.0.1 (port 8080)
#   tools/dev/web.sh --assertions     build with Emscripten's run-time checks, into
#                                     build-wasm/assertions/site instead
set -euo pipefail
cd "$(dirname "$0")/../.."
top=$PWD
work=$top/build-wasm
site=$top/build-web

serve=""
assertions=OFF
while [ $# -gt 0 ]; do
  case $1 in
    --serve)
      serve=8080
      if [[ ${2:-} =~ ^[0-9]+$ ]]; then serve=$2; shift; fi ;;
    --assertions) assertions=ON ;;
    *) echo "usage: $0 [--serve [PORT]] [--assertions]" >&2; exit 2 ;;
  esac
  shift
done

# The build, and the browser its tests play it in.
tools/dev/install-deps.sh emscripten dpkg-dev cmake ninja-build python3 chromium \
  libfreetype-dev libjpeg62-turbo-dev fonts-dejavu-core
command -v node >/dev/null || tools/dev/install-deps.sh nodejs
# The stage set, drawn by the Linux build's generator (the site carries it, a stage a file).
tools/dev/install-deps.sh
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target tavrelo_stages
command -v npm >/dev/null || tools/dev/install-deps.sh npm
# Emscripten's JavaScript optimiser finds Debian's acorn only here when node is not Debian's own.
export NODE_PATH=/usr/share/nodejs
# Programs built for node run on this machine during the build (the libraries' configure checks,
# our resource compiler); this node must not fetch the .wasm as a URL.
emulator="/usr/bin/node;--no-experimental-fetch"

# Builds one library from Debian's source package, once for each version and way of building it.
build_library() {
  local package=$1 name=$2; shift 2
  local source recipe
  source=$(tools/dev/debian-source.sh "$package" "$work")
  recipe="$(dpkg-query -W -f='${Version}' "$package") $* $(sha256sum web/freetype-modules.h)"
  if [ "$(cat "$work/$name.built" 2>/dev/null)" = "$recipe" ]; then return; fi
  rm -rf "$work/$name"
  emcmake cmake -S "$source" -B "$work/$name" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCMAKE_INSTALL_PREFIX="$work/libs" "-DCMAKE_CROSSCOMPILING_EMULATOR=$emulator" "$@" >/dev/null
  cmake --build "$work/$name" -j2 >/dev/null
  cmake --install "$work/$name" >/dev/null
  echo "$recipe" >"$work/$name.built"
}

# FreeType as Debian builds it, without the optional libraries, with the modules the game uses.
build_library libfreetype-dev freetype -DBUILD_SHARED_LIBS=OFF \
  -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON \
  -DFT_DISABLE_BROTLI=ON "-DCMAKE_C_FLAGS=-DFT_CONFIG_MODULES_H='\"freetype-modules.h\"' -I$top/web"
# libjpeg-turbo with the interface of version 62, as the Linux build has it; no SIMD in wasm.
build_library libjpeg62-turbo-dev jpeg -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=0 \
  -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF

libs=$work/libs
game=$work/game
if [ $assertions = ON ]; then
  game=$work/assertions
  site=$game/site
fi
emcmake cmake -S . -B "$game" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
  "-DCMAKE_CROSSCOMPILING_EMULATOR=$emulator" \
  -DJPEG_INCLUDE_DIR="$libs/include" -DJPEG_LIBRARY="$libs/lib/libjpeg.a" \
  -DFREETYPE_INCLUDE_DIR_ft2build="$libs/include/freetype2" \
  -DFREETYPE_INCLUDE_DIR_freetype2="$libs/include/freetype2" \
  -DFREETYPE_LIBRARY="$libs/lib/libfreetype.a" \
  -DTAVRELO_WEB_SITE="$site" -DTAVRELO_WEB_ASSERTIONS=$assertions -DTAVRELO_STAGE_SET="$top/build/Stage" >/dev/null
cmake --build "$game" -j2
echo "built $site (FreeType $(dpkg-query -W -f='${Version}' libfreetype-dev)," \
     "libjpeg-turbo $(dpkg-query -W -f='${Version}' libjpeg62-turbo-dev))"

if [ -n "$serve" ]; then
  echo "Tavrelo plays at http://127.0.0.1:$serve/ (Ctrl+C ends the server)"
  exec python3 -m http.server "$serve" --bind 127.0.0.1 --directory "$site"
fi
