// Runs tavrelo-stage as a stage author does, in a shell, and keeps what it printed.
#pragma once

#include <string>

namespace fixtures {

struct ToolRun {
  int status = -1;
  std::string stdoutText;
  std::string stderrText;
};

ToolRun RunStageTool(const std::string& arguments);

}  // namespace fixtures
