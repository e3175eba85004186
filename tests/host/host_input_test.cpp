// What a host hands the subset: the messages of a click, a key and a typed character, in the
// order Windows queues them; and a desktop composed as one screen (the browser's page), which
// fits its windows and tells which window is under a point.
#include <gtest/gtest.h>
#include <windows.h>

#include <ostream>
#include <vector>

#include "gdi/gdi_state.h"
#include "host/input.h"
#include "support/test_host.h"
#include "user/compose.h"
#include "user/user_state.h"

namespace {

using platform::host::QueueButton;
using platform::host::QueueCharacter;
using platform::host::QueueKey;

struct Queued {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool operator==(const Queued& o) const {
    return hwnd == o.hwnd && message == o.message && wParam == o.wParam && lParam == o.lParam;
  }
  friend void PrintTo(const Queued& q, std::ostream* out) {
    *out << "{" << q.hwnd << ", 0x" << std::hex << q.message << ", 0x" << q.wParam << ", 0x"
         << q.lParam << std::dec << "}";
  }
};

class HostInput : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "HostInputClass";
    RegisterClassExA(&wc);
  }
  void TearDown() override {
    for (HWND hwnd : windows_)
      if (IsWindow(hwnd)) DestroyWindow(hwnd);
    Taken();
    platform::user::FitDesktopToWindows(false);
    platform::gdi::SetScreenSize(1920, 1080);
  }

  HWND Make(DWORD style, int x, int y, int w, int h, HWND parent = nullptr) {
    HWND hwnd = CreateWindowExA(0, "HostInputClass", "", style, x, y, w, h, parent, nullptr,
                                nullptr, nullptr);
    windows_.push_back(hwnd);
    return hwnd;
  }

  // Everything queued, as the program would take it.
  std::vector<Queued> Taken() {
    std::vector<Queued> taken;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
      if (msg.message != WM_PAINT) taken.push_back({msg.hwnd, msg.message, msg.wParam, msg.lParam});
      else ValidateRect(msg.hwnd, nullptr);
    return taken;
  }

  fixtures::TestHost host_;
  std::vector<HWND> windows_;
};

TEST_F(HostInput, AClickGoesToTheDeepestControlOrTheMenuBarAndNeverToADisabledWindow) {
  HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 300, 200);
  HWND button = Make(WS_CHILD | WS_VISIBLE, 40, 30, 100, 20, top);
  Taken();
  QueueButton(top, 50, 35, true, false);
  QueueButton(top, 50, 35, false, false);
  QueueButton(top, 5, 5, true, true);
  QueueButton(top, 120, -4, true, false);  // on the menu bar: the menu, not a click
  QueueButton(top, 120, -4, false, false);
  // The menu's command is posted, and posted messages are taken before input.
  EXPECT_EQ(Taken(), (std::vector<Queued>{
                         {top, WM_SYSCOMMAND, SC_MOUSEMENU, 120},
                         {button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5)},
                         {button, WM_LBUTTONUP, 0, MAKELPARAM(10, 5)},
                         {top, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5)},
                     }));
  EnableWindow(top, FALSE);
  QueueButton(top, 50, 35, true, false);
  EXPECT_TRUE(Taken().empty());
}

TEST_F(HostInput, KeysAndCharactersAsWindowsQueuesThem) {
  HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 300, 200);
  SetFocus(top);
  Taken();
  QueueKey('A', true, false, false);
  QueueCharacter('a');
  QueueKey(VK_BACK, true, false, true);  // held: a repeat, which also types a backspace
  QueueKey('G', true, true, false);      // Alt+G: a mnemonic
  QueueKey(VK_MENU, false, true, false);
  QueueKey(0, true, false, false);       // a key the subset does not know: nothing
  EXPECT_EQ(Taken(), (std::vector<Queued>{
                         {top, WM_KEYDOWN, 'A', 0},
                         {top, WM_CHAR, 'a', 0},
                         {top, WM_KEYDOWN, VK_BACK, 1 << 30},
                         {top, WM_CHAR, '\b', 0},
                         {top, WM_SYSKEYDOWN, 'G', 1 << 29},
                         {top, WM_SYSCHAR, 'g', 1 << 29},
                         {top, WM_KEYUP, VK_MENU, 0},
                     }));
  SetFocus(nullptr);
  QueueCharacter('b');  // typing with nothing focused goes nowhere
  EXPECT_TRUE(Taken().empty());
}

TEST_F(HostInput, AFittedDesktopGrowsToItsLargestWindowAndKnowsWhichIsOnTop) {
  HWND under = Make(WS_POPUP | WS_VISIBLE, 0, 0, 300, 200);
  platform::user::FitDesktopToWindows();
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 300);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 200);
  HWND over = Make(WS_POPUP | WS_VISIBLE, 100, 50, 120, 260);
  Make(WS_CHILD | WS_VISIBLE, 0, 0, 900, 900, over);  // a control is not on the desktop
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 300);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 260);
  SetWindowPos(under, nullptr, 0, 0, 400, 100, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 400);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 260);  // grown, never shrunk

  EXPECT_EQ(platform::user::TopLevelAt(100, 50), over);  // the newer one covers the older
  EXPECT_EQ(platform::user::TopLevelAt(99, 50), under);
  EXPECT_EQ(platform::user::TopLevelAt(350, 150), nullptr);
  ShowWindow(over, SW_HIDE);
  EXPECT_EQ(platform::user::TopLevelAt(100, 50), under);
}

}  // namespace
