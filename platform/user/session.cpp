#include "session.h"

#include <vector>

#include "user_state.h"

namespace platform::user {
namespace {

std::vector<HWND> TopLevelWindowsNewestFirst() {
  std::vector<HWND> tops;
  for (auto it = State().order.rbegin(); it != State().order.rend(); ++it) {
    const Window* window = FindWindowOf(*it);
    if (window != nullptr && window->parent == nullptr) tops.push_back(*it);
  }
  return tops;
}

}  // namespace

void EndSession(LPARAM reason) {
  const std::vector<HWND> tops = TopLevelWindowsNewestFirst();
  // A window may go while another handles its message: each is asked only while it exists.
  for (HWND hwnd : tops)
    if (IsWindow(hwnd)) SendMessageA(hwnd, WM_QUERYENDSESSION, 0, reason);
  for (HWND hwnd : tops)
    if (IsWindow(hwnd)) SendMessageA(hwnd, WM_ENDSESSION, TRUE, reason);
}

void PowerBroadcast(WPARAM event) {
  for (HWND hwnd : TopLevelWindowsNewestFirst())
    if (IsWindow(hwnd)) SendMessageA(hwnd, WM_POWERBROADCAST, event, 0);
}

}  // namespace platform::user
