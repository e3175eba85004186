#include "ratio_report.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

namespace bench {
namespace {

class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
      seconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  const std::map<std::string, double>& Times() const { return seconds_; }

 private:
  std::map<std::string, double> seconds_;
};

}  // namespace

int RunWithRatios(int argc, char** argv, const std::vector<Ratio>& ratios) {
  benchmark::Initialize(&argc, argv);
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  int status = 0;
  std::printf("\n");
  for (const Ratio& ratio : ratios) {
    auto subject = reporter.Times().find(ratio.subject);
    auto baseline = reporter.Times().find(ratio.baseline);
    if (subject == reporter.Times().end() || baseline == reporter.Times().end()) {
      std::printf("ratio %s / %s: not measured\n", ratio.subject.c_str(), ratio.baseline.c_str());
      status = 1;
      continue;
    }
    const double value = subject->second / baseline->second;
    std::printf("ratio %s / %s = %.3f (goal <= %.2f): %s\n", ratio.subject.c_str(),
                ratio.baseline.c_str(), value, ratio.goal, value <= ratio.goal ? "met" : "MISSED");
  }
  benchmark::Shutdown();
  return status;
}

}  // namespace bench
