// What a host hands the subset: the messages of a click, a key and a typed character, in the
// order Windows queues them; and a desktop composed as one screen (the browser's page), which
// fits its windows and tells which window is under a point.
#include <gtest/gtest.h>
#include <windows.h>

#include <ostream>
#include <vector>

#include "gdi/gdi_state.h"
#include "host/composition.h"
#include "host/input.h"
#include "user/damage.h"
#include "support/test_host.h"
#include "user/compose.h"
#include "user/user_state.h"

namespace {

using platform::host::Button;
using platform::host::CancelButtons;
using platform::host::QueueButton;
using platform::host::QueueCharacter;
using platform::host::QueueClose;
using platform::host::QueueKey;
using platform::host::QueueText;
using platform::host::QueueTouch;
using platform::host::Touch;

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

TEST_F(HostInput, ButtonsGoToTheDeepestControlOrTheMenuBarAndNeverToADisabledWindow) {
  HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 300, 200);
  HWND button = Make(WS_CHILD | WS_VISIBLE, 40, 30, 100, 20, top);
  Taken();
  QueueButton(top, 50, 35, Button::kLeft, true);
  QueueButton(top, 50, 35, Button::kLeft, false);
  QueueButton(top, 5, 5, Button::kRight, true);
  QueueButton(top, 6, 5, Button::kMiddle, true);  // neither is the left button
  QueueButton(top, 6, 5, Button::kMiddle, false);
  QueueButton(top, 7, 5, Button::kX2, true);
  QueueButton(top, 120, -4, Button::kMiddle, true);  // only the left button opens a menu
  QueueButton(top, 120, -4, Button::kLeft, true);    // on the menu bar: the menu, not a click
  QueueButton(top, 120, -4, Button::kLeft, false);
  // The menu's command is posted, and posted messages are taken before input.
  EXPECT_EQ(Taken(), (std::vector<Queued>{
                         {top, WM_SYSCOMMAND, SC_MOUSEMENU, 120},
                         {button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5)},
                         {button, WM_LBUTTONUP, 0, MAKELPARAM(10, 5)},
                         {top, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5)},
                         {top, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(6, 5)},
                         {top, WM_MBUTTONUP, 0, MAKELPARAM(6, 5)},
                         {top, WM_XBUTTONDOWN, MAKEWPARAM(MK_XBUTTON2, XBUTTON2), MAKELPARAM(7, 5)},
                     }));
  CancelButtons();  // the right and X2 presses above were never let go
  EXPECT_EQ(Taken(), (std::vector<Queued>{{top, WM_CANCELMODE, 0, 0}, {top, WM_CANCELMODE, 0, 0}}));
  EnableWindow(top, FALSE);
  QueueButton(top, 50, 35, Button::kLeft, true);
  QueueClose(top);  // Alt+F4 from the window manager, or its close box
  EXPECT_TRUE(Taken().empty());
  EnableWindow(top, TRUE);
  QueueClose(top);
  EXPECT_EQ(Taken(), (std::vector<Queued>{{top, WM_SYSCOMMAND, SC_CLOSE, 0}}));
}

TEST_F(HostInput, ATouchIsTheLeftButtonAndACancelledOneClicksNothing) {
  HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 300, 200);
  HWND button = Make(WS_CHILD | WS_VISIBLE, 40, 30, 100, 20, top);
  Taken();
  QueueTouch(7, 50, 35, Touch::kDown);
  QueueTouch(8, 10, 10, Touch::kDown);  // a second finger presses nothing
  QueueTouch(8, 10, 10, Touch::kUp);
  QueueTouch(7, 50, 35, Touch::kUp);
  QueueTouch(9, 50, 35, Touch::kDown);
  QueueTouch(9, 50, 35, Touch::kCancel);  // the browser took it back
  QueueTouch(9, 50, 35, Touch::kUp);      // and nothing of it is let go
  EXPECT_EQ(Taken(), (std::vector<Queued>{
                         {button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5)},
                         {button, WM_LBUTTONUP, 0, MAKELPARAM(10, 5)},
                         {button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5)},
                         {button, WM_CANCELMODE, 0, 0},
                     }));
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
  QueueKey(VK_F10, true, false, false);  // F10 is a system key, as Alt is
  QueueKey(0, true, false, false);       // a key the subset does not know: nothing
  QueueText("J\xC3\xBCrgen \xC3\x86r\xC3\xB8 \xE2\x82\xAC\xF0\x9F\x98\x80\xFF!");
  EXPECT_EQ(Taken(), (std::vector<Queued>{
                         {top, WM_KEYDOWN, 'A', 0},
                         {top, WM_CHAR, 'a', 0},
                         {top, WM_KEYDOWN, VK_BACK, 1 << 30},
                         {top, WM_CHAR, '\b', 0},
                         {top, WM_SYSKEYDOWN, 'G', 1 << 29},
                         {top, WM_SYSCHAR, 'g', 1 << 29},
                         {top, WM_KEYUP, VK_MENU, 0},
                         {top, WM_SYSKEYDOWN, VK_F10, 0},
                         // "Jürgen Ærø €" in Windows-1252; an emoji and a stray byte are left out
                         {top, WM_CHAR, 'J', 0},    {top, WM_CHAR, 0xFC, 0},
                         {top, WM_CHAR, 'r', 0},    {top, WM_CHAR, 'g', 0},
                         {top, WM_CHAR, 'e', 0},    {top, WM_CHAR, 'n', 0},
                         {top, WM_CHAR, ' ', 0},    {top, WM_CHAR, 0xC6, 0},
                         {top, WM_CHAR, 'r', 0},    {top, WM_CHAR, 0xF8, 0},
                         {top, WM_CHAR, ' ', 0},    {top, WM_CHAR, 0x80, 0},
                         {top, WM_CHAR, '!', 0},
                     }));
  SetFocus(nullptr);
  QueueCharacter('b');  // typing with nothing focused goes nowhere
  EXPECT_TRUE(Taken().empty());
}

TEST(HostKeys, OneKeyMapForEveryHostsNamesAndOneCodePage) {
  using platform::host::VirtualKeyNamed;
  // SDL's names, the browser's, and the replay scripts'.
  EXPECT_EQ(VirtualKeyNamed("Return"), VK_RETURN);
  EXPECT_EQ(VirtualKeyNamed("Enter"), VK_RETURN);
  EXPECT_EQ(VirtualKeyNamed("Keypad Enter"), VK_RETURN);
  EXPECT_EQ(VirtualKeyNamed("Left"), VK_LEFT);
  EXPECT_EQ(VirtualKeyNamed("ArrowLeft"), VK_LEFT);
  EXPECT_EQ(VirtualKeyNamed("Left Shift"), VK_SHIFT);
  EXPECT_EQ(VirtualKeyNamed(" "), VK_SPACE);
  EXPECT_EQ(VirtualKeyNamed("g"), 'G');
  EXPECT_EQ(VirtualKeyNamed("7"), '7');
  EXPECT_EQ(VirtualKeyNamed("F10"), VK_F10);
  EXPECT_EQ(VirtualKeyNamed("F13"), 0u);
  EXPECT_EQ(VirtualKeyNamed("F"), 'F');
  EXPECT_EQ(VirtualKeyNamed("\xC3\x9C"), 0u);  // Ü: a key the program does not hear
  EXPECT_EQ(VirtualKeyNamed(""), 0u);
  EXPECT_NE(platform::host::KeyMap().find("ArrowDown=40\n"), std::string::npos);

  EXPECT_EQ(platform::host::KeyCharacter('Y', false), 'y');
  EXPECT_EQ(platform::host::KeyCharacter('Y', true), 'Y');
  EXPECT_EQ(platform::host::KeyCharacter(VK_F2, false), 0);

  // Every character of the code page there and back; its five holes are no characters.
  for (int code = 0x20; code <= 0xFF; ++code) {
    const std::string ansi(1, static_cast<char>(code));
    const std::string utf8 = platform::host::Utf8FromAnsi(ansi);
    if (code == 0x7F || code == 0x81 || code == 0x8D || code == 0x8F || code == 0x90 || code == 0x9D)
      continue;
    EXPECT_EQ(platform::host::AnsiFromUtf8(utf8), ansi) << code;
  }
  EXPECT_EQ(platform::host::AnsiOf(0x20AC), 0x80);  // €
  EXPECT_EQ(platform::host::AnsiOf(0x0178), 0x9F);  // Ÿ
  EXPECT_EQ(platform::host::AnsiOf(0x0100), -1);
  EXPECT_EQ(platform::host::AnsiFromUtf8("\xE2\x82"), "");  // cut short
}

TEST_F(HostInput, TypingIsWantedOnlyWhileAnEditBoxThatTakesItHasTheFocus) {
  HWND top = Make(WS_POPUP | WS_VISIBLE, 100, 50, 300, 200);
  HWND box = CreateWindowExA(0, "EDIT", "J\xFCrgen", WS_CHILD | WS_VISIBLE, 10, 20, 120, 22, top,
                             nullptr, nullptr, nullptr);
  windows_.push_back(box);
  SetFocus(top);
  EXPECT_FALSE(platform::host::TextInputNow().wanted);
  SetFocus(box);
  SendMessageA(box, EM_SETSEL, 1, 3);
  const platform::host::TextInput typing = platform::host::TextInputNow();
  EXPECT_TRUE(typing.wanted);
  EXPECT_EQ(typing.text, "J\xC3\xBCrgen");
  EXPECT_EQ(typing.anchor, 1);
  EXPECT_EQ(typing.caret, 3);
  EXPECT_EQ(typing.place.left, 110);
  EXPECT_EQ(typing.place.top, 70);
  // Home, Delete and End move the caret as the box does: the host follows what it holds.
  QueueKey(VK_HOME, true, false, false);
  QueueKey(VK_DELETE, true, false, false);
  QueueKey(VK_END, true, false, false);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  EXPECT_EQ(platform::host::TextInputNow().text, "\xC3\xBCrgen");
  EXPECT_EQ(platform::host::TextInputNow().caret, 5);
  EnableWindow(box, FALSE);
  EXPECT_FALSE(platform::host::TextInputNow().wanted);
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

// A composition kept only from the damage the subset reports must always equal the screen
// composed afresh: a change that reports no damage would leave stale pixels on every composed
// display (the browser's canvas, a Wayland window).
TEST_F(HostInput, ACompositionKeptFromDamageIsTheScreenComposedAfresh) {
  platform::gdi::SetScreenSize(500, 400);
  platform::host::Composition kept;
  const platform::gdi::Box screen{0, 0, 500, 400};
  int step = 0;
  const auto same = [&](const char* what) {
    ++step;
    const auto changed = kept.Update(screen, platform::user::TakeScreenDamage());
    platform::gdi::PixelBuffer fresh;
    fresh.Resize(500, 400, platform::gdi::PixelFromColorref(GetSysColor(COLOR_DESKTOP)));
    platform::user::ComposeScreen(fresh, 0, 0);
    EXPECT_TRUE(fresh.pixels == kept.pixels().pixels) << "after " << what;
    return changed;
  };
  const auto paint = [](HWND hwnd, COLORREF colour, RECT r) {
    HDC dc = GetDC(hwnd);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    ReleaseDC(hwnd, dc);
  };
  EXPECT_EQ(same("nothing").size(), 1u);  // the first frame is the whole screen
  HWND main = Make(WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 20, 20, 300, 200);
  SetWindowTextA(main, "Main");
  same("a window shown");
  EXPECT_TRUE(same("nothing more").empty());  // nothing changed: nothing to show
  paint(main, RGB(200, 30, 30), {10, 10, 60, 40});
  const auto drawn = same("a fill in the client area");
  ASSERT_EQ(drawn.size(), 1u);
  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(drawn[0].bottom - drawn[0].top, client.bottom);  // the client area, not the frame
  HWND child = Make(WS_CHILD | WS_VISIBLE, 100, 50, 80, 40, main);
  paint(child, RGB(30, 200, 30), {0, 0, 200, 200});  // clipped to the control
  same("a control drawn");
  HWND dialog = Make(WS_POPUP | WS_CAPTION | WS_VISIBLE, 150, 120, 200, 150);
  EnableWindow(main, FALSE);
  same("a dialog over a disabled window");
  SetWindowTextA(dialog, "Question");
  same("a caption's text");
  SetWindowPos(dialog, nullptr, 260, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  same("a window moved");
  SetWindowPos(main, nullptr, 0, 0, 340, 180, SWP_NOMOVE | SWP_NOZORDER);
  same("a window resized");
  ShowWindow(dialog, SW_HIDE);
  same("a window hidden");
  EnableWindow(main, TRUE);
  same("a window enabled");
  DestroyWindow(dialog);
  ShowWindow(main, SW_MINIMIZE);
  same("a window minimised");
  ShowWindow(main, SW_RESTORE);
  same("a window restored");
  EXPECT_EQ(step, 13);
  // Shown on an output of another scale, the same pixels are all shown anew, at once; a frame
  // the compositor had no buffer for comes again with the next update, however little changed.
  EXPECT_TRUE(kept.Update(screen, {}, 1).empty());
  EXPECT_EQ(kept.Update(screen, {}, 2).size(), 1u);
  EXPECT_TRUE(kept.Update(screen, {}, 2).empty());
  kept.Unshown({{5, 5, 50, 50}});
  EXPECT_TRUE(kept.HasUnshown());
  const auto again = kept.Update(screen, {}, 2);
  ASSERT_EQ(again.size(), 1u);
  EXPECT_EQ(again[0].right, 50);
  EXPECT_FALSE(kept.HasUnshown());
}

}  // namespace
