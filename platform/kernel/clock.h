// The clock behind QueryPerformanceCounter. Hosts replace it: the SDL2 host with wall-clock
// time, the headless host with a virtual clock that moves only when a script says so, which is
// what makes a scripted run repeatable.
#pragma once

#include <cstdint>
#include <functional>

namespace platform {

// Nanoseconds since an arbitrary start; must never go backwards.
using ClockSource = std::function<std::uint64_t()>;

// Installs a clock; an empty one restores the monotonic system clock.
void SetClockSource(ClockSource source);
std::uint64_t NowNanoseconds();

// QueryPerformanceFrequency's answer: ticks of 100 ns, as on current Windows.
constexpr std::int64_t kPerformanceFrequency = 10'000'000;

}  // namespace platform
