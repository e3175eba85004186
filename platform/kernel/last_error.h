// Failing the way Windows fails: set the thread's last error and give the call's failure value.
#pragma once

#include <windows.h>

namespace platform {

template <typename T>
T Fail(DWORD error, T result) {
  SetLastError(error);
  return result;
}

}  // namespace platform
