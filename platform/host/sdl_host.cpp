#include "sdl_host.h"

#include <SDL.h>
#include <windows.h>

#include <chrono>
#include <cstring>
#include <map>

#include "../gdi/gdi_state.h"
#include "../kernel/resources.h"
#include "../user/compose.h"
#include "../user/icons.h"
#include "../user/user_state.h"

namespace platform::host {
namespace {

namespace user = platform::user;

struct NativeWindow {
  SDL_Window* window = nullptr;
  int menuHeight = 0;
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

SDL_Surface* SurfaceOf(const user::IconImage& image) {
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormat(0, image.width, image.height, 32, SDL_PIXELFORMAT_BGRA32);
  if (surface == nullptr) return nullptr;
  for (int y = 0; y < image.height; ++y)
    std::memcpy(static_cast<Uint8*>(surface->pixels) + y * surface->pitch,
                &image.bgra[static_cast<std::size_t>(y) * image.width * 4],
                static_cast<std::size_t>(image.width) * 4);
  return surface;
}

// The picture of an icon or cursor the program got from LoadIconA or LoadCursorA.
bool IconOf(HICON handle, user::IconImage* image, int* hotX, int* hotY) {
  const resources::IconFile* icon = user::IconFileOf(handle);
  if (icon == nullptr || !user::DecodeIcon(icon->bytes, icon->size, 32, image)) return false;
  // A cursor file keeps its hot spot where an icon file keeps planes and bit count.
  *hotX = icon->cursor && icon->size >= 14 ? icon->bytes[10] | icon->bytes[11] << 8 : 0;
  *hotY = icon->cursor && icon->size >= 14 ? icon->bytes[12] | icon->bytes[13] << 8 : 0;
  return true;
}

}  // namespace

struct SdlHost::Native {
  std::map<HWND, NativeWindow> windows;
  std::map<HWND, int> shownSerial;

  HWND Owner(Uint32 windowId) {
    for (auto& [hwnd, native] : windows)
      if (SDL_GetWindowID(native.window) == windowId) return hwnd;
    return nullptr;
  }

  // Native windows follow the subset's: made, titled, placed, shown, hidden, dropped.
  void Sync() {
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
            w->text.c_str(), client.left, client.top - menuHeight, content.width, content.height,
            SDL_WINDOW_SHOWN | (menu ? SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR : 0));
        if (native.window == nullptr) continue;
        SetIconAndCursor(hwnd, native.window);
      }
      native.menuHeight = menuHeight;
      SDL_SetWindowTitle(native.window, w->text.c_str());
      SDL_Surface* surface = SDL_GetWindowSurface(native.window);
      if (surface == nullptr) continue;
      SDL_Surface* source =
          SDL_CreateRGBSurfaceWithFormatFrom(content.pixels.data(), content.width, content.height,
                                             32, content.width * 4, SDL_PIXELFORMAT_XRGB8888);
      SDL_BlitSurface(source, nullptr, surface, nullptr);
      SDL_FreeSurface(source);
      SDL_UpdateWindowSurface(native.window);
    }
  }

  void SetIconAndCursor(HWND hwnd, SDL_Window* window) {
    const WNDCLASSEXA& info = user::FindWindowOf(hwnd)->windowClass->info;
    user::IconImage image;
    int hotX = 0, hotY = 0;
    if (info.hIcon != nullptr && IconOf(info.hIcon, &image, &hotX, &hotY)) {
      if (SDL_Surface* icon = SurfaceOf(image)) {
        SDL_SetWindowIcon(window, icon);
        SDL_FreeSurface(icon);
      }
    }
    if (info.hCursor != nullptr && IconOf(info.hCursor, &image, &hotX, &hotY)) {
      if (SDL_Surface* surface = SurfaceOf(image)) {
        if (SDL_Cursor* cursor = SDL_CreateColorCursor(surface, hotX, hotY)) SDL_SetCursor(cursor);
        SDL_FreeSurface(surface);
      }
    }
  }

  void Handle(const SDL_Event& e) {
    switch (e.type) {
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        HWND hwnd = Owner(e.button.windowID);
        if (hwnd == nullptr || !IsWindowEnabled(hwnd)) return;
        const int y = e.button.y - windows[hwnd].menuHeight;
        if (y < 0) {  // the menu bar
          if (e.type == SDL_MOUSEBUTTONDOWN)
            PostMessageA(hwnd, WM_SYSCOMMAND, SC_MOUSEMENU, e.button.x);
          return;
        }
        int x = e.button.x, cy = y;
        const HWND target = user::DeepestChildAt(hwnd, &x, &cy);
        const bool down = e.type == SDL_MOUSEBUTTONDOWN;
        const bool right = e.button.button == SDL_BUTTON_RIGHT;
        const UINT message =
            right ? (down ? WM_RBUTTONDOWN : WM_RBUTTONUP) : (down ? WM_LBUTTONDOWN : WM_LBUTTONUP);
        user::QueueInput({target,
                          message,
                          static_cast<WPARAM>(down ? (right ? MK_RBUTTON : MK_LBUTTON) : 0),
                          MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(cy)),
                          0,
                          {}});
        return;
      }
      case SDL_MOUSEWHEEL:
        if (HWND focus = GetFocus())
          user::QueueInput({focus, WM_MOUSEWHEEL, MAKEWPARAM(0, e.wheel.y * 120), 0, 0, {}});
        return;
      case SDL_KEYDOWN:
      case SDL_KEYUP: {
        const WPARAM vk = VirtualKey(e.key.keysym.sym);
        HWND focus = GetFocus() != nullptr ? GetFocus() : user::State().active;
        if (vk == 0 || focus == nullptr) return;
        const bool alt = (e.key.keysym.mod & KMOD_ALT) != 0 && vk != VK_MENU;
        const bool down = e.type == SDL_KEYDOWN;
        const UINT message =
            alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
        // Bit 29: Alt is down; bit 30: the key was down already (a repeat), as Windows says.
        const LPARAM flags = (alt ? (1 << 29) : 0) | (down && e.key.repeat ? (1 << 30) : 0);
        user::QueueInput({focus, message, vk, flags, 0, {}});
        if (down && vk == VK_BACK) user::QueueInput({focus, WM_CHAR, '\b', 0, 0, {}});
        if (down && alt && vk >= 'A' && vk <= 'Z')
          user::QueueInput({focus, WM_SYSCHAR, vk + 32, 1 << 29, 0, {}});
        return;
      }
      case SDL_TEXTINPUT: {
        HWND focus = GetFocus();
        if (focus == nullptr || (SDL_GetModState() & KMOD_ALT)) return;
        for (const char* c = e.text.text; *c; ++c)
          if (static_cast<unsigned char>(*c) < 0x80)
            user::QueueInput({focus, WM_CHAR, static_cast<WPARAM>(*c), 0, 0, {}});
        return;
      }
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
            // The native window's content starts at the menu bar; the subset's frame lies around
            // it.
            user::Window* w = user::FindWindowOf(hwnd);
            const RECT client = user::ClientArea(*w);
            const int dx = e.window.data1 - client.left,
                      dy = e.window.data2 + windows[hwnd].menuHeight - client.top;
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

SdlHost::SdlHost() : native_(std::make_unique<Native>()) {
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) == 0) gdi::SetScreenSize(mode.w, mode.h);
  SDL_StartTextInput();
  Install(this);
}

SdlHost::~SdlHost() {
  Install(nullptr);
  for (auto& [hwnd, native] : native_->windows) SDL_DestroyWindow(native.window);
  SDL_Quit();
}

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
