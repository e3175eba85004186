// The signals by which a POSIX system tells a program to end: SIGTERM (the session manager at
// log-out, kill), SIGHUP (the terminal or session went away) and SIGINT (Ctrl+C). They are
// blocked in every thread and taken by one thread of their own, which hands each to the
// program's input, so that the end of the session is carried out where the program waits for
// input, like anything else that happens to it.
#pragma once

#include <functional>
#include <thread>

namespace platform::host {

class EndSignals {
 public:
  // Blocks the signals in the calling thread, and so in every thread it makes later. Call it
  // before any other thread exists, or one of them may be handed a signal instead.
  static void Block();

  // Starts the thread that takes the signals; `arrived` runs on that thread with the number of
  // each signal as it comes.
  explicit EndSignals(std::function<void(int)> arrived);
  ~EndSignals();
  EndSignals(const EndSignals&) = delete;
  EndSignals& operator=(const EndSignals&) = delete;

 private:
  std::thread thread_;
};

}  // namespace platform::host
