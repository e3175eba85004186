#!/usr/bin/env bash
# Builds the fuzz targets with clang, ASan and UBSan in build-fuzz/, and runs the stage loader's
# target for SECONDS (default 60), seeded with the shipped stages. The corpus it grows is kept
# in build-fuzz/corpus; crashes land in build-fuzz/crashes.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds="${1:-60}"

"tools/dev/install-deps.sh"

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVRELO_FUZZ=ON -DTAVRELO_TESTS=OFF -DTAVRELO_BENCH=OFF
cmake --build build-fuzz -j2 --target load_stage_fuzzer

mkdir -p build-fuzz/corpus build-fuzz/crashes
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
build-fuzz/tests/fuzz/load_stage_fuzzer build-fuzz/corpus Stage \
  -max_total_time="$seconds" -close_fd_mask=3 -timeout=20 -rss_limit_mb=4096 \
  -artifact_prefix=build-fuzz/crashes/ -print_final_stats=1
