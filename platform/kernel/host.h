// What the subset asks of its host, the native side it runs on: the time, and a wait for input
// until a deadline. Three hosts implement it (host/): the SDL2 host (real windows, wall-clock
// time), the web host (one canvas in a page) and the headless host (no display, a virtual clock,
// input from a script). The subset sees only this; a host itself may reach into the subset.
#pragma once

#include <cstdint>
#include <limits>

namespace platform::host {

constexpr std::uint64_t kNoDeadline = std::numeric_limits<std::uint64_t>::max();

class Host {
 public:
  virtual ~Host() = default;
  // Nanoseconds on the host's clock, which QueryPerformanceCounter reads.
  virtual std::uint64_t Now() = 0;
  // Waits until input has been handed to the subset or the clock reaches `deadline`. False when
  // nothing will ever come again (a headless run whose script has ended).
  virtual bool Wait(std::uint64_t deadline) = 0;
};

// The host in use; until one is installed, a plain one that sleeps on the system clock and
// never brings input. Installing a host also makes its clock QueryPerformanceCounter's.
Host& Current();
void Install(Host* host);

}  // namespace platform::host
