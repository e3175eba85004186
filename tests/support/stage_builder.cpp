#include "stage_builder.h"

namespace fixtures {

void PutLe32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

static void AppendChunk(Bytes& file, const Bytes& jpeg) {
  const std::size_t at = file.size();
  file.resize(at + 16, 0);
  PutLe32(file, at + 8, static_cast<std::uint32_t>(jpeg.size()));
  file.insert(file.end(), jpeg.begin(), jpeg.end());
}

Bytes BuildStage(const StageRecipe& recipe) {
  Bytes file(96, 0);
  PutLe32(file, 64, recipe.countField);
  for (const auto& record : recipe.records) {
    const std::size_t at = file.size();
    file.resize(at + 16);
    for (int i = 0; i < 4; ++i) PutLe32(file, at + 4 * i, static_cast<std::uint32_t>(record[i]));
  }
  AppendChunk(file, recipe.picture);
  for (auto patch = recipe.patches.rbegin(); patch != recipe.patches.rend(); ++patch)
    AppendChunk(file, *patch);
  file.insert(file.end(), recipe.trailing.begin(), recipe.trailing.end());
  return file;
}

std::vector<std::size_t> ChunkOffsets(const StageRecipe& recipe) {
  std::vector<std::size_t> offsets{96 + 16 * recipe.records.size()};
  std::size_t next = offsets.back() + 16 + recipe.picture.size();
  for (auto patch = recipe.patches.rbegin(); patch != recipe.patches.rend(); ++patch) {
    offsets.push_back(next);
    next += 16 + patch->size();
  }
  return offsets;
}

}  // namespace fixtures
