// The SDL2 host's two ways of showing the subset's windows, under its one event loop
// (sdl_host.cpp): on X11, a native window for each top-level window (sdl_native_windows.cpp); on
// Wayland, where a program does not place its windows, a native window for each window without a
// visible owner, showing it composed with its dialogs, message boxes and menus, frame and caption
// included (sdl_composed_windows.cpp). Both show only what the subset reports as changed.
#pragma once

#include <SDL.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "../gdi/pixels.h"
#include "input.h"

namespace platform::host {

class SdlPresenter {
 public:
  virtual ~SdlPresenter() = default;
  // The native windows follow the subset's (made, titled, placed, shown, hidden, dropped) and
  // show what changed: `damage`, in screen boxes.
  virtual void Show(const std::vector<gdi::Box>& damage) = 0;
  // A frame waits to be shown (every buffer was still the compositor's): the host looks again
  // soon rather than at the next input.
  virtual bool Behind() const { return false; }
  // The top-level window that native window `id` shows, or null.
  virtual HWND Owner(Uint32 id) const = 0;
  // A mouse button at point (x, y) of native window `id`.
  virtual void Press(Uint32 id, int x, int y, Button button, bool down) = 0;
  // The window manager moved native window `id` to (x, y).
  virtual void Moved(Uint32 id, int x, int y) = 0;
  // What native window `id` showed was lost (uncovered on X11): it is shown whole again.
  virtual void Exposed(Uint32 id) = 0;
  // The native window showing screen box `box`, and where in it; false when none does.
  virtual bool Place(const RECT& box, SDL_Window** window, SDL_Rect* place) const = 0;
};

// The top-level window of a presenter's map (HWND to a record with its `window`) whose native
// window has SDL id `id`.
template <typename Windows>
HWND OwnerIn(const Windows& windows, Uint32 id) {
  for (const auto& [hwnd, native] : windows)
    if (SDL_GetWindowID(native.window) == id) return hwnd;
  return nullptr;
}

// Where screen box `box` lies in a native window showing screen box `shows`, `scale` times as
// large; false when it lies not wholly within.
inline bool PlaceWithin(const RECT& shows, const RECT& box, int scale, SDL_Rect* place) {
  if (box.left < shows.left || box.top < shows.top || box.right > shows.right ||
      box.bottom > shows.bottom)
    return false;
  *place = {(box.left - shows.left) * scale, (box.top - shows.top) * scale,
            (box.right - box.left) * scale, (box.bottom - box.top) * scale};
  return true;
}

std::unique_ptr<SdlPresenter> NativeWindows(int scale);
std::unique_ptr<SdlPresenter> ComposedWindows(int scale);

// What both do: the window's icon and the class's cursor, `scale` times its size; the boxes of
// `content` that changed put on the window's SDL surface, each pixel `scale` times its size (or
// as large as the surface allows: on Wayland that times the output's scale).
void SetIconAndCursor(HWND hwnd, SDL_Window* window, int scale);
void PresentOnSurface(SDL_Window* window, const gdi::PixelBuffer& content,
                      std::vector<gdi::Box> changed);

}  // namespace platform::host
