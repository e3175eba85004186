// What an author should fix in a stage even though the game loads it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "stage_file.h"

namespace tools {

struct PictureSize {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 24;
};

struct StageFacts {
  PictureSize picture;
  std::vector<Rect> rects;           // in record order
  std::vector<PictureSize> patches;  // in record order
  std::uint64_t trailingBytes = 0;
};

#define SMALLEST_DIFFERENCE 8

std::vector<std::string> AuthorWarnings(const StageFacts& facts);

}  // namespace tools
