#include "image.h"

#include <cairo.h>
#include <stdio.h>  // jpeglib.h uses FILE without including it

#include <jpeglib.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "TrackedAlloc.h"
#include "file_io.h"
#include "image/JpegToBmp.h"

namespace tools {
namespace {

struct SurfaceDeleter {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

std::uint32_t Le32(const std::uint8_t* at) {
  return at[0] | at[1] << 8 | at[2] << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

// PNG bytes for cairo, from memory: the file has been read once, with its errors told.
struct PngReader {
  const std::vector<std::uint8_t>& bytes;
  std::size_t at = 0;
  static cairo_status_t Read(void* closure, unsigned char* data, unsigned int length) {
    auto* reader = static_cast<PngReader*>(closure);
    if (reader->bytes.size() - reader->at < length) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(data, reader->bytes.data() + reader->at, length);
    reader->at += length;
    return CAIRO_STATUS_SUCCESS;
  }
};

std::optional<Image> LoadPng(const std::string& path, const std::vector<std::uint8_t>& bytes,
                             std::string* error) {
  PngReader reader{bytes};
  SurfacePtr surface(cairo_image_surface_create_from_png_stream(PngReader::Read, &reader));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
    *error = path + ": " + cairo_status_to_string(cairo_surface_status(surface.get()));
    return std::nullopt;
  }
  cairo_surface_flush(surface.get());
  const cairo_format_t format = cairo_image_surface_get_format(surface.get());
  if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24) {
    *error = path + ": unsupported PNG pixel format";
    return std::nullopt;
  }
  Image image = MakeImage(cairo_image_surface_get_width(surface.get()),
                          cairo_image_surface_get_height(surface.get()));
  const int stride = cairo_image_surface_get_stride(surface.get());
  const unsigned char* data = cairo_image_surface_get_data(surface.get());
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      std::uint32_t argb;
      std::memcpy(&argb, data + y * stride + 4 * x, 4);
      // Transparent parts are shown over white, as a paint program shows them.
      const std::uint32_t alpha = format == CAIRO_FORMAT_ARGB32 ? argb >> 24 : 255;
      std::uint8_t* out = image.Pixel(x, y);
      for (int c = 0; c < 3; ++c) {
        const std::uint32_t premultiplied = (argb >> (16 - 8 * c)) & 0xFF;
        out[c] = static_cast<std::uint8_t>(premultiplied + (255 - alpha));
      }
    }
  }
  return image;
}

}  // namespace

Image MakeImage(int width, int height) {
  Image image;
  image.width = width;
  image.height = height;
  image.rgb.assign(static_cast<std::size_t>(width) * height * 3, 0);
  return image;
}

std::optional<Image> LoadImageFile(const std::string& path, std::string* error) {
  auto bytes = ReadFileBytes(path, error);
  if (!bytes) return std::nullopt;
  static const std::uint8_t kPng[] = {0x89, 'P', 'N', 'G'};
  if (bytes->size() >= 4 && std::memcmp(bytes->data(), kPng, 4) == 0)
    return LoadPng(path, *bytes, error);
  if (bytes->size() >= 2 && (*bytes)[0] == 0xFF && (*bytes)[1] == 0xD8) {
    auto image = DecodeJpeg(*bytes, Orientation::Upright, error);
    if (!image) *error = path + ": " + *error;
    return image;
  }
  *error = path + ": neither a PNG nor a JPEG file";
  return std::nullopt;
}

bool SavePng(const std::string& path, const Image& image, std::string* error) {
  SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.width, image.height));
  PutImage(surface.get(), 0, 0, image);
  return SaveSurfacePng(path, surface.get(), error);
}

void PutImage(cairo_surface_t* surface, int left, int top, const Image& image) {
  cairo_surface_flush(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t* p = image.Pixel(x, y);
      const std::uint32_t rgb = 0xFF000000u | p[0] << 16 | p[1] << 8 | p[2];
      std::memcpy(data + (top + y) * stride + 4 * (left + x), &rgb, 4);
    }
  }
  cairo_surface_mark_dirty(surface);
}

bool SaveSurfacePng(const std::string& path, cairo_surface_t* surface, std::string* error) {
  std::vector<std::uint8_t> png;
  const cairo_status_t status = cairo_surface_write_to_png_stream(surface, AppendToBytes, &png);
  if (status != CAIRO_STATUS_SUCCESS) {
    *error = path + ": " + cairo_status_to_string(status);
    return false;
  }
  return WriteFileBytes(path, png.data(), png.size(), error);
}

cairo_status_t AppendToBytes(void* closure, const unsigned char* data, unsigned int length) {
  auto* bytes = static_cast<Bytes*>(closure);
  bytes->insert(bytes->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

Bytes EncodeJpegPixels(const std::uint8_t* pixels, int width, int height, int components,
                       Orientation orientation, const JpegSettings& settings) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = components;
  cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 4 ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, settings.quality, TRUE);
  if (components == 3) {
    cinfo.comp_info[0].h_samp_factor = settings.hSampling;
    cinfo.comp_info[0].v_samp_factor = settings.vSampling;
  }
  if (settings.progressive) jpeg_simple_progression(&cinfo);
  cinfo.optimize_coding = settings.optimize ? TRUE : FALSE;
  cinfo.arith_code = settings.arithmetic ? TRUE : FALSE;
  cinfo.restart_in_rows = settings.restartRows;
  cinfo.write_JFIF_header = components != 4 ? TRUE : FALSE;
  cinfo.density_unit = static_cast<UINT8>(settings.densityUnit);
  cinfo.X_density = static_cast<UINT16>(settings.xDensity);
  cinfo.Y_density = static_cast<UINT16>(settings.yDensity);

  jpeg_start_compress(&cinfo, TRUE);
  const std::size_t stride = static_cast<std::size_t>(width) * components;
  while (cinfo.next_scanline < cinfo.image_height) {
    const int row = static_cast<int>(cinfo.next_scanline);
    const int y = orientation == Orientation::Upright ? row : height - 1 - row;
    JSAMPROW samples = const_cast<JSAMPROW>(pixels + y * stride);
    jpeg_write_scanlines(&cinfo, &samples, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes jpeg(buffer, buffer + size);
  std::free(buffer);
  return jpeg;
}

Bytes EncodeJpeg(const Image& image, Orientation orientation, int quality) {
  JpegSettings settings;
  settings.quality = quality;
  return EncodeJpegPixels(image.rgb.data(), image.width, image.height, 3, orientation, settings);
}

std::optional<Image> DecodeJpeg(const Bytes& jpeg, Orientation orientation, std::string* error) {
  if (jpeg.size() > 0xFFFFFFFFu) {
    *error = "JPEG stream too large";
    return std::nullopt;
  }
  BYTE* bmp = JpegToTrackedBmp(jpeg.data(), static_cast<DWORD>(jpeg.size()), &g_TrackedList,
                               __FILE__, __LINE__);
  if (bmp == nullptr) {
    *error = "the JPEG stream cannot be decoded";
    return std::nullopt;
  }
  Image image = ImageFromBmp(bmp, orientation);
  TrackedFree(bmp, &g_TrackedList);
  return image;
}

Image ImageFromBmp(const std::uint8_t* bmp, Orientation orientation) {
  const std::uint32_t offset = Le32(bmp + 10);
  const int width = static_cast<int>(Le32(bmp + 18));
  const int height = static_cast<int>(Le32(bmp + 22));
  const int bytesPerPixel = (bmp[28] | bmp[29] << 8) / 8;
  const std::size_t stride =
      (static_cast<std::size_t>(width) * bytesPerPixel + 3) & ~std::size_t{3};
  Image image = MakeImage(width, height);
  for (int stored = 0; stored < height; ++stored) {
    // The decoder stores the last scanline first: for an upright stream that is the bottom row,
    // for an upside-down one the top row.
    const int y = orientation == Orientation::Upright ? height - 1 - stored : stored;
    const std::uint8_t* in = bmp + offset + stored * stride;
    for (int x = 0; x < width; ++x, in += bytesPerPixel) {
      std::uint8_t* out = image.Pixel(x, y);
      if (bytesPerPixel == 1) {
        out[0] = out[1] = out[2] = in[0];  // the gray table is linear
      } else {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
      }
    }
  }
  return image;
}

Image Crop(const Image& image, int left, int top, int width, int height) {
  Image part = MakeImage(width, height);
  for (int y = 0; y < height; ++y)
    std::memcpy(part.Pixel(0, y), image.Pixel(left, top + y), static_cast<std::size_t>(width) * 3);
  return part;
}

}  // namespace tools
