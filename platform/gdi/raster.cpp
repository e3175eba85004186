// The raster's primitives on 32-bit pixel buffers.
#include "raster.h"

#include <cstring>

namespace platform::gdi {
namespace {

// Each mode as a bitwise function of pen P and destination D.
std::uint32_t Apply(int rop2, std::uint32_t p, std::uint32_t d) {
  switch (rop2) {
    case R2_BLACK:
      return 0;
    case R2_NOTMERGEPEN:
      return ~(p | d);
    case R2_MASKNOTPEN:
      return ~p & d;
    case R2_NOTCOPYPEN:
      return ~p;
    case R2_MASKPENNOT:
      return p & ~d;
    case R2_NOT:
      return ~d;
    case R2_XORPEN:
      return p ^ d;
    case R2_NOTMASKPEN:
      return ~(p & d);
    case R2_MASKPEN:
      return p & d;
    case R2_NOTXORPEN:
      return ~(p ^ d);
    case R2_NOP:
      return d;
    case R2_MERGENOTPEN:
      return ~p | d;
    case R2_COPYPEN:
      return p;
    case R2_MERGEPENNOT:
      return p | ~d;
    case R2_MERGEPEN:
      return p | d;
    case R2_WHITE:
      return ~0u;
    default:
      return d;
  }
}

}  // namespace

RopMasks MasksFor(int rop2, std::uint32_t pen) {
  // Per bit, f(d) = (d & a) ^ x with x = f(0) and a = f(0) ^ f(1).
  const std::uint32_t whenZero = Apply(rop2, pen, 0) & 0xFFFFFF;
  const std::uint32_t whenOne = Apply(rop2, pen, 0xFFFFFF) & 0xFFFFFF;
  return {whenZero ^ whenOne, whenZero};
}

void FillBox(PixelBuffer& target, const Box& box, RopMasks masks) {
  for (int y = box.top; y < box.bottom; ++y) {
    std::uint32_t* row = target.Row(y);
    if (masks.andMask == 0) {
      for (int x = box.left; x < box.right; ++x) row[x] = masks.xorMask;
    } else {
      for (int x = box.left; x < box.right; ++x) row[x] = (row[x] & masks.andMask) ^ masks.xorMask;
    }
  }
}

void CopyBox(PixelBuffer& target, int x, int y, const PixelBuffer& source, const Box& box) {
  const std::size_t bytes = static_cast<std::size_t>(box.right - box.left) * 4;
  const bool downwards = &target == &source && y > box.top;  // overlapping: copy from the far end
  for (int i = 0; i < box.bottom - box.top; ++i) {
    const int row = downwards ? box.bottom - box.top - 1 - i : i;
    std::memmove(target.Row(y + row) + x, source.Row(box.top + row) + box.left, bytes);
  }
}

void BlendPixel(std::uint32_t& d, std::uint32_t s, unsigned alpha) {
  std::uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const unsigned sc = (s >> shift) & 0xFF;
    const unsigned dc = (d >> shift) & 0xFF;
    out |= ((sc * alpha + dc * (255 - alpha) + 127) / 255) << shift;
  }
  d = out;
}

}  // namespace platform::gdi
