// Stage files as the authoring tools see them: written from pictures, and read field by field
// with everything an author should know about them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

namespace tools {

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Overlaps(const Rect& other) const {
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
  }
  bool operator==(const Rect&) const = default;
};

struct StageDifference {
  Rect rect;
  Image patch;  // upright
};

// Encodes the picture and patches upside down and lays them out as the game reads them: the
// count field, the records, the picture chunk, the patch chunks in reverse record order.
Bytes BuildStageFile(const Image& picture, const std::vector<StageDifference>& differences);

// The same layout from JPEG streams encoded already (upside down, as stage files keep them).
struct EncodedDifference {
  Rect rect;
  Bytes patchJpeg;
};
Bytes LayOutStageFile(const Bytes& pictureJpeg, const std::vector<EncodedDifference>& differences);

// The raw fields of a stage file, read as far as the file allows.
struct StageLayout {
  std::uint32_t countField = 0;
  std::vector<Rect> rects;                  // in record order
  std::vector<std::uint32_t> chunkLengths;  // in file order, the picture's first
  std::vector<Bytes> chunks;                // the JPEG streams, in file order
  std::uint64_t trailingBytes = 0;
  std::string truncation;  // where the file ends too soon; empty when it is whole
};

StageLayout ReadStageLayout(const Bytes& file);

}  // namespace tools
