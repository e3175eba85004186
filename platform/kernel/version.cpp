// GetVersionExA: the subset presents itself as Windows 10 (NT 10.0).
#include <windows.h>

#include <cstring>

#include "last_error.h"

extern "C" BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA lpVersionInformation) {
  if (lpVersionInformation == nullptr) return platform::Fail(ERROR_INVALID_PARAMETER, FALSE);
  // Windows also takes the larger OSVERSIONINFOEXA (156 bytes); the subset knows only this one.
  if (lpVersionInformation->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA))
    return platform::Fail(ERROR_INSUFFICIENT_BUFFER, FALSE);
  lpVersionInformation->dwMajorVersion = 10;
  lpVersionInformation->dwMinorVersion = 0;
  lpVersionInformation->dwBuildNumber = 19045;
  lpVersionInformation->dwPlatformId = VER_PLATFORM_WIN32_NT;
  std::memset(lpVersionInformation->szCSDVersion, 0, sizeof lpVersionInformation->szCSDVersion);
  return TRUE;
}
