// The desktop's sounds in the browser: the page's own, synthesised with Web Audio
// (desktop_sound_web.js).
#include "sound.h"

extern "C" void tavrelo_web_play_sound(const char* alias);

namespace platform::winmm {

void PlayDesktopSound(const std::string& alias, const std::string&) {
  tavrelo_web_play_sound(alias.c_str());
}

}  // namespace platform::winmm
