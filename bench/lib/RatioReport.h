// Runs the registered benchmarks and then prints, for each named pair, how many times slower the
// first is than the second in this same run.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace bench {

struct Ratio {
  std::string label;
  std::string measured;   // benchmark name of ours
  std::string reference;  // benchmark name of the reference
  double target;          // the ratio we aim to stay at or under
};

// Keeps every run's time per iteration while the console reporter prints as usual.
class CollectingReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> nsPerIteration;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) nsPerIteration[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
};

inline int runAndPrintRatios(int argc, char** argv, const std::vector<Ratio>& ratios) {
  benchmark::Initialize(&argc, argv);
  CollectingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const Ratio& r : ratios) {
    auto ours = reporter.nsPerIteration.find(r.measured);
    auto ref = reporter.nsPerIteration.find(r.reference);
    if (ours == reporter.nsPerIteration.end() || ref == reporter.nsPerIteration.end() || ref->second <= 0)
      continue;
    double ratio = ours->second / ref->second;
    std::printf("%s ratio: %.2f (target <= %.2f: %s)\n", r.label.c_str(), ratio, r.target,
                ratio <= r.target ? "met" : "missed");
  }
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench
