// The dialog manager: dialogs from templates, laid out in dialog units of their font, the one
// modal loop (also MessageBoxA's), and the dialog keyboard.
#include <strings.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "../kernel/last_error.h"
#include "../kernel/resources.h"
#include "compose.h"
#include "mnemonics.h"
#include "user_state.h"

namespace platform::user {
namespace {

// Dialog base units of a font: the average width of the letters, rounded, and the cell height.
SIZE BaseUnits(HFONT font) {
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, font);
  SIZE letters{};
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  GetTextExtentPointA(dc, kLetters, 52, &letters);
  DeleteDC(dc);
  return {(letters.cx / 26 + 1) / 2, letters.cy};
}

HWND DialogOf(HWND hwnd) {
  for (Window* w = FindWindowOf(hwnd); w != nullptr; w = FindWindowOf(w->parent))
    if (w->dialogProc != nullptr || (w->windowClass != nullptr && w->windowClass->name == "#32770"))
      return w->handle;
  return nullptr;
}

std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> children;
  for (HWND hwnd : State().order) {
    Window* w = FindWindowOf(hwnd);
    if (w != nullptr && w->parent == parent) children.push_back(hwnd);
  }
  return children;
}

bool IsButton(HWND hwnd) {
  Window* w = FindWindowOf(hwnd);
  return w != nullptr && strcasecmp(w->windowClass->name.c_str(), "BUTTON") == 0;
}

bool IsEdit(HWND hwnd) {
  Window* w = FindWindowOf(hwnd);
  return w != nullptr && strcasecmp(w->windowClass->name.c_str(), "EDIT") == 0;
}

// The next enabled, visible tab stop after (or before) the one with the focus.
HWND NextTabStop(HWND dialog, HWND from, bool backwards) {
  std::vector<HWND> stops;
  for (HWND child : ChildrenOf(dialog)) {
    Window* w = FindWindowOf(child);
    if ((w->style & WS_TABSTOP) && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED))
      stops.push_back(child);
  }
  if (stops.empty()) return nullptr;
  auto at = std::find(stops.begin(), stops.end(), from);
  if (at == stops.end()) return backwards ? stops.back() : stops.front();
  const std::size_t i = static_cast<std::size_t>(at - stops.begin());
  return stops[(i + (backwards ? stops.size() - 1 : 1)) % stops.size()];
}

void FocusControl(HWND control) {
  SetFocus(control);
  if (IsEdit(control)) SendMessageA(control, EM_SETSEL, 0, -1);
}

HWND DefaultButton(HWND dialog) {
  for (HWND child : ChildrenOf(dialog))
    if (IsButton(child) && (FindWindowOf(child)->style & 0xF) == BS_DEFPUSHBUTTON &&
        IsWindowEnabled(child))
      return child;
  return nullptr;
}

}  // namespace

LRESULT CALLBACK DialogWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* window = FindWindowOf(hwnd);
  if (window != nullptr && window->dialogProc != nullptr &&
      window->dialogProc(hwnd, message, wParam, lParam))
    return message == WM_INITDIALOG ? TRUE : 0;
  switch (message) {
    case WM_CLOSE:  // the close box asks as Esc does
      PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
      return 0;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
      return 1;
    }
    case WM_INITDIALOG:
      return TRUE;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

INT_PTR RunModal(HWND dialog, HWND owner) {
  const HWND top = owner != nullptr ? TopLevelOf(owner) : nullptr;
  const bool ownerWasEnabled = top != nullptr && IsWindowEnabled(top);
  if (top != nullptr) EnableWindow(top, FALSE);
  bool shown = false;
  MSG msg;
  bool quit = false;
  int quitCode = 0;
  for (Window* w = FindWindowOf(dialog); w != nullptr && !w->dialogEnded;
       w = FindWindowOf(dialog)) {
    // The dialog appears once the queue first runs dry, as on Windows.
    if (!shown && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      ShowWindow(dialog, SW_SHOW);
      shown = true;
      continue;
    }
    if (!GetMessageA(&msg, nullptr, 0, 0)) {
      quit = true;
      quitCode = static_cast<int>(msg.wParam);
      break;
    }
    if (!IsDialogMessageA(dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  Window* window = FindWindowOf(dialog);
  const INT_PTR result = window != nullptr ? window->dialogResult : -1;
  if (top != nullptr && ownerWasEnabled) {
    EnableWindow(top, TRUE);
    // The window in it that had the focus gets it back, as a dialog's does on reactivation.
    const Window* topWindow = FindWindowOf(top);
    const HWND last = topWindow != nullptr ? topWindow->lastFocus : nullptr;
    SetFocus(last != nullptr && TopLevelOf(last) == top && IsWindowEnabled(last) ? last : top);
  }
  if (window != nullptr) DestroyWindow(dialog);
  if (quit) PostQuitMessage(quitCode);  // for the loop outside
  return result;
}

}  // namespace platform::user

using namespace platform::user;

extern "C" int WINAPI MulDiv(int nNumber, int nNumerator, int nDenominator) {
  if (nDenominator == 0) return -1;
  const long long product = static_cast<long long>(nNumber) * nNumerator;
  long long quotient = product / nDenominator;
  const long long remainder = product % nDenominator;
  // Halves round away from zero.
  if (2 * std::llabs(remainder) >= std::llabs(static_cast<long long>(nDenominator)))
    quotient += (product < 0) != (nDenominator < 0) ? -1 : 1;
  return static_cast<int>(quotient);
}

extern "C" INT_PTR WINAPI DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName,
                                          HWND hWndParent, DLGPROC lpDialogFunc,
                                          LPARAM dwInitParam) {
  RegisterSystemClasses();
  const auto& table = platform::resources::ProgramResources();
  const platform::resources::DialogTemplate* dialog = nullptr;
  const unsigned id = IS_INTRESOURCE(lpTemplateName)
                          ? static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(lpTemplateName))
                          : 0;
  for (unsigned i = 0; i < table.dialogCount; ++i)
    if (table.dialogs[i].id == id) dialog = &table.dialogs[i];
  if (dialog == nullptr) return platform::Fail(DWORD{1814}, INT_PTR{-1});
  NotifyDialogOpened(id);

  // A font of p points is p * 96 / 72 pixels high.
  HFONT font = (dialog->style & DS_SETFONT)
                   ? CreateFontA(-MulDiv(dialog->pointSize, 96, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                                 DEFAULT_CHARSET, 0, 0, 0, 0, dialog->font)
                   : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const SIZE base = BaseUnits(font);
  const auto dx = [&](int x) { return MulDiv(x, base.cx, 4); };
  const auto dy = [&](int y) { return MulDiv(y, base.cy, 8); };

  const DWORD style =
      (dialog->style & ~WS_VISIBLE) & ~static_cast<DWORD>(DS_SETFONT | DS_MODALFRAME | DS_CENTER);
  const DWORD exStyle =
      dialog->exStyle | ((dialog->style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0);
  RECT frame{0, 0, dx(dialog->cx), dy(dialog->cy)};
  AdjustWindowRect(&frame, style | ((dialog->style & DS_MODALFRAME) ? WS_DLGFRAME : 0), FALSE);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  int x, y;
  if (dialog->style & DS_CENTER) {
    x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  } else {
    RECT owner{0, 0, 0, 0};
    if (hWndParent != nullptr) GetWindowRect(hWndParent, &owner);
    x = owner.left + dx(dialog->x);
    y = owner.top + dy(dialog->y);
  }
  HWND hwnd = CreateWindowExA(exStyle, "#32770", dialog->caption, style, x, y, width, height,
                              hWndParent, nullptr, hInstance, nullptr);
  if (hwnd == nullptr) return -1;
  Window* window = FindWindowOf(hwnd);
  window->font = font;
  window->dialogProc = lpDialogFunc;
  for (unsigned i = 0; i < dialog->count; ++i) {
    const auto& c = dialog->controls[i];
    HWND control = CreateWindowExA(
        c.exStyle, c.windowClass, c.text, c.style & ~WS_VISIBLE, dx(c.x), dy(c.y), dx(c.cx),
        dy(c.cy), hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), hInstance, nullptr);
    if (control == nullptr) continue;
    if (c.iconId != 0)
      FindWindowOf(control)->icon = LoadIconA(hInstance, MAKEINTRESOURCEA(c.iconId));
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (c.style & WS_VISIBLE) ShowWindow(control, SW_SHOWNA);
  }
  const HWND first = NextTabStop(hwnd, nullptr, false);
  if (SendMessageA(hwnd, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), dwInitParam) &&
      first != nullptr)
    FocusControl(first);
  if (dialog->style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
  const INT_PTR result = RunModal(hwnd, hWndParent);
  if (dialog->style & DS_SETFONT) DeleteObject(font);
  return result;
}

extern "C" BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult) {
  Window* window = FindWindowOf(hDlg);
  if (window == nullptr) return platform::Fail(DWORD{1400}, FALSE);
  window->dialogEnded = true;
  window->dialogResult = nResult;
  ShowWindow(hDlg, SW_HIDE);
  PostMessageA(nullptr, WM_NULL, 0, 0);  // wakes the modal loop
  return TRUE;
}

extern "C" BOOL WINAPI IsDialogMessageA(HWND hDlg, LPMSG lpMsg) {
  if (lpMsg == nullptr || lpMsg->hwnd == nullptr || DialogOf(lpMsg->hwnd) != hDlg) return FALSE;
  const HWND focus = GetFocus();
  if (lpMsg->message == WM_KEYDOWN) {
    switch (lpMsg->wParam) {
      case VK_TAB: {
        const bool back = (State().keyState[VK_SHIFT] & 0x80) != 0;
        if (HWND next = NextTabStop(hDlg, focus, back)) FocusControl(next);
        return TRUE;
      }
      case VK_RETURN: {
        HWND button = IsButton(focus) ? focus : DefaultButton(hDlg);
        if (button != nullptr)
          SendMessageA(button, BM_CLICK, 0, 0);
        else
          SendMessageA(hDlg, WM_COMMAND, IDOK, 0);
        return TRUE;
      }
      case VK_ESCAPE:
        SendMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
      case VK_LEFT:
      case VK_UP:
      case VK_RIGHT:
      case VK_DOWN:
        // Between buttons the arrows move as Tab does; an edit box keeps them for its caret.
        if (IsButton(focus)) {
          if (HWND next =
                  NextTabStop(hDlg, focus, lpMsg->wParam == VK_LEFT || lpMsg->wParam == VK_UP))
            FocusControl(next);
          return TRUE;
        }
        break;
      default:
        break;
    }
  }
  if ((lpMsg->message == WM_CHAR && !IsEdit(focus)) || lpMsg->message == WM_SYSCHAR) {
    for (HWND child : ChildrenOf(hDlg))
      if (IsButton(child) && IsWindowEnabled(child) &&
          MnemonicOf(FindWindowOf(child)->text) ==
              std::tolower(static_cast<int>(lpMsg->wParam & 0xFF))) {
        SendMessageA(child, BM_CLICK, 0, 0);
        return TRUE;
      }
  }
  DispatchMessageA(lpMsg);
  return TRUE;
}

extern "C" HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem) {
  for (HWND child : ChildrenOf(hDlg))
    if (reinterpret_cast<INT_PTR>(FindWindowOf(child)->menu) == nIDDlgItem) return child;
  return platform::Fail(DWORD{1421} /* ERROR_CONTROL_ID_NOT_FOUND */, HWND{});
}

extern "C" UINT WINAPI GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax) {
  HWND item = GetDlgItem(hDlg, nIDDlgItem);
  if (item == nullptr || lpString == nullptr || cchMax <= 0) {
    if (lpString != nullptr && cchMax > 0) lpString[0] = '\0';
    return 0;
  }
  return static_cast<UINT>(SendMessageA(item, WM_GETTEXT, static_cast<WPARAM>(cchMax),
                                        reinterpret_cast<LPARAM>(lpString)));
}

extern "C" BOOL WINAPI SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString) {
  HWND item = GetDlgItem(hDlg, nIDDlgItem);
  return item != nullptr && SetWindowTextA(item, lpString);
}

extern "C" BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString) {
  if (FindWindowOf(hWnd) == nullptr) return platform::Fail(DWORD{1400}, FALSE);
  SendMessageA(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString));
  InvalidateRect(hWnd, nullptr, TRUE);
  return TRUE;
}

extern "C" int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
  if (FindWindowOf(hWnd) == nullptr || lpString == nullptr || nMaxCount <= 0) return 0;
  return static_cast<int>(SendMessageA(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount),
                                       reinterpret_cast<LPARAM>(lpString)));
}
