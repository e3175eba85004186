// The shell's own pieces: AlphaBlend from msimg32, centring windows, the radio-style checks.
#include <gtest/gtest.h>

#include "../../resources/resource.h"
#include "../support/test_host.h"
#include "Setting.h"
#include "Tavrelo.h"
#include "gdi/gdi_state.h"
#include "kernel/debug_output.h"
#include "shell/Shell.h"
#include "user/user_state.h"

namespace {

TEST(Shell, AlphaBlendComesFromMsimg32AndIsGivenBack) {
  platform::DebugOutputCapture debug;
  InitAlphaBlend();  // the subset answers as Windows 10 does
  EXPECT_NE(hMsimg32, nullptr);
  EXPECT_NE(pfnAlphaBlend, nullptr);
  EXPECT_TRUE(debug.Lines().empty());
  FreeAlphaBlend();
  EXPECT_EQ(hMsimg32, nullptr);
  EXPECT_EQ(pfnAlphaBlend, nullptr);
}

class ShellWindows : public ::testing::Test {
 protected:
  ShellWindows() {
    LoadTexts(nullptr);
    RegisterMainClass(nullptr);
    RECT frame = {0, 0, MAIN_CLIENT_WIDTH, MAIN_CLIENT_HEIGHT};
    AdjustWindowRect(&frame, MAIN_WINDOW_STYLE, TRUE);
    main_ = CreateWindowExA(0, MAIN_CLASS_NAME, "Tavrelo", MAIN_WINDOW_STYLE, 100, 50,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                            nullptr, nullptr);
  }
  ~ShellWindows() override { DestroyWindow(main_); }
  fixtures::TestHost host_;
  HWND main_ = nullptr;
};

TEST_F(ShellWindows, MainWindowHasTheClientSizeOfThePlayfield) {
  ASSERT_NE(main_, nullptr);
  RECT client;
  GetClientRect(main_, &client);
  EXPECT_EQ(client.right, 632);
  EXPECT_EQ(client.bottom, 420);
}

TEST_F(ShellWindows, CenterWindowCentresAPopupOnItsOwnerAndAControlInItsParent) {
  HWND popup = CreateWindowExA(0, "#32770", "", WS_POPUP | WS_CAPTION, 0, 0, 201, 101, main_,
                               nullptr, nullptr, nullptr);
  ASSERT_NE(popup, nullptr);
  ASSERT_EQ(GetParent(popup), main_) << "a popup names its owner";
  RECT owner, r;
  GetWindowRect(main_, &owner);
  CenterWindow(popup, 3);
  GetWindowRect(popup, &r);
  EXPECT_EQ(r.left, owner.left + ((owner.right - owner.left) - 201) / 2);
  EXPECT_EQ(r.top, owner.top + ((owner.bottom - owner.top) - 101) / 2);

  HWND button = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE, 5, 60, 51, 14, popup,
                                nullptr, nullptr, nullptr);
  CenterWindow(button, 1);
  RECT b, within;
  GetWindowRect(button, &b);
  GetWindowRect(popup, &within);
  EXPECT_EQ(b.left - within.left, ((within.right - within.left) - 51) / 2) << "across only";
  RECT client;
  GetClientRect(popup, &client);
  POINT corner = {b.left, b.top};
  ScreenToClient(popup, &corner);
  EXPECT_EQ(corner.y, 60) << "its height in the dialog is kept";
  DestroyWindow(popup);
}

TEST_F(ShellWindows, CenterWindowCentresADialogWithoutOwnerOnTheScreen) {
  HWND popup = CreateWindowExA(0, "#32770", "", WS_POPUP | WS_CAPTION, 7, 9, 201, 101, nullptr,
                               nullptr, nullptr, nullptr);
  ASSERT_EQ(GetParent(popup), nullptr);
  RECT screen, r;
  GetWindowRect(GetDesktopWindow(), &screen);
  CenterWindow(popup, 3);
  GetWindowRect(popup, &r);
  EXPECT_EQ(r.left, ((screen.right - screen.left) - 201) / 2);
  EXPECT_EQ(r.top, ((screen.bottom - screen.top) - 101) / 2);
  DestroyWindow(popup);
}

TEST_F(ShellWindows, CheckMenuGroupMovesTheCheckAndKeepsGrayedItemsGrayed) {
  HMENU mode = GetSubMenu(GetMenu(main_), 1), option = GetSubMenu(GetMenu(main_), 2);
  const auto state = [](HMENU menu, UINT position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    GetMenuItemInfoA(menu, position, TRUE, &info);
    return info.fState;
  };
  CheckMenuGroup(main_, 1, ID_OPTION_DIFFICULT);
  EXPECT_EQ(g_Game.difficulty, 2u);
  EXPECT_EQ(g_Settings.option, 2);
  EXPECT_FALSE(state(option, 1) & MFS_CHECKED);
  EXPECT_TRUE(state(option, 2) & MFS_CHECKED);
  CheckMenuGroup(main_, 0, ID_MODE_SINGLE);
  EXPECT_TRUE(state(mode, 0) & MFS_CHECKED);
  EXPECT_TRUE(state(mode, 1) & MFS_GRAYED);
  EXPECT_TRUE(state(mode, 2) & MFS_GRAYED);
  CheckMenuGroup(main_, 7, ID_OPTION_EASY);  // no such group: nothing
  EXPECT_EQ(g_Game.difficulty, 2u);
  CheckMenuGroup(main_, 1, ID_OPTION_MEDIUM);
}

}  // namespace

namespace {

// The splash picture (500 x 400) centred on the desktop, halves rounded down: on a desktop
// narrower or lower than the picture it stands one pixel further up and left than C's division
// toward zero would put it.
TEST_F(ShellWindows, SplashIsCentredWithItsHalvesRoundedDown) {
  const struct {
    int width, height, x, y;
  } desktops[] = {{1024, 768, 262, 184}, {1025, 769, 262, 184}, {500, 400, 0, 0},
                  {499, 399, -1, -1},    {497, 397, -2, -2},    {400, 300, -50, -50}};
  for (const auto& desktop : desktops) {
    platform::gdi::SetScreenSize(desktop.width, desktop.height);
    // Each wait of the splash's modal loop looks where the splash stands; it ends by itself.
    struct WatchingHost : fixtures::TestHost {
      RECT placed{};
      bool Wait(std::uint64_t deadline) override {
        for (HWND hwnd : platform::user::State().order) {
          const platform::user::Window* w = platform::user::FindWindowOf(hwnd);
          if (w != nullptr && w->dialogProc == SplashDialogProc && IsWindowVisible(hwnd))
            GetWindowRect(hwnd, &placed);
        }
        return TestHost::Wait(deadline);
      }
    } watching;
    DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_SPLASH), main_, SplashDialogProc, 0);
    EXPECT_EQ(watching.placed.left, desktop.x) << desktop.width << " x " << desktop.height;
    EXPECT_EQ(watching.placed.top, desktop.y) << desktop.width << " x " << desktop.height;
    EXPECT_EQ(watching.placed.right - watching.placed.left, 500);
  }
  platform::gdi::SetScreenSize(1920, 1080);
}

}  // namespace
