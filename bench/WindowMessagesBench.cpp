// Posting to a window and dispatching it through its thread's queue, against a plain
// locked deque of the same messages handed to a function.
#include <benchmark/benchmark.h>

#include <deque>
#include <functional>
#include <mutex>

#include "zqplatform/uimodel.h"

#include "RatioReport.h"

namespace {

constexpr int kBatch = 1000;

void BM_PostAndDispatch(benchmark::State& state) {
  int64_t handled = 0;
  HWND w = CreateWindowExA(0, "bench", WS_POPUP, 0, 0, 1, 1, 0, 0, [&](HWND, uint32_t, WPARAM, LPARAM) -> LRESULT {
    ++handled;
    return 0;
  });
  for (auto _ : state) {
    for (int i = 0; i < kBatch; ++i) PostMessage(w, WM_USER, static_cast<WPARAM>(i), 0);
    MSG m;
    while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) DispatchMessage(&m);
  }
  DestroyWindow(w);
  benchmark::DoNotOptimize(handled);
  state.SetItemsProcessed(state.iterations() * kBatch);
}

void BM_ReferenceLockedDeque(benchmark::State& state) {
  int64_t handled = 0;
  std::function<void(const MSG&)> proc = [&](const MSG&) { ++handled; };
  std::mutex lock;
  std::deque<MSG> queue;
  for (auto _ : state) {
    for (int i = 0; i < kBatch; ++i) {
      std::lock_guard hold(lock);
      queue.push_back(MSG{1, WM_USER, static_cast<WPARAM>(i), 0, 0, {0, 0}});
    }
    for (;;) {
      MSG m;
      {
        std::lock_guard hold(lock);
        if (queue.empty()) break;
        m = queue.front();
        queue.pop_front();
      }
      proc(m);
    }
  }
  benchmark::DoNotOptimize(handled);
  state.SetItemsProcessed(state.iterations() * kBatch);
}

}  // namespace

BENCHMARK(BM_PostAndDispatch);
BENCHMARK(BM_ReferenceLockedDeque);

int main(int argc, char** argv) {
  zqbench::RunWithRatios(argc, argv,
                         {{"BM_PostAndDispatch", "BM_ReferenceLockedDeque",
                           "post and dispatch through the window model against a locked deque"}});
  return 0;
}
