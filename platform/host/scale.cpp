#include "scale.h"

#include <algorithm>
#include <cstdlib>

namespace platform::host {

int ChooseScale(int width, int height, const char* requested, std::string* complaint) {
  if (requested != nullptr && *requested != '\0') {
    char* end = nullptr;
    const long value = std::strtol(requested, &end, 10);
    if (*end == '\0' && value >= 1 && value <= kMaxScale) return static_cast<int>(value);
    *complaint = "TAVRELO_SCALE=" + std::string(requested) + " is not a whole number from 1 to " +
                 std::to_string(kMaxScale) + "; the scale follows the screen size instead";
  }
  return std::clamp(std::min(width / 1920, height / 1080), 1, kMaxScale);
}

void UpscaleNearest(const std::uint32_t* source, int width, int height, int sourcePitch,
                    std::uint32_t* dest, int destPitch, int scale) {
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* in = source + static_cast<std::ptrdiff_t>(y) * sourcePitch;
    std::uint32_t* first = dest + static_cast<std::ptrdiff_t>(y) * scale * destPitch;
    std::uint32_t* out = first;
    for (int x = 0; x < width; ++x, out += scale) std::fill(out, out + scale, in[x]);
    // The other rows of the square are copies of the first.
    for (int copy = 1; copy < scale; ++copy)
      std::copy(first, first + static_cast<std::ptrdiff_t>(width) * scale,
                first + static_cast<std::ptrdiff_t>(copy) * destPitch);
  }
}

void UpscalePart(const std::uint32_t* source, int sourcePitch, int left, int top, int right,
                 int bottom, std::uint32_t* dest, int destPitch, int scale) {
  UpscaleNearest(source + static_cast<std::ptrdiff_t>(top) * sourcePitch + left, right - left,
                 bottom - top, sourcePitch,
                 dest + static_cast<std::ptrdiff_t>(top) * scale * destPitch +
                     static_cast<std::ptrdiff_t>(left) * scale,
                 destPitch, scale);
}

}  // namespace platform::host
