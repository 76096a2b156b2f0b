// Runs the benchmarks and then prints each measured pair's time ratio (ours / reference).
#pragma once
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace zqbench {

struct Ratio {
  std::string ours;
  std::string reference;
  std::string label;
};

class TimeKeeper : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) times[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

inline void RunWithRatios(int& argc, char** argv, const std::vector<Ratio>& ratios) {
  benchmark::Initialize(&argc, argv);
  TimeKeeper keeper;
  benchmark::RunSpecifiedBenchmarks(&keeper);
  for (const Ratio& ratio : ratios) {
    auto ours = keeper.times.find(ratio.ours);
    auto reference = keeper.times.find(ratio.reference);
    if (ours == keeper.times.end() || reference == keeper.times.end() || reference->second <= 0) continue;
    std::printf("%s: %.2fx the reference's time\n", ratio.label.c_str(), ours->second / reference->second);
  }
  benchmark::Shutdown();
}

}  // namespace zqbench
