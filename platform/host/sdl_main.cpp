// The entry point of a program on the SDL2 host: what a Linux program settles first (its
// command line, a display to show it on, the folder it works in when installed), then the
// host, then the program's WinMain.
#include <windows.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "end_signals.h"
#include "launch.h"
#include "sdl_host.h"

namespace {

namespace fs = std::filesystem;
using platform::host::ProgramInfo;

// Moves to the installed data when the working folder has none of its own. The settings and
// diagnostics files the environment names keep meaning what they meant where it was started.
void WorkWhereInstalled(const ProgramInfo& program) {
  std::error_code ec;
  const fs::path here = fs::current_path(ec);
  if (ec) return;
  const auto installed =
      platform::host::InstalledWorkingFolder(program, here, fs::read_symlink("/proc/self/exe", ec));
  if (!installed) return;
  for (const char* name : {"TAVRELO_REGISTRY", "TAVRELO_DEBUG_OUTPUT"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0' && *value != '/' && std::string(value) != "-")
      setenv(name, (here / value).c_str(), 1);
  }
  fs::current_path(*installed, ec);
}

}  // namespace

int main(int argc, char** argv) {
  const ProgramInfo& program = platform::host::Program();
  const platform::host::CommandLine line = platform::host::ReadCommandLine(program, argc, argv);
  if (!line.run) {
    std::fputs(line.text.c_str(), line.status == 0 ? stdout : stderr);
    return line.status;
  }
  // Before SDL or any library makes a thread of its own.
  platform::host::EndSignals::Block();
  std::string problem = platform::host::DisplayProblem(
      program, std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"),
      std::getenv("SDL_VIDEODRIVER"), nullptr);
  if (!problem.empty()) {
    std::fputs(problem.c_str(), stderr);
    return 1;
  }
  WorkWhereInstalled(program);

  platform::host::SdlHost host(program.desktopId);
  if (!host.started()) {
    problem = platform::host::DisplayProblem(program, std::getenv("DISPLAY"),
                                             std::getenv("WAYLAND_DISPLAY"),
                                             std::getenv("SDL_VIDEODRIVER"), host.error().c_str());
    std::fputs(problem.c_str(), stderr);
    return 1;
  }
  // The program takes no command line of its own: WinMain is given an empty one.
  char commandLine[] = "";
  return WinMain(reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x400000)), nullptr,
                 commandLine, SW_SHOWDEFAULT);
}
