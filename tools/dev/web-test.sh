#!/usr/bin/env bash
# The game in a browser, played in Debian's Chromium through Playwright (tests/web/): loading,
# the screens that must equal tavrelo-replay's pixel for pixel, play with a mouse and keys, play
# with a finger on a phone, and what the browser keeps between visits. Builds what is missing
# (tools/dev/web.sh, and tavrelo-replay in build/ for the shots to compare with).
#   tools/dev/web-test.sh                the build in build-web/
#   tools/dev/web-test.sh --assertions   a build with Emscripten's run-time checks
#   tools/dev/web-test.sh --screens      also puts the page's pictures in docs/screens/
# Screenshots, and the pictures of any pixel difference, go to build-wasm/test/.
set -euo pipefail
cd "$(dirname "$0")/../.."
top=$PWD
site=$top/build-web
out=$top/build-wasm/test
build=()
screens=""
for option in "$@"; do
  case $option in
    --assertions) build=(--assertions); site=$top/build-wasm/assertions/site; out=$top/build-wasm/test-assertions ;;
    --screens) screens=yes ;;
    *) echo "usage: $0 [--assertions] [--screens]" >&2; exit 2 ;;
  esac
done

tools/dev/web.sh "${build[@]}"
tools/dev/install-deps.sh  # the Linux build, for tavrelo-replay
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target tavrelo-replay >/dev/null

rm -rf "$out"
mkdir -p "$out/replay/Stage"
cp build/Stage/*.stg "$out/replay/Stage/"
(cd "$out/replay" && TAVRELO_REGISTRY="$out/replay/user.reg" \
   "$top/build/tools/tavrelo-replay" "$top/tests/web/replay/screens.script" "$out/replay" >/dev/null)

# Playwright's library only, pinned by the lock file: the browser is Debian's.
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
TAVRELO_WEB_SITE=$site TAVRELO_WEB_OUT=$out TAVRELO_REPLAY_SHOTS=$out/replay \
  node --test --test-concurrency=1 tests/web/

if [ -n "$screens" ]; then
  cp "$out/web.png" docs/screens/web.png
  cp "$out/web-phone.png" docs/screens/web-phone.png
  echo "docs/screens/web.png and docs/screens/web-phone.png made again"
fi
