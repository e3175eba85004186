#include "input.h"

#include <strings.h>

#include <cctype>
#include <cstring>
#include <map>
#include <vector>

#include "../common/never_destroyed.h"
#include "../user/compose.h"
#include "../user/session.h"
#include "../user/user_state.h"

namespace platform::host {

namespace user = platform::user;

namespace {

struct ButtonMessages {
  UINT down, up;
  WPARAM held;   // the MK_ flag of the button while it is down
  WORD xButton;  // the high word of an X button's wParam
};

ButtonMessages MessagesOf(Button button) {
  switch (button) {
    case Button::kRight:
      return {WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, 0};
    case Button::kMiddle:
      return {WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON, 0};
    case Button::kX1:
      return {WM_XBUTTONDOWN, WM_XBUTTONUP, MK_XBUTTON1, XBUTTON1};
    case Button::kX2:
      return {WM_XBUTTONDOWN, WM_XBUTTONUP, MK_XBUTTON2, XBUTTON2};
    case Button::kLeft:
    default:
      return {WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, 0};
  }
}

// The window each button held down was pressed on, so that a press taken back can be told.
std::map<Button, HWND>& Pressed() {
  static NeverDestroyed<std::map<Button, HWND>> pressed;
  return pressed.get();
}

// The touch that stands for the left button, while one is down.
struct {
  bool down = false;
  int id = 0;
} g_touch;

// Windows-1252's characters 0x80 to 0x9F (0 where the code page has none); the rest is Latin-1.
constexpr char16_t kHighHalf[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The characters of UTF-8 text; a malformed sequence is one U+FFFD, which no code page has.
std::vector<char32_t> Decode(std::string_view utf8) {
  std::vector<char32_t> out;
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80 ? 1 : lead >> 5 == 6 ? 2 : lead >> 4 == 14 ? 3 : lead >> 3 == 30 ? 4 : 0;
    char32_t c = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    bool whole = length > 0 && i + length <= utf8.size();
    for (int k = 1; whole && k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(utf8[i + k]);
      whole = (next & 0xC0) == 0x80;
      c = c << 6 | (next & 0x3F);
    }
    out.push_back(whole ? c : 0xFFFD);
    i += whole ? length : 1;
  }
  return out;
}

// One name a line for each key the program hears besides letters, digits and F1 to F12: SDL's
// names and the browser's both.
constexpr struct {
  const char* name;
  WPARAM vk;
} kKeys[] = {
    {"Escape", VK_ESCAPE},      {"Return", VK_RETURN},       {"Enter", VK_RETURN},
    {"Keypad Enter", VK_RETURN}, {"Tab", VK_TAB},            {"Space", VK_SPACE},
    {" ", VK_SPACE},            {"Backspace", VK_BACK},      {"Delete", VK_DELETE},
    {"Home", VK_HOME},          {"End", VK_END},             {"Left", VK_LEFT},
    {"ArrowLeft", VK_LEFT},     {"Right", VK_RIGHT},         {"ArrowRight", VK_RIGHT},
    {"Up", VK_UP},              {"ArrowUp", VK_UP},          {"Down", VK_DOWN},
    {"ArrowDown", VK_DOWN},     {"PageUp", VK_PRIOR},        {"PageDown", VK_NEXT},
    {"Shift", VK_SHIFT},        {"Left Shift", VK_SHIFT},    {"Right Shift", VK_SHIFT},
    {"Control", VK_CONTROL},    {"Left Ctrl", VK_CONTROL},   {"Right Ctrl", VK_CONTROL},
    {"Alt", VK_MENU},           {"Left Alt", VK_MENU},       {"Right Alt", VK_MENU},
};

HWND KeyboardFocus() { return GetFocus() != nullptr ? GetFocus() : user::State().active; }

}  // namespace

void QueueButton(HWND top, int x, int y, Button button, bool down) {
  if (!IsWindowEnabled(top)) return;
  if (y < 0) {
    if (down && button == Button::kLeft) PostMessageA(top, WM_SYSCOMMAND, SC_MOUSEMENU, x);
    return;
  }
  const HWND target = user::DeepestChildAt(top, &x, &y);
  const ButtonMessages messages = MessagesOf(button);
  if (down) {
    Pressed()[button] = target;
  } else {
    Pressed().erase(button);
  }
  user::QueueInput({target,
                    down ? messages.down : messages.up,
                    MAKEWPARAM(down ? messages.held : 0, messages.xButton),
                    MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)),
                    0,
                    {}});
}

void QueueButtonAt(int x, int y, Button button, bool down) {
  const HWND top = user::TopLevelAt(x, y);
  const user::Window* window = user::FindWindowOf(top);
  if (window == nullptr) return;
  const RECT client = user::ClientArea(*window);
  x -= client.left, y -= client.top;
  const bool onMenuBar = window->menu != nullptr && y < 0 && y >= -user::kMetrics.menu;
  if (x < 0 || x >= client.right - client.left || y >= client.bottom - client.top ||
      (y < 0 && !onMenuBar))
    return;
  QueueButton(top, x, y, button, down);
}

void CancelButtons() {
  for (const auto& [button, hwnd] : Pressed())
    if (IsWindow(hwnd)) user::QueueInput({hwnd, WM_CANCELMODE, 0, 0, 0, {}});
  Pressed().clear();
}

void QueueWheel(int delta) {
  if (const HWND focus = GetFocus())
    user::QueueInput({focus, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0, 0, {}});
}

void QueueTouch(int id, int x, int y, Touch phase) {
  switch (phase) {
    case Touch::kDown:
      if (g_touch.down) return;  // a second finger
      g_touch = {true, id};
      QueueButtonAt(x, y, Button::kLeft, true);
      return;
    case Touch::kUp:
      if (!g_touch.down || g_touch.id != id) return;
      g_touch.down = false;
      QueueButtonAt(x, y, Button::kLeft, false);
      return;
    case Touch::kCancel:
      if (!g_touch.down || g_touch.id != id) return;
      g_touch.down = false;
      CancelButtons();
      return;
    case Touch::kMove:
    default:
      return;
  }
}

WPARAM VirtualKeyNamed(std::string_view name) {
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
    return static_cast<WPARAM>(std::toupper(static_cast<unsigned char>(name[0])));
  if (name.size() >= 2 && name.size() <= 3 && (name[0] == 'F' || name[0] == 'f')) {
    int n = 0;
    for (char c : name.substr(1)) n = std::isdigit(static_cast<unsigned char>(c)) ? n * 10 + (c - '0') : -1;
    if (n >= 1 && n <= 12) return static_cast<WPARAM>(VK_F1 + n - 1);
  }
  for (const auto& key : kKeys)
    if (name.size() == std::strlen(key.name) && strncasecmp(name.data(), key.name, name.size()) == 0)
      return key.vk;
  return 0;
}

std::string KeyMap() {
  std::string map;
  for (const auto& key : kKeys) map += std::string(key.name) + "=" + std::to_string(key.vk) + "\n";
  for (int n = 1; n <= 12; ++n) map += "F" + std::to_string(n) + "=" + std::to_string(VK_F1 + n - 1) + "\n";
  return map;
}

void QueueKey(WPARAM vk, bool down, bool alt, bool repeat) {
  const HWND focus = KeyboardFocus();
  if (vk == 0 || focus == nullptr) return;
  alt = alt && vk != VK_MENU;
  // F10, like a key with Alt, is a system key: it selects the menu bar.
  const bool system = alt || vk == VK_F10;
  const UINT message =
      system ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
  // Bit 29: Alt is down; bit 30: the key was down already (a repeat), as Windows says.
  const LPARAM flags = (alt ? (1 << 29) : 0) | (down && repeat ? (1 << 30) : 0);
  user::QueueInput({focus, message, vk, flags, 0, {}});
  if (down && vk == VK_BACK) user::QueueInput({focus, WM_CHAR, '\b', 0, 0, {}});
  if (down && alt && vk >= 'A' && vk <= 'Z')
    user::QueueInput({focus, WM_SYSCHAR, vk + 32, 1 << 29, 0, {}});
}

char KeyCharacter(WPARAM vk, bool shift) {
  if (vk >= 'A' && vk <= 'Z') return static_cast<char>(shift ? vk : vk + 32);
  if ((vk >= '0' && vk <= '9') || vk == VK_SPACE) return static_cast<char>(vk);
  return 0;
}

int AnsiOf(char32_t c) {
  if ((c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  if (c == 0) return -1;
  for (int i = 0; i < 32; ++i)
    if (kHighHalf[i] == c) return 0x80 + i;
  return -1;
}

std::string AnsiFromUtf8(std::string_view utf8) {
  std::string out;
  for (char32_t c : Decode(utf8))
    if (const int code = AnsiOf(c); code >= 0) out += static_cast<char>(code);
  return out;
}

std::string Utf8FromAnsi(std::string_view ansi) {
  std::string out;
  for (char byte : ansi) {
    const unsigned char code = static_cast<unsigned char>(byte);
    const char32_t c = code >= 0x80 && code < 0xA0 && kHighHalf[code - 0x80] != 0
                           ? kHighHalf[code - 0x80]
                           : code;
    AppendUtf8(out, c);
  }
  return out;
}

void QueueCharacter(unsigned char c) {
  if (const HWND focus = GetFocus(); focus != nullptr)
    user::QueueInput({focus, WM_CHAR, static_cast<WPARAM>(c), 0, 0, {}});
}

void QueueText(std::string_view utf8) {
  for (char c : AnsiFromUtf8(utf8)) QueueCharacter(static_cast<unsigned char>(c));
}

void QueueClose(HWND top) {
  if (IsWindow(top) && IsWindowEnabled(top)) PostMessageA(top, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void Suspend() {
  CancelButtons();  // what was held when the program went aside is not let go over it later
  user::PowerBroadcast(PBT_APMSUSPEND);
}

void Resume() { user::PowerBroadcast(PBT_APMRESUMEAUTOMATIC); }

TextInput TextInputNow() {
  TextInput input;
  const HWND focus = GetFocus();
  const user::Window* box = user::FindWindowOf(focus);
  if (box == nullptr || box->windowClass->name != "EDIT" || (box->style & ES_READONLY) ||
      !IsWindowEnabled(focus))
    return input;
  input.wanted = true;
  input.text = Utf8FromAnsi(box->text);
  input.caret = static_cast<int>(box->caret);
  input.anchor = static_cast<int>(box->anchor);
  GetWindowRect(focus, &input.place);
  return input;
}

}  // namespace platform::host
