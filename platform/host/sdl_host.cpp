#include "sdl_host.h"

#include <SDL.h>
#include <windows.h>

#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "../gdi/gdi_state.h"
#include "../user/compose.h"
#include "../user/damage.h"
#include "../user/icons.h"
#include "../user/session.h"
#include "../user/user_state.h"
#include "end_signals.h"
#include "input.h"
#include "scale.h"
#include "sdl_presenters.h"
#include "wayland_display.h"

namespace platform::host {
namespace {

namespace user = platform::user;

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

// SDL's numbers of mouse buttons as the program's.
Button ButtonOf(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_RIGHT:
      return Button::kRight;
    case SDL_BUTTON_MIDDLE:
      return Button::kMiddle;
    case SDL_BUTTON_X1:
      return Button::kX1;
    case SDL_BUTTON_X2:
      return Button::kX2;
    case SDL_BUTTON_LEFT:
    default:
      return Button::kLeft;
  }
}

// How soon a frame that found no free buffer is tried again.
constexpr int kRetryMs = 4;

}  // namespace

void SetIconAndCursor(HWND hwnd, SDL_Window* window, int scale) {
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

void PresentOnSurface(SDL_Window* window, const gdi::PixelBuffer& content,
                      std::vector<gdi::Box> changed) {
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  if (surface == nullptr || content.width <= 0 || content.height <= 0) return;
  const int scale = std::max(1, std::min(surface->w / content.width, surface->h / content.height));
  const gdi::Box fits{0, 0, std::min(content.width, surface->w / scale),
                      std::min(content.height, surface->h / scale)};
  // X11's usual window surface takes the pixels as they are; any other goes through SDL's
  // conversion (which also makes an alpha channel opaque), and is put there whole.
  const bool direct = surface->format->format == SDL_PIXELFORMAT_XRGB8888;
  if (!direct) changed = {fits};
  SDL_Surface* target =
      direct ? surface
             : SDL_CreateRGBSurfaceWithFormat(0, fits.right * scale, fits.bottom * scale, 32,
                                              SDL_PIXELFORMAT_XRGB8888);
  if (target == nullptr) return;
  std::vector<SDL_Rect> rects;
  if (SDL_LockSurface(target) == 0) {
    for (const gdi::Box& part : changed) {
      const gdi::Box box = part.Intersect(fits);
      if (box.Empty()) continue;
      UpscalePart(content.pixels.data(), content.width, box.left, box.top, box.right, box.bottom,
                  static_cast<std::uint32_t*>(target->pixels), target->pitch / 4, scale);
      rects.push_back({box.left * scale, box.top * scale, (box.right - box.left) * scale,
                       (box.bottom - box.top) * scale});
    }
    SDL_UnlockSurface(target);
  }
  if (!direct) {
    SDL_BlitSurface(target, nullptr, surface, nullptr);
    SDL_FreeSurface(target);
  }
  if (!rects.empty()) SDL_UpdateWindowSurfaceRects(window, rects.data(), static_cast<int>(rects.size()));
}

struct SdlHost::Native {
  std::unique_ptr<SdlPresenter> windows;
  int scale = 1;
  Uint32 endEvent = 0;  // the event an ending signal becomes
  std::unique_ptr<EndSignals> signals;
  bool textInput = true;  // SDL starts with it on
  RECT typingPlace{};     // where the box taking typing was when SDL was last told
  // When a window gains the keyboard, SDL reports the modifiers that are down as if they were
  // pressed just then. Windows sends no key message for those (only the key state changes),
  // and a stray Alt would close a menu that has just opened. They come right after the focus
  // event; these are the ones held back, whose release is held back too.
  bool focusJustGained = false;
  std::set<SDL_Keycode> heldBack;

  // Text input (an input method, an on-screen keyboard) on only while an edit box takes typing,
  // placed at the box.
  void FollowTyping() {
    const TextInput typing = TextInputNow();
    if (typing.wanted && !EqualRect(&typing.place, &typingPlace)) {
      SDL_Window* window = nullptr;
      SDL_Rect place{};
      if (windows->Place(typing.place, &window, &place)) SDL_SetTextInputRect(&place);
    }
    typingPlace = typing.wanted ? typing.place : RECT{};
    if (typing.wanted == textInput) return;
    textInput = typing.wanted;
    if (textInput)
      SDL_StartTextInput();
    else
      SDL_StopTextInput();
  }

  // Whether the key event is one of SDL's reports of the modifiers on a focus change.
  bool HoldBack(const SDL_Event& e) {
    const bool afterFocus = focusJustGained;
    focusJustGained = e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED;
    if (e.type != SDL_KEYDOWN && e.type != SDL_KEYUP) return false;
    const SDL_Keycode key = e.key.keysym.sym;
    if (e.type == SDL_KEYUP) return heldBack.erase(key) > 0;
    const WPARAM vk = VirtualKeyNamed(SDL_GetKeyName(key));
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
      case SDL_MOUSEBUTTONUP:
        windows->Press(e.button.windowID, e.button.x, e.button.y, ButtonOf(e.button.button),
                       e.type == SDL_MOUSEBUTTONDOWN);
        return;
      case SDL_MOUSEWHEEL:
        QueueWheel(e.wheel.y * WHEEL_DELTA);
        return;
      case SDL_KEYDOWN:
      case SDL_KEYUP: {
        const WPARAM vk = VirtualKeyNamed(SDL_GetKeyName(e.key.keysym.sym));
        const Uint16 mod = e.key.keysym.mod;
        QueueKey(vk, e.type == SDL_KEYDOWN, (mod & KMOD_ALT) != 0, e.key.repeat != 0);
        // Without text input, what a key types is the key's own letter or digit, as Windows'
        // TranslateMessage makes it (a menu's or a message box's mnemonics need it).
        if (e.type == SDL_KEYDOWN && !textInput && !(mod & (KMOD_ALT | KMOD_CTRL)))
          if (const char c = KeyCharacter(vk, (mod & KMOD_SHIFT) != 0))
            QueueCharacter(static_cast<unsigned char>(c));
        return;
      }
      case SDL_TEXTINPUT:
        if (SDL_GetModState() & KMOD_ALT) return;  // Alt with a letter is a mnemonic, not text
        QueueText(e.text.text);
        return;
      case SDL_WINDOWEVENT: {
        const HWND hwnd = windows->Owner(e.window.windowID);
        if (hwnd == nullptr) return;
        switch (e.window.event) {
          case SDL_WINDOWEVENT_CLOSE:
            QueueClose(hwnd);
            return;
          case SDL_WINDOWEVENT_MINIMIZED:
            ShowWindow(hwnd, SW_MINIMIZE);
            return;
          case SDL_WINDOWEVENT_RESTORED:
            ShowWindow(hwnd, SW_RESTORE);
            return;
          case SDL_WINDOWEVENT_EXPOSED:
            windows->Exposed(e.window.windowID);
            return;
          case SDL_WINDOWEVENT_MOVED:
            windows->Moved(e.window.windowID, e.window.data1, e.window.data2);
            return;
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
  if (std::strcmp(SDL_GetCurrentVideoDriver(), "wayland") == 0) {
    // The output's own scale enlarges the windows (ALLOW_HIGHDPI); TAVRELO_SCALE on top.
    chooseScale(0, 0);
    user::FitDesktopToWindows();
    native_->windows = ComposedWindows(native_->scale);
  } else {
    if (SDL_DisplayMode mode; SDL_GetDesktopDisplayMode(0, &mode) == 0) {
      chooseScale(mode.w, mode.h);
      // The program sees the desktop in its own pixels.
      gdi::SetScreenSize(mode.w / native_->scale, mode.h / native_->scale);
    }
    native_->windows = NativeWindows(native_->scale);
  }
  native_->FollowTyping();  // off until an edit box takes typing
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
  native_->windows.reset();
  SDL_Quit();
}

int SdlHost::scale() const { return native_->scale; }

std::uint64_t SdlHost::Now() {
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                        std::chrono::steady_clock::now().time_since_epoch())
                                        .count());
}

bool SdlHost::Wait(std::uint64_t deadline) {
  // What the program drew is shown when it goes idle.
  native_->windows->Show(user::TakeScreenDamage());
  native_->FollowTyping();
  int timeout = -1;
  if (deadline != kNoDeadline) {
    const std::uint64_t now = Now();
    timeout = deadline > now ? static_cast<int>((deadline - now + 999'999) / 1'000'000) : 0;
  }
  // A frame that waits for the compositor's buffer is shown within a few milliseconds, whether
  // or not input comes meanwhile.
  if (native_->windows->Behind()) timeout = timeout < 0 ? kRetryMs : std::min(timeout, kRetryMs);
  SDL_Event event;
  if (SDL_WaitEventTimeout(&event, timeout)) {
    native_->Handle(event);
    while (SDL_PollEvent(&event)) native_->Handle(event);
  }
  return true;
}

}  // namespace platform::host
