// Not Win32: hearing of every message box as it opens, for the replay driver's log.
#pragma once

#include <windows.h>

#include <functional>

namespace platform::user {

void SetMessageBoxObserver(
    std::function<void(const char* caption, const char* text, UINT type)> observer);

}  // namespace platform::user
