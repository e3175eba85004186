#include "compose.h"

#include <algorithm>
#include <functional>
#include <string>

#include "../common/never_destroyed.h"
#include "../gdi/gdi_state.h"
#include "drawing.h"
#include "menu_mode.h"
#include "user_state.h"

namespace platform::user {
namespace {

const COLORREF kCaption = RGB(0, 84, 153);
const COLORREF kCaptionInactive = RGB(170, 170, 170);
const COLORREF kFrame = RGB(100, 100, 100);

std::function<void(unsigned)>& DialogObserver() {
  static NeverDestroyed<std::function<void(unsigned)>> observer;
  return observer.get();
}

// A DC drawing in screen coordinates onto a buffer whose top-left pixel is the screen's
// (left, top), clipped to one box of the screen.
HDC ScreenDc(gdi::PixelBuffer& screen, int left, int top, RECT clip) {
  return gdi::CreateDcOver([&screen, left, top, clip]() -> std::optional<gdi::Target> {
    // A window may stand partly off the buffer: only the buffer's pixels can be drawn.
    const gdi::Box box = gdi::Box{clip.left, clip.top, clip.right, clip.bottom}
                             .Offset(-left, -top)
                             .Intersect({0, 0, screen.width, screen.height});
    return gdi::Target{&screen, -left, -top, box};
  });
}

// The menu bar's items: the popups' titles, their mnemonic marks taken out.
void DrawMenuBar(HDC dc, const Window& window, RECT bar) {
  FillSolid(dc, bar, GetSysColor(COLOR_BTNFACE));
  HGDIOBJ font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  for (const BarTitle& title : LayOutMenuBar(window.handle, bar.left + 6)) {
    SIZE size{};
    GetTextExtentPointA(dc, title.label.c_str(), static_cast<int>(title.label.size()), &size);
    TextOutA(dc, title.left + 4, bar.top + (bar.bottom - bar.top - size.cy) / 2,
             title.label.c_str(), static_cast<int>(title.label.size()));
  }
  SelectObject(dc, font);
}

}  // namespace

void ComposeWindow(HWND hwnd, gdi::PixelBuffer& screen, int left, int top) {
  Window* window = FindWindowOf(hwnd);
  if (window == nullptr || window->parent != nullptr || !(window->style & WS_VISIBLE) ||
      window->minimized)
    return;
  const RECT frame = window->window;
  const RECT client = ClientArea(*window);
  const gdi::Box area{left, top, left + screen.width, top + screen.height};
  if (area.Intersect({frame.left, frame.top, frame.right, frame.bottom}).Empty()) return;
  HDC dc = ScreenDc(screen, left, top, frame);
  // Frame, caption with its title, menu bar: everything outside the client area.
  if (client.left > frame.left || client.top > frame.top) {
    FillSolid(dc, frame, kFrame);
    if ((window->style & WS_CAPTION) == WS_CAPTION) {
      const RECT caption{frame.left + kMetrics.frame, frame.top + kMetrics.frame,
                         frame.right - kMetrics.frame,
                         frame.top + kMetrics.frame + kMetrics.caption};
      const bool active = State().active == hwnd || IsWindowEnabled(hwnd);
      FillSolid(dc, caption, active ? kCaption : kCaptionInactive);
      HFONT bold =
          CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
      HGDIOBJ old = SelectObject(dc, bold);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, RGB(255, 255, 255));
      TextOutA(dc, caption.left + 5, caption.top + 2, window->text.c_str(),
               static_cast<int>(window->text.size()));
      SelectObject(dc, old);
      DeleteObject(bold);
    }
    if (window->menu != nullptr)
      DrawMenuBar(dc, *window, {client.left, client.top - kMetrics.menu, client.right, client.top});
  }
  DeleteDC(dc);
  // The client area's own pixels.
  const gdi::PixelBuffer& pixels = window->surface;
  const gdi::Box shown =
      gdi::Box{client.left, client.top, client.left + pixels.width, client.top + pixels.height}
          .Intersect(area);
  for (int y = shown.top; y < shown.bottom; ++y)
    std::copy(pixels.Row(y - client.top) + (shown.left - client.left),
              pixels.Row(y - client.top) + (shown.right - client.left),
              screen.Row(y - top) + (shown.left - left));
}

int ComposeContent(HWND hwnd, gdi::PixelBuffer& content) {
  Window* window = FindWindowOf(hwnd);
  if (window == nullptr) return 0;
  const int menuHeight = window->parent == nullptr && window->menu != nullptr ? kMetrics.menu : 0;
  const gdi::PixelBuffer& pixels = window->surface;
  content.Resize(pixels.width, pixels.height + menuHeight);
  if (menuHeight > 0) {
    HDC dc = ScreenDc(content, 0, 0, {0, 0, content.width, menuHeight});
    DrawMenuBar(dc, *window, {0, 0, content.width, menuHeight});
    DeleteDC(dc);
  }
  for (int y = 0; y < pixels.height; ++y)
    std::copy(pixels.Row(y), pixels.Row(y) + pixels.width, content.Row(y + menuHeight));
  return menuHeight;
}

void ComposeScreen(gdi::PixelBuffer& screen, int left, int top) {
  for (HWND hwnd : State().order) ComposeWindow(hwnd, screen, left, top);
}

HWND TopLevelAt(int x, int y) {
  const auto& order = State().order;
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    const Window* window = FindWindowOf(*it);
    if (window != nullptr && window->parent == nullptr && (window->style & WS_VISIBLE) &&
        !window->minimized && PtInRect(&window->window, POINT{x, y}))
      return *it;
  }
  return nullptr;
}

void SetDialogObserver(std::function<void(unsigned templateId)> observer) {
  DialogObserver() = std::move(observer);
}

void NotifyDialogOpened(unsigned templateId) {
  if (DialogObserver()) DialogObserver()(templateId);
}

}  // namespace platform::user
