// The main window's procedure: paints, clicks and clock ticks go to the game, menu commands and
// their shortcuts are carried out here, and the settings are written when the window goes or
// the session ends.
#include <string.h>

#include "../../../resources/resource.h"
#include "Setting.h"
#include "Shell.h"
#include "Tavrelo.h"

enum { kModeGroup = 0, kOptionGroup = 1 };

static void ConfirmExit(HWND hwnd) {
  if (MessageBoxA(hwnd, g_szExitConfirm, g_szTitle, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) ==
      IDYES)
    DestroyWindow(hwnd);
}

static void ChangeDifficulty(HWND hwnd, DWORD id) {
  if (g_Game.phase != kPlaying) {
    CheckMenuGroup(hwnd, kOptionGroup, id);
    return;
  }
  if (MessageBoxA(hwnd, g_szLevelConfirm, g_szTitle, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) !=
      IDYES)
    return;
  CheckMenuGroup(hwnd, kOptionGroup, id);
  NewGame(&g_Game, 0);
  InvalidateRect(hwnd, NULL, TRUE);
}

static void OnCommand(HWND hwnd, WORD id) {
  switch (id) {
    case ID_GAME_NEW:
      NewGame(&g_Game, 0);
      InvalidateRect(hwnd, NULL, TRUE);
      break;
    case ID_GAME_HIGHSCORE:
      DialogBoxParamA(g_hInstance, MAKEINTRESOURCEA(IDD_HIGHSCORE), hwnd, HighScoreDlgProc, 0);
      break;
    case ID_GAME_EXIT:
      ConfirmExit(hwnd);
      break;
    case ID_MODE_SINGLE:
    case ID_MODE_TIME:
    case ID_MODE_VS:
      CheckMenuGroup(hwnd, kModeGroup, id);
      break;
    case ID_OPTION_EASY:
    case ID_OPTION_MEDIUM:
    case ID_OPTION_DIFFICULT:
      ChangeDifficulty(hwnd, id);
      break;
    case ID_HELP_ABOUT:
      DialogBoxParamA(g_hInstance, MAKEINTRESOURCEA(IDD_ABOUTBOX), hwnd, AboutDlgProc, 0);
      break;
    case ID_GAME_SHOWMEOUT:
      ShowMeOut(&g_Game);
      break;
    default:
      break;
  }
}

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      SaveSettings(&g_Settings);
      KillTimer(hwnd, MAIN_TIMER_ID);
      PostQuitMessage(0);
      return 0;
    case WM_ENDSESSION:
      // The program ends with the session, without WM_DESTROY: what that would write is written
      // now. Until the settings have been read and the window placed (the splash screen may
      // still be up), the record holds nothing of the player's, and writing it would wipe the
      // board that is stored.
      if (wParam && g_Game.hwnd == hwnd) SaveSettings(&g_Settings);
      return 0;
    case WM_POWERBROADCAST:
      // Suspended, the program may never run again: what the end would write is written, and
      // the game stands as it is, an open name entry included, for when it comes back.
      if (wParam == PBT_APMSUSPEND && g_Game.hwnd == hwnd) SaveSettingsWhileSuspended();
      return TRUE;
    case WM_MOVE: {
      RECT window;
      GetWindowRect(hwnd, &window);
      g_Settings.posX = window.left;
      g_Settings.posY = window.top;
      return 0;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      PaintPlayfield(&g_Game, dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_CLOSE:
      ConfirmExit(hwnd);
      return 0;
    case WM_COMMAND:
      OnCommand(hwnd, LOWORD(wParam));
      return 0;
    case WM_TIMER:
      OnTimer(&g_Game);
      return 0;
    case WM_LBUTTONDOWN: {
      POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
      OnClick(&g_Game, &point);
      return 0;
    }
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

void CheckMenuGroup(HWND hwnd, DWORD group, DWORD id) {
  DWORD position;
  HMENU submenu;
  if (group == kModeGroup) {
    position = id - ID_MODE_SINGLE;
    submenu = GetSubMenu(GetMenu(hwnd), 1);
    g_Game.mode = position;
  } else if (group == kOptionGroup) {
    position = id - ID_OPTION_EASY;
    submenu = GetSubMenu(GetMenu(hwnd), 2);
    g_Game.difficulty = position;
    g_Settings.option = (LONG)position;
  } else {
    return;
  }
  for (UINT item = 0; item < 3; ++item) {
    MENUITEMINFOA info;
    memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    GetMenuItemInfoA(submenu, item, TRUE, &info);
    if (item == position)
      info.fState |= MFS_CHECKED;
    else
      info.fState &= ~(UINT)MFS_CHECKED;
    SetMenuItemInfoA(submenu, item, TRUE, &info);
  }
}
