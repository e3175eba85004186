#include "menu_mode.h"

#include <algorithm>
#include <cctype>

#include "drawing.h"
#include "mnemonics.h"
#include "user_state.h"

namespace platform::user {
namespace {

constexpr int kItemHeight = 20;
constexpr int kSeparatorHeight = 8;

SIZE Extent(HDC dc, const std::string& text) {
  SIZE size{};
  GetTextExtentPointA(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

// The state of menu mode while it runs.
struct MenuMode {
  HWND owner = nullptr;
  int popup = -1;     // the open popup's index on the bar
  int selected = -1;  // the highlighted item in it
  HWND window = nullptr;
  bool done = false;
  UINT chosen = 0;
  bool choseSomething = false;
};

MenuMode* g_mode = nullptr;

HMENU OpenMenu() { return GetSubMenu(GetMenu(g_mode->owner), g_mode->popup); }

int ItemTop(const Menu& menu, int index) {
  int y = 2;
  for (int i = 0; i < index; ++i)
    y += (menu.items[static_cast<std::size_t>(i)].flags & MF_SEPARATOR) ? kSeparatorHeight
                                                                        : kItemHeight;
  return y;
}

LRESULT CALLBACK PopupProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return 1;
  if (message != WM_PAINT || g_mode == nullptr)
    return DefWindowProcA(hwnd, message, wParam, lParam);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  FillSolid(dc, client, RGB(249, 249, 249));
  HPEN border = CreatePen(PS_SOLID, 1, RGB(150, 150, 150));
  HGDIOBJ oldPen = SelectObject(dc, border);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, 0, 0, client.right, client.bottom);
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  const Menu* menu = FindMenu(OpenMenu());
  for (std::size_t i = 0; menu != nullptr && i < menu->items.size(); ++i) {
    const MenuItem& item = menu->items[i];
    const int top = ItemTop(*menu, static_cast<int>(i));
    if (item.flags & MF_SEPARATOR) {
      FillSolid(dc, {4, top + 3, client.right - 4, top + 4}, RGB(200, 200, 200));
      continue;
    }
    if (static_cast<int>(i) == g_mode->selected)
      FillSolid(dc, {2, top, client.right - 2, top + kItemHeight}, RGB(204, 232, 255));
    const bool grayed = (item.flags & (MF_GRAYED | MF_DISABLED)) != 0;
    SetTextColor(dc, grayed ? RGB(160, 160, 160) : RGB(0, 0, 0));
    const std::string label = WithoutMnemonics(item.text);
    const std::size_t tab = label.find('\t');
    const std::string name = label.substr(0, tab);
    const int textY = top + (kItemHeight - Extent(dc, name).cy) / 2;
    if (item.flags & MF_CHECKED) TextOutA(dc, 8, textY, "\x95", 1);  // a bullet for the chosen one
    TextOutA(dc, 24, textY, name.c_str(), static_cast<int>(name.size()));
    if (tab != std::string::npos) {
      const std::string shortcut = label.substr(tab + 1);
      TextOutA(dc, client.right - 12 - Extent(dc, shortcut).cx, textY, shortcut.c_str(),
               static_cast<int>(shortcut.size()));
    }
  }
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(border);
  EndPaint(hwnd, &ps);
  return 0;
}

void ClosePopup() {
  if (g_mode->window != nullptr) DestroyWindow(g_mode->window);
  g_mode->window = nullptr;
}

// Opens popup `index` under its title on the bar.
void OpenPopup(int index) {
  ClosePopup();
  HMENU bar = GetMenu(g_mode->owner);
  Menu* menu = FindMenu(bar);
  if (menu == nullptr || menu->items.empty()) return;
  const int count = static_cast<int>(menu->items.size());
  g_mode->popup = (index % count + count) % count;
  g_mode->selected = -1;
  Menu* popup = FindMenu(OpenMenu());
  if (popup == nullptr) return;
  Window* owner = FindWindowOf(g_mode->owner);
  const RECT client = ClientArea(*owner);
  const auto titles = LayOutMenuBar(g_mode->owner, 6);
  // As wide as the widest item with its shortcut, as tall as the items.
  HDC measure = CreateCompatibleDC(nullptr);
  SelectObject(measure, GetStockObject(DEFAULT_GUI_FONT));
  int width = 120;
  for (const MenuItem& item : popup->items)
    width = std::max(width, static_cast<int>(Extent(measure, WithoutMnemonics(item.text)).cx) + 72);
  DeleteDC(measure);
  const int height = ItemTop(*popup, static_cast<int>(popup->items.size())) + 2;
  static bool registered = false;
  if (!registered) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PopupProc;
    wc.lpszClassName = "#32768";
    registered = RegisterClassExA(&wc) != 0;
  }
  // Owned by the window whose menu it is: where windows are shown together, it goes with it.
  g_mode->window =
      CreateWindowExA(WS_EX_TOPMOST, "#32768", "", WS_POPUP,
                      client.left + titles[static_cast<std::size_t>(g_mode->popup)].left,
                      client.top, width, height, g_mode->owner, nullptr, nullptr, nullptr);
  ShowWindow(g_mode->window, SW_SHOWNA);
}

void Move(int step) {
  const Menu* popup = FindMenu(OpenMenu());
  if (popup == nullptr || popup->items.empty()) return;
  const int count = static_cast<int>(popup->items.size());
  int at = g_mode->selected;
  for (int tries = 0; tries < count; ++tries) {
    at = ((at + step) % count + count) % count;
    if (!(popup->items[static_cast<std::size_t>(at)].flags & MF_SEPARATOR)) break;
  }
  g_mode->selected = at;
  InvalidateRect(g_mode->window, nullptr, TRUE);
}

void Choose(int index) {
  const Menu* popup = FindMenu(OpenMenu());
  if (popup == nullptr || index < 0 || index >= static_cast<int>(popup->items.size())) return;
  const MenuItem& item = popup->items[static_cast<std::size_t>(index)];
  if (item.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED | MF_POPUP)) return;  // not choosable
  g_mode->chosen = item.id;
  g_mode->choseSomething = true;
  g_mode->done = true;
}

void Key(WPARAM key) {
  switch (key) {
    case VK_LEFT:
      OpenPopup(g_mode->popup - 1);
      break;
    case VK_RIGHT:
      OpenPopup(g_mode->popup + 1);
      break;
    case VK_UP:
      Move(-1);
      break;
    case VK_DOWN:
      Move(1);
      break;
    case VK_RETURN:
      Choose(g_mode->selected);
      break;
    case VK_ESCAPE:
    case VK_MENU:
    case VK_F10:
      g_mode->done = true;
      break;
    default:
      break;
  }
}

void Letter(char letter) {
  const Menu* popup = FindMenu(OpenMenu());
  if (popup == nullptr) return;
  for (std::size_t i = 0; i < popup->items.size(); ++i)
    if (MnemonicOf(popup->items[i].text) == std::tolower(static_cast<unsigned char>(letter))) {
      g_mode->selected = static_cast<int>(i);
      Choose(static_cast<int>(i));
      return;
    }
}

}  // namespace

std::vector<BarTitle> LayOutMenuBar(HWND hwnd, int left) {
  std::vector<BarTitle> titles;
  Menu* menu = FindMenu(GetMenu(hwnd));
  if (menu == nullptr) return titles;
  HDC measure = CreateCompatibleDC(nullptr);
  SelectObject(measure, GetStockObject(DEFAULT_GUI_FONT));
  int x = left;
  for (const MenuItem& item : menu->items) {
    const std::string label = WithoutMnemonics(item.text);
    const int width = static_cast<int>(Extent(measure, label).cx);
    titles.push_back({label, x - 4, x + width + 4});
    x += width + 14;
  }
  DeleteDC(measure);
  return titles;
}

int PopupForMnemonic(HWND hwnd, char letter) {
  Menu* menu = FindMenu(GetMenu(hwnd));
  if (menu == nullptr) return -1;
  for (std::size_t i = 0; i < menu->items.size(); ++i)
    if (MnemonicOf(menu->items[i].text) == std::tolower(static_cast<unsigned char>(letter)))
      return static_cast<int>(i);
  return -1;
}

void RunMenuMode(HWND hwnd, int index) {
  if (g_mode != nullptr || GetMenu(hwnd) == nullptr || !IsWindowEnabled(hwnd)) return;
  MenuMode mode;
  mode.owner = hwnd;
  g_mode = &mode;
  OpenPopup(index < 0 ? 0 : index);
  MSG msg;
  while (!mode.done && GetMessageA(&msg, nullptr, 0, 0)) {
    switch (msg.message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        // Alt still held from the press that opened the menu repeats; only a new press of it
        // leaves the menu.
        if (msg.wParam == VK_MENU && (msg.lParam & (1 << 30))) break;
        Key(msg.wParam);
        break;
      case WM_CHAR:
      case WM_SYSCHAR:
        Letter(static_cast<char>(msg.wParam));
        break;
      case WM_KEYUP:
      case WM_SYSKEYUP:
        break;
      case WM_LBUTTONDOWN:
        if (msg.hwnd == mode.window) {
          const Menu* popup = FindMenu(OpenMenu());
          const int y = GET_Y_LPARAM(msg.lParam);
          for (std::size_t i = 0; popup != nullptr && i < popup->items.size(); ++i) {
            const int top = ItemTop(*popup, static_cast<int>(i));
            const int bottom =
                top + ((popup->items[i].flags & MF_SEPARATOR) ? kSeparatorHeight : kItemHeight);
            if (y >= top && y < bottom) Choose(static_cast<int>(i));
          }
        } else {
          mode.done = true;  // a click elsewhere leaves the menu
        }
        break;
      case WM_LBUTTONUP:
      case WM_RBUTTONDOWN:
      case WM_RBUTTONUP:
        break;
      case WM_QUIT:
        mode.done = true;
        break;
      default:
        DispatchMessageA(&msg);
    }
    if (msg.message == WM_QUIT) PostQuitMessage(static_cast<int>(msg.wParam));
  }
  ClosePopup();
  g_mode = nullptr;
  if (mode.choseSomething) PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(mode.chosen, 0), 0);
}

void ClickMenuBar(HWND hwnd, int x) {
  const auto titles = LayOutMenuBar(hwnd, 6);
  for (std::size_t i = 0; i < titles.size(); ++i)
    if (x >= titles[i].left && x < titles[i].right) RunMenuMode(hwnd, static_cast<int>(i));
}

}  // namespace platform::user
