#include "session.h"

#include <vector>

#include "user_state.h"

namespace platform::user {

void EndSession(LPARAM reason) {
  std::vector<HWND> tops;
  for (auto it = State().order.rbegin(); it != State().order.rend(); ++it) {
    const Window* window = FindWindowOf(*it);
    if (window != nullptr && window->parent == nullptr) tops.push_back(*it);
  }
  // A window may go while another handles its message: each is asked only while it exists.
  for (HWND hwnd : tops)
    if (IsWindow(hwnd)) SendMessageA(hwnd, WM_QUERYENDSESSION, 0, reason);
  for (HWND hwnd : tops)
    if (IsWindow(hwnd)) SendMessageA(hwnd, WM_ENDSESSION, TRUE, reason);
}

}  // namespace platform::user
