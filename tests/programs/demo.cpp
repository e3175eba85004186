// A small Win32 program for the subset's end-to-end tests: the game's resources, a window with
// the menu bar, a one-second timer, clicks that sound, the exit question, the About box.
#include <mmsystem.h>
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "../../resources/resource.h"

static int g_seconds = 0;

static INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    char credits[2048];
    LoadStringA(NULL, IDS_CREDITS, credits, sizeof credits);
    SetDlgItemTextA(dialog, IDC_CREDITS, credits);
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

static LRESULT CALLBACK DemoProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  char line[128];
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT client;
      GetClientRect(hwnd, &client);
      HBRUSH brush = CreateSolidBrush(RGB(40, 90, 120));
      FillRect(dc, &client, brush);
      DeleteObject(brush);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, RGB(255, 255, 255));
      SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
      sprintf(line, "Seconds: %d", g_seconds);
      TextOutA(dc, 20, 20, line, (int)strlen(line));
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_TIMER:
      ++g_seconds;
      sprintf(line, "tick %d\n", g_seconds);
      OutputDebugStringA(line);
      InvalidateRect(hwnd, NULL, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
      sprintf(line, "click %d %d\n", (int)(short)LOWORD(lParam), (int)(short)HIWORD(lParam));
      OutputDebugStringA(line);
      PlaySoundA("SystemExclamation", NULL, SND_ALIAS | SND_ASYNC);
      return 0;
    case WM_COMMAND:
      sprintf(line, "command %d %d\n", (int)LOWORD(wParam), (int)HIWORD(wParam));
      OutputDebugStringA(line);
      if (LOWORD(wParam) == ID_GAME_EXIT) {
        if (MessageBoxA(hwnd, "Are you really want to exit?", "Tavrelo", 0x124) == IDYES)
          DestroyWindow(hwnd);
      } else if (LOWORD(wParam) == ID_HELP_ABOUT) {
        DialogBoxParamA(NULL, MAKEINTRESOURCEA(IDD_ABOUTBOX), hwnd, AboutProc, 0);
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_F1) SendMessageA(hwnd, WM_COMMAND, ID_HELP_ABOUT, 0);  // the demo's own shortcut
      return 0;
    case WM_CLOSE:
      SendMessageA(hwnd, WM_COMMAND, ID_GAME_EXIT, 0);
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd, 1);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  wc.lpfnWndProc = DemoProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TAVRELO));
  wc.hCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_POINTER));
  wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
  wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
  wc.lpszClassName = "DemoClass";
  RegisterClassExA(&wc);
  RECT frame = {0, 0, 632, 420};
  AdjustWindowRect(&frame, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, TRUE);
  HWND hwnd = CreateWindowExA(
      0, "DemoClass", "Tavrelo demo", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 40, 30,
      frame.right - frame.left, frame.bottom - frame.top, NULL, NULL, instance, NULL);
  if (hwnd == NULL) return 1;
  ShowWindow(hwnd, show);
  UpdateWindow(hwnd);
  SetTimer(hwnd, 1, 1000, NULL);
  HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
  MSG msg;
  while (GetMessageA(&msg, NULL, 0, 0)) {
    if (!TranslateAcceleratorA(msg.hwnd, accelerators, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return (int)msg.wParam;
}
