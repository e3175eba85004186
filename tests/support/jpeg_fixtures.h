// JPEG streams made at test time, and the two decoders the tests compare: the game's JpegToBmp
// and the JPEG library's own djpeg, whose BMP output is the reference.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

namespace fixtures {

using Bytes = std::vector<std::uint8_t>;

// Pixels top row first, components interleaved (1 gray, 3 RGB, 4 CMYK).
struct Picture {
  int width = 0;
  int height = 0;
  int components = 3;
  Bytes pixels;
};

// Smooth gradients with some texture, so that every coefficient of the coding matters.
Picture MakePicture(int width, int height, int components, std::uint32_t seed = 1);

// The encoder's settings, with the defaults of an ordinary photo: quality 85, 4:2:0.
struct EncodeOptions : tools::JpegSettings {
  EncodeOptions() {
    quality = 85;
    hSampling = vSampling = 2;
    optimize = false;
  }
};

Bytes EncodeJpeg(const Picture& picture, const EncodeOptions& options = {});

struct Decoded {
  bool ok = false;
  Bytes bmp;
  std::string stderrText;
  std::string stdoutText;
};

// JpegToBmp over the bytes, with what it wrote to standard error and output.
Decoded DecodeWithGame(const Bytes& jpeg);
// `djpeg -bmp` in a child process.
Decoded DecodeWithDjpeg(const Bytes& jpeg);

std::string TempFile(const std::string& name);
void WriteFile(const std::string& path, const Bytes& bytes);
Bytes ReadFile(const std::string& path);

std::uint32_t ReadLe32(const Bytes& bytes, std::size_t offset);
std::uint16_t ReadLe16(const Bytes& bytes, std::size_t offset);

}  // namespace fixtures
