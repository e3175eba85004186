// JpegToBmp against the JPEG library decoding the same stream into a plain buffer.
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "baseline.h"
#include "image.h"
#include "image/JpegToBmp.h"
#include "ratio_report.h"

namespace {

// A picture of the background's size with soft shapes and edges, like drawn artwork.
std::vector<std::uint8_t> EncodeScene(int width, int height) {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
      const double wave = std::sin(x * 0.05) * std::cos(y * 0.07);
      const bool disc = (x - 300) * (x - 300) + (y - 200) * (y - 200) < 90 * 90;
      p[0] = static_cast<std::uint8_t>(disc ? 230 : 120 + 100 * wave);
      p[1] = static_cast<std::uint8_t>(disc ? 180 : 90 + y * 160 / height);
      p[2] = static_cast<std::uint8_t>(disc ? 40 : 200 - x * 150 / width);
    }
  tools::JpegSettings settings;  // an ordinary photo's: 4:2:0
  settings.quality = 90;
  settings.hSampling = settings.vSampling = 2;
  return tools::EncodeJpegPixels(rgb.data(), width, height, 3, tools::Orientation::Upright,
                                 settings);
}

const std::vector<std::uint8_t>& Background() {
  static const std::vector<std::uint8_t> jpeg = EncodeScene(635, 460);
  return jpeg;
}

void BM_JpegToBmp(benchmark::State& state) {
  std::vector<std::uint8_t> jpeg = Background();
  for (auto _ : state) {
    MemStream* input = MemStreamWrap(jpeg.data(), static_cast<std::uint32_t>(jpeg.size()));
    MemStream* output = JpegToBmp(input);
    benchmark::DoNotOptimize(output->data);
    input->data = nullptr;
    MemStreamClose(input);
    MemStreamClose(output);
  }
}

void BM_LibjpegToBuffer(benchmark::State& state) {
  const std::vector<std::uint8_t>& jpeg = Background();
  std::vector<std::uint8_t> pixels(635 * 460 * 3);
  for (auto _ : state) {
    bench::DecodeToBuffer(jpeg, pixels);
    benchmark::DoNotOptimize(pixels.data());
  }
}

BENCHMARK(BM_JpegToBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibjpegToBuffer)->Unit(benchmark::kMillisecond);

}  // namespace
