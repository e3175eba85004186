// Windows paths on a POSIX file system: backslashes are folder separators, and names compare
// without regard to case.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::string PosixPath(std::string_view windowsPath);

// Whether `name` matches the wildcard `mask` (`*` any run, `?` one character), ignoring case.
bool MatchesMask(std::string_view name, std::string_view mask);

}  // namespace platform
