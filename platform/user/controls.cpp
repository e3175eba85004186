// The subset's controls: push buttons, static text and icons, and edit boxes (single line with
// a caret, or multi-line read-only with a vertical scroll bar).
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "../gdi/gdi_state.h"
#include "compose.h"
#include "drawing.h"
#include "mnemonics.h"
#include "user_state.h"

namespace platform::user {
namespace {

const COLORREF kFace = RGB(240, 240, 240);
const COLORREF kShadow = RGB(160, 160, 160);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
constexpr int kScrollBarWidth = 16;

void Frame(HDC dc, const RECT& r, COLORREF colour) {
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, r.left, r.top, r.right, r.bottom);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

int TextWidth(HDC dc, const std::string& text) {
  SIZE size{};
  GetTextExtentPointA(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

int LineHeight(HDC dc) {
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  return metrics.tmHeight;
}

// Lines of at most `width` pixels, broken between words; CR LF and LF end a line.
std::vector<std::string> Wrap(HDC dc, const std::string& text, int width, bool wrap) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      line.clear();
      continue;
    }
    line += text[i];
    if (wrap && text[i] != ' ' && TextWidth(dc, line) > width) {
      const std::size_t space = line.rfind(' ');
      if (space != std::string::npos) {
        lines.push_back(line.substr(0, space));
        line.erase(0, space + 1);
      }
    }
  }
  return lines;
}

struct Painting {
  explicit Painting(HWND target) : hwnd(target), dc(BeginPaint(target, &ps)) {
    GetClientRect(hwnd, &client);
    window = FindWindowOf(hwnd);
    previousFont =
        SelectObject(dc, window->font != nullptr ? window->font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kBlack);
  }
  ~Painting() {
    SelectObject(dc, previousFont);
    EndPaint(hwnd, &ps);
  }
  HWND hwnd;
  PAINTSTRUCT ps;
  HDC dc;
  RECT client;
  Window* window;
  HGDIOBJ previousFont;
};

LRESULT CommonMessages(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool* handled) {
  Window* window = FindWindowOf(hwnd);
  *handled = true;
  switch (message) {
    case WM_SETFONT:
      window->font = reinterpret_cast<HFONT>(wParam);
      if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(window->font);
    case WM_ERASEBKGND:
      return 1;  // the painting covers everything
    case WM_SETFOCUS:
    case WM_KILLFOCUS:  // a focused control looks different
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    default:
      *handled = false;
      return 0;
  }
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  bool handled;
  const LRESULT common = CommonMessages(hwnd, message, wParam, lParam, &handled);
  if (handled) return common;
  Window* window = FindWindowOf(hwnd);
  const int id = static_cast<int>(reinterpret_cast<INT_PTR>(window->menu));
  switch (message) {
    case WM_PAINT: {
      Painting p(hwnd);
      const bool isDefault = (window->style & 0xF) == BS_DEFPUSHBUTTON;
      FillSolid(p.dc, p.client, kFace);
      Frame(p.dc, p.client, isDefault ? kBlack : kShadow);
      if (isDefault)
        Frame(p.dc, {p.client.left + 1, p.client.top + 1, p.client.right - 1, p.client.bottom - 1},
              kShadow);
      if (GetFocus() == hwnd)
        Frame(p.dc, {p.client.left + 3, p.client.top + 3, p.client.right - 3, p.client.bottom - 3},
              kShadow);
      const std::string label = WithoutMnemonics(window->text);
      const int offset = window->pressed ? 1 : 0;
      SetTextColor(p.dc, IsWindowEnabled(hwnd) ? kBlack : kShadow);
      TextOutA(p.dc, (p.client.right - TextWidth(p.dc, label)) / 2 + offset,
               (p.client.bottom - LineHeight(p.dc)) / 2 + offset, label.c_str(),
               static_cast<int>(label.size()));
      return 0;
    }
    case WM_LBUTTONDOWN:
      window->pressed = true;
      SetFocus(hwnd);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_CANCELMODE:
      // The press was taken back: the button comes up without a click.
      if (window->pressed) InvalidateRect(hwnd, nullptr, FALSE);
      window->pressed = false;
      return 0;
    case WM_KEYDOWN:
      // Space presses a button with the focus; letting it go clicks it.
      if (wParam != VK_SPACE) return DefWindowProcA(hwnd, message, wParam, lParam);
      window->pressed = true;
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_KEYUP:
      if (wParam != VK_SPACE) return DefWindowProcA(hwnd, message, wParam, lParam);
      [[fallthrough]];
    case WM_LBUTTONUP:
      if (!window->pressed) return 0;
      window->pressed = false;
      InvalidateRect(hwnd, nullptr, FALSE);
      [[fallthrough]];
    case BM_CLICK:
      SendMessageA(window->parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(hwnd));
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  bool handled;
  const LRESULT common = CommonMessages(hwnd, message, wParam, lParam, &handled);
  if (handled) return common;
  Window* window = FindWindowOf(hwnd);
  if (message != WM_PAINT) return DefWindowProcA(hwnd, message, wParam, lParam);
  Painting p(hwnd);
  FillSolid(p.dc, p.client, kFace);
  if ((window->style & 0x1F) == SS_ICON) {
    if (window->icon != nullptr) DrawIcon(p.dc, 0, 0, window->icon);
    return 0;
  }
  const bool wrap = (window->style & 0x1F) != SS_LEFTNOWORDWRAP;
  const int height = LineHeight(p.dc);
  int y = 0;
  for (const std::string& line : Wrap(p.dc, WithoutMnemonics(window->text), p.client.right, wrap)) {
    TextOutA(p.dc, 0, y, line.c_str(), static_cast<int>(line.size()));
    y += height;
  }
  return 0;
}

// --- Edit ----------------------------------------------------------------------------------------

bool MultiLine(const Window& w) { return (w.style & ES_MULTILINE) != 0; }
bool ReadOnly(const Window& w) { return (w.style & ES_READONLY) != 0; }

void ReplaceSelection(Window& w, const std::string& text) {
  const std::size_t from = std::min(w.caret, w.anchor), to = std::max(w.caret, w.anchor);
  std::string inserted = text;
  const std::size_t room =
      w.limit > w.text.size() - (to - from) ? w.limit - (w.text.size() - (to - from)) : 0;
  if (inserted.size() > room) inserted.resize(room);
  w.text.replace(from, to - from, inserted);
  w.caret = w.anchor = from + inserted.size();
}

// Keeps the caret in view: the first shown column moves by whole characters.
void ScrollToCaret(HDC dc, Window& w, int width) {
  if (w.caret < static_cast<std::size_t>(w.scroll)) w.scroll = static_cast<int>(w.caret);
  while (TextWidth(dc, w.text.substr(static_cast<std::size_t>(w.scroll),
                                     w.caret - static_cast<std::size_t>(w.scroll))) > width - 4)
    ++w.scroll;
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  bool handled;
  const LRESULT common = CommonMessages(hwnd, message, wParam, lParam, &handled);
  if (handled) return common;
  Window* w = FindWindowOf(hwnd);
  switch (message) {
    case WM_PAINT: {
      Painting p(hwnd);
      FillSolid(p.dc, p.client, kWhite);
      if (w->style & WS_BORDER) Frame(p.dc, p.client, kShadow);
      const int height = LineHeight(p.dc);
      if (MultiLine(*w)) {
        const int textWidth = p.client.right - kScrollBarWidth - 4;
        const auto lines = Wrap(p.dc, w->text, textWidth, true);
        const int visible = std::max(1, static_cast<int>((p.client.bottom - 4) / height));
        w->scroll = std::clamp(w->scroll, 0, std::max(0, static_cast<int>(lines.size()) - visible));
        for (int i = 0; i < visible && w->scroll + i < static_cast<int>(lines.size()); ++i) {
          const std::string& line = lines[static_cast<std::size_t>(w->scroll + i)];
          TextOutA(p.dc, 2, 2 + i * height, line.c_str(), static_cast<int>(line.size()));
        }
        // The scroll bar: a track, and a thumb as long as the part shown.
        const RECT track{p.client.right - kScrollBarWidth, 1, p.client.right - 1,
                         p.client.bottom - 1};
        FillSolid(p.dc, track, kFace);
        const int total = std::max(static_cast<int>(lines.size()), visible);
        const int span = track.bottom - track.top;
        const int thumbTop = track.top + span * w->scroll / total;
        FillSolid(p.dc,
                  {track.left + 2, thumbTop, track.right - 2,
                   thumbTop + std::max(8, span * visible / total)},
                  kShadow);
        return 0;
      }
      ScrollToCaret(p.dc, *w, p.client.right);
      const std::string shown = w->text.substr(static_cast<std::size_t>(w->scroll));
      const int y = (p.client.bottom - height) / 2;
      const std::size_t from = std::min(w->caret, w->anchor), to = std::max(w->caret, w->anchor);
      if (from != to && GetFocus() == hwnd) {  // the selection, highlighted
        const int left =
            2 + TextWidth(p.dc, w->text.substr(w->scroll, from > static_cast<std::size_t>(w->scroll)
                                                              ? from - w->scroll
                                                              : 0));
        const int right = 2 + TextWidth(p.dc, w->text.substr(w->scroll, to - w->scroll));
        FillSolid(p.dc, {left, y, right, y + height}, RGB(0, 120, 215));
      }
      TextOutA(p.dc, 2, y, shown.c_str(), static_cast<int>(shown.size()));
      if (GetFocus() == hwnd) {
        const int x = 2 + TextWidth(p.dc, w->text.substr(w->scroll, w->caret - w->scroll));
        FillSolid(p.dc, {x, y, x + 1, y + height}, kBlack);
      }
      return 0;
    }
    case WM_SETTEXT:
      w->text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
      w->caret = w->anchor = 0;
      w->scroll = 0;
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    case EM_SETSEL: {
      const std::size_t size = w->text.size();
      const auto clampTo = [&](LPARAM v) {
        return v < 0 ? size : std::min<std::size_t>(static_cast<std::size_t>(v), size);
      };
      w->anchor = clampTo(static_cast<LPARAM>(static_cast<INT_PTR>(wParam)));
      w->caret = clampTo(lParam);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    }
    case EM_LIMITTEXT:
      w->limit = wParam == 0 ? 0x7FFFFFFE : static_cast<std::size_t>(wParam);
      return 0;
    case WM_CHAR:
      if (ReadOnly(*w) || MultiLine(*w)) return 0;
      if (wParam == VK_BACK) {
        if (w->caret == w->anchor && w->caret > 0) w->anchor = w->caret - 1;
        ReplaceSelection(*w, "");
      } else if (wParam >= 0x20) {
        ReplaceSelection(*w, std::string(1, static_cast<char>(wParam)));
      } else {
        return 0;
      }
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_KEYDOWN:
      if (MultiLine(*w)) {
        const int step = wParam == VK_UP      ? -1
                         : wParam == VK_DOWN  ? 1
                         : wParam == VK_PRIOR ? -5
                         : wParam == VK_NEXT  ? 5
                                              : 0;
        w->scroll += step;
      } else {
        switch (wParam) {
          case VK_LEFT:
            w->caret = w->caret > 0 ? w->caret - 1 : 0;
            break;
          case VK_RIGHT:
            w->caret = std::min(w->caret + 1, w->text.size());
            break;
          case VK_HOME:
            w->caret = 0;
            break;
          case VK_END:
            w->caret = w->text.size();
            break;
          case VK_DELETE:
            if (!ReadOnly(*w)) {
              if (w->caret == w->anchor && w->caret < w->text.size()) w->anchor = w->caret + 1;
              ReplaceSelection(*w, "");
            }
            break;
          default:
            return 0;
        }
        w->anchor = w->caret;
      }
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_MOUSEWHEEL:
      w->scroll -= static_cast<short>(HIWORD(wParam)) / 40;
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(hwnd);
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

void RegisterSystemClasses() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  // From the first window on, the screen shows the windows over the desktop.
  gdi::SetScreenPainter(ComposeScreen);
  const struct {
    const char* name;
    WNDPROC proc;
  } classes[] = {{"#32770", DialogWindowProc},
                 {"BUTTON", ButtonProc},
                 {"STATIC", StaticProc},
                 {"EDIT", EditProc}};
  for (const auto& c : classes) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = c.proc;
    wc.lpszClassName = c.name;
    if (std::strcmp(c.name, "#32770") == 0)
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassExA(&wc);
  }
}

}  // namespace platform::user
