// The application shell: start-up and shutdown, the main window, the dialogs and the splash
// screen, with the texts and handles they share.
#pragma once

#include <windows.h>

enum { kTextChars = 256 };

#define MAIN_CLASS_NAME "TVRClass"
#define MAIN_CLIENT_WIDTH 632
#define MAIN_CLIENT_HEIGHT 420
#define MAIN_WINDOW_STYLE (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX)
#define MAIN_TIMER_ID 1
#define MAIN_TIMER_PERIOD 1000

typedef BOOL(WINAPI* AlphaBlendProc)(HDC, int, int, int, int, HDC, int, int, int, int,
                                     BLENDFUNCTION);

extern HINSTANCE g_hInstance;
extern HMODULE hMsimg32;
extern AlphaBlendProc pfnAlphaBlend;

extern char g_szTitle[kTextChars];
extern char g_szExitConfirm[kTextChars];
extern char g_szClearConfirm[kTextChars];
extern char g_szLevelConfirm[kTextChars];
extern char g_szStagePassed[kTextChars];
extern char g_szGamePassed[kTextChars];
extern char g_szGameFailed[kTextChars];
extern char g_szStatusFormat[kTextChars];
extern char g_szEnteredName[17];

void LoadTexts(HINSTANCE instance);
void InitAlphaBlend();
void FreeAlphaBlend();
void RegisterMainClass(HINSTANCE instance);
int CreateMainWindow(HINSTANCE instance, int nCmdShow);

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void CheckMenuGroup(HWND hwnd, DWORD group, DWORD id);

void CenterWindow(HWND window, DWORD flags);
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK NameDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK HighScoreDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void NewHighScore(HWND owner, DWORD score);
// What the end of the session would write, written while the program plays on (the system is
// suspending; a browser's page is hidden and may never be shown again).
void SaveSettingsWhileSuspended();

INT_PTR CALLBACK SplashDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
