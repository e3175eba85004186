// What the fuzz targets share: the input put where the game reads files from, and a look at the
// picture sizes a stage's JPEG streams announce.
#pragma once

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

namespace fuzz {

// A file of this process's own, in memory where the system has such a place: the game and the
// registry read files, not bytes.
inline const std::string& InputPath(const char* extension) {
  static const std::string path = [extension] {
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(dir) + "/tavrelo-fuzz-" + std::to_string(getpid()) + extension;
  }();
  return path;
}

inline void WriteInput(const std::string& path, const uint8_t* data, size_t size) {
  FILE* file = fopen(path.c_str(), "wb");
  if (file == nullptr) abort();
  if (size != 0 && fwrite(data, 1, size, file) != size) abort();
  fclose(file);
}

// Whether a JPEG frame header anywhere in the bytes announces a side longer than `side`. Such
// a picture costs megabytes to decode, however few bytes announce it: the targets that are to
// run thousands of times a second leave those inputs to the slower ones.
inline bool AnnouncesASideOver(const uint8_t* data, size_t size, unsigned side) {
  for (size_t i = 0; i + 9 <= size; ++i) {
    if (data[i] != 0xFF || data[i + 1] < 0xC0 || data[i + 1] > 0xCF) continue;
    if (data[i + 1] == 0xC4 || data[i + 1] == 0xC8 || data[i + 1] == 0xCC) continue;  // not frames
    const unsigned height = data[i + 5] << 8 | data[i + 6], width = data[i + 7] << 8 | data[i + 8];
    if (width > side || height > side) return true;
  }
  return false;
}

}  // namespace fuzz
