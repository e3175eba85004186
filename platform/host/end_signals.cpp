#include "end_signals.h"

#include <pthread.h>
#include <signal.h>

#include <atomic>

namespace platform::host {
namespace {

sigset_t EndingSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGHUP);
  sigaddset(&set, SIGINT);
  return set;
}

// Told to the thread when it is to stop rather than pass on what it takes.
std::atomic<bool> g_stopping{false};

}  // namespace

void EndSignals::Block() {
  const sigset_t set = EndingSignals();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

EndSignals::EndSignals(std::function<void(int)> arrived) {
  g_stopping = false;
  thread_ = std::thread([arrived = std::move(arrived)] {
    const sigset_t set = EndingSignals();
    for (;;) {
      int signal = 0;
      if (sigwait(&set, &signal) != 0) continue;
      if (g_stopping) return;
      arrived(signal);
    }
  });
}

EndSignals::~EndSignals() {
  g_stopping = true;
  pthread_kill(thread_.native_handle(), SIGTERM);  // wakes it; blocked, so it goes nowhere else
  thread_.join();
}

}  // namespace platform::host
