// Pictures as the tools handle them: 8-bit RGB, top row first, read from and written to PNG and
// JPEG files, and converted from the BMP images the game decodes.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tools {

using Bytes = std::vector<std::uint8_t>;

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // width * height * 3

  const std::uint8_t* Pixel(int x, int y) const {
    return &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
  }
  std::uint8_t* Pixel(int x, int y) { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
};

Image MakeImage(int width, int height);

// A PNG or JPEG file, told apart by its first bytes; nothing, with the reason, otherwise.
std::optional<Image> LoadImageFile(const std::string& path, std::string* error);
bool SavePng(const std::string& path, const Image& image, std::string* error);

// Copies `image` into an RGB24 surface with its top-left corner at (left, top); the image must
// fit.
void PutImage(cairo_surface_t* surface, int left, int top, const Image& image);
// Writes a surface as a PNG file, replacing one only once the new one is whole.
bool SaveSurfacePng(const std::string& path, cairo_surface_t* surface, std::string* error);
// A cairo write function that appends to the Bytes `closure` points to: for PNG and SVG streams.
cairo_status_t AppendToBytes(void* closure, const unsigned char* data, unsigned int length);

// How a stored picture is turned: stage files keep every picture upside down.
enum class Orientation { Upright, UpsideDown };

struct JpegSettings {
  int quality = 95;
  int hSampling = 1;  // of the luminance: 1 x 1 keeps full colour, 2 x 2 is the usual 4:2:0
  int vSampling = 1;
  bool optimize = true;
  bool progressive = false;
  bool arithmetic = false;
  int restartRows = 0;
  int densityUnit = 0;
  int xDensity = 1;
  int yDensity = 1;
};

// Encodes rows of `components` interleaved samples (1 gray, 3 RGB, 4 CMYK), top row first.
Bytes EncodeJpegPixels(const std::uint8_t* pixels, int width, int height, int components,
                       Orientation orientation, const JpegSettings& settings);
// Full colour resolution: patches are small and their edges must not bleed.
Bytes EncodeJpeg(const Image& image, Orientation orientation, int quality = 95);
// Decodes with the game's own decoder, so the tools see exactly what the game shows.
std::optional<Image> DecodeJpeg(const Bytes& jpeg, Orientation orientation, std::string* error);
// A BMP file image as the game's decoder makes it (24-bit, or 8-bit gray).
Image ImageFromBmp(const std::uint8_t* bmp, Orientation orientation);

Image Crop(const Image& image, int left, int top, int width, int height);

}  // namespace tools
