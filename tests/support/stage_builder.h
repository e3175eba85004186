// Stage files put together byte by byte, so that the loader's tests can lay out any file,
// sound or broken.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "jpeg_fixtures.h"

namespace fixtures {

struct StageRecipe {
  std::uint32_t countField = 3;
  std::vector<std::array<std::int32_t, 4>> records;  // left, top, right, bottom
  Bytes picture;                                     // JPEG stream
  std::vector<Bytes> patches;                        // JPEG streams, in record order
  Bytes trailing;
};

// The file: header, records, the picture chunk, then the patch chunks in reverse record order.
Bytes BuildStage(const StageRecipe& recipe);

// Offsets of the chunk headers in a file made by BuildStage, picture first.
std::vector<std::size_t> ChunkOffsets(const StageRecipe& recipe);

void PutLe32(Bytes& bytes, std::size_t offset, std::uint32_t value);

}  // namespace fixtures
