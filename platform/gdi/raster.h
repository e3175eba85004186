// The raster's primitives. Entry points turn a drawing call into clipped boxes; these fill,
// copy and blend them. Every ROP2 mode is one AND mask and one XOR mask, D = (D & A) ^ X, so
// pen and brush output is one loop.
#pragma once

#include "pixels.h"

namespace platform::gdi {

struct RopMasks {
  std::uint32_t andMask;
  std::uint32_t xorMask;
};

// The masks of a ROP2 mode (R2_BLACK .. R2_WHITE) for a pen or brush of pixel colour `pen`.
RopMasks MasksFor(int rop2, std::uint32_t pen);
inline RopMasks CopyMasks(std::uint32_t colour) { return {0, colour}; }

void FillBox(PixelBuffer& target, const Box& box, RopMasks masks);  // box already clipped
// Copies `box` of `source` with its top-left corner to (x, y) of `target`; both already clipped.
void CopyBox(PixelBuffer& target, int x, int y, const PixelBuffer& source, const Box& box);
// Blends with a constant alpha: D = (S * a + D * (255 - a) + 127) / 255 per channel.
void BlendPixel(std::uint32_t& d, std::uint32_t s, unsigned alpha);

}  // namespace platform::gdi
