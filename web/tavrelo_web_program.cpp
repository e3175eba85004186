// What the page's tests may ask of the game in a browser. The page offers it to them only when it
// is opened with ?test: the game record and its targets, as tavrelo-replay's `state` prints them,
// the high score board as the game holds it, the checked menu items, and where each window and
// control stands on the desktop.
#include <emscripten.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "Setting.h"
#include "Tavrelo.h"
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

// The state lines, "pictures left=L,T,R,B right=L,T,R,B" in client coordinates, then
// "board N SCORE NAME" for each place taken, "checked TEXT" for each checked
// item of the main window's menu, "window CLASS frame=L,T,R,B client=L,T,R,B TITLE" for each
// visible top-level window, oldest first, and "control CLASS frame=L,T,R,B TEXT" for each
// visible control in it; all in desktop coordinates.
extern "C" EMSCRIPTEN_KEEPALIVE const char* tavrelo_test_state() {
  namespace user = platform::user;
  static std::string text;
  text.clear();
  for (const std::string& line : replay::DescribeGame()) text += line + "\n";
  text += "pictures left=" + RectText(g_Game.leftRect) + " right=" + RectText(g_Game.rightRect) + "\n";
  for (int i = 0; i < kHighScoreCount; ++i) {
    const HighScoreEntry& entry = g_Settings.highScores.entries[i];
    if (entry.name[0] != '\0' || entry.score != 0)
      text += "board " + std::to_string(i) + " " + std::to_string(entry.score) + " " + entry.name + "\n";
  }
  for (HWND hwnd : user::State().order) {
    const user::Window* window = user::FindWindowOf(hwnd);
    if (window == nullptr || !IsWindowVisible(hwnd)) continue;
    RECT frame;
    GetWindowRect(hwnd, &frame);
    if (window->parent != nullptr) {
      text += "control " + window->windowClass->name + " frame=" + RectText(frame) + " " +
              window->text + "\n";
      continue;
    }
    if (const user::Menu* bar = user::FindMenu(window->menu))
      for (const user::MenuItem& title : bar->items)
        if (const user::Menu* popup = user::FindMenu(title.submenu))
          for (const user::MenuItem& item : popup->items)
            if (item.flags & MF_CHECKED) text += "checked " + item.text + "\n";
    text += "window " + window->windowClass->name + " frame=" + RectText(frame) +
            " client=" + RectText(user::ClientArea(*window)) + " " + window->text + "\n";
  }
  return text.c_str();
}
