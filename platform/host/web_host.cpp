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
#include "../user/damage.h"
#include "../user/session.h"
#include "../user/user_state.h"

// The page's side of the host (web_host.js).
extern "C" {
void tavrelo_web_start(const char* keyMap);
void tavrelo_web_wait(double milliseconds);  // yields to the browser; < 0: until input comes
int tavrelo_web_take(platform::host::WebHost::Event* events, int most);
// Puts the part (x, y, w, h) of the desktop's pixels, RGBA, on the canvas.
void tavrelo_web_present(const std::uint32_t* rgba, int width, int height, int x, int y, int w,
                         int h);
void tavrelo_web_cursor(const unsigned char* rgba, int width, int height, int hotX, int hotY);
// Typing wanted or not; the box's text (UTF-8), its selection and its place on the desktop.
void tavrelo_web_text_input(int wanted, const char* text, int caret, int anchor, int left, int top,
                            int right, int bottom);
void tavrelo_web_debug(const char* text, int length);
}

namespace platform::host {
namespace {

namespace user = platform::user;

// The canvas takes bytes R, G, B, A; a pixel of ours is 0x00RRGGBB.
std::uint32_t Rgba(std::uint32_t pixel) {
  return 0xFF000000u | (pixel & 0xFF) << 16 | (pixel & 0xFF00) | (pixel >> 16 & 0xFF);
}

}  // namespace

WebHost::WebHost() {
  // The program sees the desktop as large as its largest window: the page shows no more.
  user::FitDesktopToWindows();
  // The browser's console is where a developer looks for the debugger output.
  SetDebugOutputSink([](std::string_view text) {
    const std::string shown = Utf8FromAnsi(text);
    tavrelo_web_debug(shown.data(), static_cast<int>(shown.size()));
  });
  tavrelo_web_start(KeyMap().c_str());
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
  FollowTyping();
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
  // The page's field may now hold what the box does not (a character outside the code page):
  // it is told what the box holds again, changed or not.
  if (event.kind == kKey || event.kind == kCharacter) typingTold_ = false;
  switch (event.kind) {
    case kButton:
      QueueButtonAt(event.a, event.b, static_cast<Button>(event.c >> 1), (event.c & 1) != 0);
      return;
    case kKey:
      QueueKey(static_cast<WPARAM>(event.a), event.b != 0, (event.c & 1) != 0, (event.c & 2) != 0);
      return;
    case kCharacter:
      if (const int code = AnsiOf(static_cast<char32_t>(event.a)); code >= 0)
        QueueCharacter(static_cast<unsigned char>(code));
      return;
    case kTouch:
      QueueTouch(event.c >> 2, event.a, event.b, static_cast<Touch>(event.c & 3));
      return;
    case kCancel:
      CancelButtons();
      return;
    case kSuspend:
      Suspend();
      return;
    case kResume:
      Resume();
      return;
    case kEnd:
      // The page goes, as a session ends: every window hears it and the program saves as it
      // does at log-off.
      user::EndSession(ENDSESSION_CRITICAL | ENDSESSION_CLOSEAPP);
      return;
    default:
      return;
  }
}

void WebHost::Present() {
  const int width = gdi::ScreenWidth(), height = gdi::ScreenHeight();
  if (width <= 0 || height <= 0) return;
  const std::vector<gdi::Box> changed = screen_.Update({0, 0, width, height}, user::TakeScreenDamage());
  rgba_.resize(static_cast<std::size_t>(width) * height);
  const gdi::PixelBuffer& pixels = screen_.pixels();
  for (const gdi::Box& box : changed) {
    for (int y = box.top; y < box.bottom; ++y) {
      const std::uint32_t* from = pixels.Row(y);
      std::uint32_t* to = rgba_.data() + static_cast<std::size_t>(y) * width;
      for (int x = box.left; x < box.right; ++x) to[x] = Rgba(from[x]);
    }
    tavrelo_web_present(rgba_.data(), width, height, box.left, box.top, box.right - box.left,
                        box.bottom - box.top);
  }

  // The pointer over the page is the program's own, as soon as it has one.
  for (HWND hwnd : user::State().order) {
    const user::Window* window = user::FindWindowOf(hwnd);
    if (cursorSet_ || window == nullptr || window->windowClass->info.hCursor == nullptr) continue;
    user::IconImage image;
    int hotX = 0, hotY = 0;
    if (!user::PictureOf(window->windowClass->info.hCursor, 32, &image, &hotX, &hotY)) continue;
    std::vector<unsigned char> rgba(image.bgra.size());
    for (std::size_t i = 0; i + 3 < rgba.size(); i += 4)
      rgba[i] = image.bgra[i + 2], rgba[i + 1] = image.bgra[i + 1], rgba[i + 2] = image.bgra[i],
      rgba[i + 3] = image.bgra[i + 3];
    tavrelo_web_cursor(rgba.data(), image.width, image.height, hotX, hotY);
    cursorSet_ = true;
  }
}

void WebHost::FollowTyping() {
  const TextInput now = TextInputNow();
  if (typingTold_ && now == typing_) return;
  typing_ = now;
  typingTold_ = true;
  // The page's field holds what the box holds, its caret where the box's is, so that a phone's
  // keyboard edits what the player sees.
  tavrelo_web_text_input(now.wanted ? 1 : 0, now.text.c_str(), now.caret, now.anchor,
                         now.place.left, now.place.top, now.place.right, now.place.bottom);
}

}  // namespace platform::host
