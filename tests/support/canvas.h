// A memory DC over a bitmap of its own, with direct access to its pixels, for the pixel tests;
// on a failed comparison it writes what it got, and the difference, as PNG pictures.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace fixtures {

class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255));
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  int width() const { return width_; }
  int height() const { return height_; }

  COLORREF At(int x, int y) const;
  void Set(int x, int y, COLORREF colour);

  // Compares every pixel with `expected`; the first few differences go to the failure message,
  // and NAME-got.png and NAME-diff.png (differences in red) are written to the test folder.
  ::testing::AssertionResult Matches(const std::function<COLORREF(int x, int y)>& expected,
                                     const std::string& name) const;

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
  int width_;
  int height_;
};

}  // namespace fixtures
