// USER's state: window classes, windows and the thread's message queue.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../common/handle_table.h"
#include "../gdi/pixels.h"

namespace platform::user {

struct WindowClass {
  std::string name;
  WNDCLASSEXA info{};
  std::string menuName;
};

struct Window {
  HWND handle = nullptr;
  const WindowClass* windowClass = nullptr;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  std::string text;
  HWND parent = nullptr;  // child windows only
  HWND owner = nullptr;   // top-level windows: the top-level window that owns this one
  HWND lastFocus = nullptr;  // top-level windows: the window in it that had the focus last
  HMENU menu = nullptr;   // top-level: the menu bar; child: the control id
  RECT window{};          // outer frame: screen coordinates, or parent client ones for a child
  RECT restored{};        // the frame before minimising
  bool minimized = false;
  // Painting: the update region kept as its bounding box.
  bool updatePending = false;
  bool eraseNeeded = false;
  RECT update{};
  std::optional<RECT> paintClip;  // between BeginPaint and EndPaint, in client coordinates
  HDC ownDc = nullptr;            // CS_OWNDC
  gdi::PixelBuffer surface;       // top-level windows: the client area's pixels
  bool destroying = false;
  // Dialogs and controls.
  DLGPROC dialogProc = nullptr;
  bool dialogEnded = false;
  INT_PTR dialogResult = 0;
  HFONT font = nullptr;
  std::size_t caret = 0;  // edit: caret position, and the other end of the selection
  std::size_t anchor = 0;
  std::size_t limit = 30000;  // edit: most characters
  int scroll = 0;             // edit: first column (single line) or first line (multi-line) shown
  bool pressed = false;       // button: held down
  HICON icon = nullptr;       // static: the icon it shows (SS_ICON)
};

struct Timer {
  HWND hwnd;
  UINT_PTR id;
  UINT interval;      // milliseconds, at least 10
  std::uint64_t due;  // nanoseconds on the host clock
  TIMERPROC proc;
};

struct MenuItem {
  UINT flags;  // MF_POPUP, MF_SEPARATOR, MF_CHECKED, MF_GRAYED
  UINT id;
  std::string text;
  HMENU submenu;
};

struct Menu {
  std::vector<MenuItem> items;
};

struct Accelerators {
  std::vector<ACCEL> entries;
};

struct UserState {
  HandleTable<Menu> menus{HandleKind::Menu};
  HandleTable<Accelerators> accelerators{HandleKind::Accelerators};
  BYTE keyState[256] = {};  // bit 7: the key is down, as the retrieved messages left it
  std::vector<std::unique_ptr<WindowClass>> classes;
  HandleTable<Window> windows{HandleKind::Window};
  std::vector<HWND> order;  // top-level and child windows in creation order
  std::deque<MSG> posted;
  std::deque<MSG> input;
  std::vector<Timer> timers;
  bool quit = false;
  int quitCode = 0;
  HWND focus = nullptr;
  HWND active = nullptr;
};

UserState& State();
Window* FindWindowOf(HWND hwnd);
Menu* FindMenu(HMENU menu);
// The item with a command id anywhere in a menu and its popups, or null.
MenuItem* FindCommand(HMENU menu, UINT id);
HWND TopLevelOf(HWND hwnd);
// The window a child sits in; null for top-level windows (whatever GetParent says of popups).
HWND ParentOf(HWND hwnd);

// Frame sizes of the subset's windows; GetSystemMetrics, AdjustWindowRect and the windows'
// own client rectangles all take them from here.
struct FrameMetrics {
  int frame;    // each side, fixed frame
  int caption;  // SM_CYCAPTION
  int menu;     // SM_CYMENU
};
constexpr FrameMetrics kMetrics{3, 19, 19};

// The client rectangle in screen (top-level) or parent-client (child) coordinates.
RECT ClientArea(const Window& window);

// The subset's own window classes: "#32770" (dialogs), BUTTON, STATIC and EDIT.
void RegisterSystemClasses();
LRESULT CALLBACK DialogWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Runs a modal loop on `dialog` until EndDialog; the owner is disabled meanwhile.
INT_PTR RunModal(HWND dialog, HWND owner);

// The deepest visible, enabled child of `top` under client point (*x, *y), or `top` itself;
// the point is turned into that window's client coordinates.
HWND DeepestChildAt(HWND top, int* x, int* y);

// For tests and hosts, not Win32: hand the queue an input message, as a host does for a click
// or a key; it is delivered to `msg.hwnd`.
void QueueInput(const MSG& msg);

}  // namespace platform::user
