// MessageBoxA: a dialog made on the spot, with an icon, the text and a row of buttons, run by
// the same modal loop as every dialog. Layout as Wine does it: buttons twice the text's line
// height tall, at least four lines wide and a third of a button apart, centred under the icon
// and the text.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "../common/never_destroyed.h"
#include "message_box.h"
#include "user_state.h"

namespace platform::user {
namespace {

struct Button {
  const char* label;
  int id;
};

struct Box {
  UINT type;
  int icon;  // MB_ICONQUESTION, ... or 0
  int textX, textY, lineHeight;
  std::vector<std::string> lines;
  bool canCancel;  // a Cancel button, or a lone OK that Esc answers
  int cancelAnswer;
};

std::vector<Button> ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {{"OK", IDOK}, {"Cancel", IDCANCEL}};
    case MB_YESNO:
      return {{"&Yes", IDYES}, {"&No", IDNO}};
    default:
      return {{"OK", IDOK}};
  }
}

std::function<void(const char*, const char*, UINT)>& Observer() {
  static NeverDestroyed<std::function<void(const char*, const char*, UINT)>> observer;
  return observer.get();
}

void Disc(HDC dc, int cx, int cy, int r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  for (int y = -r; y < r; ++y) {
    int half = 0;
    while ((half + 1) * (half + 1) + (y + 0.5) * (y + 0.5) <= r * r) ++half;
    const RECT row{cx - half, cy + y, cx + half, cy + y + 1};
    FillRect(dc, &row, brush);
  }
  DeleteObject(brush);
}

void PaintIcon(HDC dc, int icon) {
  const char* mark = icon == MB_ICONQUESTION      ? "?"
                     : icon == MB_ICONINFORMATION ? "i"
                     : icon == MB_ICONHAND        ? "x"
                                                  : "!";
  const COLORREF colour = icon == MB_ICONHAND          ? RGB(200, 40, 40)
                          : icon == MB_ICONEXCLAMATION ? RGB(230, 170, 0)
                                                       : RGB(40, 100, 200);
  Disc(dc, 16, 16, 16, colour);
  HFONT font = CreateFontA(-22, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
  HGDIOBJ previous = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPointA(dc, mark, 1, &size);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  TextOutA(dc, 16 - size.cx / 2, 16 - size.cy / 2, mark, 1);
  SelectObject(dc, previous);
  DeleteObject(font);
}

Box* g_box = nullptr;  // the box being shown; boxes do not nest on one thread's loop

INT_PTR CALLBACK MessageBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return FALSE;  // the focus is set by the caller
    case WM_COMMAND: {
      int id = LOWORD(wParam);
      if (id == IDCANCEL) {
        if (!g_box->canCancel) return TRUE;  // a Yes/No box cannot be escaped
        id = g_box->cancelAnswer;
      }
      EndDialog(hwnd, id);
      return TRUE;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (g_box->icon != 0) {
        // The icon's corner is the margin; draw it through a DC offset to it.
        RECT client;
        GetClientRect(hwnd, &client);
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, 32, 32);
        HGDIOBJ old = SelectObject(memory, bitmap);
        const RECT all{0, 0, 32, 32};
        FillRect(memory, &all, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        PaintIcon(memory, g_box->icon);
        BitBlt(dc, g_box->lineHeight, g_box->lineHeight, 32, 32, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
      }
      HGDIOBJ font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, RGB(0, 0, 0));
      for (std::size_t i = 0; i < g_box->lines.size(); ++i)
        TextOutA(dc, g_box->textX, g_box->textY + static_cast<int>(i) * g_box->lineHeight,
                 g_box->lines[i].c_str(), static_cast<int>(g_box->lines[i].size()));
      SelectObject(dc, font);
      EndPaint(hwnd, &ps);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

void SetMessageBoxObserver(
    std::function<void(const char* caption, const char* text, UINT type)> observer) {
  Observer() = std::move(observer);
}

}  // namespace platform::user

using namespace platform::user;

extern "C" int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
  RegisterSystemClasses();
  const char* text = lpText != nullptr ? lpText : "";
  const char* caption = lpCaption != nullptr ? lpCaption : "Error";
  if (Observer()) Observer()(caption, text, uType);

  Box box;
  box.type = uType;
  box.icon = static_cast<int>(uType & MB_ICONMASK);
  const std::vector<Button> buttons = ButtonsOf(uType);
  box.canCancel = (uType & MB_TYPEMASK) != MB_YESNO;
  box.cancelAnswer = (uType & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;

  // Measure with the GUI font.
  HDC measure = CreateCompatibleDC(nullptr);
  SelectObject(measure, GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICA metrics{};
  GetTextMetricsA(measure, &metrics);
  const int th = metrics.tmHeight;
  box.lineHeight = th;
  int textWidth = 0;
  std::string line;
  for (const char* c = text;; ++c) {
    if (*c == '\0' || *c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      SIZE size{};
      GetTextExtentPointA(measure, line.c_str(), static_cast<int>(line.size()), &size);
      textWidth = std::max(textWidth, static_cast<int>(size.cx));
      box.lines.push_back(line);
      line.clear();
      if (*c == '\0') break;
    } else {
      line += *c;
    }
  }
  int buttonWidth = 4 * th;
  for (const Button& b : buttons) {
    std::string label;
    for (const char* c = b.label; *c; ++c)
      if (*c != '&') label += *c;
    SIZE size{};
    GetTextExtentPointA(measure, label.c_str(), static_cast<int>(label.size()), &size);
    buttonWidth = std::max(buttonWidth, static_cast<int>(size.cx) + 2 * th);
  }
  DeleteDC(measure);

  const int margin = th;
  const int iconSpace = box.icon != 0 ? 32 + margin : 0;
  box.textX = margin + iconSpace;
  const int textHeight = th * static_cast<int>(box.lines.size());
  box.textY = margin + (box.icon != 0 && textHeight < 32 ? (32 - textHeight) / 2 : 0);
  const int buttonHeight = 2 * th;
  const int gap = buttonWidth / 3;
  const int row =
      static_cast<int>(buttons.size()) * buttonWidth + (static_cast<int>(buttons.size()) - 1) * gap;
  const int clientWidth = std::max(box.textX + textWidth + margin, row + 2 * margin);
  const int buttonsTop = margin + std::max(box.icon != 0 ? 32 : 0, textHeight) + margin;
  const int clientHeight = buttonsTop + buttonHeight + margin;

  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRect(&frame, style, FALSE);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  HWND dialog = CreateWindowExA(WS_EX_DLGMODALFRAME, "#32770", caption, style,
                                (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                                FindWindowOf(hWnd) != nullptr ? hWnd : nullptr, nullptr, nullptr,
                                nullptr);
  if (dialog == nullptr) return 0;
  Window* window = FindWindowOf(dialog);
  window->font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  window->dialogProc = MessageBoxProc;

  const int defaultIndex = (uType & MB_DEFMASK) == MB_DEFBUTTON2 && buttons.size() > 1 ? 1 : 0;
  HWND focus = nullptr;
  int x = (clientWidth - row) / 2;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const bool isDefault = static_cast<int>(i) == defaultIndex;
    HWND button = CreateWindowExA(
        0, "BUTTON", buttons[i].label,
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), x,
        buttonsTop, buttonWidth, buttonHeight, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(buttons[i].id)), nullptr, nullptr);
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(window->font), FALSE);
    if (isDefault) focus = button;
    x += buttonWidth + gap;
  }
  Box* outer = g_box;
  g_box = &box;
  SetFocus(focus);
  const INT_PTR result = RunModal(dialog, hWnd);
  g_box = outer;
  return static_cast<int>(result);
}
