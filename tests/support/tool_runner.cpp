#include "tool_runner.h"

#include <sys/wait.h>

#include <cstdlib>

#include "jpeg_fixtures.h"

namespace fixtures {

ToolRun RunStageTool(const std::string& arguments) {
  const std::string out = TempFile("tool.out");
  const std::string err = TempFile("tool.err");
  const std::string command =
      "'" TAVRELO_STAGE_TOOL "' " + arguments + " >'" + out + "' 2>'" + err + "'";
  const int raw = std::system(command.c_str());
  ToolRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  const Bytes outText = ReadFile(out);
  const Bytes errText = ReadFile(err);
  run.stdoutText.assign(outText.begin(), outText.end());
  run.stderrText.assign(errText.begin(), errText.end());
  return run;
}

}  // namespace fixtures
