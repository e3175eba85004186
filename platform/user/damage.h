// What changed on the screen since a host last looked, so that a host shows only that: the
// client-area pixels drawn through windows' DCs, and every change in how a top-level window
// stands (shown or not, its frame, its caption and whether it is active, its menu bar, its
// place in the stacking order).
#pragma once

#include <windows.h>

#include <vector>

#include "../gdi/pixels.h"

namespace platform::user {

// The client-area pixels of top-level window `top` within `box` (client coordinates) were drawn.
void DamageClient(HWND top, const gdi::Box& box);

// The boxes of the screen (screen coordinates) whose pixels changed since the last call; the
// first call has the whole screen. Nothing changed: none.
std::vector<gdi::Box> TakeScreenDamage();

// Boxes merged where they overlap or touch, and into one box that holds them all beyond `most`.
std::vector<gdi::Box> MergeBoxes(std::vector<gdi::Box> boxes, std::size_t most = 8);

}  // namespace platform::user
