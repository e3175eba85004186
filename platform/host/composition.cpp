#include "composition.h"

#include <windows.h>

#include <algorithm>

#include "../user/compose.h"
#include "../user/damage.h"

namespace platform::host {

std::vector<gdi::Box> Composition::Update(const gdi::Box& area,
                                          const std::vector<gdi::Box>& damage, int deviceScale) {
  const std::uint32_t desktop = gdi::PixelFromColorref(GetSysColor(COLOR_DESKTOP));
  const int width = area.right - area.left, height = area.bottom - area.top;
  const bool moved = area.left != area_.left || area.top != area_.top ||
                     width != pixels_.width || height != pixels_.height;
  std::vector<gdi::Box> changed;
  if (deviceScale != deviceScale_) {
    // The same pixels, each shown larger or smaller: all of them anew.
    deviceScale_ = deviceScale;
    unshown_ = {{0, 0, width, height}};
  }
  if (moved) {
    area_ = area;
    pixels_.Resize(width, height, desktop);
    user::ComposeScreen(pixels_, area.left, area.top);
    unshown_.clear();
    return {{0, 0, width, height}};
  }
  const gdi::Box whole{0, 0, width, height};
  for (const gdi::Box& box : damage) {
    const gdi::Box part = box.Offset(-area.left, -area.top).Intersect(whole);
    if (part.Empty()) continue;
    // Composed afresh in a buffer of its own size, then put in its place.
    gdi::PixelBuffer fresh;
    fresh.Resize(part.right - part.left, part.bottom - part.top, desktop);
    user::ComposeScreen(fresh, area.left + part.left, area.top + part.top);
    for (int y = part.top; y < part.bottom; ++y)
      std::copy(fresh.Row(y - part.top), fresh.Row(y - part.top) + fresh.width,
                pixels_.Row(y) + part.left);
    changed.push_back(part);
  }
  changed.insert(changed.end(), unshown_.begin(), unshown_.end());
  unshown_.clear();
  return user::MergeBoxes(std::move(changed));
}

void Composition::Unshown(const std::vector<gdi::Box>& boxes) {
  unshown_.insert(unshown_.end(), boxes.begin(), boxes.end());
}

}  // namespace platform::host
