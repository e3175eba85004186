// FormatMessageA with FORMAT_MESSAGE_FROM_SYSTEM: the system's texts for the error codes the
// subset can return, in English whatever language is asked for, each ending in CR LF.
#include <windows.h>

#include <cstring>

#include "last_error.h"

namespace {

struct ErrorText {
  DWORD code;
  const char* text;
};

const ErrorText kTexts[] = {
    {ERROR_SUCCESS, "The operation completed successfully."},
    {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified."},
    {ERROR_PATH_NOT_FOUND, "The system cannot find the path specified."},
    {ERROR_ACCESS_DENIED, "Access is denied."},
    {ERROR_INVALID_HANDLE, "The handle is invalid."},
    {ERROR_NOT_ENOUGH_MEMORY, "Not enough memory resources are available to process this command."},
    {ERROR_INVALID_DATA, "The data is invalid."},
    {ERROR_OUTOFMEMORY, "Not enough memory resources are available to complete this operation."},
    {ERROR_NO_MORE_FILES, "There are no more files."},
    {ERROR_INVALID_PARAMETER, "The parameter is incorrect."},
    {ERROR_INSUFFICIENT_BUFFER, "The data area passed to a system call is too small."},
    {ERROR_INVALID_NAME, "The filename, directory name, or volume label syntax is incorrect."},
    {ERROR_MOD_NOT_FOUND, "The specified module could not be found."},
    {ERROR_PROC_NOT_FOUND, "The specified procedure could not be found."},
    {ERROR_MORE_DATA, "More data is available."},
    {ERROR_MR_MID_NOT_FOUND,
     "The system cannot find message text for message number 0x%1 in the message file for %2."},
    {ERROR_BADDB, "The configuration registry database is corrupt."},
    {ERROR_BADKEY, "The configuration registry key is invalid."},
    {ERROR_CANTOPEN, "The configuration registry key could not be opened."},
    {ERROR_CANTREAD, "The configuration registry key could not be read."},
    {ERROR_CANTWRITE, "The configuration registry key could not be written."},
    {ERROR_REGISTRY_IO_FAILED,
     "An I/O operation initiated by the registry failed unrecoverably. The registry could not read "
     "in, or "
     "write out, or flush, one of the files that contain the system's image of the registry."},
};

}  // namespace

extern "C" DWORD WINAPI FormatMessageA(DWORD dwFlags, LPCVOID, DWORD dwMessageId, DWORD,
                                       LPSTR lpBuffer, DWORD nSize, va_list*) {
  // Only system texts, written into the caller's buffer, are known here.
  if ((dwFlags & FORMAT_MESSAGE_FROM_SYSTEM) == 0 ||
      (dwFlags & FORMAT_MESSAGE_ALLOCATE_BUFFER) != 0 || lpBuffer == nullptr)
    return platform::Fail(ERROR_INVALID_PARAMETER, DWORD{0});
  for (const ErrorText& entry : kTexts) {
    if (entry.code != dwMessageId) continue;
    const std::size_t length = std::strlen(entry.text) + 2;  // with CR LF
    if (length + 1 > nSize) return platform::Fail(ERROR_INSUFFICIENT_BUFFER, DWORD{0});
    std::memcpy(lpBuffer, entry.text, length - 2);
    std::memcpy(lpBuffer + length - 2, "\r\n", 3);
    return static_cast<DWORD>(length);
  }
  return platform::Fail(ERROR_MR_MID_NOT_FOUND, DWORD{0});
}
