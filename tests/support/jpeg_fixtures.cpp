#include "jpeg_fixtures.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "image/JpegToBmp.h"

namespace fixtures {

Picture MakePicture(int width, int height, int components, std::uint32_t seed) {
  Picture picture{width, height, components, {}};
  picture.pixels.resize(static_cast<std::size_t>(width) * height * components);
  std::uint32_t noise = seed * 2654435761u + 12345u;
  std::size_t at = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < components; ++c) {
        noise = noise * 1664525u + 1013904223u;
        int value = (x * 255 / (width > 1 ? width - 1 : 1)) * (c + 1) / components +
                    (y * 200 / (height > 1 ? height - 1 : 1)) * (components - c) / components +
                    static_cast<int>((noise >> 24) % 24) - 12 + static_cast<int>(seed % 7) * 9;
        picture.pixels[at++] = static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
      }
    }
  }
  return picture;
}

Bytes EncodeJpeg(const Picture& picture, const EncodeOptions& options) {
  return tools::EncodeJpegPixels(picture.pixels.data(), picture.width, picture.height,
                                 picture.components, tools::Orientation::Upright, options);
}

Decoded DecodeWithGame(const Bytes& jpeg) {
  Bytes copy = jpeg;  // the stream reads in place; keep the caller's bytes out of reach
  MemStream* input = MemStreamWrap(copy.data(), static_cast<std::uint32_t>(copy.size()));
  testing::internal::CaptureStderr();
  testing::internal::CaptureStdout();
  MemStream* output = JpegToBmp(input);
  Decoded result;
  result.stdoutText = testing::internal::GetCapturedStdout();
  result.stderrText = testing::internal::GetCapturedStderr();
  input->data = nullptr;
  MemStreamClose(input);
  if (output != nullptr) {
    result.ok = true;
    result.bmp.assign(output->data, output->data + output->length);
    MemStreamClose(output);
  }
  return result;
}

Decoded DecodeWithDjpeg(const Bytes& jpeg) {
  const std::string in = TempFile("oracle.jpg");
  const std::string out = TempFile("oracle.bmp");
  const std::string err = TempFile("oracle.err");
  WriteFile(in, jpeg);
  std::remove(out.c_str());
  const std::string command = "djpeg -bmp -outfile '" + out + "' '" + in + "' 2>'" + err + "'";
  Decoded result;
  result.ok = std::system(command.c_str()) == 0;
  result.bmp = ReadFile(out);
  Bytes errText = ReadFile(err);
  result.stderrText.assign(errText.begin(), errText.end());
  return result;
}

std::string TempFile(const std::string& name) {
  return testing::TempDir() + "tavrelo-" + std::to_string(::getpid()) + "-" + name;
}

void WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::uint32_t ReadLe32(const Bytes& bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(bytes.at(offset)) |
         static_cast<std::uint32_t>(bytes.at(offset + 1)) << 8 |
         static_cast<std::uint32_t>(bytes.at(offset + 2)) << 16 |
         static_cast<std::uint32_t>(bytes.at(offset + 3)) << 24;
}

std::uint16_t ReadLe16(const Bytes& bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes.at(offset) | bytes.at(offset + 1) << 8);
}

}  // namespace fixtures
