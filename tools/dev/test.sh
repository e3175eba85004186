#!/usr/bin/env bash
# Sets up what is missing, builds everything and runs the tests.
#   tools/dev/test.sh              the ordinary build, in build/
#   tools/dev/test.sh --sanitize   with AddressSanitizer and UBSan, in build-sanitize/
set -euo pipefail
cd "$(dirname "$0")/../.."

"tools/dev/install-deps.sh"

build=build
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
  build=build-sanitize
  options=(-DCMAKE_BUILD_TYPE=Debug -DTAVRELO_SANITIZE=ON -DTAVRELO_BENCH=OFF)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

cmake -S . -B "$build" -G Ninja "${options[@]}"
cmake --build "$build" -j2
ctest --test-dir "$build" -j2 --output-on-failure
