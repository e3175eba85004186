// Windows' end of session, for a host whose system tells the program to end (a signal from the
// session manager, a hang-up, Ctrl+C in its terminal), and its suspend and resume.
#pragma once

#include <windows.h>

namespace platform::user {

// Every top-level window, newest first, hears WM_QUERYENDSESSION with `reason`, then
// WM_ENDSESSION with TRUE: the session ends whatever the answers were, as it does when Windows
// forces it (ENDSESSION_CRITICAL). The host then ends the process, as Windows does once
// WM_ENDSESSION has been handled; nothing after this reaches the program's message loop.
void EndSession(LPARAM reason);

// Every top-level window, newest first, hears WM_POWERBROADCAST with `event` (PBT_APMSUSPEND,
// PBT_APMRESUMEAUTOMATIC): the program is put aside, or brought back, without ending.
void PowerBroadcast(WPARAM event);

}  // namespace platform::user
