// The commands of tavrelo-stage, each taking the words after its name.
#pragma once

#include <string>
#include <vector>

namespace tools {

using Arguments = std::vector<std::string>;

int RunDecode(const Arguments& args);

}  // namespace tools
