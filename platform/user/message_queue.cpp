// The thread's message queue. Retrieval order, as on Windows: sent messages (a same-thread
// SendMessage is a direct call, so none wait here), posted messages, WM_QUIT when nothing else
// is posted, input, then WM_PAINT for a window whose update region is not empty, then WM_TIMER
// for a timer that is due. Many invalidations give one WM_PAINT; a late timer gives one
// WM_TIMER, however late.
#include <algorithm>

#include "../kernel/host.h"
#include "../kernel/clock.h"
#include "../kernel/last_error.h"
#include "user_state.h"

namespace platform::user {
namespace {

constexpr std::uint64_t kMillisecond = 1'000'000;

// Whether a message for `hwnd` passes GetMessage's window filter: the window or its children.
bool ForWindow(HWND filter, HWND hwnd) {
  if (filter == nullptr) return true;
  for (HWND w = hwnd; w != nullptr; w = ParentOf(w))
    if (w == filter) return true;
  return false;
}

bool InRange(UINT message, UINT low, UINT high) {
  return (low == 0 && high == 0) || (message >= low && message <= high);
}

MSG Stamp(MSG msg) {
  msg.time = static_cast<DWORD>(NowNanoseconds() / kMillisecond);
  return msg;
}

bool TakeFrom(std::deque<MSG>& queue, HWND filter, UINT low, UINT high, bool remove, MSG* out) {
  for (auto it = queue.begin(); it != queue.end(); ++it) {
    if (!ForWindow(filter, it->hwnd) || !InRange(it->message, low, high)) continue;
    *out = *it;
    if (remove) queue.erase(it);
    return true;
  }
  return false;
}

bool TakePaint(HWND filter, UINT low, UINT high, MSG* out) {
  if (!InRange(WM_PAINT, low, high)) return false;
  for (HWND hwnd : State().order) {
    Window* window = FindWindowOf(hwnd);
    if (window == nullptr || !window->updatePending || !IsWindowVisible(hwnd) ||
        !ForWindow(filter, hwnd))
      continue;
    *out = Stamp({hwnd, WM_PAINT, 0, 0, 0, {}});
    return true;
  }
  return false;
}

bool TakeTimer(HWND filter, UINT low, UINT high, bool remove, MSG* out) {
  if (!InRange(WM_TIMER, low, high)) return false;
  const std::uint64_t now = NowNanoseconds();
  for (Timer& timer : State().timers) {
    if (timer.due > now || !ForWindow(filter, timer.hwnd)) continue;
    *out = Stamp({timer.hwnd, WM_TIMER, timer.id, reinterpret_cast<LPARAM>(timer.proc), 0, {}});
    // One message however late; the next period starts now.
    if (remove) timer.due = now + timer.interval * kMillisecond;
    return true;
  }
  return false;
}

bool Peek(MSG* msg, HWND filter, UINT low, UINT high, bool remove) {
  UserState& state = State();
  if (TakeFrom(state.posted, filter, low, high, remove, msg)) return true;
  if (state.quit && InRange(WM_QUIT, low, high)) {
    *msg = Stamp({nullptr, WM_QUIT, static_cast<WPARAM>(state.quitCode), 0, 0, {}});
    if (remove) state.quit = false;
    return true;
  }
  if (TakeFrom(state.input, filter, low, high, remove, msg)) {
    // The key state follows the keyboard messages as they are taken.
    if (remove && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN))
      state.keyState[msg->wParam & 0xFF] |= 0x80;
    if (remove && (msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP))
      state.keyState[msg->wParam & 0xFF] &= 0x7F;
    return true;
  }
  if (TakePaint(filter, low, high, msg)) return true;
  return TakeTimer(filter, low, high, remove, msg);
}

std::uint64_t NextTimerDue() {
  std::uint64_t next = host::kNoDeadline;
  for (const Timer& timer : State().timers) next = std::min(next, timer.due);
  return next;
}

}  // namespace

void QueueInput(const MSG& msg) { State().input.push_back(Stamp(msg)); }

}  // namespace platform::user

using namespace platform::user;

extern "C" BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax,
                                    UINT wRemoveMsg) {
  if (lpMsg == nullptr) return platform::Fail(ERROR_INVALID_PARAMETER, FALSE);
  return Peek(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, (wRemoveMsg & PM_REMOVE) != 0);
}

extern "C" BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
  if (lpMsg == nullptr) return platform::Fail(ERROR_INVALID_PARAMETER, -1);
  if (hWnd != nullptr && FindWindowOf(hWnd) == nullptr) return platform::Fail(DWORD{1400}, -1);
  while (!Peek(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, true)) {
    // Nothing to hand out: sleep until the next timer, or until the host brings input.
    if (!platform::host::Current().Wait(NextTimerDue())) {
      // A host that will never bring anything again ends the loop as WM_QUIT would.
      *lpMsg = {nullptr, WM_QUIT, 0, 0, 0, {}};
      return FALSE;
    }
  }
  return lpMsg->message != WM_QUIT;
}

extern "C" BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (hWnd != nullptr && FindWindowOf(hWnd) == nullptr) return platform::Fail(DWORD{1400}, FALSE);
  State().posted.push_back(Stamp({hWnd, Msg, wParam, lParam, 0, {}}));
  return TRUE;
}

extern "C" LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  Window* window = FindWindowOf(hWnd);
  if (window == nullptr || window->proc == nullptr) return platform::Fail(DWORD{1400}, LRESULT{0});
  return window->proc(hWnd, Msg, wParam, lParam);
}

extern "C" VOID WINAPI PostQuitMessage(int nExitCode) {
  State().quit = true;
  State().quitCode = nExitCode;
}

extern "C" BOOL WINAPI TranslateMessage(const MSG* lpMsg) {
  // The hosts deliver typed characters as WM_CHAR themselves; nothing is derived here.
  return lpMsg != nullptr && (lpMsg->message == WM_KEYDOWN || lpMsg->message == WM_SYSKEYDOWN);
}

extern "C" LRESULT WINAPI DispatchMessageA(const MSG* lpMsg) {
  if (lpMsg == nullptr) return 0;
  if (lpMsg->message == WM_TIMER && lpMsg->lParam != 0) {
    reinterpret_cast<TIMERPROC>(lpMsg->lParam)(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, lpMsg->time);
    return 0;
  }
  Window* window = FindWindowOf(lpMsg->hwnd);
  if (window == nullptr) return 0;
  return window->proc(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

extern "C" UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse,
                                    TIMERPROC lpTimerFunc) {
  if (hWnd != nullptr && FindWindowOf(hWnd) == nullptr)
    return platform::Fail(DWORD{1400}, UINT_PTR{0});
  UserState& state = State();
  const UINT interval = std::max<UINT>(uElapse, 10);
  const std::uint64_t due = platform::NowNanoseconds() + interval * kMillisecond;
  for (Timer& timer : state.timers)
    if (timer.hwnd == hWnd && timer.id == nIDEvent) {
      timer = {hWnd, nIDEvent, interval, due, lpTimerFunc};
      return nIDEvent;
    }
  if (hWnd == nullptr) {  // a thread timer gets an id of its own
    nIDEvent = 0x7FFF;
    while (std::any_of(state.timers.begin(), state.timers.end(),
                       [&](const Timer& t) { return t.hwnd == nullptr && t.id == nIDEvent; }))
      ++nIDEvent;
  }
  state.timers.push_back({hWnd, nIDEvent, interval, due, lpTimerFunc});
  return hWnd != nullptr && nIDEvent == 0 ? 1 : nIDEvent;
}

extern "C" BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
  auto& timers = State().timers;
  const auto before = timers.size();
  timers.erase(std::remove_if(timers.begin(), timers.end(),
                              [&](const Timer& t) { return t.hwnd == hWnd && t.id == uIDEvent; }),
               timers.end());
  return timers.size() != before ? TRUE
                                 : platform::Fail(DWORD{1402} /* ERROR_INVALID_TIMER_ID */, FALSE);
}

extern "C" DWORD WINAPI GetTickCount(void) {
  return static_cast<DWORD>(platform::NowNanoseconds() / 1'000'000);
}
