// The top-level windows composed into one surface (the browser's canvas; a Wayland window, with
// its dialogs and menus over it), kept up to date from the damage the subset reports: only what
// changed is composed again, and the host is told which boxes to show.
#pragma once

#include <vector>

#include "../gdi/pixels.h"

namespace platform::host {

class Composition {
 public:
  // Brings the surface, the desktop within `area` (screen coordinates), up to date with
  // `damage` (screen boxes, user::TakeScreenDamage). Yields the boxes of the surface (its own
  // coordinates) that changed since the host last showed it: all of it when the area changed,
  // or the device pixels each of its pixels takes (`deviceScale`: an output's scale, a canvas's).
  std::vector<gdi::Box> Update(const gdi::Box& area, const std::vector<gdi::Box>& damage,
                               int deviceScale = 1);
  const gdi::PixelBuffer& pixels() const { return pixels_; }
  // The host could not show the boxes Update gave (every buffer still the compositor's): the
  // next Update gives them again.
  void Unshown(const std::vector<gdi::Box>& boxes);
  bool HasUnshown() const { return !unshown_.empty(); }

 private:
  gdi::Box area_;
  int deviceScale_ = 0;
  gdi::PixelBuffer pixels_;
  std::vector<gdi::Box> unshown_;
};

}  // namespace platform::host
