// make_fuzz_seeds DIR: small stage files for the fuzzers to start from, 8 x 8 to 32 x 32 pixels
// with a few patches each, so that one run takes microseconds and every part of the format is
// there to be mutated: colour and gray pictures, a square and a wide one, baseline and
// progressive streams, restart markers, patches of another depth, and rectangles that are
// empty, on the edge, or overlapping.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "file_io.h"
#include "image.h"
#include "stage_file.h"

namespace {

using tools::Bytes;

// Rows of `components` samples with a gradient and a block, so that no coefficient is idle.
Bytes Jpeg(int width, int height, int components, int seed, const tools::JpegSettings& settings) {
  std::vector<std::uint8_t> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < components; ++c) {
        const bool block = x > width / 3 && x < 2 * width / 3 && y > height / 3;
        pixels.push_back(static_cast<std::uint8_t>(block ? 40 * (c + seed) : x * 7 + y * 5 + 60 * c));
      }
  return tools::EncodeJpegPixels(pixels.data(), width, height, components,
                                 tools::Orientation::UpsideDown, settings);
}

struct Seed {
  const char* name;
  int width, height, components;
  tools::JpegSettings settings;
  std::vector<tools::Rect> rects;
  int patchComponents;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: make_fuzz_seeds DIR\n", stderr);
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::filesystem::create_directories(dir);
  tools::JpegSettings baseline;
  baseline.quality = 75;
  tools::JpegSettings progressive = baseline;
  progressive.progressive = true;
  tools::JpegSettings restarts = baseline;
  restarts.restartRows = 1;
  tools::JpegSettings subsampled = baseline;
  subsampled.hSampling = subsampled.vSampling = 2;
  const Seed seeds[] = {
      {"tiny", 8, 8, 3, baseline, {{2, 2, 6, 6}}, 3},
      {"square", 16, 16, 3, baseline, {{1, 1, 5, 5}, {8, 2, 12, 6}, {3, 9, 7, 13}}, 3},
      {"five", 32, 32, 3, subsampled,
       {{0, 0, 6, 6}, {26, 0, 32, 6}, {0, 26, 6, 32}, {26, 26, 32, 32}, {12, 12, 20, 20}}, 3},
      {"wide", 24, 16, 3, progressive, {{2, 2, 8, 8}, {14, 6, 20, 12}}, 3},
      {"gray", 16, 16, 1, restarts, {{4, 4, 10, 10}, {6, 6, 12, 12}}, 1},
      {"gray-patches", 16, 16, 3, baseline, {{2, 2, 8, 8}}, 1},
      {"empty-rects", 16, 16, 3, baseline, {{4, 4, 4, 10}, {2, 2, 8, 8}, {9, 9, 5, 5}}, 3},
  };
  for (const Seed& seed : seeds) {
    std::vector<tools::EncodedDifference> differences;
    int i = 0;
    for (const tools::Rect& r : seed.rects) {
      const int w = r.right > r.left ? r.right - r.left : 4, h = r.bottom > r.top ? r.bottom - r.top : 4;
      differences.push_back({r, Jpeg(w, h, seed.patchComponents, ++i, seed.settings)});
    }
    const Bytes file = tools::LayOutStageFile(
        Jpeg(seed.width, seed.height, seed.components, 0, seed.settings), differences);
    std::string error;
    if (!tools::WriteFileBytes((dir / (std::string(seed.name) + ".stg")).string(), file.data(),
                               file.size(), &error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
  }
  return 0;
}
