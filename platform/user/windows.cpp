// Window classes and windows: creation, destruction, placement, visibility, focus.
#include <strings.h>

#include <algorithm>
#include <cstring>

#include "../common/never_destroyed.h"
#include "../gdi/gdi_state.h"
#include "../kernel/last_error.h"
#include "compose.h"
#include "user_state.h"

namespace platform::user {

UserState& State() {
  static NeverDestroyed<UserState> state;
  return state.get();
}

Window* FindWindowOf(HWND hwnd) {
  return State().windows.Find(reinterpret_cast<std::uintptr_t>(hwnd));
}

HWND ParentOf(HWND hwnd) {
  const Window* window = FindWindowOf(hwnd);
  return window != nullptr ? window->parent : nullptr;
}

HWND TopLevelOf(HWND hwnd) {
  Window* window = FindWindowOf(hwnd);
  while (window != nullptr && window->parent != nullptr) {
    hwnd = window->parent;
    window = FindWindowOf(hwnd);
  }
  return window != nullptr ? hwnd : nullptr;
}

namespace {

bool g_desktopFitsWindows = false;

// A desktop that fits its windows grows to hold a top-level window of this frame.
void MakeRoomFor(const Window& window) {
  if (!g_desktopFitsWindows || window.parent != nullptr) return;
  gdi::SetScreenSize(std::max<int>(gdi::ScreenWidth(), window.window.right - window.window.left),
                     std::max<int>(gdi::ScreenHeight(), window.window.bottom - window.window.top));
}

int FrameOf(DWORD style, DWORD exStyle) {
  if ((style & WS_CAPTION) == WS_CAPTION || (style & WS_DLGFRAME) || (style & WS_THICKFRAME) ||
      (exStyle & WS_EX_DLGMODALFRAME))
    return kMetrics.frame;
  return (style & WS_BORDER) ? 1 : 0;
}

}  // namespace

void FitDesktopToWindows(bool fit) {
  g_desktopFitsWindows = fit;
  if (!fit) return;
  gdi::SetScreenSize(0, 0);
  for (HWND hwnd : State().order) MakeRoomFor(*FindWindowOf(hwnd));
}

RECT ClientArea(const Window& window) {
  RECT r = window.window;
  if (window.parent != nullptr) return r;  // controls draw their own borders
  const int frame = FrameOf(window.style, window.exStyle);
  r.left += frame;
  r.right -= frame;
  r.top += frame + ((window.style & WS_CAPTION) == WS_CAPTION ? kMetrics.caption : 0) +
           (window.parent == nullptr && window.menu != nullptr ? kMetrics.menu : 0);
  r.bottom -= frame;
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

HWND DeepestChildAt(HWND top, int* x, int* y) {
  HWND target = top;
  for (bool found = true; found;) {
    found = false;
    for (HWND child : State().order) {
      Window* w = FindWindowOf(child);
      if (w == nullptr || w->parent != target || !IsWindowVisible(child) || !IsWindowEnabled(child))
        continue;
      if (*x >= w->window.left && *x < w->window.right && *y >= w->window.top &&
          *y < w->window.bottom) {
        *x -= w->window.left, *y -= w->window.top, target = child, found = true;
        break;
      }
    }
  }
  return target;
}

}  // namespace platform::user

using namespace platform::user;

extern "C" ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* lpwcx) {
  if (lpwcx == nullptr || lpwcx->cbSize != sizeof(WNDCLASSEXA) || lpwcx->lpszClassName == nullptr ||
      lpwcx->lpfnWndProc == nullptr)
    return platform::Fail(ERROR_INVALID_PARAMETER, ATOM{0});
  UserState& state = State();
  for (const auto& existing : state.classes)
    if (strcasecmp(existing->name.c_str(), lpwcx->lpszClassName) == 0)
      return platform::Fail(DWORD{1410} /* ERROR_CLASS_ALREADY_EXISTS */, ATOM{0});
  auto windowClass = std::make_unique<WindowClass>();
  windowClass->name = lpwcx->lpszClassName;
  windowClass->info = *lpwcx;
  windowClass->info.lpszClassName = windowClass->name.c_str();
  if (lpwcx->lpszMenuName != nullptr && !IS_INTRESOURCE(lpwcx->lpszMenuName))
    windowClass->menuName = lpwcx->lpszMenuName;
  state.classes.push_back(std::move(windowClass));
  return static_cast<ATOM>(0xC000 + state.classes.size());
}

extern "C" HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName,
                                       DWORD dwStyle, int X, int Y, int nWidth, int nHeight,
                                       HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                                       LPVOID lpParam) {
  UserState& state = State();
  RegisterSystemClasses();
  const WindowClass* windowClass = nullptr;
  for (const auto& candidate : state.classes)
    if (lpClassName != nullptr && strcasecmp(candidate->name.c_str(), lpClassName) == 0)
      windowClass = candidate.get();
  if (windowClass == nullptr)
    return platform::Fail(DWORD{1407} /* ERROR_CANNOT_FIND_WND_CLASS */, HWND{});
  const bool child = (dwStyle & WS_CHILD) != 0;
  if (child && FindWindowOf(hWndParent) == nullptr) return platform::Fail(DWORD{1406}, HWND{});
  if (hWndParent != nullptr && FindWindowOf(hWndParent) == nullptr)
    return platform::Fail(ERROR_INVALID_HANDLE, HWND{});

  Window window;
  window.windowClass = windowClass;
  window.proc = windowClass->info.lpfnWndProc;
  window.style = dwStyle & ~WS_VISIBLE;
  window.exStyle = dwExStyle;
  window.text = lpWindowName != nullptr ? lpWindowName : "";
  window.parent = child ? hWndParent : nullptr;
  window.owner = child ? nullptr : TopLevelOf(hWndParent);
  window.menu = hMenu;
  // A top-level window without a menu of its own gets its class's.
  if (!child && hMenu == nullptr && windowClass->info.lpszMenuName != nullptr) {
    const LPCSTR name = windowClass->menuName.empty() ? windowClass->info.lpszMenuName
                                                      : windowClass->menuName.c_str();
    window.menu = LoadMenuA(hInstance, name);
  }
  if (X == CW_USEDEFAULT) X = 0, Y = 0;
  if (nWidth == CW_USEDEFAULT) nWidth = 640, nHeight = 480;
  window.window = {X, Y, X + std::max(nWidth, 0), Y + std::max(nHeight, 0)};
  const std::uintptr_t value = state.windows.Add(std::move(window));
  if (value == 0) return platform::Fail(ERROR_NOT_ENOUGH_MEMORY, HWND{});
  HWND hwnd = reinterpret_cast<HWND>(value);
  Window* made = FindWindowOf(hwnd);
  made->handle = hwnd;
  MakeRoomFor(*made);
  if (!child) {
    const RECT client = ClientArea(*made);
    made->surface.Resize(client.right - client.left, client.bottom - client.top,
                         platform::gdi::PixelFromColorref(RGB(255, 255, 255)));
  }
  state.order.push_back(hwnd);

  CREATESTRUCTA create{lpParam,
                       hInstance,
                       hMenu,
                       hWndParent,
                       nHeight,
                       nWidth,
                       Y,
                       X,
                       static_cast<LONG>(dwStyle),
                       lpWindowName,
                       lpClassName,
                       dwExStyle};
  if (!SendMessageA(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create)) ||
      SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
    DestroyWindow(hwnd);
    return platform::Fail(DWORD{1400} /* ERROR_INVALID_WINDOW_HANDLE */, HWND{});
  }
  if (dwStyle & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
  return hwnd;
}

namespace {

bool IsSelfOrDescendant(HWND hwnd, HWND ancestor) {
  for (HWND w = hwnd; w != nullptr; w = ParentOf(w))
    if (w == ancestor) return true;
  return false;
}

// The window hears of its end before its children, and goes after them, as on Windows.
void DestroyTree(HWND hwnd) {
  UserState& state = State();
  Window* window = FindWindowOf(hwnd);
  window->destroying = true;
  SendMessageA(hwnd, WM_DESTROY, 0, 0);
  std::vector<HWND> children;
  for (HWND other : state.order) {
    Window* w = FindWindowOf(other);
    if (w != nullptr && w->parent == hwnd && !w->destroying) children.push_back(other);
  }
  for (HWND child : children)
    if (FindWindowOf(child) != nullptr) DestroyTree(child);
  SendMessageA(hwnd, WM_NCDESTROY, 0, 0);

  const auto forThis = [&](const MSG& m) { return m.hwnd == hwnd; };
  state.posted.erase(std::remove_if(state.posted.begin(), state.posted.end(), forThis),
                     state.posted.end());
  state.input.erase(std::remove_if(state.input.begin(), state.input.end(), forThis),
                    state.input.end());
  state.timers.erase(std::remove_if(state.timers.begin(), state.timers.end(),
                                    [&](const Timer& t) { return t.hwnd == hwnd; }),
                     state.timers.end());
  window = FindWindowOf(hwnd);
  if (window->ownDc != nullptr) DeleteDC(window->ownDc);
  if (window->parent == nullptr && window->menu != nullptr) DestroyMenu(window->menu);
  // As on Windows, a window that goes while active hands the activation to its owner.
  if (state.active == hwnd)
    state.active = FindWindowOf(window->owner) != nullptr ? window->owner : nullptr;
  state.order.erase(std::remove(state.order.begin(), state.order.end(), hwnd), state.order.end());
  state.windows.Remove(reinterpret_cast<std::uintptr_t>(hwnd));
}

}  // namespace

extern "C" BOOL WINAPI DestroyWindow(HWND hWnd) {
  Window* window = FindWindowOf(hWnd);
  if (window == nullptr || window->destroying) return platform::Fail(DWORD{1400}, FALSE);
  // A child is hidden as ShowWindow hides it; a top-level window leaves the screen silently.
  if (window->style & WS_VISIBLE) {
    if (window->parent != nullptr)
      ShowWindow(hWnd, SW_HIDE);
    else
      window->style &= ~WS_VISIBLE;
  }
  if (State().focus != nullptr && IsSelfOrDescendant(State().focus, hWnd)) SetFocus(nullptr);
  DestroyTree(hWnd);
  return TRUE;
}

extern "C" BOOL WINAPI IsWindow(HWND hWnd) { return FindWindowOf(hWnd) != nullptr; }

extern "C" BOOL WINAPI IsWindowVisible(HWND hWnd) {
  for (Window* w = FindWindowOf(hWnd); w != nullptr; w = FindWindowOf(w->parent)) {
    if (!(w->style & WS_VISIBLE)) return FALSE;
    if (w->parent == nullptr) return TRUE;
  }
  return FALSE;
}

namespace {

void MoveTo(HWND hwnd, Window& window, int x, int y) {
  const int width = window.window.right - window.window.left;
  const int height = window.window.bottom - window.window.top;
  window.window = {x, y, x + width, y + height};
  // WM_MOVE gives the client area's origin; a minimised window reports where it is parked.
  const RECT client = ClientArea(window);
  const POINT origin = window.minimized ? POINT{x, y} : POINT{client.left, client.top};
  SendMessageA(hwnd, WM_MOVE, 0,
               MAKELPARAM(static_cast<WORD>(origin.x), static_cast<WORD>(origin.y)));
}

}  // namespace

extern "C" BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
  Window* window = FindWindowOf(hWnd);
  if (window == nullptr) return platform::Fail(DWORD{1400}, FALSE);
  const BOOL wasVisible = (window->style & WS_VISIBLE) != 0;
  switch (nCmdShow) {
    case SW_HIDE:
      if (!wasVisible) return FALSE;
      SendMessageA(hWnd, WM_SHOWWINDOW, FALSE, 0);
      window->style &= ~WS_VISIBLE;
      if (State().focus != nullptr && IsSelfOrDescendant(State().focus, hWnd)) SetFocus(nullptr);
      return wasVisible;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
      if (!window->minimized) {
        // Windows parks a minimised window at (-32000, -32000) and says so with WM_MOVE.
        window->restored = window->window;
        window->minimized = true;
        window->style |= WS_MINIMIZE;
        MoveTo(hWnd, *window, -32000, -32000);
      }
      break;
    case SW_RESTORE:
      if (window->minimized) {
        window->minimized = false;
        window->style &= ~WS_MINIMIZE;
        MoveTo(hWnd, *window, window->restored.left, window->restored.top);
      }
      break;
    default:
      break;
  }
  if (!wasVisible) {
    SendMessageA(hWnd, WM_SHOWWINDOW, TRUE, 0);
    window = FindWindowOf(hWnd);
    if (window == nullptr) return FALSE;
    window->style |= WS_VISIBLE;
    InvalidateRect(hWnd, nullptr, TRUE);
    if (window->parent == nullptr && nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE) {
      State().active = hWnd;
      if (State().focus == nullptr || TopLevelOf(State().focus) != hWnd) SetFocus(hWnd);
    }
  }
  return wasVisible;
}

extern "C" BOOL WINAPI SetWindowPos(HWND hWnd, HWND, int X, int Y, int cx, int cy, UINT uFlags) {
  Window* window = FindWindowOf(hWnd);
  if (window == nullptr) return platform::Fail(DWORD{1400}, FALSE);
  if (!(uFlags & SWP_NOSIZE)) {
    window->window.right = window->window.left + std::max(cx, 0);
    window->window.bottom = window->window.top + std::max(cy, 0);
    if (window->parent == nullptr) {
      MakeRoomFor(*window);
      const RECT client = ClientArea(*window);
      window->surface.Resize(client.right - client.left, client.bottom - client.top,
                             platform::gdi::PixelFromColorref(RGB(255, 255, 255)));
      InvalidateRect(hWnd, nullptr, TRUE);
    }
  }
  if (!(uFlags & SWP_NOMOVE) && (X != window->window.left || Y != window->window.top))
    MoveTo(hWnd, *window, X, Y);
  if (uFlags & SWP_SHOWWINDOW) ShowWindow(hWnd, SW_SHOW);
  if (uFlags & SWP_HIDEWINDOW) ShowWindow(hWnd, SW_HIDE);
  return TRUE;
}

extern "C" BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
  if (lpRect == nullptr) return platform::Fail(ERROR_INVALID_PARAMETER, FALSE);
  if (hWnd == GetDesktopWindow()) {
    *lpRect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return TRUE;
  }
  Window* window = FindWindowOf(hWnd);
  if (window == nullptr) return platform::Fail(DWORD{1400}, FALSE);
  RECT r = window->window;
  // A child's frame is kept in its parent's client coordinates; Windows answers in the screen's.
  for (Window* parent = FindWindowOf(window->parent); parent != nullptr;
       parent = FindWindowOf(parent->parent)) {
    const RECT client = ClientArea(*parent);
    r.left += client.left, r.right += client.left, r.top += client.top, r.bottom += client.top;
  }
  *lpRect = r;
  return TRUE;
}

extern "C" BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
  if (lpRect == nullptr) return platform::Fail(ERROR_INVALID_PARAMETER, FALSE);
  if (hWnd == GetDesktopWindow()) return GetWindowRect(hWnd, lpRect);
  Window* window = FindWindowOf(hWnd);
  if (window == nullptr) return platform::Fail(DWORD{1400}, FALSE);
  const RECT client = ClientArea(*window);
  *lpRect = {0, 0, client.right - client.left, client.bottom - client.top};
  return TRUE;
}

extern "C" BOOL WINAPI AdjustWindowRect(LPRECT lpRect, DWORD dwStyle, BOOL bMenu) {
  if (lpRect == nullptr) return platform::Fail(ERROR_INVALID_PARAMETER, FALSE);
  Window probe;
  probe.style = dwStyle;
  probe.window = {0, 0, 1000, 1000};
  probe.menu = bMenu ? reinterpret_cast<HMENU>(1) : nullptr;
  const RECT client = ClientArea(probe);
  lpRect->left -= client.left;
  lpRect->top -= client.top;
  lpRect->right += 1000 - client.right;
  lpRect->bottom += 1000 - client.bottom;
  return TRUE;
}

extern "C" HWND WINAPI GetDesktopWindow(void) {
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x10010));
}

extern "C" HWND WINAPI GetParent(HWND hWnd) {
  Window* window = FindWindowOf(hWnd);
  if (window == nullptr) return platform::Fail(DWORD{1400}, HWND{});
  // A popup answers with its owner, as on Windows; other top-level windows with none.
  if (window->parent == nullptr) return (window->style & WS_POPUP) ? window->owner : nullptr;
  return window->parent;
}

extern "C" BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
  RECT frame;
  if (lpPoint == nullptr || !GetWindowRect(hWnd, &frame)) return FALSE;
  Window* window = FindWindowOf(hWnd);
  const RECT client = ClientArea(*window);
  // The client origin in screen coordinates: the frame's corner plus the client's offset in it.
  lpPoint->x -= frame.left + (client.left - window->window.left);
  lpPoint->y -= frame.top + (client.top - window->window.top);
  return TRUE;
}

extern "C" LONG WINAPI GetWindowLongA(HWND hWnd, int nIndex) {
  Window* window = FindWindowOf(hWnd);
  if (window == nullptr) return platform::Fail(DWORD{1400}, LONG{0});
  switch (nIndex) {
    case GWL_STYLE:
      return static_cast<LONG>(window->style);
    case GWL_EXSTYLE:
      return static_cast<LONG>(window->exStyle);
    default:
      return platform::Fail(DWORD{1413} /* ERROR_INVALID_INDEX */, LONG{0});
  }
}

extern "C" BOOL WINAPI EqualRect(const RECT* lprc1, const RECT* lprc2) {
  if (lprc1 == nullptr || lprc2 == nullptr) return FALSE;
  return lprc1->left == lprc2->left && lprc1->top == lprc2->top && lprc1->right == lprc2->right &&
         lprc1->bottom == lprc2->bottom;
}

extern "C" BOOL WINAPI PtInRect(const RECT* lprc, POINT pt) {
  return lprc != nullptr && pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top &&
         pt.y < lprc->bottom;
}

extern "C" BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
  Window* window = FindWindowOf(hWnd);
  if (window == nullptr) return FALSE;
  const BOOL wasDisabled = (window->style & WS_DISABLED) != 0;
  if (bEnable == wasDisabled) {
    if (bEnable)
      window->style &= ~WS_DISABLED;
    else
      window->style |= WS_DISABLED;
    if (!bEnable && (State().focus == hWnd || TopLevelOf(State().focus) == hWnd))
      State().focus = nullptr;
    SendMessageA(hWnd, WM_ENABLE, bEnable, 0);
  }
  return wasDisabled;
}

extern "C" BOOL WINAPI IsWindowEnabled(HWND hWnd) {
  Window* window = FindWindowOf(hWnd);
  return window != nullptr && !(window->style & WS_DISABLED);
}

extern "C" HWND WINAPI SetFocus(HWND hWnd) {
  UserState& state = State();
  const HWND previous = state.focus;
  if (hWnd != nullptr && (FindWindowOf(hWnd) == nullptr || !IsWindowEnabled(hWnd)))
    return platform::Fail(DWORD{1400}, HWND{});
  if (previous == hWnd) return previous;
  state.focus = hWnd;
  if (Window* top = FindWindowOf(TopLevelOf(hWnd)); top != nullptr) top->lastFocus = hWnd;
  if (previous != nullptr && FindWindowOf(previous) != nullptr)
    SendMessageA(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
  if (hWnd != nullptr) SendMessageA(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
  return previous;
}

extern "C" HWND WINAPI GetFocus(void) { return State().focus; }

extern "C" int WINAPI GetSystemMetrics(int nIndex) {
  switch (nIndex) {
    case SM_CXSCREEN:
      return platform::gdi::ScreenWidth();
    case SM_CYSCREEN:
      return platform::gdi::ScreenHeight();
    case SM_CXFIXEDFRAME:
    case SM_CYFIXEDFRAME:
      return kMetrics.frame;
    case SM_CYCAPTION:
      return kMetrics.caption;
    case SM_CYMENU:
      return kMetrics.menu;
    default:
      return 0;
  }
}
