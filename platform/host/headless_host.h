// The headless host: no display, and a virtual clock that moves only when told. When the
// program has nothing to do, the host asks its driver for the next thing to happen; that is
// what makes a scripted run repeatable to the pixel and to the millisecond.
#pragma once

#include <functional>

#include "../kernel/host.h"

namespace platform::host {

class HeadlessHost : public Host {
 public:
  // `onIdle` runs when the program waits with nothing pending and no time to pass; it may
  // queue input or call AdvanceBy, and returns false when nothing will ever happen again.
  explicit HeadlessHost(std::function<bool()> onIdle);
  ~HeadlessHost() override;

  std::uint64_t Now() override { return now_; }
  bool Wait(std::uint64_t deadline) override;

  // Lets `ms` milliseconds pass: waits move the clock up to each due timer, and on to the end.
  void AdvanceBy(std::uint64_t ms) { target_ = now_ + ms * 1'000'000; }
  bool Advancing() const { return target_ > now_; }

 private:
  std::function<bool()> onIdle_;
  std::uint64_t now_ = 0;
  std::uint64_t target_ = 0;
};

}  // namespace platform::host
