#include "regions.h"

#include <algorithm>
#include <cstdlib>

namespace tools {
namespace {

using Mask = std::vector<std::uint8_t>;

// Grows every set cell of the mask into a square of the given radius (a max filter, done one
// direction at a time).
Mask Dilate(const Mask& mask, int width, int height, int radius) {
  Mask rows(mask.size(), 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (mask[y * width + x])
        for (int d = std::max(0, x - radius); d <= std::min(width - 1, x + radius); ++d)
          rows[y * width + d] = 1;
  Mask grown(mask.size(), 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (rows[y * width + x])
        for (int d = std::max(0, y - radius); d <= std::min(height - 1, y + radius); ++d)
          grown[d * width + x] = 1;
  return grown;
}

Rect Union(const Rect& a, const Rect& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

}  // namespace

std::vector<Rect> FindChangedRegions(const Image& original, const Image& altered,
                                     const RegionOptions& options) {
  const int width = original.width;
  const int height = original.height;
  Mask changed(static_cast<std::size_t>(width) * height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* a = original.Pixel(x, y);
      const std::uint8_t* b = altered.Pixel(x, y);
      for (int c = 0; c < 3; ++c)
        if (std::abs(a[c] - b[c]) > options.threshold) changed[y * width + x] = 1;
    }

  // Each connected part of the grown mask is one region, measured on the changed pixels only.
  Mask grown = Dilate(changed, width, height, (options.merge + 1) / 2);
  std::vector<Rect> regions;
  std::vector<int> stack;
  for (int start = 0; start < width * height; ++start) {
    if (!grown[start]) continue;
    Rect box{width, height, 0, 0};
    int pixels = 0;
    grown[start] = 0;
    stack.push_back(start);
    while (!stack.empty()) {
      const int at = stack.back();
      stack.pop_back();
      const int x = at % width;
      const int y = at / width;
      if (changed[at]) {
        ++pixels;
        box = Union(box, {x, y, x + 1, y + 1});
      }
      const int neighbours[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
      for (const auto& n : neighbours) {
        if (n[0] < 0 || n[1] < 0 || n[0] >= width || n[1] >= height) continue;
        const int next = n[1] * width + n[0];
        if (!grown[next]) continue;
        grown[next] = 0;
        stack.push_back(next);
      }
    }
    if (pixels < options.minPixels) continue;
    regions.push_back({std::max(0, box.left - options.margin),
                       std::max(0, box.top - options.margin),
                       std::min(width, box.right + options.margin),
                       std::min(height, box.bottom + options.margin)});
  }

  // Margins can make neighbours touch: such regions become one.
  for (bool merged = true; merged;) {
    merged = false;
    for (std::size_t i = 0; i < regions.size() && !merged; ++i)
      for (std::size_t j = i + 1; j < regions.size() && !merged; ++j)
        if (regions[i].Overlaps(regions[j])) {
          regions[i] = Union(regions[i], regions[j]);
          regions.erase(regions.begin() + static_cast<long>(j));
          merged = true;
        }
  }
  std::sort(regions.begin(), regions.end(), [](const Rect& a, const Rect& b) {
    return a.top != b.top ? a.top < b.top : a.left < b.left;
  });
  return regions;
}

}  // namespace tools
