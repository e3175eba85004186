#include "stats.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace tools {

int CountColourAreas(const Image& picture) {
  const int w = picture.width, h = picture.height;
  std::vector<int> area(static_cast<std::size_t>(w) * h, -1);
  const auto near = [&](int a, int b) {
    const std::uint8_t* p = &picture.rgb[static_cast<std::size_t>(a) * 3];
    const std::uint8_t* q = &picture.rgb[static_cast<std::size_t>(b) * 3];
    for (int c = 0; c < 3; ++c)
      if (std::abs(p[c] - q[c]) > 8) return false;
    return true;
  };
  int counted = 0;
  std::vector<int> stack;
  for (int start = 0; start < w * h; ++start) {
    if (area[start] >= 0) continue;
    area[start] = start;
    int size = 0;
    stack.assign(1, start);
    while (!stack.empty()) {
      const int at = stack.back();
      stack.pop_back();
      ++size;
      const int x = at % w, y = at / w;
      for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
        if (x + dx < 0 || x + dx >= w || y + dy < 0 || y + dy >= h) continue;
        const int next = at + dx + dy * w;
        if (area[next] < 0 && near(at, next)) {
          area[next] = start;
          stack.push_back(next);
        }
      }
    }
    counted += size >= kSmallestArea;
  }
  return counted;
}

StageFigures FiguresOf(const StageData& stage) {
  StageFigures figures;
  const Image picture = ImageFromBmp(stage.picture.file, Orientation::UpsideDown);
  figures.areas = CountColourAreas(picture);
  const double whole = static_cast<double>(picture.width) * picture.height;
  for (DWORD i = 0; i < stage.differenceCount; ++i) {
    const Difference& d = stage.differences[i];
    const Image patch = ImageFromBmp(d.patch.file, Orientation::UpsideDown);
    DifferenceFigures f;
    f.rect = {d.left, d.top, d.right, d.bottom};
    f.percent = 100.0 * (d.right - d.left) * (d.bottom - d.top) / whole;
    for (int y = 0; y < patch.height; ++y)
      for (int x = 0; x < patch.width; ++x) {
        const int px = d.left + x, py = d.top + y;
        if (px < 0 || py < 0 || px >= picture.width || py >= picture.height) continue;
        int change = 0;
        for (int c = 0; c < 3; ++c)
          change = std::max(change, std::abs(patch.Pixel(x, y)[c] - picture.Pixel(px, py)[c]));
        f.changed += change > kVisibleChange;
        f.strong += change > kStrongChange;
      }
    figures.differences.push_back(f);
  }
  return figures;
}

}  // namespace tools
