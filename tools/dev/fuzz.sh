#!/usr/bin/env bash
# Builds the fuzz targets with clang, ASan and UBSan in build-fuzz/ and runs each job for
# SECONDS (default 60); with JOB names, only those.
#   tools/dev/fuzz.sh [SECONDS [JOB...]]
# Jobs:
#   pipeline  any bytes as a stage, through loading, set-up at every difficulty and orientation,
#             painting, hit tests, clicks and hints (stage_pipeline_fuzzer)
#   loader    any bytes as a stage, through the loader alone (load_stage_fuzzer), pictures of
#             up to 256 x 256
#   shipped   the loader again, from the shipped stages: a slower corpus of whole stages
#   settings  any bytes as the registry file, through the settings' load, check and save
# The stage jobs start from small seed stages drawn at build time (make_fuzz_seeds) and a
# dictionary of the format's markers, with inputs of at most 8 KB. Corpora grow in
# build-fuzz/corpus/JOB; crashes land in build-fuzz/crashes/JOB-*.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds="${1:-60}"
shift || true
jobs=("$@")
[ ${#jobs[@]} -gt 0 ] || jobs=(pipeline loader shipped settings)

"tools/dev/install-deps.sh"

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVRELO_FUZZ=ON -DTAVRELO_TESTS=OFF -DTAVRELO_BENCH=OFF >/dev/null
cmake --build build-fuzz -j2 --target load_stage_fuzzer stage_pipeline_fuzzer settings_fuzzer \
  make_fuzz_seeds
build-fuzz/tests/fuzz/make_fuzz_seeds build-fuzz/seeds

# No filling of fresh blocks: every FILE the registry and the game open gets a 4 KB buffer, and
# filling it costs a quarter of the settings job's time; uninitialised reads are not what ASan
# finds anyway.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:max_malloc_fill_size=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
status=0
for job in "${jobs[@]}"; do
  limit=0
  case $job in
    pipeline) target=stage_pipeline_fuzzer sources=(build-fuzz/seeds)
              options=(-dict=tests/fuzz/stage.dict -max_len=8192) ;;
    loader)   target=load_stage_fuzzer sources=(build-fuzz/seeds) limit=256
              options=(-dict=tests/fuzz/stage.dict -max_len=8192) ;;
    shipped)  target=load_stage_fuzzer sources=(tests/fixtures/Stage) options=(-dict=tests/fuzz/stage.dict) ;;
    settings) target=settings_fuzzer sources=(tests/fuzz/settings-seeds)
              options=(-dict=tests/fuzz/registry.dict -max_len=4096) ;;
    *) echo "fuzz.sh: no job '$job'" >&2; exit 2 ;;
  esac
  mkdir -p "build-fuzz/corpus/$job" build-fuzz/crashes
  echo "== $job: $target for $seconds s"
  FUZZ_MAX_SIDE=$limit "build-fuzz/tests/fuzz/$target" "build-fuzz/corpus/$job" "${sources[@]}" "${options[@]}" \
    -max_total_time="$seconds" -close_fd_mask=3 -timeout=20 -rss_limit_mb=4096 \
    -artifact_prefix="build-fuzz/crashes/$job-" -print_final_stats=1 2>&1 |
    grep -E '^(stat::|#[0-9]+ *DONE|==[0-9]+==ERROR|SUMMARY|INFO: Running)' || true
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
done
exit $status
