// The shell's dialogs: About, the high score board, and the name entry for a new high score.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "../../../resources/resource.h"
#include "Setting.h"
#include "Shell.h"

enum { kCenterHorizontally = 1, kCenterVertically = 2, kCreditsChars = 4096 };

char g_szEnteredName[kMaxNameLen];

// The score waiting for its name while the name entry is open; 0 once it is on the board.
static DWORD s_PendingScore;
static HWND s_NameDialog;  // the name entry while it is open

void CenterWindow(HWND window, DWORD flags) {
  HWND reference = GetParent(window);
  // A dialog without an owner has nothing to stand over but the screen; without this its place
  // would come from a rectangle GetWindowRect never filled.
  if (reference == NULL) reference = GetDesktopWindow();
  RECT outer, within;
  GetWindowRect(window, &outer);
  GetWindowRect(reference, &within);
  POINT corner = {outer.left, outer.top};
  if (flags & kCenterHorizontally)
    corner.x = within.left + ((within.right - within.left) - (outer.right - outer.left)) / 2;
  if (flags & kCenterVertically)
    corner.y = within.top + ((within.bottom - within.top) - (outer.bottom - outer.top)) / 2;
  // A child window is placed in its parent's client coordinates.
  if (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ScreenToClient(reference, &corner);
  SetWindowPos(window, HWND_NOTOPMOST, corner.x, corner.y, 0, 0, SWP_NOSIZE);
}

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: {
      CenterWindow(dialog, kCenterHorizontally | kCenterVertically);
      CenterWindow(GetDlgItem(dialog, IDOK), kCenterHorizontally);
      char credits[kCreditsChars];
      LoadStringA(g_hInstance, IDS_CREDITS, credits, kCreditsChars - 1);
      SetWindowTextA(GetDlgItem(dialog, IDC_CREDITS), credits);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

// The pending score takes the tenth place of `board` under `name`, and the board is sorted.
static void PutOnBoard(HighScoreTable* board, DWORD score, const char* name) {
  HighScoreEntry& last = board->entries[kHighScoreCount - 1];
  last.score = score;
  memcpy(last.name, name, sizeof last.name);
  last.name[kMaxNameLen - 1] = '\0';
  qsort(board->entries, kHighScoreCount, sizeof(HighScoreEntry), CompareScores);
}

// The pending score goes on the board under the entered name, and the board is written at once:
// a new record survives whatever happens to the program next.
static void EnterPendingScore() {
  if (s_PendingScore == 0) return;
  PutOnBoard(&g_Settings.highScores, s_PendingScore, g_szEnteredName);
  s_PendingScore = 0;
  SaveSettings(&g_Settings);
}

void SaveSettingsWhileSuspended() {
  if (s_PendingScore == 0 || s_NameDialog == NULL) {
    SaveSettings(&g_Settings);
    return;
  }
  // Written as the end of the session would write it, in case the program never runs again;
  // the board in memory keeps the place open for the name still to come, which replaces this.
  Settings written = g_Settings;
  char name[kMaxNameLen];
  GetDlgItemTextA(s_NameDialog, IDC_NAME, name, kMaxNameLen);
  PutOnBoard(&written.highScores, s_PendingScore, name);
  SaveSettings(&written);
}

INT_PTR CALLBACK NameDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      s_NameDialog = dialog;
      CenterWindow(dialog, kCenterHorizontally | kCenterVertically);
      return TRUE;
    case WM_ENDSESSION:
      // The program ends with the session before the name is confirmed: the score goes on the
      // board under what has been typed so far rather than being lost.
      if (wParam) {
        GetDlgItemTextA(dialog, IDC_NAME, g_szEnteredName, kMaxNameLen);
        EnterPendingScore();
      }
      return TRUE;
    case WM_COMMAND:
      // Only OK ends it: the name is wanted, so Esc does nothing and there is no close box.
      if (LOWORD(wParam) == IDOK) {
        GetDlgItemTextA(dialog, IDC_NAME, g_szEnteredName, kMaxNameLen);
        EndDialog(dialog, 1);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

static void PaintBoard(HWND dialog) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(dialog, &ps);
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  char text[32];
  for (int i = 0; i < kHighScoreCount; ++i) {
    const HighScoreEntry& entry = g_Settings.highScores.entries[i];
    int y = 30 * (i + 1);
    int length = sprintf(text, "%d", i + 1);
    TextOutA(dc, 20, y, text, length);
    TextOutA(dc, 60, y, entry.name, (int)strnlen(entry.name, kMaxNameLen - 1));
    length = sprintf(text, "%d", (int)entry.score);
    TextOutA(dc, 200, y, text, length);
  }
  EndPaint(dialog, &ps);
}

INT_PTR CALLBACK HighScoreDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      CenterWindow(dialog, kCenterHorizontally | kCenterVertically);
      return TRUE;
    case WM_PAINT:
      PaintBoard(dialog);
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
          EndDialog(dialog, LOWORD(wParam));
          return TRUE;
        case IDC_CLEAR:
          if (MessageBoxA(dialog, g_szClearConfirm, g_szTitle,
                          MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES) {
            memset(&g_Settings.highScores, 0, sizeof g_Settings.highScores);
            SaveSettings(&g_Settings);  // a cleared board stays cleared, whatever comes next
            InvalidateRect(dialog, NULL, TRUE);
          }
          return FALSE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

void NewHighScore(HWND owner, DWORD score) {
  g_szEnteredName[0] = '\0';
  s_PendingScore = score;
  DialogBoxParamA(g_hInstance, MAKEINTRESOURCEA(IDD_NAME), owner, NameDlgProc, 0);
  s_NameDialog = NULL;
  OutputDebugStringA(g_szEnteredName);
  EnterPendingScore();
}
