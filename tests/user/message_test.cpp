// Message sequences in the manner of Wine's tests: a window procedure records what it hears,
// and the test compares that with the messages Windows sends, in Windows' order.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "support/test_host.h"
#include "user/session.h"
#include "user/user_state.h"

namespace {

struct Heard {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

std::vector<Heard> g_heard;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  g_heard.push_back({hwnd, message, wParam, lParam});
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

std::vector<UINT> Messages(HWND only = nullptr) {
  std::vector<UINT> messages;
  for (const Heard& h : g_heard)
    if (only == nullptr || h.hwnd == only) messages.push_back(h.message);
  return messages;
}

class Messaging : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = RecordingProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "RecordingClass";
    RegisterClassExA(&wc);
  }
  void SetUp() override { g_heard.clear(); }
  void TearDown() override {
    for (HWND hwnd : windows_)
      if (IsWindow(hwnd)) DestroyWindow(hwnd);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  HWND Make(DWORD style = WS_CAPTION | WS_SYSMENU, HWND parent = nullptr) {
    HWND hwnd = CreateWindowExA(0, "RecordingClass", "test", style, 10, 20, 200, 150, parent,
                                nullptr, nullptr, nullptr);
    windows_.push_back(hwnd);
    return hwnd;
  }

  // Retrieves and dispatches everything that is ready, without waiting.
  std::vector<UINT> Drain() {
    std::vector<UINT> retrieved;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      retrieved.push_back(msg.message);
      if (msg.message != WM_QUIT) DispatchMessageA(&msg);
    }
    return retrieved;
  }

  fixtures::TestHost host_;
  std::vector<HWND> windows_;
};

TEST_F(Messaging, CreationAndDestructionComeInWindowsOrder) {
  HWND parent = Make();
  ASSERT_NE(parent, nullptr);
  HWND child = Make(WS_CHILD | WS_VISIBLE, parent);
  EXPECT_EQ(Messages(parent), (std::vector<UINT>{WM_NCCREATE, WM_CREATE}));
  EXPECT_EQ(Messages(child), (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SHOWWINDOW}));
  g_heard.clear();
  ASSERT_TRUE(DestroyWindow(parent));
  std::vector<std::pair<HWND, UINT>> order;
  for (const Heard& h : g_heard) order.push_back({h.hwnd, h.message});
  EXPECT_EQ(order, (std::vector<std::pair<HWND, UINT>>{{parent, WM_DESTROY},
                                                       {child, WM_DESTROY},
                                                       {child, WM_NCDESTROY},
                                                       {parent, WM_NCDESTROY}}));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(DestroyWindow(parent));
}

TEST_F(Messaging, PostedBeforeQuitBeforeInputBeforePaintBeforeTimer) {
  HWND hwnd = Make();
  ShowWindow(hwnd, SW_SHOW);
  SetTimer(hwnd, 1, 100, nullptr);
  host_.AdvanceMs(150);
  platform::user::QueueInput({hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5), 0, {}});
  PostMessageA(hwnd, WM_USER + 1, 0, 0);
  PostQuitMessage(3);
  PostMessageA(hwnd, WM_USER + 2, 0, 0);
  EXPECT_EQ(Drain(), (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_QUIT, WM_LBUTTONDOWN, WM_PAINT,
                                        WM_TIMER}));
}

TEST_F(Messaging, ManyInvalidationsGiveOnePaintAndItValidates) {
  HWND hwnd = Make();
  ShowWindow(hwnd, SW_SHOW);
  Drain();
  g_heard.clear();
  const RECT a{0, 0, 10, 10}, b{50, 50, 60, 60};
  InvalidateRect(hwnd, &a, FALSE);
  InvalidateRect(hwnd, &b, FALSE);
  InvalidateRect(hwnd, nullptr, TRUE);
  EXPECT_EQ(Drain(), std::vector<UINT>{WM_PAINT});
  EXPECT_EQ(Messages(hwnd), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}))
      << "BeginPaint erases first";
  EXPECT_TRUE(Drain().empty());
}

TEST_F(Messaging, ALateTimerGivesOneMessageAndStartsItsNextPeriodThen) {
  HWND hwnd = Make();
  SetTimer(hwnd, 7, 100, nullptr);
  EXPECT_TRUE(Drain().empty()) << "not due yet";
  host_.AdvanceMs(1000);  // ten periods late
  EXPECT_EQ(Drain(), std::vector<UINT>{WM_TIMER});
  host_.AdvanceMs(99);
  EXPECT_TRUE(Drain().empty());
  host_.AdvanceMs(1);
  EXPECT_EQ(Drain(), std::vector<UINT>{WM_TIMER});
  EXPECT_EQ(g_heard.back().wParam, 7u);
  EXPECT_TRUE(KillTimer(hwnd, 7));
  EXPECT_FALSE(KillTimer(hwnd, 7));
  host_.AdvanceMs(500);
  EXPECT_TRUE(Drain().empty());
}

TEST_F(Messaging, GetMessageSleepsUntilTheNextTimer) {
  HWND hwnd = Make();
  SetTimer(hwnd, 1, 1000, nullptr);
  SetTimer(hwnd, 2, 5, nullptr);  // under 10 ms: 10
  const std::uint64_t start = host_.now;
  MSG msg;
  ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(msg.wParam, 2u);
  EXPECT_EQ(host_.now - start, 10'000'000u);
  KillTimer(hwnd, 2);
  ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.wParam, 1u);
  EXPECT_EQ(host_.now - start, 1'000'000'000u);
  KillTimer(hwnd, 1);
  host_.onIdle = [] {
    PostQuitMessage(5);
    return true;
  };
  EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 5u);
}

TEST_F(Messaging, AltF4ClosesTheWindowThroughTheSystemCommand) {
  HWND hwnd = Make();
  ShowWindow(hwnd, SW_SHOW);
  Drain();
  g_heard.clear();
  platform::user::QueueInput({hwnd, WM_SYSKEYDOWN, VK_F4, 1 << 29, 0, {}});
  Drain();
  EXPECT_EQ(Messages(hwnd), (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSCOMMAND, WM_CLOSE, WM_KILLFOCUS,
                                               WM_DESTROY, WM_NCDESTROY}));
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(Messaging, MinimisingParksTheWindowAndRestoringBringsItBack) {
  HWND hwnd = Make(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  ShowWindow(hwnd, SW_SHOW);
  g_heard.clear();
  ShowWindow(hwnd, SW_MINIMIZE);
  ASSERT_FALSE(g_heard.empty());
  EXPECT_EQ(g_heard.back().message, static_cast<UINT>(WM_MOVE));
  EXPECT_EQ(GET_X_LPARAM(g_heard.back().lParam), -32000);
  EXPECT_EQ(GET_Y_LPARAM(g_heard.back().lParam), -32000);
  RECT r;
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.left, -32000);
  ShowWindow(hwnd, SW_RESTORE);
  EXPECT_EQ(GET_X_LPARAM(g_heard.back().lParam), 10 + 3) << "the client origin again";
  EXPECT_EQ(GET_Y_LPARAM(g_heard.back().lParam), 20 + 3 + 19);
}

TEST_F(Messaging, WindowSizesFollowTheFrameMetrics) {
  RECT r{0, 0, 632, 420};
  ASSERT_TRUE(AdjustWindowRect(&r, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, TRUE));
  EXPECT_EQ(r.right - r.left, 638);
  EXPECT_EQ(r.bottom - r.top, 464);
  HWND hwnd = Make(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE);
  RECT client;
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, 632 + 0) << "no menu here: the caption alone";
  RECT desktop;
  GetWindowRect(GetDesktopWindow(), &desktop);
  EXPECT_EQ(desktop.right, GetSystemMetrics(SM_CXSCREEN));
}

TEST_F(Messaging, OwnDcKeepsItsObjectsAndEraseUsesTheClassBrush) {
  HWND hwnd = Make();
  HDC first = GetDC(hwnd);
  SetROP2(first, R2_XORPEN);
  ReleaseDC(hwnd, first);
  HDC second = GetDC(hwnd);
  EXPECT_EQ(first, second);
  EXPECT_EQ(GetROP2(second), R2_XORPEN);
  SetROP2(second, R2_COPYPEN);
  RECT box{0, 0, 50, 50};
  FillRect(second, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(GetPixel(second, 5, 5), RGB(0, 0, 0));
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);  // erases with COLOR_WINDOW, white
  EXPECT_EQ(GetPixel(second, 5, 5), RGB(255, 255, 255));
}

LRESULT CALLBACK RefusingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  g_heard.push_back({hwnd, message, wParam, lParam});
  if (message == WM_QUERYENDSESSION) return FALSE;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A forced end of session: every top-level window is asked, newest first, then every one is
// told that the session ends, even one that answered no; children hear nothing.
TEST_F(Messaging, EndOfSessionAsksThenEndsEveryTopLevelWindow) {
  HWND older = Make();
  HWND child = Make(WS_CHILD | WS_VISIBLE, older);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = RefusingProc;
  wc.lpszClassName = "RefusingClass";
  RegisterClassExA(&wc);
  HWND newer = CreateWindowExA(0, "RefusingClass", "no", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                               nullptr, nullptr);
  windows_.push_back(newer);
  g_heard.clear();
  platform::user::EndSession(ENDSESSION_CRITICAL);

  std::vector<Heard> session;
  for (const Heard& h : g_heard)
    if (h.message == WM_QUERYENDSESSION || h.message == WM_ENDSESSION) session.push_back(h);
  ASSERT_EQ(session.size(), 4u);
  const struct {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
  } expected[] = {{newer, WM_QUERYENDSESSION, 0},
                  {older, WM_QUERYENDSESSION, 0},
                  {newer, WM_ENDSESSION, TRUE},
                  {older, WM_ENDSESSION, TRUE}};
  for (std::size_t i = 0; i < session.size(); ++i) {
    EXPECT_EQ(session[i].hwnd, expected[i].hwnd) << i;
    EXPECT_EQ(session[i].message, expected[i].message) << i;
    EXPECT_EQ(session[i].wParam, expected[i].wParam) << i;
    EXPECT_EQ(static_cast<DWORD>(session[i].lParam), ENDSESSION_CRITICAL) << i;
  }
  EXPECT_TRUE(Messages(child).empty());
  EXPECT_EQ(SendMessageA(older, WM_QUERYENDSESSION, 0, 0), TRUE) << "DefWindowProc agrees";
}

// The display DC puts together only the part of the screen a call reads, so every read must
// find the windows at their places whatever part it asks for.
TEST_F(Messaging, DisplayDcReadsTheWindowsWhereTheyStand) {
  HWND hwnd = Make(WS_POPUP);  // no frame: the client area starts at (10, 20)
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  HDC own = GetDC(hwnd);
  RECT box{0, 0, 50, 50};
  FillRect(own, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ReleaseDC(hwnd, own);

  HDC display = CreateDCA("Display", nullptr, nullptr, nullptr);
  const COLORREF desktop = GetSysColor(COLOR_DESKTOP);
  EXPECT_EQ(GetPixel(display, 10, 20), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(display, 9, 20), desktop);
  EXPECT_EQ(GetPixel(display, 10, 19), desktop);
  EXPECT_EQ(GetPixel(display, 70, 80), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(display, 209, 169), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(display, 210, 169), desktop);

  HDC memory = CreateCompatibleDC(display);
  HBITMAP bitmap = CreateCompatibleBitmap(display, 20, 20);
  HGDIOBJ old = SelectObject(memory, bitmap);
  ASSERT_TRUE(BitBlt(memory, 0, 0, 20, 20, display, 5, 15, SRCCOPY));
  EXPECT_EQ(GetPixel(memory, 4, 4), desktop);
  EXPECT_EQ(GetPixel(memory, 5, 4), desktop);
  EXPECT_EQ(GetPixel(memory, 5, 5), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(memory, 19, 19), RGB(0, 0, 0));
  ASSERT_TRUE(BitBlt(memory, 0, 0, 20, 20, display, 200, 160, SRCCOPY));
  EXPECT_EQ(GetPixel(memory, 9, 9), RGB(255, 255, 255)) << "the window's last pixel";
  EXPECT_EQ(GetPixel(memory, 10, 9), desktop);
  EXPECT_EQ(GetPixel(memory, 9, 10), desktop);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  DeleteDC(display);
}

}  // namespace
