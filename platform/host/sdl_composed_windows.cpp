// On Wayland, where a program does not place its windows: a native window for each top-level
// window without a visible owner (the main window; the splash screen, whose owner is not shown
// yet), showing the desktop within its frame as the subset composes it, frame and caption
// included, with its dialogs, message boxes and menus over it: the composition of the browser's
// canvas. The pixels go to the compositor through shared memory where it offers it.
#include <SDL_syswm.h>

#include <map>
#include <set>

#include "../user/compose.h"
#include "../user/user_state.h"
#include "composition.h"
#include "sdl_presenters.h"
#include "wayland_display.h"

namespace platform::host {
namespace {

namespace user = platform::user;

// The top-level window whose native window shows `hwnd`: the farthest visible owner, or the
// window itself.
HWND RootOf(HWND hwnd) {
  for (;;) {
    const user::Window* owner = user::FindWindowOf(user::FindWindowOf(hwnd)->owner);
    if (owner == nullptr || !(owner->style & WS_VISIBLE) || owner->minimized) return hwnd;
    hwnd = owner->handle;
  }
}

struct Composed {
  SDL_Window* window = nullptr;
  wl_surface* surface = nullptr;  // where the presenter puts the pixels, with shared memory
  Composition screen;
  std::string title;
};

class ComposedWindowsPresenter : public SdlPresenter {
 public:
  explicit ComposedWindowsPresenter(int scale) : scale_(scale) {}
  ~ComposedWindowsPresenter() override {
    presenter_.reset();
    for (auto& [hwnd, composed] : windows_) SDL_DestroyWindow(composed.window);
  }

  void Show(const std::vector<gdi::Box>& damage) override {
    if (presenter_ != nullptr) presenter_->Dispatch();
    std::set<HWND> roots;
    for (HWND hwnd : user::State().order) {
      const user::Window* w = user::FindWindowOf(hwnd);
      if (w != nullptr && w->parent == nullptr && (w->style & WS_VISIBLE) && !w->minimized)
        roots.insert(RootOf(hwnd));
    }
    for (auto it = windows_.begin(); it != windows_.end();) {
      if (roots.count(it->first) == 0) {
        if (presenter_ != nullptr && it->second.surface != nullptr)
          presenter_->Forget(it->second.surface);
        SDL_DestroyWindow(it->second.window);
        it = windows_.erase(it);
      } else {
        ++it;
      }
    }
    behind_ = false;
    for (HWND root : roots) {
      const user::Window* w = user::FindWindowOf(root);
      const RECT frame = w->window;
      Composed& composed = windows_[root];
      const int width = frame.right - frame.left, height = frame.bottom - frame.top;
      if (composed.window == nullptr && !Open(root, composed, width, height)) {
        windows_.erase(root);
        continue;
      }
      int logical = 0, pixels = 0, shownHeight = 0;
      SDL_GetWindowSize(composed.window, &logical, &shownHeight);
      if (logical != width * scale_ || shownHeight != height * scale_)
        SDL_SetWindowSize(composed.window, width * scale_, height * scale_);
      if (composed.title != w->text) SDL_SetWindowTitle(composed.window, w->text.c_str());
      composed.title = w->text;
      SDL_GetWindowSizeInPixels(composed.window, &pixels, &shownHeight);
      // The output's scale: a window moved to an output of another is shown anew at once.
      const int bufferScale = logical > 0 ? std::max(1, pixels / logical) : 1;
      std::vector<gdi::Box> changed = composed.screen.Update(
          {frame.left, frame.top, frame.right, frame.bottom}, damage, bufferScale);
      if (changed.empty()) continue;  // most waits change nothing here
      if (presenter_ == nullptr || composed.surface == nullptr) {
        PresentOnSurface(composed.window, composed.screen.pixels(), std::move(changed));
      } else if (!presenter_->Present(composed.surface, composed.screen.pixels(), changed, scale_,
                                      bufferScale)) {
        composed.screen.Unshown(changed);  // shown once the compositor gives a buffer back
        behind_ = true;
      }
    }
  }

  bool Behind() const override { return behind_; }

  HWND Owner(Uint32 id) const override { return OwnerIn(windows_, id); }

  void Press(Uint32 id, int x, int y, Button button, bool down) override {
    const HWND root = Owner(id);
    if (root == nullptr) return;
    const POINT at = OnScreen(root, x, y);
    QueueButtonAt(at.x, at.y, button, down);
  }

  void Moved(Uint32, int, int) override {}  // where a Wayland window stands is the compositor's
  void Exposed(Uint32) override {}          // the compositor keeps what it was given

  bool Place(const RECT& box, SDL_Window** window, SDL_Rect* place) const override {
    for (const auto& [root, composed] : windows_)
      if (PlaceWithin(user::FindWindowOf(root)->window, box, scale_, place))
        return *window = composed.window, true;
    return false;
  }

 private:
  bool Open(HWND root, Composed& composed, int width, int height) {
    const user::Window* w = user::FindWindowOf(root);
    // The subset draws the frame and caption; the caption moves the window.
    composed.window = SDL_CreateWindow(w->text.c_str(), SDL_WINDOWPOS_UNDEFINED,
                                       SDL_WINDOWPOS_UNDEFINED, width * scale_, height * scale_,
                                       SDL_WINDOW_SHOWN | SDL_WINDOW_BORDERLESS |
                                           SDL_WINDOW_ALLOW_HIGHDPI);
    if (composed.window == nullptr) return false;
    composed.title = w->text;
    SDL_SetWindowHitTest(composed.window, ByCaption, this);
    SetIconAndCursor(root, composed.window, scale_);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(composed.window, &info) && info.subsystem == SDL_SYSWM_WAYLAND) {
      composed.surface = info.info.wl.surface;
      if (!presenterTried_) presenter_ = WaylandPresenter::Open(info.info.wl.display);
      presenterTried_ = true;
    }
    // Without shared memory, SDL's own way: a window surface through OpenGL.
    if (presenter_ == nullptr || composed.surface == nullptr)
      SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "1");
    return true;
  }

  // The screen point under a point of a composed native window.
  POINT OnScreen(HWND root, int x, int y) const {
    const RECT frame = user::FindWindowOf(root)->window;
    return {frame.left + x / scale_, frame.top + y / scale_};
  }

  // Where a composed window's own caption shows, and nothing stands over it, the compositor
  // moves the window.
  static SDL_HitTestResult ByCaption(SDL_Window* window, const SDL_Point* area, void* data) {
    const auto* self = static_cast<const ComposedWindowsPresenter*>(data);
    const HWND root = self->Owner(SDL_GetWindowID(window));
    const user::Window* w = user::FindWindowOf(root);
    if (w == nullptr || (w->style & WS_CAPTION) != WS_CAPTION) return SDL_HITTEST_NORMAL;
    const POINT at = self->OnScreen(root, area->x, area->y);
    const RECT caption{w->window.left + user::kMetrics.frame, w->window.top + user::kMetrics.frame,
                       w->window.right - user::kMetrics.frame,
                       w->window.top + user::kMetrics.frame + user::kMetrics.caption};
    return PtInRect(&caption, at) && user::TopLevelAt(at.x, at.y) == root ? SDL_HITTEST_DRAGGABLE
                                                                         : SDL_HITTEST_NORMAL;
  }

  int scale_;
  std::map<HWND, Composed> windows_;
  std::unique_ptr<WaylandPresenter> presenter_;
  bool presenterTried_ = false;
  bool behind_ = false;
};

}  // namespace

std::unique_ptr<SdlPresenter> ComposedWindows(int scale) {
  return std::make_unique<ComposedWindowsPresenter>(scale);
}

}  // namespace platform::host
