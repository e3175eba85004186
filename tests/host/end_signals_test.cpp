// The signals that end a program reach the thread that takes them, and only they: stopping
// that thread is not mistaken for one of them.
#include "host/end_signals.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace {

TEST(EndSignals, EachEndingSignalIsHandedOnAndStoppingHandsOnNothing) {
  // This program has no other thread, so blocking here blocks them for the whole process.
  platform::host::EndSignals::Block();
  std::mutex mutex;
  std::condition_variable arrived;
  std::vector<int> taken;
  {
    platform::host::EndSignals signals([&](int signal) {
      std::lock_guard<std::mutex> lock(mutex);
      taken.push_back(signal);
      arrived.notify_all();
    });
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
      ASSERT_EQ(kill(getpid(), signal), 0);
      std::unique_lock<std::mutex> lock(mutex);
      ASSERT_TRUE(arrived.wait_for(lock, std::chrono::seconds(5), [&] {
        return !taken.empty() && taken.back() == signal;
      })) << "signal " << signal;
    }
  }
  EXPECT_EQ(taken, (std::vector<int>{SIGTERM, SIGHUP, SIGINT}));
}

}  // namespace
