#include "headless_host.h"

#include <algorithm>

namespace platform::host {

HeadlessHost::HeadlessHost(std::function<bool()> onIdle) : onIdle_(std::move(onIdle)) {
  Install(this);
}

HeadlessHost::~HeadlessHost() { Install(nullptr); }

bool HeadlessHost::Wait(std::uint64_t deadline) {
  if (Advancing()) {
    // Time passes up to the next timer, which the program then handles before more passes.
    now_ = std::min(deadline, target_);
    return true;
  }
  return onIdle_();
}

}  // namespace platform::host
