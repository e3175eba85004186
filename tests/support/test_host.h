// A host for unit tests: a virtual clock that moves only when the test or a wait moves it.
// A wait with a deadline jumps the clock to it; a wait without one runs `onIdle`, which may
// queue input or move the clock, and ends the wait with false when it has nothing.
#pragma once

#include <functional>

#include "kernel/host.h"

namespace fixtures {

class TestHost : public platform::host::Host {
 public:
  TestHost() { platform::host::Install(this); }
  ~TestHost() override { platform::host::Install(nullptr); }

  std::uint64_t Now() override { return now; }
  bool Wait(std::uint64_t deadline) override {
    if (deadline != platform::host::kNoDeadline) {
      if (deadline > now) now = deadline;
      return true;
    }
    return onIdle ? onIdle() : false;
  }
  void AdvanceMs(std::uint64_t ms) { now += ms * 1'000'000; }

  std::uint64_t now = 1'000'000'000'000;
  std::function<bool()> onIdle;
};

}  // namespace fixtures
