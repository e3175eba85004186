// What the page's tests may ask of the game in a browser. The page offers it to them only when it
// is opened with ?test: the game record and its targets, as tavrelo-replay's `state` prints them,
// then one line for each top-level window on the desktop.
#include <emscripten.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "game_state.h"
#include "user/user_state.h"

namespace {

std::string RectText(const RECT& r) {
  char text[64];
  std::snprintf(text, sizeof text, "%ld,%ld,%ld,%ld", static_cast<long>(r.left),
                static_cast<long>(r.top), static_cast<long>(r.right), static_cast<long>(r.bottom));
  return text;
}

}  // namespace

// "window CLASS frame=L,T,R,B client=L,T,R,B TITLE" for each visible top-level window, oldest
// first, in desktop coordinates.
extern "C" EMSCRIPTEN_KEEPALIVE const char* tavrelo_test_state() {
  namespace user = platform::user;
  static std::string text;
  text.clear();
  for (const std::string& line : replay::DescribeGame()) text += line + "\n";
  for (HWND hwnd : user::State().order) {
    const user::Window* window = user::FindWindowOf(hwnd);
    if (window == nullptr || window->parent != nullptr || !(window->style & WS_VISIBLE)) continue;
    text += "window " + window->windowClass->name + " frame=" + RectText(window->window) +
            " client=" + RectText(user::ClientArea(*window)) + " " + window->text + "\n";
  }
  return text.c_str();
}
