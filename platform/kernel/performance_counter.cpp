// QueryPerformanceCounter and QueryPerformanceFrequency over the replaceable clock.
#include <windows.h>

#include <chrono>

#include "../common/never_destroyed.h"
#include "clock.h"
#include "last_error.h"

namespace platform {
namespace {

ClockSource& Source() {
  static NeverDestroyed<ClockSource> source;
  return source.get();
}

}  // namespace

void SetClockSource(ClockSource source) { Source() = std::move(source); }

std::uint64_t NowNanoseconds() {
  if (Source()) return Source()();
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                        std::chrono::steady_clock::now().time_since_epoch())
                                        .count());
}

}  // namespace platform

extern "C" BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* lpPerformanceCount) {
  if (lpPerformanceCount == nullptr) return platform::Fail(ERROR_INVALID_PARAMETER, FALSE);
  lpPerformanceCount->QuadPart = static_cast<LONGLONG>(platform::NowNanoseconds() / 100);
  return TRUE;
}

extern "C" BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* lpFrequency) {
  if (lpFrequency == nullptr) return platform::Fail(ERROR_INVALID_PARAMETER, FALSE);
  lpFrequency->QuadPart = platform::kPerformanceFrequency;
  return TRUE;
}
