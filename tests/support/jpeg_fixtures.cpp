#include "jpeg_fixtures.h"

#include <gtest/gtest.h>
#include <stdio.h>  // jpeglib.h uses FILE without including it

#include <jpeglib.h>

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
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);

  cinfo.image_width = static_cast<JDIMENSION>(picture.width);
  cinfo.image_height = static_cast<JDIMENSION>(picture.height);
  cinfo.input_components = picture.components;
  cinfo.in_color_space = picture.components == 1   ? JCS_GRAYSCALE
                         : picture.components == 4 ? JCS_CMYK
                                                   : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, options.quality, TRUE);
  if (picture.components == 3) {
    cinfo.comp_info[0].h_samp_factor = options.hSampling;
    cinfo.comp_info[0].v_samp_factor = options.vSampling;
  }
  if (options.progressive) jpeg_simple_progression(&cinfo);
  cinfo.arith_code = options.arithmetic ? TRUE : FALSE;
  cinfo.restart_in_rows = options.restartRows;
  cinfo.write_JFIF_header = picture.components != 4;
  cinfo.density_unit = static_cast<UINT8>(options.densityUnit);
  cinfo.X_density = static_cast<UINT16>(options.xDensity);
  cinfo.Y_density = static_cast<UINT16>(options.yDensity);

  jpeg_start_compress(&cinfo, TRUE);
  const std::size_t stride = static_cast<std::size_t>(picture.width) * picture.components;
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(&picture.pixels[cinfo.next_scanline * stride]);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes jpeg(buffer, buffer + size);
  std::free(buffer);
  return jpeg;
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
