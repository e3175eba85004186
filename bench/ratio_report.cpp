#include "ratio_report.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

namespace bench {
namespace {

class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  // With repetitions the median stands for a benchmark, else its one run.
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const std::string name = run.run_name.str();
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
        medians_[name] = run.GetAdjustedRealTime();
      else if (run.run_type == Run::RT_Iteration && run.iterations != 0)
        singles_[name] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }

  const double* Time(const std::string& name) const {
    for (const auto* times : {&medians_, &singles_}) {
      auto found = times->find(name);
      if (found != times->end()) return &found->second;
    }
    return nullptr;
  }

 private:
  std::map<std::string, double> medians_;
  std::map<std::string, double> singles_;
};

}  // namespace

int RunWithRatios(int argc, char** argv, const std::vector<Ratio>& ratios) {
  benchmark::Initialize(&argc, argv);
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  int status = 0;
  std::printf("\n");
  for (const Ratio& ratio : ratios) {
    const double* subject = reporter.Time(ratio.subject);
    const double* baseline = reporter.Time(ratio.baseline);
    if (subject == nullptr || baseline == nullptr) {
      std::printf("ratio %s / %s: not measured\n", ratio.subject.c_str(), ratio.baseline.c_str());
      status = 1;
      continue;
    }
    const double value = *subject / *baseline;
    std::printf("ratio %s / %s = %.3f (goal <= %.2f): %s\n", ratio.subject.c_str(),
                ratio.baseline.c_str(), value, ratio.goal, value <= ratio.goal ? "met" : "MISSED");
  }
  benchmark::Shutdown();
  return status;
}

}  // namespace bench
