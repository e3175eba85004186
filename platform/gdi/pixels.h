// A 32-bit pixel buffer, top row first, each pixel 0x00RRGGBB: what every GDI surface is.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace platform::gdi {

struct PixelBuffer {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  void Resize(int w, int h, std::uint32_t fill = 0) {
    width = w;
    height = h;
    pixels.assign(static_cast<std::size_t>(w) * h, fill);
  }
  std::uint32_t* Row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width; }
  const std::uint32_t* Row(int y) const {
    return pixels.data() + static_cast<std::size_t>(y) * width;
  }
};

inline std::uint32_t PixelFromColorref(COLORREF c) {
  return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}
inline COLORREF ColorrefFromPixel(std::uint32_t p) {
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

// A rectangle, right and bottom exclusive; empty when right <= left or bottom <= top.
struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
  Box Intersect(const Box& o) const {
    return {left > o.left ? left : o.left, top > o.top ? top : o.top,
            right < o.right ? right : o.right, bottom < o.bottom ? bottom : o.bottom};
  }
  Box Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
};

}  // namespace platform::gdi
