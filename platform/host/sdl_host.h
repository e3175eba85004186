// The SDL2 host: real input, wall-clock time, and one event loop for the two ways of showing
// windows (sdl_presenters.h): native windows on X11, composed ones on Wayland. Waiting sleeps in
// SDL until input or the next timer is due, so an idle program takes no processor time; every
// event becomes what the subset's input module (input.h) makes of it. On a large screen every
// window is shown at an integer scale, and the signals that end a program end its session
// (EndSignals, user::EndSession).
#pragma once

#include <memory>
#include <string>

#include "../kernel/host.h"

namespace platform::host {

class SdlHost : public Host {
 public:
  // Opens the display; `desktopId` names the program's windows to the desktop (the X11 window
  // class, the Wayland app id). Check started() before anything else: without a display the
  // host is not installed, and error() says what SDL could not do.
  explicit SdlHost(const char* desktopId);
  ~SdlHost() override;
  bool started() const { return started_; }
  const std::string& error() const { return error_; }
  // How many screen pixels each way one of the program's pixels takes (TAVRELO_SCALE, or from
  // the size of the desktop).
  int scale() const;

  std::uint64_t Now() override;
  bool Wait(std::uint64_t deadline) override;

 private:
  struct Native;
  std::unique_ptr<Native> native_;
  bool started_ = false;
  std::string error_;
};

}  // namespace platform::host
