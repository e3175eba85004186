// JPEG streams made at test time, and the two decoders the tests compare: the game's JpegToBmp
// and the JPEG library's own djpeg, whose BMP output is the reference.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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

struct EncodeOptions {
  int quality = 85;
  bool progressive = false;
  bool arithmetic = false;
  int restartRows = 0;
  int hSampling = 2;  // of the luminance component; 1x1 is 4:4:4, 2x1 4:2:2, 2x2 4:2:0
  int vSampling = 2;
  int densityUnit = 0;
  int xDensity = 1;
  int yDensity = 1;
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
