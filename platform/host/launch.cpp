#include "launch.h"

namespace platform::host {
namespace fs = std::filesystem;

CommandLine ReadCommandLine(const ProgramInfo& program, int argc, const char* const* argv) {
  const std::string name = program.name;
  const std::string tryHelp = "Try '" + name + " --help' for more information.\n";
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::string text = "Usage: " + name + " [OPTION]\n" + program.summary +
                         "\n\n"
                         "  -h, --help     show this help and exit\n"
                         "      --version  show the version and exit\n";
      if (*program.details != '\0') text += std::string("\n") + program.details;
      return {false, 0, text};
    }
    if (arg == "--version") return {false, 0, name + " " + program.version + "\n"};
    if (arg.size() > 1 && arg[0] == '-')
      return {false, 2, name + ": unrecognized option '" + arg + "'\n" + tryHelp};
    return {false, 2, name + ": unexpected argument '" + arg + "'\n" + tryHelp};
  }
  return {};
}

std::string DisplayProblem(const ProgramInfo& program, const char* x11, const char* wayland,
                           const char* videoDriver, const char* sdlError) {
  const auto set = [](const char* value) { return value != nullptr && *value != '\0'; };
  const std::string name = program.name;
  if (sdlError != nullptr) {
    std::string named = set(x11) ? std::string("DISPLAY=") + x11 : "";
    if (set(wayland)) named += (named.empty() ? "" : ", ") + std::string("WAYLAND_DISPLAY=") + wayland;
    if (named.empty()) named = "the display";
    return name + ": cannot open " + named + " (" + sdlError +
           "); check that the display server runs and that you may use it\n";
  }
  if (set(x11) || set(wayland) || set(videoDriver)) return "";
  return name +
         ": no display: neither DISPLAY (X11) nor WAYLAND_DISPLAY (Wayland) is set; start it "
         "from a desktop session, or set DISPLAY to the X server to use\n";
}

std::optional<fs::path> InstalledWorkingFolder(const ProgramInfo& program,
                                               const fs::path& workingFolder,
                                               const fs::path& executable) {
  if (program.dataFolder == nullptr || program.installedData == nullptr) return std::nullopt;
  std::error_code ec;
  if (fs::is_directory(workingFolder / program.dataFolder, ec)) return std::nullopt;
  const fs::path installed =
      fs::weakly_canonical(executable.parent_path() / program.installedData, ec);
  if (ec || !fs::is_directory(installed / program.dataFolder, ec)) return std::nullopt;
  return installed;
}

}  // namespace platform::host
