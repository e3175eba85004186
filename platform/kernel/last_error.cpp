// GetLastError and SetLastError: one error code per thread.
#include <windows.h>

#include "last_error.h"

namespace {
thread_local DWORD t_lastError = ERROR_SUCCESS;
}

extern "C" DWORD WINAPI GetLastError(void) { return t_lastError; }

extern "C" VOID WINAPI SetLastError(DWORD dwErrCode) { t_lastError = dwErrCode; }
