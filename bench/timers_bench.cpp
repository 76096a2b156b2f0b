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

#include "RatioReport.h"

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

}  // namespace

int main(int argc, char** argv) {
  zqbench::RunWithRatios(argc, argv,
                         {{"PostAndPeekMessage", "PostAndPeekReferenceLockedDeque",
                           "post and peek against a locked deque"},
                          {"TMGetElapsedTimeRead", "TMGetElapsedTimeReferenceSteadyClock",
                           "TMGetElapsedTime against the steady clock"}});
  return 0;
}
