// Painting: update regions, WM_PAINT and WM_ERASEBKGND, and the device contexts of windows.
// A top-level window draws into its own client-area pixels; a child window into its top-level
// window's, offset to its place and clipped to itself.
#include <algorithm>
#include <cstring>

#include "../gdi/gdi_state.h"
#include "../kernel/last_error.h"
#include "damage.h"
#include "menu_mode.h"
#include "user_state.h"

namespace platform::user {
namespace {

RECT Intersect(const RECT& a, const RECT& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}
bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

// Where a window's client area lies in its top-level window's client area.
bool ClientInTopLevel(HWND hwnd, POINT* offset, RECT* visible) {
  Window* window = FindWindowOf(hwnd);
  if (window == nullptr) return false;
  RECT client = ClientArea(*window);
  if (window->parent == nullptr) {
    *offset = {0, 0};
    *visible = {0, 0, client.right - client.left, client.bottom - client.top};
    return true;
  }
  POINT parentOffset;
  RECT parentVisible;
  if (!ClientInTopLevel(window->parent, &parentOffset, &parentVisible)) return false;
  *offset = {parentOffset.x + client.left, parentOffset.y + client.top};
  *visible = Intersect(parentVisible, {offset->x, offset->y, offset->x + client.right - client.left,
                                       offset->y + client.bottom - client.top});
  return true;
}

std::optional<gdi::Target> WindowTarget(HWND hwnd) {
  Window* window = FindWindowOf(hwnd);
  Window* top = FindWindowOf(TopLevelOf(hwnd));
  POINT offset;
  RECT visible;
  if (window == nullptr || top == nullptr || !ClientInTopLevel(hwnd, &offset, &visible))
    return std::nullopt;
  if (window->paintClip) {
    const RECT& c = *window->paintClip;
    visible = Intersect(
        visible, {c.left + offset.x, c.top + offset.y, c.right + offset.x, c.bottom + offset.y});
  }
  if (IsEmpty(visible)) visible = {0, 0, 0, 0};
  // Whatever a call through the DC draws lies within its clip.
  DamageClient(top->handle, {visible.left, visible.top, visible.right, visible.bottom});
  return gdi::Target{&top->surface,
                     static_cast<int>(offset.x),
                     static_cast<int>(offset.y),
                     {visible.left, visible.top, visible.right, visible.bottom}};
}

HDC NewWindowDc(HWND hwnd) {
  return gdi::CreateDcOver([hwnd] { return WindowTarget(hwnd); });
}

void AddToUpdate(Window& window, const RECT& area, bool erase) {
  const RECT client = ClientArea(window);
  const RECT clipped =
      Intersect(area, {0, 0, client.right - client.left, client.bottom - client.top});
  if (IsEmpty(clipped)) return;
  if (!window.updatePending) {
    window.update = clipped;
  } else {
    window.update = {std::min(window.update.left, clipped.left),
                     std::min(window.update.top, clipped.top),
                     std::max(window.update.right, clipped.right),
                     std::max(window.update.bottom, clipped.bottom)};
  }
  window.updatePending = true;
  window.eraseNeeded = window.eraseNeeded || erase;
}

}  // namespace
}  // namespace platform::user

using namespace platform::user;

extern "C" BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
  if (hWnd == nullptr) {  // every window
    for (HWND hwnd : std::vector<HWND>(State().order)) InvalidateRect(hwnd, nullptr, bErase);
    return TRUE;
  }
  Window* window = FindWindowOf(hWnd);
  if (window == nullptr) return platform::Fail(DWORD{1400}, FALSE);
  const RECT client = ClientArea(*window);
  const RECT area = lpRect != nullptr
                        ? *lpRect
                        : RECT{0, 0, client.right - client.left, client.bottom - client.top};
  AddToUpdate(*window, area, bErase);
  // Children lying in the area are drawn over by the parent's painting: they paint again too.
  for (HWND other : State().order) {
    Window* child = FindWindowOf(other);
    if (child == nullptr || child->parent != hWnd) continue;
    const RECT frame = child->window;
    const RECT overlap = Intersect(area, frame);
    if (IsEmpty(overlap)) continue;
    const RECT inChild{overlap.left - frame.left, overlap.top - frame.top,
                       overlap.right - frame.left, overlap.bottom - frame.top};
    InvalidateRect(other, &inChild, bErase);
  }
  return TRUE;
}

extern "C" BOOL WINAPI ValidateRect(HWND hWnd, const RECT* lpRect) {
  Window* window = FindWindowOf(hWnd);
  if (window == nullptr) return platform::Fail(DWORD{1400}, FALSE);
  // The update region is kept as one box: validating part of it validates the box only when
  // the part covers it.
  if (lpRect == nullptr ||
      (lpRect->left <= window->update.left && lpRect->top <= window->update.top &&
       lpRect->right >= window->update.right && lpRect->bottom >= window->update.bottom)) {
    window->updatePending = false;
    window->eraseNeeded = false;
  }
  return TRUE;
}

extern "C" HDC WINAPI GetDC(HWND hWnd) {
  if (hWnd == nullptr) return CreateDCA("Display", nullptr, nullptr, nullptr);
  Window* window = FindWindowOf(hWnd);
  if (window == nullptr) return platform::Fail(DWORD{1400}, HDC{});
  if (window->windowClass->info.style & CS_OWNDC) {
    if (window->ownDc == nullptr) window->ownDc = NewWindowDc(hWnd);
    return window->ownDc;
  }
  return NewWindowDc(hWnd);
}

extern "C" int WINAPI ReleaseDC(HWND hWnd, HDC hDC) {
  Window* window = FindWindowOf(hWnd);
  if (window != nullptr && window->ownDc == hDC) return 1;  // an own DC keeps its state
  return DeleteDC(hDC) ? 1 : 0;
}

extern "C" HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
  Window* window = FindWindowOf(hWnd);
  if (window == nullptr || lpPaint == nullptr) return platform::Fail(DWORD{1400}, HDC{});
  const RECT area = window->updatePending ? window->update : RECT{0, 0, 0, 0};
  const bool erase = window->eraseNeeded;
  window->updatePending = false;
  window->eraseNeeded = false;
  window->paintClip = area;
  HDC hdc = GetDC(hWnd);
  *lpPaint = {};
  lpPaint->hdc = hdc;
  lpPaint->rcPaint = area;
  lpPaint->fErase =
      erase && SendMessageA(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) == 0;
  return hdc;
}

extern "C" BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint) {
  Window* window = FindWindowOf(hWnd);
  if (window == nullptr || lpPaint == nullptr) return FALSE;
  window->paintClip.reset();
  ReleaseDC(hWnd, lpPaint->hdc);
  return TRUE;
}

extern "C" BOOL WINAPI UpdateWindow(HWND hWnd) {
  if (FindWindowOf(hWnd) == nullptr) return platform::Fail(DWORD{1400}, FALSE);
  // The window first, then its children, each painted at once if it has anything to paint.
  std::vector<HWND> family{hWnd};
  for (HWND other : State().order)
    for (HWND w = ParentOf(other); w != nullptr; w = ParentOf(w))
      if (w == hWnd) family.push_back(other);
  for (HWND member : family) {
    Window* window = FindWindowOf(member);
    if (window != nullptr && window->updatePending && IsWindowVisible(member))
      SendMessageA(member, WM_PAINT, 0, 0);
  }
  return TRUE;
}

extern "C" LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  Window* window = FindWindowOf(hWnd);
  if (window == nullptr) return 0;
  switch (Msg) {
    case WM_NCCREATE:
      return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hWnd, &ps);
      EndPaint(hWnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: {
      HBRUSH brush = window->windowClass->info.hbrBackground;
      if (brush == nullptr) return 0;
      RECT client;
      GetClientRect(hWnd, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
      return 1;
    }
    case WM_CLOSE:
      DestroyWindow(hWnd);
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;  // the session may end
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && (lParam & (1 << 29)))
        SendMessageA(TopLevelOf(hWnd), WM_SYSCOMMAND, SC_CLOSE, 0);
      if (wParam == VK_F10) SendMessageA(TopLevelOf(hWnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
      return 0;
    case WM_SYSKEYUP:
      // Alt pressed and let go alone selects the menu bar.
      if (wParam == VK_MENU) SendMessageA(TopLevelOf(hWnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
      return 0;
    case WM_SYSCHAR:
      SendMessageA(TopLevelOf(hWnd), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wParam));
      return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_CLOSE:
          SendMessageA(hWnd, WM_CLOSE, 0, 0);
          break;
        case SC_MINIMIZE:
          ShowWindow(hWnd, SW_MINIMIZE);
          break;
        case SC_RESTORE:
          ShowWindow(hWnd, SW_RESTORE);
          break;
        case SC_MOUSEMENU:
          ClickMenuBar(hWnd, static_cast<int>(lParam));
          break;
        case SC_KEYMENU: {
          // lParam 0: the bar itself; a letter: the popup with that mnemonic, if any.
          const int index = lParam == 0 ? -1 : PopupForMnemonic(hWnd, static_cast<char>(lParam));
          if (lParam == 0 || index >= 0) RunMenuMode(hWnd, index);
          break;
        }
        default:
          break;
      }
      return 0;
    case WM_SETTEXT:
      window->text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
      return TRUE;
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(window->text.size());
    case WM_GETTEXT: {
      if (wParam == 0 || lParam == 0) return 0;
      const std::size_t n = std::min<std::size_t>(window->text.size(), wParam - 1);
      std::memcpy(reinterpret_cast<char*>(lParam), window->text.data(), n);
      reinterpret_cast<char*>(lParam)[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    default:
      return 0;
  }
}
