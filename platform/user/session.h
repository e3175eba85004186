// Windows' end of session, for a host whose system tells the program to end (a signal from the
// session manager, a hang-up, Ctrl+C in its terminal).
#pragma once

#include <windows.h>

namespace platform::user {

// Every top-level window, newest first, hears WM_QUERYENDSESSION with `reason`, then
// WM_ENDSESSION with TRUE: the session ends whatever the answers were, as it does when Windows
// forces it (ENDSESSION_CRITICAL). The host then ends the process, as Windows does once
// WM_ENDSESSION has been handled; nothing after this reaches the program's message loop.
void EndSession(LPARAM reason);

}  // namespace platform::user
