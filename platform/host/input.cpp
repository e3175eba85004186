#include "input.h"

#include "../user/compose.h"
#include "../user/user_state.h"

namespace platform::host {

namespace user = platform::user;

void QueueButton(HWND top, int x, int y, bool down, bool right) {
  if (!IsWindowEnabled(top)) return;
  if (y < 0) {
    if (down) PostMessageA(top, WM_SYSCOMMAND, SC_MOUSEMENU, x);
    return;
  }
  const HWND target = user::DeepestChildAt(top, &x, &y);
  const UINT message =
      right ? (down ? WM_RBUTTONDOWN : WM_RBUTTONUP) : (down ? WM_LBUTTONDOWN : WM_LBUTTONUP);
  user::QueueInput({target,
                    message,
                    static_cast<WPARAM>(down ? (right ? MK_RBUTTON : MK_LBUTTON) : 0),
                    MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)),
                    0,
                    {}});
}

void QueueButtonAt(int x, int y, bool down, bool right) {
  const HWND top = user::TopLevelAt(x, y);
  const user::Window* window = user::FindWindowOf(top);
  if (window == nullptr) return;
  const RECT client = user::ClientArea(*window);
  x -= client.left, y -= client.top;
  const bool onMenuBar = window->menu != nullptr && y < 0 && y >= -user::kMetrics.menu;
  if (x < 0 || x >= client.right - client.left || y >= client.bottom - client.top ||
      (y < 0 && !onMenuBar))
    return;
  QueueButton(top, x, y, down, right);
}

void QueueKey(WPARAM vk, bool down, bool alt, bool repeat) {
  const HWND focus = GetFocus() != nullptr ? GetFocus() : user::State().active;
  if (vk == 0 || focus == nullptr) return;
  alt = alt && vk != VK_MENU;
  const UINT message = alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
  // Bit 29: Alt is down; bit 30: the key was down already (a repeat), as Windows says.
  const LPARAM flags = (alt ? (1 << 29) : 0) | (down && repeat ? (1 << 30) : 0);
  user::QueueInput({focus, message, vk, flags, 0, {}});
  if (down && vk == VK_BACK) user::QueueInput({focus, WM_CHAR, '\b', 0, 0, {}});
  if (down && alt && vk >= 'A' && vk <= 'Z')
    user::QueueInput({focus, WM_SYSCHAR, vk + 32, 1 << 29, 0, {}});
}

void QueueCharacter(unsigned char c) {
  if (const HWND focus = GetFocus(); focus != nullptr)
    user::QueueInput({focus, WM_CHAR, static_cast<WPARAM>(c), 0, 0, {}});
}

}  // namespace platform::host
