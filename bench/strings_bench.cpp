// String registry and string object against plain standard-library work of the same kind.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "strings/XSObject.h"
#include "zqvantor/strings.h"

#include "RatioReport.h"

namespace {

constexpr int32_t kHandles = 65535;

void BM_XSCreateDestroyAll(benchmark::State& state) {
  for (auto _ : state) {
    for (int32_t i = 0; i < kHandles; ++i) benchmark::DoNotOptimize(XSCreate());
    for (int32_t h = 1; h <= kHandles; ++h) XSDestroy(h);
  }
}
BENCHMARK(BM_XSCreateDestroyAll)->Unit(benchmark::kMillisecond);

void BM_MapInsertEraseAll(benchmark::State& state) {
  std::map<uint16_t, std::string> map;
  for (auto _ : state) {
    for (int32_t h = 1; h <= kHandles; ++h) map.emplace(static_cast<uint16_t>(h), std::string());
    for (int32_t h = 1; h <= kHandles; ++h) map.erase(static_cast<uint16_t>(h));
  }
}
BENCHMARK(BM_MapInsertEraseAll)->Unit(benchmark::kMillisecond);

// About 64 KiB of words, the searched word only at the end.
const std::string& Text() {
  static const std::string text = [] {
    std::string t;
    while (t.size() < 65536) t += "lorem ipsum dolor sit amet ab ";
    return t + "needle";
  }();
  return text;
}

// An argument the compiler cannot see through, the same for both sides.
std::string Arg(const char* text) {
  std::string arg(text);
  benchmark::DoNotOptimize(arg.data());
  benchmark::ClobberMemory();
  return arg;
}

void BM_XSFind(benchmark::State& state) {
  XSObject s(Text());
  const std::string needle = Arg("needle");
  for (auto _ : state) benchmark::DoNotOptimize(s.Find(needle, 0));
}
BENCHMARK(BM_XSFind);

void BM_StdFind(benchmark::State& state) {
  const std::string& s = Text();
  const std::string needle = Arg("needle");
  for (auto _ : state) benchmark::DoNotOptimize(s.find(needle, 0));
}
BENCHMARK(BM_StdFind);

void BM_XSReplace(benchmark::State& state) {
  XSObject s;
  const std::string find = Arg("ab"), replacement = Arg("xyz");
  for (auto _ : state) {
    s.Set(Text());
    benchmark::DoNotOptimize(s.ReplaceStr(find, replacement, 0));
  }
}
BENCHMARK(BM_XSReplace);

void BM_StdReplace(benchmark::State& state) {
  std::string s;
  const std::string find = Arg("ab"), replacement = Arg("xyz");
  for (auto _ : state) {
    s = Text();
    std::string out;
    out.reserve(s.size());
    std::size_t from = 0;
    int count = 0;
    for (std::size_t at = s.find(find); at != std::string::npos; at = s.find(find, from)) {
      out.append(s, from, at - from).append(replacement);
      from = at + find.size();
      ++count;
    }
    out.append(s, from);
    s.swap(out);
    benchmark::DoNotOptimize(count);
  }
}
BENCHMARK(BM_StdReplace);

const std::string& Padded() {
  static const std::string padded = std::string(1000, ' ') + Text() + std::string(1000, ' ');
  return padded;
}

void BM_XSTrim(benchmark::State& state) {
  XSObject s;
  for (auto _ : state) {
    s.Set(Padded());
    s.TrimRight();
    s.TrimLeft();
    benchmark::DoNotOptimize(s.GetLength());
  }
}
BENCHMARK(BM_XSTrim);

void BM_StdTrim(benchmark::State& state) {
  const char* white = " \t\n\v\f\r";
  std::string s;
  for (auto _ : state) {
    s = Padded();
    s.erase(s.find_last_not_of(white) + 1);
    s.erase(0, s.find_first_not_of(white));
    benchmark::DoNotOptimize(s.size());
  }
}
BENCHMARK(BM_StdTrim);

}  // namespace

int main(int argc, char** argv) {
  zqbench::RunWithRatios(argc, argv,
                         {{"BM_XSCreateDestroyAll", "BM_MapInsertEraseAll", "create and destroy all handles against std::map"},
                          {"BM_XSFind", "BM_StdFind", "find against std::string"},
                          {"BM_XSReplace", "BM_StdReplace", "replace against std::string"},
                          {"BM_XSTrim", "BM_StdTrim", "trim against std::string"}});
  return 0;
}
