// The SDL2 host: a native window for each visible top-level window of the subset, showing its
// menu bar and client area (the desktop's window manager draws frame and caption), real
// input, and wall-clock time. Waiting sleeps in SDL until input or the next timer is due, so an
// idle program takes no processor time.
#pragma once

#include <memory>

#include "host.h"

namespace platform::host {

class SdlHost : public Host {
 public:
  SdlHost();
  ~SdlHost() override;
  std::uint64_t Now() override;
  bool Wait(std::uint64_t deadline) override;

 private:
  struct Native;
  std::unique_ptr<Native> native_;
};

}  // namespace platform::host
