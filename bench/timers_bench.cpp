// Message queues and stopwatches against the plain standard-library work they wrap.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <deque>
#include <map>
#include <mutex>
#include <string>

#include "zqplatform/messages.h"
#include "zqvantor/timers.h"

namespace {

void PostAndPeekMessage(benchmark::State& state) {
  EnsureMessageQueue();
  DWORD self = GetCurrentThreadId();
  MSG m;
  for (auto _ : state) {
    PostThreadMessage(self, WM_USER, 1, 2);
    PeekMessage(&m, 0, 0, 0, PM_REMOVE);
    benchmark::DoNotOptimize(m);
  }
}

void PostAndPeekReferenceLockedDeque(benchmark::State& state) {
  std::mutex lock;
  std::deque<MSG> queue;
  MSG m{};
  for (auto _ : state) {
    {
      std::lock_guard g(lock);
      queue.push_back(MSG{0, WM_USER, 1, 2, 0, {0, 0}});
    }
    {
      std::lock_guard g(lock);
      m = queue.front();
      queue.pop_front();
    }
    benchmark::DoNotOptimize(m);
  }
}

void TMGetElapsedTimeRead(benchmark::State& state) {
  int32_t h = TMCreate();
  TMStartTimer(h);
  for (auto _ : state) benchmark::DoNotOptimize(TMGetElapsedTime(h));
  TMDestroy(h);
}

void TMGetElapsedTimeReferenceSteadyClock(benchmark::State& state) {
  auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    benchmark::DoNotOptimize(ms);
  }
}

BENCHMARK(PostAndPeekMessage);
BENCHMARK(PostAndPeekReferenceLockedDeque);
BENCHMARK(TMGetElapsedTimeRead);
BENCHMARK(TMGetElapsedTimeReferenceSteadyClock);

// Keeps each benchmark's time so that the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) times[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const char* pairs[][3] = {
      {"PostAndPeekMessage", "PostAndPeekReferenceLockedDeque", "post and peek against a locked deque"},
      {"TMGetElapsedTimeRead", "TMGetElapsedTimeReferenceSteadyClock", "TMGetElapsedTime against the steady clock"},
  };
  for (const auto& pair : pairs) {
    auto ours = reporter.times.find(pair[0]), reference = reporter.times.find(pair[1]);
    if (ours == reporter.times.end() || reference == reporter.times.end()) continue;
    std::printf("%s: %.3gx the reference's time\n", pair[2], ours->second / reference->second);
  }
  benchmark::Shutdown();
  return 0;
}
