// Sorting a queue of 20,000 panel records by an order text, against std::sort of plain
// structs with the same keys, measured in the same run ("ratio_vs_std_sort").
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "zqruntime/queue.h"

namespace {

using namespace zq::rt;

constexpr int kRecords = 20000;

struct PlainPanel {
  char fn[256];
  int32_t c1, c2, c3, c4, icon;
  char ext[64];
  char fs[15];
  uint8_t ft, dir, sel;
};

const RecordLayout& Panel() {
  static const RecordLayout layout{
      CSTRING("FN", 256), LONG("C1"),       LONG("C2"), LONG("C3"),  LONG("C4"), LONG("ICON"),
      CSTRING("EXT", 64), STRING("FS", 15), BYTE("FT"), BYTE("DIR"), BYTE("SEL")};
  return layout;
}

std::vector<std::string> Names() {
  std::vector<std::string> names;
  uint32_t seed = 7;
  for (int i = 0; i < kRecords; ++i) {
    seed = seed * 1103515245u + 12345u;
    names.push_back("file-" + std::to_string(seed % 100000) + ".mkv");
  }
  return names;
}

void BM_QueueSortByOrderText(benchmark::State& state) {
  const std::vector<std::string> names = Names();
  Queue q(Panel());
  std::vector<PlainPanel> plain(kRecords);
  double queueSeconds = 0, referenceSeconds = 0;
  for (auto _ : state) {
    state.PauseTiming();
    q.Free();
    for (int i = 0; i < kRecords; ++i) {
      q.ClearBuffer();
      q.Buffer().SetText(1, names[i]);
      q.Buffer().SetWhole(6, i % 7);
      q.Add();
      std::memset(&plain[i], 0, sizeof plain[i]);
      std::memcpy(plain[i].fn, names[i].data(), names[i].size());
      plain[i].icon = i % 7;
    }
    state.ResumeTiming();
    const auto t0 = std::chrono::steady_clock::now();
    q.Sort("-ICON,+FN");
    const auto t1 = std::chrono::steady_clock::now();
    std::stable_sort(plain.begin(), plain.end(), [](const PlainPanel& a, const PlainPanel& b) {
      if (a.icon != b.icon) return a.icon > b.icon;
      return std::strcmp(a.fn, b.fn) < 0;
    });
    const auto t2 = std::chrono::steady_clock::now();
    queueSeconds += std::chrono::duration<double>(t1 - t0).count();
    referenceSeconds += std::chrono::duration<double>(t2 - t1).count();
    benchmark::DoNotOptimize(plain.data());
  }
  state.counters["ratio_vs_std_sort"] = referenceSeconds > 0 ? queueSeconds / referenceSeconds : 0;
}
BENCHMARK(BM_QueueSortByOrderText)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
