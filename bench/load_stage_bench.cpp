// LoadStage of a shipped stage against the JPEG library decoding the same streams into plain
// buffers: what reading the file, the checks and the BMP images cost on top of decoding.
#include <benchmark/benchmark.h>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Stage.h"
#include "baseline.h"

namespace {

const std::string kStage = std::string(TAVRELO_FIXTURE_STAGES) + "/01-meadow.stg";

std::uint32_t Le32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// The JPEG streams of the stage file, picture first.
std::vector<std::vector<std::uint8_t>> Streams() {
  std::ifstream in(kStage, std::ios::binary);
  const std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(in)),
                                       std::istreambuf_iterator<char>());
  const std::uint32_t count = (Le32(file, STAGE_COUNT_OFFSET) - 3) / 2;
  std::size_t at = STAGE_HEADER_SIZE + STAGE_RECORD_SIZE * count;
  std::vector<std::vector<std::uint8_t>> streams;
  for (std::uint32_t i = 0; i <= count; ++i) {
    const std::uint32_t length = Le32(file, at + STAGE_CHUNK_LENGTH_OFFSET);
    at += STAGE_CHUNK_HEADER_SIZE;
    streams.emplace_back(file.begin() + static_cast<long>(at),
                         file.begin() + static_cast<long>(at + length));
    at += length;
  }
  return streams;
}

void BM_LoadStage(benchmark::State& state) {
  for (auto _ : state) {
    StageData* stage = LoadStage(kStage.c_str());
    benchmark::DoNotOptimize(stage);
    FreeStage(stage);
  }
}

void BM_LibjpegStageStreams(benchmark::State& state) {
  const auto streams = Streams();
  std::vector<std::uint8_t> pixels(300 * 300 * 3);
  for (auto _ : state) {
    for (const auto& stream : streams) bench::DecodeToBuffer(stream, pixels);
    benchmark::DoNotOptimize(pixels.data());
  }
}

BENCHMARK(BM_LoadStage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibjpegStageStreams)->Unit(benchmark::kMillisecond);

}  // namespace
