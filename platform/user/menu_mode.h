// Menu mode: the menu bar's popups opened by Alt, F10, Alt+letter or a click on the bar, moved
// through with the arrows, chosen with Enter, a mnemonic letter or a click, and left with Esc.
// Choosing an item posts WM_COMMAND with HIWORD 0; a grayed item cannot be chosen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace platform::user {

// The menu bar's titles, laid out left to right from `left`: their labels without "&" marks
// and the x where each begins and ends.
struct BarTitle {
  std::string label;
  int left;
  int right;
};
std::vector<BarTitle> LayOutMenuBar(HWND hwnd, int left);

// Opens popup `index` of the window's menu bar (-1: the bar selected, no popup open) and runs
// menu mode until an item is chosen or the menu is left.
void RunMenuMode(HWND hwnd, int index);
// The popup whose "&" mnemonic is the letter, or -1.
int PopupForMnemonic(HWND hwnd, char letter);
// For hosts: a click at x on the bar of `hwnd`, in client coordinates.
void ClickMenuBar(HWND hwnd, int x);

}  // namespace platform::user
