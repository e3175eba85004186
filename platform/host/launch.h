// What a Linux program on the SDL2 host settles before its WinMain runs: its command line
// (--help, --version), whether there is a display to show it on, and, when it runs installed,
// the folder it works in. Each program on the host describes itself in a ProgramInfo.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace platform::host {

struct ProgramInfo {
  const char* name;         // the command, as messages name it: "tavrelo"
  const char* version;      // "0.51 beta"
  const char* summary;      // one line on what it is, for --help
  const char* details;      // the rest of --help, after the options; may be empty
  const char* desktopId;    // the desktop entry's id: X11 window class and Wayland app id
  // A folder the program reads relative to its working directory ("Stage"), and where the
  // folder holding the installed copy lies relative to the executable's folder
  // ("../share/games/tavrelo"); both null when the program has no such data.
  const char* dataFolder;
  const char* installedData;
};

// The program's own description; every program linked with the SDL2 host's main defines it.
const ProgramInfo& Program();

// What the command line asks for: running the program, or an answer printed at once (to
// standard output when `status` is 0, else to standard error) and the process ended with
// `status`.
struct CommandLine {
  bool run = true;
  int status = 0;
  std::string text;
};
CommandLine ReadCommandLine(const ProgramInfo& program, int argc, const char* const* argv);

// Why no window could be shown, as the one line to print: no display is named (DISPLAY for
// X11, WAYLAND_DISPLAY for Wayland, each null when unset), or `sdlError` when SDL could not
// open the one named. Empty when there is a display to try and no error yet.
std::string DisplayProblem(const ProgramInfo& program, const char* x11, const char* wayland,
                           const char* videoDriver, const char* sdlError);

// The folder to work in when the program runs installed: when `workingFolder` has no
// dataFolder of its own and the installed copy lies where installedData says, relative to the
// folder of `executable`, that copy's parent folder; otherwise none, and the program reads
// what its working folder holds (or does not).
std::optional<std::filesystem::path> InstalledWorkingFolder(
    const ProgramInfo& program, const std::filesystem::path& workingFolder,
    const std::filesystem::path& executable);

}  // namespace platform::host
