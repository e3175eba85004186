#include "stage_file.h"

#include "Stage.h"

namespace tools {
namespace {

void PutLe32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetLe32(const Bytes& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void AppendChunk(Bytes& file, const Bytes& jpeg) {
  const std::size_t at = file.size();
  file.resize(at + STAGE_CHUNK_HEADER_SIZE, 0);
  PutLe32(file, at + STAGE_CHUNK_LENGTH_OFFSET, static_cast<std::uint32_t>(jpeg.size()));
  file.insert(file.end(), jpeg.begin(), jpeg.end());
}

}  // namespace

Bytes BuildStageFile(const Image& picture, const std::vector<StageDifference>& differences) {
  std::vector<EncodedDifference> encoded;
  for (const StageDifference& difference : differences)
    encoded.push_back({difference.rect, EncodeJpeg(difference.patch, Orientation::UpsideDown)});
  return LayOutStageFile(EncodeJpeg(picture, Orientation::UpsideDown), encoded);
}

Bytes LayOutStageFile(const Bytes& pictureJpeg, const std::vector<EncodedDifference>& differences) {
  Bytes file(STAGE_HEADER_SIZE, 0);
  PutLe32(file, STAGE_COUNT_OFFSET, static_cast<std::uint32_t>(3 + 2 * differences.size()));
  for (const EncodedDifference& difference : differences) {
    const std::size_t at = file.size();
    file.resize(at + STAGE_RECORD_SIZE);
    const Rect& r = difference.rect;
    PutLe32(file, at + 0, static_cast<std::uint32_t>(r.left));
    PutLe32(file, at + 4, static_cast<std::uint32_t>(r.top));
    PutLe32(file, at + 8, static_cast<std::uint32_t>(r.right));
    PutLe32(file, at + 12, static_cast<std::uint32_t>(r.bottom));
  }
  AppendChunk(file, pictureJpeg);
  for (auto it = differences.rbegin(); it != differences.rend(); ++it)
    AppendChunk(file, it->patchJpeg);
  return file;
}

StageLayout ReadStageLayout(const Bytes& file) {
  StageLayout layout;
  if (file.size() < STAGE_HEADER_SIZE) {
    layout.truncation = "the file is shorter than its 96-byte header";
    return layout;
  }
  layout.countField = GetLe32(file, STAGE_COUNT_OFFSET);
  if (layout.countField < 3) return layout;
  const std::uint64_t count = (layout.countField - 3) / 2;
  std::size_t at = STAGE_HEADER_SIZE;
  if (count > (file.size() - at) / STAGE_RECORD_SIZE) {
    layout.truncation = "the file ends inside the difference records";
    return layout;
  }
  for (std::uint64_t i = 0; i < count; ++i, at += STAGE_RECORD_SIZE) {
    layout.rects.push_back({static_cast<std::int32_t>(GetLe32(file, at)),
                            static_cast<std::int32_t>(GetLe32(file, at + 4)),
                            static_cast<std::int32_t>(GetLe32(file, at + 8)),
                            static_cast<std::int32_t>(GetLe32(file, at + 12))});
  }
  for (std::uint64_t chunk = 0; chunk <= count; ++chunk) {
    if (file.size() - at < STAGE_CHUNK_HEADER_SIZE) {
      layout.truncation = "the file ends before the header of chunk " + std::to_string(chunk);
      return layout;
    }
    const std::uint32_t length = GetLe32(file, at + STAGE_CHUNK_LENGTH_OFFSET);
    layout.chunkLengths.push_back(length);
    at += STAGE_CHUNK_HEADER_SIZE;
    if (length > file.size() - at) {
      layout.truncation = "chunk " + std::to_string(chunk) + " announces " +
                          std::to_string(length) + " bytes, but only " +
                          std::to_string(file.size() - at) + " follow";
      return layout;
    }
    layout.chunks.emplace_back(file.begin() + static_cast<long>(at),
                               file.begin() + static_cast<long>(at + length));
    at += length;
  }
  layout.trailingBytes = file.size() - at;
  return layout;
}

}  // namespace tools
