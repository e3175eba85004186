// Dialogs and message boxes on a scripted host: each time the modal loop would wait, the next
// step of the script runs (a key, typed text), as the replay driver will run a test script.
#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "../../resources/resource.h"
#include "support/test_host.h"
#include "user/message_box.h"
#include "user/user_state.h"

namespace {

class Dialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    host_.onIdle = [this] {
      if (steps_.empty()) return false;
      auto step = std::move(steps_.front());
      steps_.pop_front();
      step();
      return true;
    };
  }

  // A key pressed and released on the window with the focus.
  void Key(WPARAM key, bool shift = false) {
    steps_.push_back([key, shift] {
      const HWND focus = GetFocus();
      if (shift) platform::user::QueueInput({focus, WM_KEYDOWN, VK_SHIFT, 0, 0, {}});
      platform::user::QueueInput({focus, WM_KEYDOWN, key, 0, 0, {}});
      platform::user::QueueInput({focus, WM_KEYUP, key, 0, 0, {}});
      if (shift) platform::user::QueueInput({focus, WM_KEYUP, VK_SHIFT, 0, 0, {}});
    });
  }
  void Type(const std::string& text) {
    steps_.push_back([text] {
      for (char c : text)
        platform::user::QueueInput({GetFocus(), WM_CHAR, static_cast<WPARAM>(c), 0, 0, {}});
    });
  }

  fixtures::TestHost host_;
  std::deque<std::function<void()>> steps_;
};

int GetDlgCtrlIdOfFocus() {
  return static_cast<int>(
      reinterpret_cast<INT_PTR>(platform::user::FindWindowOf(GetFocus())->menu));
}

struct Layout {
  RECT client;
  RECT ok;
  HWND focus;
  bool visibleAtInit;
};
Layout g_layout;

INT_PTR CALLBACK MeasuringProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  GetClientRect(dialog, &g_layout.client);
  g_layout.ok = platform::user::FindWindowOf(GetDlgItem(dialog, IDOK))
                    ->window;  // in the dialog's client area
  g_layout.visibleAtInit = IsWindowVisible(dialog);
  EndDialog(dialog, 42);
  return TRUE;
}

TEST_F(Dialogs, TemplateIsLaidOutInDialogUnitsOfItsFont) {
  EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_ABOUTBOX), nullptr, MeasuringProc, 0),
            42);
  // The base units of Tahoma at 10 points, measured as the dialog manager measures them.
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontA(-MulDiv(10, 96, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                           0, 0, "Tahoma");
  SelectObject(dc, font);
  SIZE letters;
  GetTextExtentPointA(dc, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ", 52, &letters);
  DeleteDC(dc);
  DeleteObject(font);
  const int baseX = (letters.cx / 26 + 1) / 2, baseY = letters.cy;
  EXPECT_EQ(g_layout.client.right, MulDiv(199, baseX, 4));
  EXPECT_EQ(g_layout.client.bottom, MulDiv(180, baseY, 8));
  EXPECT_EQ(g_layout.ok.left, MulDiv(74, baseX, 4));
  EXPECT_EQ(g_layout.ok.top, MulDiv(159, baseY, 8));
  EXPECT_EQ(g_layout.ok.right - g_layout.ok.left, MulDiv(50, baseX, 4));
  EXPECT_EQ(g_layout.ok.bottom - g_layout.ok.top, MulDiv(14, baseY, 8));
  EXPECT_FALSE(g_layout.visibleAtInit) << "shown only when the queue first runs dry";
}

TEST(MulDiv, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(10, 96, 72), 13);
  EXPECT_EQ(MulDiv(3, 1, 2), 2);
  EXPECT_EQ(MulDiv(-3, 1, 2), -2);
  EXPECT_EQ(MulDiv(5, 1, 4), 1);
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

std::string g_typed;
INT_PTR CALLBACK NameProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SendMessageA(GetDlgItem(dialog, IDC_NAME), EM_LIMITTEXT, 16, 0);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        char name[64];
        GetDlgItemTextA(dialog, IDC_NAME, name, sizeof name);
        g_typed = name;
        EndDialog(dialog, LOWORD(wParam));
      }
      return TRUE;
    default:
      return FALSE;
  }
}

TEST_F(Dialogs, TypingTabbingAndEnterInTheNameEntry) {
  Type("Ann");
  Key(VK_LEFT);  // the caret one back
  Type("e");     // "Anen"
  Key(VK_END);
  Type("abcdefghijklmnopqrstuvwxyz");  // stops at 16 characters
  Key(VK_TAB);                         // to OK
  Key(VK_TAB, true);                   // and back to the name
  steps_.push_back([] { EXPECT_EQ(GetDlgCtrlIdOfFocus(), IDC_NAME); });
  Key(VK_RETURN);  // the default button
  EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_NAME), nullptr, NameProc, 0), IDOK);
  EXPECT_EQ(g_typed, "Anenabcdefghijkl");
}

TEST_F(Dialogs, EscapeCancels) {
  Type("Bob");
  Key(VK_ESCAPE);
  EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_NAME), nullptr, NameProc, 0), IDCANCEL);
  EXPECT_EQ(g_typed, "Bob");
}

int g_ticks = 0;
HWND g_openDialog = nullptr;
LRESULT CALLBACK TickingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && ++g_ticks == 3) EndDialog(g_openDialog, 7);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
INT_PTR CALLBACK RememberingProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) g_openDialog = dialog;
  return FALSE;
}

TEST_F(Dialogs, AModalDialogKeepsOtherWindowsTimersTickingAndDisablesItsOwner) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = TickingProc;
  wc.lpszClassName = "TickingClass";
  RegisterClassExA(&wc);
  HWND owner = CreateWindowExA(0, "TickingClass", "owner", WS_CAPTION, 0, 0, 100, 100, nullptr,
                               nullptr, nullptr, nullptr);
  ShowWindow(owner, SW_SHOW);
  SetTimer(owner, 1, 1000, nullptr);
  steps_.push_back([owner] { EXPECT_FALSE(IsWindowEnabled(owner)); });
  g_ticks = 0;
  EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_HIGHSCORE), owner, RememberingProc, 0),
            7);
  EXPECT_EQ(g_ticks, 3);
  EXPECT_TRUE(IsWindowEnabled(owner));
  DestroyWindow(owner);
}

TEST_F(Dialogs, YesNoBoxIsAnsweredByItsLettersAndIgnoresEscape) {
  std::vector<std::string> seen;
  platform::user::SetMessageBoxObserver([&](const char* caption, const char* text, UINT type) {
    seen.push_back(std::string(caption) + "|" + text + "|" + std::to_string(type));
  });
  Key(VK_ESCAPE);  // nothing
  Type("n");
  EXPECT_EQ(MessageBoxA(nullptr, "Are you really want to exit?", "Tavrelo", 0x124), IDNO);
  Type("y");
  EXPECT_EQ(MessageBoxA(nullptr, "Are you really want to exit?", "Tavrelo", 0x124), IDYES);
  Key(VK_RETURN);  // "No" has the focus
  EXPECT_EQ(MessageBoxA(nullptr, "Are you really want to exit?", "Tavrelo", 0x124), IDNO);
  Key(VK_LEFT);  // from No to Yes
  Key(VK_RETURN);
  EXPECT_EQ(MessageBoxA(nullptr, "Are you really want to exit?", "Tavrelo", 0x124), IDYES);
  Key(VK_ESCAPE);
  EXPECT_EQ(MessageBoxA(nullptr, "You passed this stage.", "Tavrelo", 0x40), IDOK)
      << "Esc answers an OK box";
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_EQ(seen[0], "Tavrelo|Are you really want to exit?|292");
  platform::user::SetMessageBoxObserver({});
}

}  // namespace
