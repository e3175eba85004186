// On X11: a native window for each visible top-level window of the subset, showing its menu bar
// and client area; the desktop's window manager draws frame and caption.
#include <map>
#include <string>

#include "../user/compose.h"
#include "../user/user_state.h"
#include "sdl_presenters.h"

namespace platform::host {
namespace {

namespace user = platform::user;

struct Native {
  SDL_Window* window = nullptr;
  int menuHeight = 0;
  RECT shows{};  // the screen box it shows: the menu bar and the client area
  std::string title;
  bool exposed = false;
};

class NativeWindowsPresenter : public SdlPresenter {
 public:
  explicit NativeWindowsPresenter(int scale) : scale_(scale) {}
  ~NativeWindowsPresenter() override {
    for (auto& [hwnd, native] : windows_) SDL_DestroyWindow(native.window);
  }

  void Show(const std::vector<gdi::Box>& damage) override {
    for (auto it = windows_.begin(); it != windows_.end();) {
      const user::Window* w = user::FindWindowOf(it->first);
      if (w == nullptr || !(w->style & WS_VISIBLE) || w->minimized) {
        SDL_DestroyWindow(it->second.window);
        it = windows_.erase(it);
      } else {
        ++it;
      }
    }
    for (HWND hwnd : user::State().order) {
      const user::Window* w = user::FindWindowOf(hwnd);
      if (w == nullptr || w->parent != nullptr || !(w->style & WS_VISIBLE) || w->minimized)
        continue;
      const RECT client = user::ClientArea(*w);
      const int menuHeight = w->menu != nullptr ? user::kMetrics.menu : 0;
      const RECT shows{client.left, client.top - menuHeight, client.right, client.bottom};
      Native& native = windows_[hwnd];
      const bool resized = native.window != nullptr &&
                           (shows.right - shows.left != native.shows.right - native.shows.left ||
                            shows.bottom - shows.top != native.shows.bottom - native.shows.top);
      std::vector<gdi::Box> changed;
      if (native.window == nullptr) {
        // A menu's popup is a popup menu to the desktop as well: it takes no keyboard focus,
        // which would move the keyboard away from the window whose menu it is.
        const bool menu = w->windowClass->name == "#32768";
        native.window = SDL_CreateWindow(
            w->text.c_str(), shows.left * scale_, shows.top * scale_,
            (shows.right - shows.left) * scale_, (shows.bottom - shows.top) * scale_,
            SDL_WINDOW_SHOWN | (menu ? SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR : 0));
        if (native.window == nullptr) {
          windows_.erase(hwnd);
          continue;
        }
        native.title = w->text;
        SetIconAndCursor(hwnd, native.window, scale_);
      }
      if (resized)
        SDL_SetWindowSize(native.window, (shows.right - shows.left) * scale_,
                          (shows.bottom - shows.top) * scale_);
      const bool whole = resized || native.exposed || native.shows.right == native.shows.left;
      native.exposed = false;
      native.shows = shows;
      native.menuHeight = menuHeight;
      if (native.title != w->text) SDL_SetWindowTitle(native.window, w->text.c_str());
      native.title = w->text;
      const gdi::Box box{shows.left, shows.top, shows.right, shows.bottom};
      if (whole) changed.push_back({0, 0, box.right - box.left, box.bottom - box.top});
      for (const gdi::Box& part : damage)
        if (const gdi::Box mine = part.Intersect(box); !mine.Empty())
          changed.push_back(mine.Offset(-box.left, -box.top));
      if (changed.empty()) continue;  // most waits change nothing here
      // Composed for the moment only: the window surface keeps what is shown.
      gdi::PixelBuffer content;
      user::ComposeContent(hwnd, content);
      PresentOnSurface(native.window, content, std::move(changed));
    }
  }

  HWND Owner(Uint32 id) const override { return OwnerIn(windows_, id); }

  void Press(Uint32 id, int x, int y, Button button, bool down) override {
    const HWND hwnd = Owner(id);
    if (hwnd == nullptr) return;
    // Every screen pixel of a scaled window belongs to exactly one of the program's; the
    // native window's content starts with the menu bar.
    QueueButton(hwnd, x / scale_, y / scale_ - windows_.at(hwnd).menuHeight, button, down);
  }

  void Moved(Uint32 id, int x, int y) override {
    const HWND hwnd = Owner(id);
    user::Window* w = user::FindWindowOf(hwnd);
    if (w == nullptr || w->minimized) return;
    // The native window's content starts at the menu bar; the subset's frame lies around it.
    const RECT client = user::ClientArea(*w);
    const int dx = x / scale_ - client.left,
              dy = y / scale_ + windows_.at(hwnd).menuHeight - client.top;
    if (dx != 0 || dy != 0)
      SetWindowPos(hwnd, nullptr, w->window.left + dx, w->window.top + dy, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER);
  }

  void Exposed(Uint32 id) override {
    if (const HWND hwnd = Owner(id)) windows_.at(hwnd).exposed = true;
  }

  bool Place(const RECT& box, SDL_Window** window, SDL_Rect* place) const override {
    for (const auto& [hwnd, native] : windows_)
      if (PlaceWithin(native.shows, box, scale_, place)) return *window = native.window, true;
    return false;
  }

 private:
  int scale_;
  std::map<HWND, Native> windows_;
};

}  // namespace

std::unique_ptr<SdlPresenter> NativeWindows(int scale) {
  return std::make_unique<NativeWindowsPresenter>(scale);
}

}  // namespace platform::host
