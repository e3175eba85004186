// Putting windows on a screen: each visible top-level window, oldest first, with its frame,
// caption and menu bar drawn by the subset around the pixels of its client area. The display
// DC, the headless host's screenshots and the SDL2 host's menu bars all come from here.
#pragma once

#include <windows.h>

#include <functional>

#include "../gdi/pixels.h"

namespace platform::user {

// Draws every visible top-level window into `screen`, a buffer over the part of the screen
// whose top-left pixel is (left, top).
void ComposeScreen(gdi::PixelBuffer& screen, int left, int top);
// Draws one window, frame and all, at its place on `screen` (placed as above).
void ComposeWindow(HWND hwnd, gdi::PixelBuffer& screen, int left, int top);

// What a native window shows of a top-level window: its menu bar, if it has one, above the
// client area's pixels; `content` is sized to fit. Yields the menu bar's height.
int ComposeContent(HWND hwnd, gdi::PixelBuffer& content);

// The top-level window on top at screen point (x, y) as composed above, or null for the desktop.
HWND TopLevelAt(int x, int y);

// For a host whose screen is only what its windows need (a canvas in a web page): from now on
// the desktop is as large as the largest top-level window made so far, each way (until called
// with false, which leaves the screen as it is).
void FitDesktopToWindows(bool fit = true);

// Not Win32: hearing of every dialog as it opens, for the replay driver's log.
void SetDialogObserver(std::function<void(unsigned templateId)> observer);
void NotifyDialogOpened(unsigned templateId);

}  // namespace platform::user
