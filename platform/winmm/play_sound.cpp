// PlaySoundA with system sound aliases: the desktop's sound for the event, played without
// waiting. Without a sound device, or without a sound theme, nothing is heard and nothing fails.
#include <mmsystem.h>
#include <strings.h>

#include "../common/never_destroyed.h"
#include "../kernel/last_error.h"
#include "sound.h"

namespace platform::winmm {
namespace {

struct Alias {
  const char* windows;
  const char* event;
};

const Alias kAliases[] = {
    {"SystemHand", "dialog-error"},
    {"SystemExclamation", "dialog-warning"},
    {"SystemAsterisk", "dialog-information"},
    {"SystemQuestion", "dialog-question"},
    {"SystemDefault", "bell"},
    {"SystemExit", "service-logout"},
    {"SystemStart", "service-login"},
};

struct SoundState {
  SoundSink sink;
};

SoundState& State() {
  static NeverDestroyed<SoundState> state;
  return state.get();
}

}  // namespace

std::string EventForAlias(const std::string& alias) {
  for (const Alias& a : kAliases)
    if (strcasecmp(a.windows, alias.c_str()) == 0) return a.event;
  return "";
}

void SetSoundSink(SoundSink sink) { State().sink = std::move(sink); }

}  // namespace platform::winmm

extern "C" BOOL WINAPI PlaySoundA(LPCSTR pszSound, HMODULE, DWORD fdwSound) {
  using namespace platform::winmm;
  if (pszSound == nullptr || (fdwSound & SND_PURGE))
    return TRUE;  // nothing plays on, so nothing to stop
  if (!(fdwSound & SND_ALIAS))
    return platform::Fail(ERROR_INVALID_PARAMETER, FALSE);  // files are not played
  std::string event = EventForAlias(pszSound);
  if (event.empty()) {
    if (fdwSound & SND_NODEFAULT) return FALSE;
    event = "bell";  // an unknown alias plays the default sound, as on Windows
  }
  if (State().sink) {
    State().sink(pszSound, event);
  } else {
    PlayDesktopSound(pszSound, event);
  }
  return TRUE;
}
