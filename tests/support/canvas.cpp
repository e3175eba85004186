#include <gtest/gtest.h>

#include "canvas.h"

#include <sstream>

#include "gdi/gdi_state.h"
#include "image.h"
#include "jpeg_fixtures.h"

namespace fixtures {

namespace {
platform::gdi::PixelBuffer& PixelsOf(HBITMAP bitmap) {
  return platform::gdi::State().bitmaps.Find(reinterpret_cast<std::uintptr_t>(bitmap))->buffer;
}
}  // namespace

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
  dc_ = CreateCompatibleDC(nullptr);
  bitmap_ = CreateCompatibleBitmap(dc_, width, height);
  previous_ = SelectObject(dc_, bitmap_);
  for (auto& pixel : PixelsOf(bitmap_).pixels) pixel = platform::gdi::PixelFromColorref(fill);
}

Canvas::~Canvas() {
  SelectObject(dc_, previous_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

COLORREF Canvas::At(int x, int y) const {
  return platform::gdi::ColorrefFromPixel(PixelsOf(bitmap_).Row(y)[x]);
}

void Canvas::Set(int x, int y, COLORREF colour) {
  PixelsOf(bitmap_).Row(y)[x] = platform::gdi::PixelFromColorref(colour);
}

::testing::AssertionResult Canvas::Matches(const std::function<COLORREF(int, int)>& expected,
                                           const std::string& name) const {
  tools::Image got = tools::MakeImage(width_, height_);
  tools::Image diff = tools::MakeImage(width_, height_);
  int wrong = 0;
  std::ostringstream first;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      const COLORREF have = At(x, y);
      const COLORREF want = expected(x, y);
      std::uint8_t* g = got.Pixel(x, y);
      g[0] = GetRValue(have), g[1] = GetGValue(have), g[2] = GetBValue(have);
      std::uint8_t* d = diff.Pixel(x, y);
      d[0] = have == want ? g[0] / 3 : 255, d[1] = have == want ? g[1] / 3 : 0,
      d[2] = have == want ? g[2] / 3 : 0;
      if (have != want && wrong++ < 5)
        first << "\n  (" << x << ", " << y << "): got " << std::hex << have << ", want " << want
              << std::dec;
    }
  if (wrong == 0) return ::testing::AssertionSuccess();
  std::string error;
  const std::string stem = TempFile(name);
  tools::SavePng(stem + "-got.png", got, &error);
  tools::SavePng(stem + "-diff.png", diff, &error);
  return ::testing::AssertionFailure()
         << wrong << " pixels differ (pictures in " << stem << "-*.png):" << first.str();
}

}  // namespace fixtures
