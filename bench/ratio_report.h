// Runs the registered benchmarks and prints, after them, each subject's time as a ratio of its
// baseline measured in the same run, against the goal for that ratio.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct Ratio {
  std::string subject;  // benchmark names
  std::string baseline;
  double goal;  // the ratio must be at most this
};

// Returns the process exit status: 0, also when a goal is missed (a benchmark reports, it
// does not fail a build); 1 only when a named benchmark did not run.
int RunWithRatios(int argc, char** argv, const std::vector<Ratio>& ratios);

}  // namespace bench
