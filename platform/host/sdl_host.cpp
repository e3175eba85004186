#include "sdl_host.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <windows.h>

#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>

#include "../gdi/gdi_state.h"
#include "../user/compose.h"
#include "../user/icons.h"
#include "../user/session.h"
#include "../user/user_state.h"
#include "end_signals.h"
#include "input.h"
#include "scale.h"
#include "wayland_display.h"

namespace platform::host {
namespace {

namespace user = platform::user;

struct NativeWindow {
  SDL_Window* window = nullptr;
  int menuHeight = 0;
  wl_surface* surface = nullptr;  // Wayland: where the presenter puts the pixels
  gdi::PixelBuffer shown;         // Wayland: what is on the surface
};

WPARAM VirtualKey(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return static_cast<WPARAM>('A' + (key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return static_cast<WPARAM>('0' + (key - SDLK_0));
  if (key >= SDLK_F1 && key <= SDLK_F12) return static_cast<WPARAM>(VK_F1 + (key - SDLK_F1));
  switch (key) {
    case SDLK_ESCAPE:
      return VK_ESCAPE;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return VK_RETURN;
    case SDLK_TAB:
      return VK_TAB;
    case SDLK_SPACE:
      return VK_SPACE;
    case SDLK_BACKSPACE:
      return VK_BACK;
    case SDLK_DELETE:
      return VK_DELETE;
    case SDLK_HOME:
      return VK_HOME;
    case SDLK_END:
      return VK_END;
    case SDLK_LEFT:
      return VK_LEFT;
    case SDLK_RIGHT:
      return VK_RIGHT;
    case SDLK_UP:
      return VK_UP;
    case SDLK_DOWN:
      return VK_DOWN;
    case SDLK_PAGEUP:
      return VK_PRIOR;
    case SDLK_PAGEDOWN:
      return VK_NEXT;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
      return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT:
      return VK_MENU;
    default:
      return 0;
  }
}

// An icon or cursor picture as an SDL surface, `scale` times its size.
SDL_Surface* SurfaceOf(const user::IconImage& image, int scale) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, image.width * scale,
                                                        image.height * scale, 32,
                                                        SDL_PIXELFORMAT_BGRA32);
  if (surface == nullptr) return nullptr;
  // Four bytes a pixel either way: the upscaling moves whole pixels, whatever their order.
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(image.width) * image.height);
  std::memcpy(pixels.data(), image.bgra.data(), pixels.size() * 4);
  UpscaleNearest(pixels.data(), image.width, image.height, image.width,
                 static_cast<std::uint32_t*>(surface->pixels), surface->pitch / 4, scale);
  return surface;
}

// Shows `content` in the window, each of its pixels as a square as large as the window's
// surface allows: `scale` screen pixels on X11; on Wayland that times the output's scale.
void Present(SDL_Window* window, const gdi::PixelBuffer& content) {
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  if (surface == nullptr || content.width <= 0 || content.height <= 0) return;
  const int scale = std::max(1, std::min(surface->w / content.width, surface->h / content.height));
  // X11's usual window surface takes the pixels as they are; any other goes through SDL's
  // conversion (which also makes an alpha channel opaque).
  const bool direct = surface->format->format == SDL_PIXELFORMAT_XRGB8888;
  SDL_Surface* target =
      direct ? surface
             : SDL_CreateRGBSurfaceWithFormat(0, content.width * scale, content.height * scale,
                                              32, SDL_PIXELFORMAT_XRGB8888);
  if (target == nullptr) return;
  const int width = std::min(content.width, target->w / scale);
  const int height = std::min(content.height, target->h / scale);
  if (SDL_LockSurface(target) == 0) {
    UpscaleNearest(content.pixels.data(), width, height, content.width,
                   static_cast<std::uint32_t*>(target->pixels), target->pitch / 4, scale);
    SDL_UnlockSurface(target);
  }
  if (!direct) {
    SDL_BlitSurface(target, nullptr, surface, nullptr);
    SDL_FreeSurface(target);
  }
  SDL_UpdateWindowSurface(window);
}

// Without a session bus in the environment, libdbus starts one for the X display when SDL
// connects (autolaunch): a process spawned on every start, and a daemon left running where
// dbus-x11 is installed. Nothing the program does needs a bus it would have to start.
void KeepDbusFromLaunchingABus() {
  if (std::getenv("DBUS_SESSION_BUS_ADDRESS") != nullptr) return;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  struct stat bus;
  if (runtime != nullptr && stat((std::string(runtime) + "/bus").c_str(), &bus) == 0) return;
  setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
}

// When only one kind of display is named, SDL is to try that one alone: trying the other
// would only add its own complaint to the one line that says why no window can be shown.
void ChooseVideoDriver() {
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  if (set("SDL_VIDEODRIVER")) return;
  // With both, SDL tries X11 (Xwayland, most often) first, as it always did.
  if (set("DISPLAY") && !set("WAYLAND_DISPLAY")) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  if (set("WAYLAND_DISPLAY") && !set("DISPLAY")) SDL_SetHint(SDL_HINT_VIDEODRIVER, "wayland");
}

// On a composed display, the top-level window whose native window shows `hwnd`: the farthest
// visible owner, or the window itself.
HWND RootOf(HWND hwnd) {
  for (;;) {
    const user::Window* owner = user::FindWindowOf(user::FindWindowOf(hwnd)->owner);
    if (owner == nullptr || !(owner->style & WS_VISIBLE) || owner->minimized) return hwnd;
    hwnd = owner->handle;
  }
}

}  // namespace

struct SdlHost::Native {
  std::map<HWND, NativeWindow> windows;
  int scale = 1;
  // Wayland gives a program no say where its windows stand, so there the windows that belong
  // together are shown together (SyncComposed); X11 shows each top-level window natively.
  bool composed = false;
  std::unique_ptr<WaylandPresenter> presenter;  // composed: the pixels through shared memory
  bool presenterTried = false;
  Uint32 endEvent = 0;  // the event an ending signal becomes
  std::unique_ptr<EndSignals> signals;
  // When a window gains the keyboard, SDL reports the modifiers that are down as if they were
  // pressed just then. Windows sends no key message for those (only the key state changes),
  // and a stray Alt would close a menu that has just opened. They come right after the focus
  // event; these are the ones held back, whose release is held back too.
  bool focusJustGained = false;
  std::set<SDL_Keycode> heldBack;

  HWND Owner(Uint32 windowId) {
    for (auto& [hwnd, native] : windows)
      if (SDL_GetWindowID(native.window) == windowId) return hwnd;
    return nullptr;
  }

  // Native windows follow the subset's: made, titled, placed, shown, hidden, dropped.
  void Sync() {
    if (composed) return SyncComposed();
    for (auto it = windows.begin(); it != windows.end();) {
      user::Window* w = user::FindWindowOf(it->first);
      if (w == nullptr || !(w->style & WS_VISIBLE)) {
        SDL_DestroyWindow(it->second.window);
        it = windows.erase(it);
      } else {
        ++it;
      }
    }
    for (HWND hwnd : user::State().order) {
      user::Window* w = user::FindWindowOf(hwnd);
      if (w == nullptr || w->parent != nullptr || !(w->style & WS_VISIBLE) || w->minimized)
        continue;
      gdi::PixelBuffer content;
      const int menuHeight = user::ComposeContent(hwnd, content);
      const RECT client = user::ClientArea(*w);
      NativeWindow& native = windows[hwnd];
      if (native.window == nullptr) {
        // A menu's popup is a popup menu to the desktop as well: it takes no keyboard focus,
        // which would move the keyboard away from the window whose menu it is.
        const bool menu = w->windowClass->name == "#32768";
        native.window = SDL_CreateWindow(
            w->text.c_str(), client.left * scale, (client.top - menuHeight) * scale,
            content.width * scale, content.height * scale,
            SDL_WINDOW_SHOWN | (menu ? SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR : 0));
        if (native.window == nullptr) continue;
        SetIconAndCursor(hwnd, native.window);
      }
      native.menuHeight = menuHeight;
      SDL_SetWindowTitle(native.window, w->text.c_str());
      Present(native.window, content);
    }
  }

  // A native window for each top-level window without a visible owner (the main window; the
  // splash screen, whose owner is not shown yet), showing it as the subset composes the screen
  // there, frame and caption included, with its dialogs, message boxes and menus over it: the
  // very composition of the web host's canvas. The desktop is as large as the largest window,
  // so that what is centred on it stands over the main window.
  void SyncComposed() {
    std::set<HWND> roots;
    for (HWND hwnd : user::State().order) {
      const user::Window* w = user::FindWindowOf(hwnd);
      if (w != nullptr && w->parent == nullptr && (w->style & WS_VISIBLE) && !w->minimized)
        roots.insert(RootOf(hwnd));
    }
    for (auto it = windows.begin(); it != windows.end();) {
      if (roots.count(it->first) == 0) {
        if (presenter != nullptr && it->second.surface != nullptr)
          presenter->Forget(it->second.surface);
        SDL_DestroyWindow(it->second.window);
        it = windows.erase(it);
      } else {
        ++it;
      }
    }
    for (HWND root : roots) {
      const user::Window* w = user::FindWindowOf(root);
      const RECT frame = w->window;
      gdi::PixelBuffer content;
      content.Resize(frame.right - frame.left, frame.bottom - frame.top,
                     gdi::PixelFromColorref(GetSysColor(COLOR_DESKTOP)));
      user::ComposeScreen(content, frame.left, frame.top);
      NativeWindow& native = windows[root];
      if (native.window == nullptr) {
        // The subset draws the frame and caption; the caption moves the window.
        native.window = SDL_CreateWindow(
            w->text.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
            content.width * scale, content.height * scale,
            SDL_WINDOW_SHOWN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALLOW_HIGHDPI);
        if (native.window == nullptr) continue;
        SDL_SetWindowHitTest(native.window, ByCaption, this);
        SetIconAndCursor(root, native.window);
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (SDL_GetWindowWMInfo(native.window, &info) && info.subsystem == SDL_SYSWM_WAYLAND) {
          native.surface = info.info.wl.surface;
          if (!presenterTried) presenter = WaylandPresenter::Open(info.info.wl.display);
          presenterTried = true;
        }
        // Without shared memory, SDL's own way: a window surface through OpenGL.
        if (presenter == nullptr || native.surface == nullptr)
          SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "1");
      }
      int width = 0, height = 0;
      SDL_GetWindowSize(native.window, &width, &height);
      if (width != content.width * scale || height != content.height * scale)
        SDL_SetWindowSize(native.window, content.width * scale, content.height * scale);
      SDL_SetWindowTitle(native.window, w->text.c_str());
      PresentComposed(native, content);
    }
  }

  // Only what changed goes to the compositor: most waits change nothing.
  void PresentComposed(NativeWindow& native, const gdi::PixelBuffer& content) {
    if (presenter == nullptr || native.surface == nullptr) {
      Present(native.window, content);  // SDL's window surface
      return;
    }
    if (content.width == native.shown.width && content.pixels == native.shown.pixels) return;
    int logical = 0, pixels = 0, height = 0;
    SDL_GetWindowSize(native.window, &logical, &height);
    SDL_GetWindowSizeInPixels(native.window, &pixels, &height);
    const int bufferScale = logical > 0 ? std::max(1, pixels / logical) : 1;
    if (presenter->Present(native.surface, content, scale, bufferScale)) native.shown = content;
  }

  // The screen point under a point of a composed native window.
  POINT OnScreen(HWND root, int x, int y) const {
    const RECT frame = user::FindWindowOf(root)->window;
    return {frame.left + x / scale, frame.top + y / scale};
  }

  // Where a composed window's own caption shows, and nothing stands over it, the compositor
  // moves the window.
  static SDL_HitTestResult ByCaption(SDL_Window* window, const SDL_Point* area, void* data) {
    Native* self = static_cast<Native*>(data);
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

  void SetIconAndCursor(HWND hwnd, SDL_Window* window) {
    const WNDCLASSEXA& info = user::FindWindowOf(hwnd)->windowClass->info;
    user::IconImage image;
    int hotX = 0, hotY = 0;
    if (info.hIcon != nullptr && user::PictureOf(info.hIcon, 32, &image, &hotX, &hotY)) {
      if (SDL_Surface* icon = SurfaceOf(image, 1)) {
        SDL_SetWindowIcon(window, icon);
        SDL_FreeSurface(icon);
      }
    }
    if (info.hCursor != nullptr && user::PictureOf(info.hCursor, 32, &image, &hotX, &hotY)) {
      if (SDL_Surface* surface = SurfaceOf(image, scale)) {
        if (SDL_Cursor* cursor = SDL_CreateColorCursor(surface, hotX * scale, hotY * scale))
          SDL_SetCursor(cursor);
        SDL_FreeSurface(surface);
      }
    }
  }

  // Whether the key event is one of SDL's reports of the modifiers on a focus change.
  bool HoldBack(const SDL_Event& e) {
    const bool afterFocus = focusJustGained;
    focusJustGained = e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED;
    if (e.type != SDL_KEYDOWN && e.type != SDL_KEYUP) return false;
    const SDL_Keycode key = e.key.keysym.sym;
    if (e.type == SDL_KEYUP) return heldBack.erase(key) > 0;
    const WPARAM vk = VirtualKey(key);
    if (!afterFocus || (vk != VK_MENU && vk != VK_SHIFT && vk != VK_CONTROL)) return false;
    focusJustGained = true;  // more of them may follow
    heldBack.insert(key);
    return true;
  }

  void Handle(const SDL_Event& e) {
    if (HoldBack(e)) return;
    if (e.type == endEvent) {
      // The program ends here, as Windows ends one once its windows have heard the end.
      user::EndSession(ENDSESSION_CRITICAL | (e.user.code == SIGHUP ? ENDSESSION_LOGOFF : 0));
      std::exit(0);
    }
    switch (e.type) {
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        const HWND hwnd = Owner(e.button.windowID);
        if (hwnd == nullptr) return;
        const bool down = e.type == SDL_MOUSEBUTTONDOWN, right = e.button.button == SDL_BUTTON_RIGHT;
        if (composed) {
          const POINT at = OnScreen(hwnd, e.button.x, e.button.y);
          QueueButtonAt(at.x, at.y, down, right);
          return;
        }
        // Every screen pixel of a scaled window belongs to exactly one of the program's; the
        // native window's content starts with the menu bar.
        QueueButton(hwnd, e.button.x / scale, e.button.y / scale - windows[hwnd].menuHeight,
                    down, right);
        return;
      }
      case SDL_MOUSEWHEEL:
        if (HWND focus = GetFocus())
          user::QueueInput({focus, WM_MOUSEWHEEL, MAKEWPARAM(0, e.wheel.y * 120), 0, 0, {}});
        return;
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        QueueKey(VirtualKey(e.key.keysym.sym), e.type == SDL_KEYDOWN,
                 (e.key.keysym.mod & KMOD_ALT) != 0, e.key.repeat != 0);
        return;
      case SDL_TEXTINPUT:
        if (SDL_GetModState() & KMOD_ALT) return;  // Alt with a letter is a mnemonic, not text
        for (const char* c = e.text.text; *c; ++c)
          if (static_cast<unsigned char>(*c) < 0x80) QueueCharacter(static_cast<unsigned char>(*c));
        return;
      case SDL_WINDOWEVENT: {
        HWND hwnd = Owner(e.window.windowID);
        if (hwnd == nullptr) return;
        switch (e.window.event) {
          case SDL_WINDOWEVENT_CLOSE:
            PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            return;
          case SDL_WINDOWEVENT_MINIMIZED:
            ShowWindow(hwnd, SW_MINIMIZE);
            return;
          case SDL_WINDOWEVENT_RESTORED:
            ShowWindow(hwnd, SW_RESTORE);
            return;
          case SDL_WINDOWEVENT_MOVED: {
            if (composed) return;  // where a Wayland window stands is the compositor's secret
            // The native window's content starts at the menu bar; the subset's frame lies around
            // it.
            user::Window* w = user::FindWindowOf(hwnd);
            const RECT client = user::ClientArea(*w);
            const int dx = e.window.data1 / scale - client.left,
                      dy = e.window.data2 / scale + windows[hwnd].menuHeight - client.top;
            if ((dx != 0 || dy != 0) && !w->minimized)
              SetWindowPos(hwnd, nullptr, w->window.left + dx, w->window.top + dy, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER);
            return;
          }
          default:
            return;
        }
      }
      default:
        return;
    }
  }
};

SdlHost::SdlHost(const char* desktopId) : native_(std::make_unique<Native>()) {
  // The window surface goes to the screen as it is: through OpenGL it would first load a
  // software rasteriser of some 60 MB. A value in the user's environment still wins.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");  // the ending signals are ours (EndSignals)
  // On Wayland, SDL 2.26 faults in libdecor's frame handler once a window has gone (the splash
  // screen does); the subset draws frames and captions itself there (SyncComposed).
  SDL_SetHint(SDL_HINT_VIDEO_WAYLAND_ALLOW_LIBDECOR, "0");
  // The desktop matches windows to the program's desktop entry by these.
  setenv("SDL_VIDEO_X11_WMCLASS", desktopId, 0);
  setenv("SDL_VIDEO_WAYLAND_WMCLASS", desktopId, 0);
  KeepDbusFromLaunchingABus();
  ChooseVideoDriver();
  // SDL 2.26 faults in SDL_Init on a compositor without a seat: asked first.
  const char* driver = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  if (driver != nullptr && std::strcmp(driver, "wayland") == 0) {
    error_ = WaylandDisplayProblem();
    if (!error_.empty()) return;
  }
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    error_ = SDL_GetError();
    return;
  }
  started_ = true;
  const auto chooseScale = [this](int width, int height) {
    std::string complaint;
    native_->scale = ChooseScale(width, height, std::getenv("TAVRELO_SCALE"), &complaint);
    if (!complaint.empty()) std::fprintf(stderr, "%s\n", complaint.c_str());
  };
  native_->composed = std::strcmp(SDL_GetCurrentVideoDriver(), "wayland") == 0;
  if (native_->composed) {
    // The output's own scale enlarges the windows (ALLOW_HIGHDPI); TAVRELO_SCALE on top.
    chooseScale(0, 0);
    user::FitDesktopToWindows();
  } else if (SDL_DisplayMode mode; SDL_GetDesktopDisplayMode(0, &mode) == 0) {
    chooseScale(mode.w, mode.h);
    // The program sees the desktop in its own pixels.
    gdi::SetScreenSize(mode.w / native_->scale, mode.h / native_->scale);
  }
  SDL_StartTextInput();
  native_->endEvent = SDL_RegisterEvents(1);
  native_->signals = std::make_unique<EndSignals>([type = native_->endEvent](int signal) {
    SDL_Event event{};
    event.type = type;
    event.user.code = signal;
    SDL_PushEvent(&event);  // wakes the wait, which hands it to Handle
  });
  Install(this);
}

SdlHost::~SdlHost() {
  if (!started_) return;
  Install(nullptr);
  native_->signals.reset();
  native_->presenter.reset();
  for (auto& [hwnd, native] : native_->windows) SDL_DestroyWindow(native.window);
  SDL_Quit();
}

int SdlHost::scale() const { return native_->scale; }

std::uint64_t SdlHost::Now() {
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                        std::chrono::steady_clock::now().time_since_epoch())
                                        .count());
}

bool SdlHost::Wait(std::uint64_t deadline) {
  native_->Sync();  // what the program drew is shown when it goes idle
  int timeout = -1;
  if (deadline != kNoDeadline) {
    const std::uint64_t now = Now();
    timeout = deadline > now ? static_cast<int>((deadline - now + 999'999) / 1'000'000) : 0;
  }
  SDL_Event event;
  if (SDL_WaitEventTimeout(&event, timeout)) {
    native_->Handle(event);
    while (SDL_PollEvent(&event)) native_->Handle(event);
  }
  return true;
}

}  // namespace platform::host
