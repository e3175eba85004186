// What a host hands the subset when the player clicks, presses a key, types, touches the screen,
// or when the system puts the program aside: the messages Windows would queue or send for it, in
// the same order whatever the host (SDL2 on X11 or Wayland, the browser, the replay driver). A
// host turns its own events into these calls and does nothing of Windows' own.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace platform::host {

enum class Button { kLeft, kRight, kMiddle, kX1, kX2 };

// A mouse button pressed or released at (x, y) in the client coordinates of top-level window
// `top`; y < 0 is a press on its menu bar. A disabled window (under a modal one) hears nothing.
void QueueButton(HWND top, int x, int y, Button button, bool down);

// The same at point (x, y) of a screen the subset composes itself (the browser's page, a Wayland
// window): it goes to the window on top there, in its client area or on its menu bar; a press on
// a frame, a caption or the bare desktop does nothing.
void QueueButtonAt(int x, int y, Button button, bool down);

// The presses still held are taken back (the browser cancelled a pointer, a touch became a
// gesture): each window that has one hears WM_CANCELMODE, and their releases click nothing.
void CancelButtons();

// The wheel turned by `delta` (WHEEL_DELTA a notch, away from the player positive), to the window
// with the focus.
void QueueWheel(int delta);

// A finger on a composed screen at (x, y): the first one down is the left button, as Windows
// makes mouse input of a touch; further fingers press nothing. A cancelled touch is taken back.
enum class Touch { kDown, kMove, kUp, kCancel };
void QueueTouch(int id, int x, int y, Touch phase);

// The virtual key of a key as a host names it: SDL's names ("Escape", "Return", "Left",
// "Left Shift", "Keypad Enter") and the browser's ("Escape", "Enter", "ArrowLeft", "Shift"), in
// any case, a letter or a digit by itself, F1 to F12; 0 for a key the program does not hear.
WPARAM VirtualKeyNamed(std::string_view name);
// The key map itself, one "NAME=VK" a line, for a host that looks keys up on its own side.
std::string KeyMap();

// A key going down or up, with Alt held or not, to the window with the focus (or the active
// one). A repeat is a key that was down already. Backspace also types '\b', Alt with a letter
// types the letter as a system character (a menu mnemonic), and F10 is a system key, as in
// Windows.
void QueueKey(WPARAM vk, bool down, bool alt, bool repeat);

// What a key types where no text input is on (TranslateMessage's part, for a host that gives
// characters only while an edit box takes them): a letter, in capitals with Shift, a digit, a
// space; 0 for any other key.
char KeyCharacter(WPARAM vk, bool shift);

// Windows-1252, the program's 8-bit characters: the code of a Unicode character, or -1 for one
// the code page does not have.
int AnsiOf(char32_t c);
// Text in UTF-8 as the program's characters (those the code page lacks left out), and back.
std::string AnsiFromUtf8(std::string_view utf8);
std::string Utf8FromAnsi(std::string_view ansi);

// A typed character (Windows-1252) to the window with the focus; typed text, in UTF-8.
void QueueCharacter(unsigned char c);
void QueueText(std::string_view utf8);

// The window manager's or the compositor's close of a top-level window (its close box, Alt+F4
// handled outside the program): SC_CLOSE, which a disabled window never hears.
void QueueClose(HWND top);

// The program put aside and brought back without ending (a system suspending, a browser's page
// hidden and shown): every top-level window hears WM_POWERBROADCAST. The end of the program's
// session (log-off, shutdown, the signals, a page that goes) is user::EndSession.
void Suspend();
void Resume();

// Where typing goes now: an edit box that takes it, with what it holds, in UTF-8, its caret (as
// characters before it in that text) and its place on the screen. A host turns its text input
// (an input method, an on-screen keyboard, a phone's) on only while `wanted`.
struct TextInput {
  bool wanted = false;
  std::string text;
  int caret = 0;
  int anchor = 0;  // the other end of the selection
  RECT place{};
  bool operator==(const TextInput& o) const {
    return wanted == o.wanted && text == o.text && caret == o.caret && anchor == o.anchor &&
           EqualRect(&place, &o.place);
  }
  bool operator!=(const TextInput& o) const { return !(*this == o); }
};
TextInput TextInputNow();

}  // namespace platform::host
