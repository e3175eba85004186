// What a host hands the subset when the player clicks, presses a key or types: the messages
// Windows would queue for it, in the same order whatever the host (SDL2 or the browser).
#pragma once

#include <windows.h>

namespace platform::host {

// A mouse button pressed or released at (x, y) in the client coordinates of top-level window
// `top`; y < 0 is a press on its menu bar. A disabled window (under a modal one) hears nothing.
void QueueButton(HWND top, int x, int y, bool down, bool right);

// The same at point (x, y) of a screen the subset composes itself (the browser's page, a Wayland
// window): it goes to the window on top there, in its client area or on its menu bar; a press on
// a frame, a caption or the bare desktop does nothing.
void QueueButtonAt(int x, int y, bool down, bool right);

// A key going down or up, with Alt held or not, to the window with the focus (or the active
// one). A repeat is a key that was down already. Backspace also types '\b', and Alt with a
// letter types the letter as a system character (a menu mnemonic).
void QueueKey(WPARAM vk, bool down, bool alt, bool repeat);

// A typed character (Windows-1252) to the window with the focus.
void QueueCharacter(unsigned char c);

}  // namespace platform::host
