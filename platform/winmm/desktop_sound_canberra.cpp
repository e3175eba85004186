// The desktop's sounds on Linux: the freedesktop sound theme's event, played by libcanberra.
#include <canberra.h>

#include "../common/never_destroyed.h"
#include "sound.h"

namespace platform::winmm {
namespace {

class DesktopPlayer {
 public:
  DesktopPlayer() {
    if (ca_context_create(&context_) != CA_SUCCESS) context_ = nullptr;
  }
  void Play(const std::string& alias, const std::string& event) {
    if (context_ == nullptr) return;
    ca_context_play(context_, 0, CA_PROP_EVENT_ID, event.c_str(), CA_PROP_EVENT_DESCRIPTION,
                    alias.c_str(), nullptr);
  }

 private:
  ca_context* context_ = nullptr;
};

}  // namespace

void PlayDesktopSound(const std::string& alias, const std::string& event) {
  static NeverDestroyed<DesktopPlayer> player;
  player->Play(alias, event);
}

}  // namespace platform::winmm
