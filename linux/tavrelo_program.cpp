// Tavrelo as a Linux program knows itself: what --help and --version say, the desktop entry its
// windows belong to, and where its stages lie when it is installed.
#include "host/launch.h"

const platform::host::ProgramInfo& platform::host::Program() {
  static const ProgramInfo tavrelo = {
      "tavrelo",
      TAVRELO_VERSION,
      "Find the differences between two pictures, against the clock.",
      "The game plays the stage files in ./Stage/ when the folder it is started from has one,\n"
      "and the stages installed with it otherwise. The settings and the high score board are\n"
      "kept in $XDG_CONFIG_HOME/tavrelo/user.reg (~/.config/tavrelo/user.reg).\n"
      "\n"
      "Environment:\n"
      "  TAVRELO_SCALE=N         show every window N times its size (1 to 8); by default 2 on\n"
      "                          a 3840 x 2160 screen, 1 on 1920 x 1080\n"
      "  TAVRELO_REGISTRY=FILE   keep the settings and the board in FILE instead\n"
      "  TAVRELO_DEBUG_OUTPUT=F  write diagnostics to the file F, or to standard error if F is -\n",
      TAVRELO_DESKTOP_ID,
      "Stage",
      TAVRELO_INSTALLED_DATA,
  };
  return tavrelo;
}
