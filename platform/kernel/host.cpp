// The current host, and the plain one used until a real host is installed.
#include "host.h"

#include <chrono>
#include <thread>

#include "../common/never_destroyed.h"
#include "clock.h"

namespace platform::host {
namespace {

class SleepingHost : public Host {
 public:
  std::uint64_t Now() override {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
  }
  bool Wait(std::uint64_t deadline) override {
    if (deadline == kNoDeadline) return false;
    const std::uint64_t now = Now();
    if (deadline > now) std::this_thread::sleep_for(std::chrono::nanoseconds(deadline - now));
    return true;
  }
};

Host*& Installed() {
  static Host* host = nullptr;
  return host;
}

}  // namespace

Host& Current() {
  static NeverDestroyed<SleepingHost> plain;
  return Installed() != nullptr ? *Installed() : plain.get();
}

void Install(Host* host) {
  Installed() = host;
  if (host != nullptr)
    SetClockSource([host] { return host->Now(); });
  else
    SetClockSource({});
}

}  // namespace platform::host
