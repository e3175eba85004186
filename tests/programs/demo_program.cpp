// The demo program as the SDL2 host's entry point knows it.
#include "host/launch.h"

const platform::host::ProgramInfo& platform::host::Program() {
  static const ProgramInfo demo = {"tavrelo-demo", "0", "A window of the Win32 subset, for tests.",
                                   "", "tavrelo-demo", nullptr, nullptr};
  return demo;
}
