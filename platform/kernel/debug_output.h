// Where OutputDebugStringA's text goes. Not a Win32 name: the subset's own extension, so that
// tests can read the game's diagnostics and a player can keep them in a file.
//
// By default the text is dropped, as it is on Windows with no debugger attached. The
// environment variable TAVRELO_DEBUG_OUTPUT changes that: "-" sends it to standard error, any
// other value names a file that it is appended to.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

using DebugOutputSink = std::function<void(std::string_view text)>;

// Installs a sink for every later OutputDebugStringA call and returns the one it replaces.
// An empty sink restores the default chosen by TAVRELO_DEBUG_OUTPUT.
DebugOutputSink SetDebugOutputSink(DebugOutputSink sink);

// Collects the debugger output written during its lifetime, one entry per call.
class DebugOutputCapture {
 public:
  DebugOutputCapture();
  ~DebugOutputCapture();
  DebugOutputCapture(const DebugOutputCapture&) = delete;
  DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;

  const std::vector<std::string>& Lines() const { return lines_; }
  void Clear() { lines_.clear(); }

 private:
  std::vector<std::string> lines_;
  DebugOutputSink previous_;
};

}  // namespace platform
