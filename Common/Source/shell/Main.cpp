// The program's entry point: start-up in its fixed order, the message loop with the keyboard
// shortcuts, and shutdown with the leak report last.
#include <stdio.h>
#include <string.h>

#include "../../../resources/resource.h"
#include "Setting.h"
#include "Shell.h"
#include "Tavrelo.h"
#include "TrackedAlloc.h"

HINSTANCE g_hInstance;
HMODULE hMsimg32;
AlphaBlendProc pfnAlphaBlend;

char g_szTitle[kTextChars];
char g_szExitConfirm[kTextChars];
char g_szClearConfirm[kTextChars];
char g_szLevelConfirm[kTextChars];
char g_szStagePassed[kTextChars];
char g_szGamePassed[kTextChars];
char g_szGameFailed[kTextChars];
char g_szStatusFormat[kTextChars];

void LoadTexts(HINSTANCE instance) {
  static const struct {
    UINT id;
    char* buffer;
  } kTexts[] = {
      {IDS_TITLE, g_szTitle},           {IDS_EXIT_CONFIRM, g_szExitConfirm},
      {IDS_CLEAR_CONFIRM, g_szClearConfirm}, {IDS_LEVEL_CONFIRM, g_szLevelConfirm},
      {IDS_STAGE_PASSED, g_szStagePassed}, {IDS_GAME_PASSED, g_szGamePassed},
      {IDS_GAME_FAILED, g_szGameFailed}, {IDS_STATUS_FORMAT, g_szStatusFormat},
  };
  for (const auto& text : kTexts) LoadStringA(instance, text.id, text.buffer, kTextChars);
}

void InitAlphaBlend() {
  hMsimg32 = NULL;
  pfnAlphaBlend = NULL;
  OSVERSIONINFOA version;
  memset(&version, 0, sizeof version);
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExA(&version)) {
    // Nothing is known of the system; the fade is only decoration, so it is left out.
    OutputDebugStringA("GetVersionEx failed.\n");
    return;
  }
  BOOL usable = FALSE;
  switch (version.dwPlatformId) {
    case VER_PLATFORM_WIN32_WINDOWS:
      usable = version.dwMinorVersion != 0;
      break;
    case VER_PLATFORM_WIN32_NT:
      usable = version.dwMajorVersion >= 5;
      break;
    default:
      OutputDebugStringA("Unspported OS!\n");
      break;
  }
  if (!usable) return;
  hMsimg32 = LoadLibraryA("msimg32.dll");
  if (hMsimg32 == NULL) {
    OutputDebugStringA("LoadLibrary msimg32.dll failed.\n");
    return;
  }
  pfnAlphaBlend = (AlphaBlendProc)(void*)GetProcAddress(hMsimg32, "AlphaBlend");
}

void FreeAlphaBlend() {
  if (hMsimg32 != NULL) FreeLibrary(hMsimg32);
  hMsimg32 = NULL;
  pfnAlphaBlend = NULL;
}

void RegisterMainClass(HINSTANCE instance) {
  WNDCLASSEXA wc;
  memset(&wc, 0, sizeof wc);
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  wc.lpfnWndProc = MainWndProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TAVRELO));
  wc.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TAVRELO));
  wc.hCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_POINTER));
  wc.hbrBackground = (HBRUSH)(UINT_PTR)(COLOR_WINDOW + 1);
  wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
  wc.lpszClassName = MAIN_CLASS_NAME;
  RegisterClassExA(&wc);
}

int CreateMainWindow(HINSTANCE instance, int nCmdShow) {
  g_hInstance = instance;
  RECT frame = {0, 0, MAIN_CLIENT_WIDTH, MAIN_CLIENT_HEIGHT};
  AdjustWindowRect(&frame, MAIN_WINDOW_STYLE, TRUE);
  HWND hwnd = CreateWindowExA(0, MAIN_CLASS_NAME, g_szTitle, MAIN_WINDOW_STYLE, CW_USEDEFAULT, 0,
                              frame.right - frame.left, frame.bottom - frame.top, NULL, NULL,
                              instance, NULL);
  if (hwnd == NULL) return 0;

  DialogBoxParamA(g_hInstance, MAKEINTRESOURCEA(IDD_SPLASH), hwnd, SplashDialogProc, 0);

  LoadSettings(&g_Settings);
  RECT desktop, window;
  GetWindowRect(GetDesktopWindow(), &desktop);
  GetWindowRect(hwnd, &window);
  int maxX = (desktop.right - desktop.left) - (window.right - window.left);
  int maxY = (desktop.bottom - desktop.top) - (window.bottom - window.top);
  ValidateSettings(&g_Settings, maxX, maxY);
  SetWindowPos(hwnd, HWND_NOTOPMOST, g_Settings.posX, g_Settings.posY, 0, 0, SWP_NOSIZE);
  SendMessageA(hwnd, WM_COMMAND, ID_OPTION_EASY + g_Settings.option, 0);

  g_Game.hwnd = hwnd;
  ShowWindow(hwnd, nCmdShow);
  UpdateWindow(hwnd);
  SetTimer(hwnd, MAIN_TIMER_ID, MAIN_TIMER_PERIOD, NULL);
  return 1;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow) {
  InitAlphaBlend();
  memset(&g_Game, 0, sizeof g_Game);
  GameInit(&g_Game);
  LoadTexts(hInstance);
  RegisterMainClass(hInstance);
  if (!CreateMainWindow(hInstance, nCmdShow)) return 0;

  HACCEL accelerators = LoadAcceleratorsA(hInstance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
  MSG msg;
  memset(&msg, 0, sizeof msg);
  while (GetMessageA(&msg, NULL, 0, 0)) {
    if (!TranslateAcceleratorA(msg.hwnd, accelerators, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }

  GameShutdown(&g_Game);
  FreeAlphaBlend();
  TrackedReportLeaks();
  return (int)msg.wParam;
}
