// The SDL2 host's own dealings with a Wayland display, for what SDL 2.26 does not do there:
// asking the compositor what it offers before SDL connects (SDL faults on one without a seat),
// and showing a window's pixels through shared memory (SDL's window surface there goes through
// an OpenGL renderer: some 40 MB more, and every frame drawn again by the GPU's driver, in
// software where there is no GPU).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "../gdi/pixels.h"

struct wl_display;
struct wl_surface;

namespace platform::host {

// Why the display WAYLAND_DISPLAY names cannot show the program's windows (it offers no seat,
// no shared memory, no xdg-shell), or an empty text when it can, or when it cannot be reached
// at all (SDL then says why).
std::string WaylandDisplayProblem();

class WaylandPresenter {
 public:
  // Null when the display offers no shared memory.
  static std::unique_ptr<WaylandPresenter> Open(wl_display* display);
  ~WaylandPresenter();

  // Shows `content` on `surface`, each of its pixels as `scale` x `scale` logical pixels, in a
  // buffer of the output's `bufferScale`: only the boxes of `content` that `changed` (and what
  // else changed since the buffer used was last drawn) are drawn again and damaged. False when
  // every buffer is still the compositor's: nothing was shown, and the same call, once a buffer
  // has come back (Dispatch), shows it.
  bool Present(wl_surface* surface, const gdi::PixelBuffer& content,
               const std::vector<gdi::Box>& changed, int scale, int bufferScale);
  // Takes what the compositor has said to the presenter (buffers given back) without waiting.
  void Dispatch();
  // The surface is about to go, and its buffers with it.
  void Forget(wl_surface* surface);

 private:
  WaylandPresenter() = default;
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform::host
