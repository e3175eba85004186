#include "web_host.h"

#include <emscripten.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <string_view>

#include "../gdi/gdi_state.h"
#include "../kernel/debug_output.h"
#include "../user/compose.h"
#include "../user/icons.h"
#include "../user/session.h"
#include "../user/user_state.h"
#include "input.h"

// The page's side of the host (web_host.js).
extern "C" {
void tavrelo_web_start(void);
void tavrelo_web_wait(double milliseconds);  // yields to the browser; < 0: until input comes
int tavrelo_web_take(platform::host::WebHost::Event* events, int most);
// Puts the part of the desktop's pixels that changed (x, y, w, h) on the canvas.
void tavrelo_web_present(const std::uint32_t* rgba, int width, int height, int x, int y, int w,
                         int h);
void tavrelo_web_cursor(const unsigned char* rgba, int width, int height, int hotX, int hotY);
void tavrelo_web_text_input(int wanted, const char* text);
void tavrelo_web_debug(const char* text, int length);
}

namespace platform::host {
namespace {

namespace user = platform::user;

// The canvas takes bytes R, G, B, A; a pixel of ours is 0x00RRGGBB.
std::uint32_t Rgba(std::uint32_t pixel) {
  return 0xFF000000u | (pixel & 0xFF) << 16 | (pixel & 0xFF00) | (pixel >> 16 & 0xFF);
}

// An edit box that takes typing: a phone shows its keyboard only for a text field that has the
// page's focus, so the page gives it one while such a box has the subset's.
bool TakesTyping(HWND hwnd) {
  const user::Window* window = user::FindWindowOf(hwnd);
  return window != nullptr && window->windowClass->name == "EDIT" &&
         !(window->style & ES_READONLY) && IsWindowEnabled(hwnd);
}

}  // namespace

WebHost::WebHost() {
  // The program sees the desktop as large as its largest window: the page shows no more.
  user::FitDesktopToWindows();
  // The browser's console is where a developer looks for the debugger output.
  SetDebugOutputSink([](std::string_view text) {
    tavrelo_web_debug(text.data(), static_cast<int>(text.size()));
  });
  tavrelo_web_start();
  Install(this);
}

WebHost::~WebHost() {
  Install(nullptr);
  SetDebugOutputSink({});
}

std::uint64_t WebHost::Now() {
  // performance.now(): milliseconds, with fractions, never going backwards.
  return static_cast<std::uint64_t>(std::llround(emscripten_get_now() * 1'000'000.0));
}

bool WebHost::Wait(std::uint64_t deadline) {
  Present();  // what the program drew is shown when it goes idle
  FollowFocus();
  double milliseconds = -1;
  if (deadline != kNoDeadline) {
    const std::uint64_t now = Now();
    // Whole milliseconds, rounded up: a wait that ends a moment early finds nothing due and
    // waits again, and the browser makes a short wait within its timers at least 4 ms.
    milliseconds = deadline > now ? std::ceil(static_cast<double>(deadline - now) / 1'000'000.0) : 0;
  }
  tavrelo_web_wait(milliseconds);
  Event events[64];
  for (int count; (count = tavrelo_web_take(events, 64)) > 0;)
    for (int i = 0; i < count; ++i) Take(events[i]);
  return true;
}

void WebHost::Take(const Event& event) {
  switch (event.kind) {
    case kButton:
      QueueButtonAt(event.a, event.b, (event.c & 1) != 0, (event.c & 2) != 0);
      return;
    case kKey:
      QueueKey(static_cast<WPARAM>(event.a), event.b != 0, (event.c & 1) != 0, (event.c & 2) != 0);
      return;
    case kCharacter:
      QueueCharacter(static_cast<unsigned char>(event.a));
      return;
    case kEndSession:
      // The browser may end a hidden page without another word, as a session ends: every window
      // hears it and the program saves as it does at log-off. A page shown again plays on.
      user::EndSession(ENDSESSION_CRITICAL | ENDSESSION_CLOSEAPP);
      return;
    default:
      return;
  }
}

void WebHost::Present() {
  const int width = gdi::ScreenWidth(), height = gdi::ScreenHeight();
  if (width <= 0 || height <= 0) return;
  screen_.Resize(width, height, gdi::PixelFromColorref(GetSysColor(COLOR_DESKTOP)));
  user::ComposeScreen(screen_, 0, 0);
  // Only what changed goes to the canvas: most waits change nothing, many only a few pixels.
  const bool resized = width != shownWidth_ || shown_.size() != screen_.pixels.size();
  if (resized) {
    shown_.assign(screen_.pixels.size(), 0);
    shownWidth_ = width;
  }
  gdi::Box changed{width, height, 0, 0};
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* from = screen_.Row(y);
    std::uint32_t* to = shown_.data() + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t pixel = Rgba(from[x]);
      if (to[x] == pixel) continue;
      to[x] = pixel;
      changed = {std::min(changed.left, x), std::min(changed.top, y), std::max(changed.right, x + 1),
                 std::max(changed.bottom, y + 1)};
    }
  }
  if (changed.Empty() && !resized) return;
  if (resized) changed = {0, 0, width, height};
  tavrelo_web_present(shown_.data(), width, height, changed.left, changed.top,
                      changed.right - changed.left, changed.bottom - changed.top);

  // The pointer over the page is the program's own, as soon as it has one.
  for (HWND hwnd : user::State().order) {
    const user::Window* window = user::FindWindowOf(hwnd);
    if (cursorSet_ || window == nullptr || window->windowClass->info.hCursor == nullptr) continue;
    user::IconImage image;
    int hotX = 0, hotY = 0;
    if (!user::PictureOf(window->windowClass->info.hCursor, 32, &image, &hotX, &hotY)) continue;
    std::vector<unsigned char> pixels(image.bgra.size());
    for (std::size_t i = 0; i + 3 < pixels.size(); i += 4)
      pixels[i] = image.bgra[i + 2], pixels[i + 1] = image.bgra[i + 1],
      pixels[i + 2] = image.bgra[i], pixels[i + 3] = image.bgra[i + 3];
    tavrelo_web_cursor(pixels.data(), image.width, image.height, hotX, hotY);
    cursorSet_ = true;
  }
}

void WebHost::FollowFocus() {
  const HWND focus = GetFocus();
  const bool wanted = TakesTyping(focus);
  if (wanted == textWanted_) return;
  textWanted_ = wanted;
  // The page's field starts with what the box holds, so that a phone's keyboard can delete it.
  tavrelo_web_text_input(wanted ? 1 : 0, wanted ? user::FindWindowOf(focus)->text.c_str() : "");
}

}  // namespace platform::host
