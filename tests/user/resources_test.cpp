// The game's resource script as the subset serves it: strings, the menu bar with its states,
// accelerators and what they send.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "../../resources/resource.h"
#include "kernel/resources.h"
#include "support/canvas.h"
#include "support/test_host.h"
#include "user/icons.h"
#include "user/user_state.h"

namespace {

TEST(Resources, StringTableHoldsTheGamesTexts) {
  char text[256];
  EXPECT_EQ(LoadStringA(nullptr, IDS_TITLE, text, sizeof text), 7);
  EXPECT_STREQ(text, "Tavrelo");
  LoadStringA(nullptr, IDS_STATUS_FORMAT, text, sizeof text);
  EXPECT_STREQ(text, "Stage: %d Hints: %d Targets: %d");
  LoadStringA(nullptr, IDS_EXIT_CONFIRM, text, sizeof text);
  EXPECT_STREQ(text, "Are you really want to exit?");
  char credits[2048];
  LoadStringA(nullptr, IDS_CREDITS, credits, sizeof credits);
  EXPECT_EQ(std::string(credits).rfind("Game Design:\r\n", 0), 0u);
  EXPECT_EQ(std::string(credits).substr(std::string(credits).size() - 2), "\r\n");
  char small[4];
  EXPECT_EQ(LoadStringA(nullptr, IDS_TITLE, small, sizeof small), 3) << "cut to the buffer";
  EXPECT_STREQ(small, "Tav");
  EXPECT_EQ(LoadStringA(nullptr, 999, text, sizeof text), 0);
}

TEST(Resources, DialogTemplatesKeepTheirUnitsAndControls) {
  const auto& table = platform::resources::ProgramResources();
  const platform::resources::DialogTemplate* about = nullptr;
  for (unsigned i = 0; i < table.dialogCount; ++i)
    if (table.dialogs[i].id == IDD_ABOUTBOX) about = &table.dialogs[i];
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->cx, 199);
  EXPECT_EQ(about->cy, 180);
  EXPECT_STREQ(about->caption, "About Tavrelo");
  EXPECT_STREQ(about->font, "Tahoma");
  EXPECT_EQ(about->pointSize, 10);
  ASSERT_EQ(about->count, 7u);
  EXPECT_EQ(about->controls[0].id, IDOK);
  EXPECT_NE(about->controls[0].style & BS_DEFPUSHBUTTON, 0u);
  EXPECT_EQ(about->controls[2].iconId, static_cast<unsigned>(IDI_TAVRELO));
  EXPECT_NE(about->controls[6].style & ES_MULTILINE, 0u);
}

LRESULT CALLBACK CommandProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
std::vector<WPARAM> g_commands;
LRESULT CALLBACK CommandProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) g_commands.push_back(wParam);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

class MenusAndAccelerators : public ::testing::Test {
 protected:
  void SetUp() override {
    static bool registered = false;
    if (!registered) {
      WNDCLASSEXA wc{};
      wc.cbSize = sizeof wc;
      wc.lpfnWndProc = CommandProc;
      wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
      wc.lpszClassName = "MenuTestClass";
      registered = RegisterClassExA(&wc) != 0;
    }
    hwnd_ = CreateWindowExA(0, "MenuTestClass", "menus", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                            0, 0, 638, 464, nullptr, nullptr, nullptr, nullptr);
    accelerators_ = LoadAcceleratorsA(nullptr, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    g_commands.clear();
  }
  void TearDown() override { DestroyWindow(hwnd_); }

  // A key pressed on the window, through the loop of the game: accelerators first.
  void Press(WPARAM key, UINT message = WM_KEYDOWN) {
    platform::user::QueueInput({hwnd_, message, key, 0, 0, {}});
    platform::user::QueueInput(
        {hwnd_,
         message == WM_KEYDOWN ? static_cast<UINT>(WM_KEYUP) : static_cast<UINT>(WM_SYSKEYUP),
         key,
         0,
         0,
         {}});
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
      if (!TranslateAcceleratorA(msg.hwnd, accelerators_, &msg)) DispatchMessageA(&msg);
  }

  fixtures::TestHost host_;
  HWND hwnd_ = nullptr;
  HACCEL accelerators_ = nullptr;
};

TEST_F(MenusAndAccelerators, ClassMenuIsTheMenuBarWithItsStates) {
  HMENU bar = GetMenu(hwnd_);
  ASSERT_NE(bar, nullptr);
  RECT client;
  GetClientRect(hwnd_, &client);
  EXPECT_EQ(client.right, 632);
  EXPECT_EQ(client.bottom, 420) << "the menu bar takes its height from the frame";
  HMENU mode = GetSubMenu(bar, 1), option = GetSubMenu(bar, 2);
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE | MIIM_ID;
  ASSERT_TRUE(GetMenuItemInfoA(mode, 0, TRUE, &info));
  EXPECT_EQ(info.wID, static_cast<UINT>(ID_MODE_SINGLE));
  EXPECT_EQ(info.fState, static_cast<UINT>(MFS_CHECKED));
  ASSERT_TRUE(GetMenuItemInfoA(mode, 1, TRUE, &info));
  EXPECT_EQ(info.fState, static_cast<UINT>(MFS_GRAYED));
  ASSERT_TRUE(GetMenuItemInfoA(option, 1, TRUE, &info));
  EXPECT_EQ(info.fState, static_cast<UINT>(MFS_CHECKED));
  // By command, anywhere in the bar; the whole state word is replaced.
  info.fMask = MIIM_STATE;
  info.fState = MFS_CHECKED;
  ASSERT_TRUE(SetMenuItemInfoA(bar, ID_OPTION_EASY, FALSE, &info));
  info.fState = 0;
  GetMenuItemInfoA(option, 0, TRUE, &info);
  EXPECT_EQ(info.fState, static_cast<UINT>(MFS_CHECKED));
  EXPECT_EQ(GetSubMenu(bar, 7), nullptr);
  EXPECT_FALSE(GetMenuItemInfoA(bar, 99999, FALSE, &info));
}

TEST_F(MenusAndAccelerators, AcceleratorSendsItsCommandWithHighWordOne) {
  Press(VK_F2);
  Press(VK_F3);
  Press(VK_ESCAPE);
  EXPECT_EQ(g_commands,
            (std::vector<WPARAM>{MAKEWPARAM(ID_GAME_NEW, 1), MAKEWPARAM(ID_GAME_SHOWMEOUT, 1),
                                 MAKEWPARAM(ID_GAME_EXIT, 1)}));
  g_commands.clear();
  Press(VK_F2, WM_SYSKEYDOWN);  // Alt+F2 is not F2
  Press(VK_F4);
  EXPECT_TRUE(g_commands.empty());
}

TEST_F(MenusAndAccelerators, GrayedItemsDisabledOrMinimisedWindowsSwallowTheKeySilently) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  info.fState = MFS_GRAYED;
  SetMenuItemInfoA(GetMenu(hwnd_), ID_GAME_SHOWMEOUT, FALSE, &info);
  MSG msg{hwnd_, WM_KEYDOWN, VK_F3, 0, 0, {}};
  EXPECT_EQ(TranslateAcceleratorA(hwnd_, accelerators_, &msg), 1) << "taken";
  EXPECT_TRUE(g_commands.empty()) << "but nothing sent";
  EnableWindow(hwnd_, FALSE);
  msg.wParam = VK_F2;
  EXPECT_EQ(TranslateAcceleratorA(hwnd_, accelerators_, &msg), 1);
  EnableWindow(hwnd_, TRUE);
  ShowWindow(hwnd_, SW_MINIMIZE);
  EXPECT_EQ(TranslateAcceleratorA(hwnd_, accelerators_, &msg), 1);
  EXPECT_TRUE(g_commands.empty());
  ShowWindow(hwnd_, SW_RESTORE);
  EXPECT_EQ(TranslateAcceleratorA(hwnd_, accelerators_, &msg), 1);
  EXPECT_EQ(g_commands, std::vector<WPARAM>{MAKEWPARAM(ID_GAME_NEW, 1)});
}

TEST(Resources, IconFilesDecodeToTheirNearestImage) {
  const auto& table = platform::resources::ProgramResources();
  ASSERT_EQ(table.iconCount, 2u);
  for (unsigned i = 0; i < table.iconCount; ++i) {
    platform::user::IconImage image;
    ASSERT_TRUE(platform::user::DecodeIcon(table.icons[i].bytes, table.icons[i].size, 32, &image));
    EXPECT_EQ(image.width, 32);
    EXPECT_EQ(image.height, 32);
    EXPECT_EQ(image.bgra[3], 0) << "the top-left corner is transparent";
  }
  platform::user::IconImage big;
  ASSERT_TRUE(platform::user::DecodeIcon(table.icons[0].bytes, table.icons[0].size, 48, &big));
  EXPECT_EQ(big.width, 48);
  const unsigned char broken[] = {0, 0, 1, 0, 9, 0};
  EXPECT_FALSE(platform::user::DecodeIcon(broken, sizeof broken, 32, &big));
}

TEST(Resources, DrawIconPaintsOnlyTheOpaquePart) {
  fixtures::Canvas canvas(40, 40, RGB(1, 2, 3));
  ASSERT_TRUE(DrawIcon(canvas.dc(), 4, 4, LoadIconA(nullptr, MAKEINTRESOURCEA(IDI_TAVRELO))));
  EXPECT_EQ(canvas.At(4, 4), RGB(1, 2, 3)) << "a transparent corner";
  EXPECT_NE(canvas.At(4 + 16, 4 + 18), RGB(1, 2, 3)) << "the picture";
  EXPECT_EQ(canvas.At(39, 39), RGB(1, 2, 3));
}

TEST(Resources, IconAndCursorAreFound) {
  EXPECT_NE(LoadIconA(nullptr, MAKEINTRESOURCEA(IDI_TAVRELO)), nullptr);
  EXPECT_NE(LoadCursorA(nullptr, MAKEINTRESOURCEA(IDC_POINTER)), nullptr);
  EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(IDC_POINTER + 1000)), nullptr);
}

}  // namespace
