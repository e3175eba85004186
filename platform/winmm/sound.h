// Not Win32: where PlaySoundA's sounds go. By default to the desktop's sounds (libcanberra's
// sound theme on Linux, the page's own sounds in a browser); the headless host and tests put a
// recorder in their place.
#pragma once

#include <functional>
#include <string>

namespace platform::winmm {

// The freedesktop sound theme's event for a Windows system alias ("SystemHand" gives
// "dialog-error"), or an empty text for an alias the subset does not know.
std::string EventForAlias(const std::string& alias);

using SoundSink = std::function<void(const std::string& alias, const std::string& event)>;
void SetSoundSink(SoundSink sink);  // an empty one restores the desktop's player

// The desktop's player, without waiting for the sound to end; one for each kind of system.
void PlayDesktopSound(const std::string& alias, const std::string& event);

}  // namespace platform::winmm
