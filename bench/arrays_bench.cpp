// Multivalue arrays: access by address against splitting the delimited text afresh, and
// loading and saving an array file against plain reading and writing of the same bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "zqplatform/codepage.h"
#include "zqvantor/arrays.h"

#include "RatioReport.h"

namespace {

constexpr int32_t kFields = 10000;
constexpr int32_t kValues = 10;

struct Address {
  int32_t field, value;
};

std::vector<Address> Addresses() {
  std::mt19937 random(7);
  std::vector<Address> list(1024);
  for (Address& a : list) {
    a.field = static_cast<int32_t>(random() % kFields) + 1;
    a.value = static_cast<int32_t>(random() % kValues) + 1;
  }
  return list;
}

std::string ArrayText(int32_t fields, int32_t values) {
  std::string text;
  for (int32_t f = 1; f <= fields; ++f) {
    if (f > 1) text += '\xFE';
    for (int32_t v = 1; v <= values; ++v) {
      if (v > 1) text += '\xFD';
      text += "f" + std::to_string(f) + "v" + std::to_string(v);
    }
  }
  return text;
}

// The reference: the byte range of the index-th piece (1-based) between delimiters.
std::pair<std::size_t, std::size_t> PieceRange(std::string_view text, std::size_t from,
                                               std::size_t to, char delimiter, int32_t index) {
  std::size_t start = from;
  for (int32_t i = 1; i < index; ++i) {
    std::size_t at = text.find(delimiter, start);
    if (at == std::string_view::npos || at >= to) return {to, to};
    start = at + 1;
  }
  std::size_t end = text.find(delimiter, start);
  return {start, end == std::string_view::npos || end > to ? to : end};
}

std::pair<std::size_t, std::size_t> ValueRange(std::string_view text, Address a) {
  auto field = PieceRange(text, 0, text.size(), '\xFE', a.field);
  return PieceRange(text, field.first, field.second, '\xFD', a.value);
}

class Array {
 public:
  Array() : h(RACreate()) {
    std::string text = ArrayText(kFields, kValues);
    RASetS(h, static_cast<int32_t>(text.size()), text.data(), 0, 0, 0);
  }
  ~Array() { RADestroy(h); }
  const int32_t h;
};

void RAGetByAddress(benchmark::State& state) {
  Array array;
  std::vector<Address> list = Addresses();
  std::size_t i = 0;
  int32_t err = 0;
  for (auto _ : state) {
    const Address& a = list[i++ % list.size()];
    BSTR text = RAGet(array.h, &err, a.field, a.value, 0);
    benchmark::DoNotOptimize(text);
    SysFreeString(text);
  }
}

void RAGetReferenceResplit(benchmark::State& state) {
  std::string text = ArrayText(kFields, kValues);
  std::vector<Address> list = Addresses();
  std::size_t i = 0;
  for (auto _ : state) {
    auto [start, end] = ValueRange(text, list[i++ % list.size()]);
    BSTR piece = zq::text::AllocBstr(std::string_view(text).substr(start, end - start));
    benchmark::DoNotOptimize(piece);
    SysFreeString(piece);
  }
}

void RASetSByAddress(benchmark::State& state) {
  Array array;
  std::vector<Address> list = Addresses();
  std::size_t i = 0;
  for (auto _ : state) {
    const Address& a = list[i++ % list.size()];
    benchmark::DoNotOptimize(RASetS(array.h, 6, "value!", a.field, a.value, 0));
  }
}

void RASetSReferenceResplit(benchmark::State& state) {
  std::string text = ArrayText(kFields, kValues);
  std::vector<Address> list = Addresses();
  std::size_t i = 0;
  for (auto _ : state) {
    auto [start, end] = ValueRange(text, list[i++ % list.size()]);
    text.replace(start, end - start, "value!");
    benchmark::DoNotOptimize(text.data());
  }
}

// About 10 MB of array text.
const std::string& FileText() {
  static const std::string text = ArrayText(100000, 10);
  return text;
}

std::string BenchFile() {
  return (std::filesystem::temp_directory_path() / "arrays_bench.dat").string();
}

constexpr uint32_t kReadWrite = 0xC0000000, kOpenAlways = 4, kNormal = 0x80;

void RAWriteToFileWhole(benchmark::State& state) {
  Array array;
  RASetS(array.h, static_cast<int32_t>(FileText().size()), FileText().data(), 0, 0, 0);
  std::string path = BenchFile();
  for (auto _ : state) {
    int32_t written = RAWriteToFile(array.h, static_cast<int32_t>(path.size()), path.c_str(), 0, 0,
                                    kReadWrite, 0, kOpenAlways, kNormal);
    if (written != static_cast<int32_t>(FileText().size())) state.SkipWithError("write failed");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(FileText().size()));
}

void RAWriteToFileReferencePlainWrite(benchmark::State& state) {
  std::string path = BenchFile();
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(FileText().data(), 1, FileText().size(), file);
    std::fclose(file);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(FileText().size()));
}

void RAReadFromFileWhole(benchmark::State& state) {
  Array array;
  std::string path = BenchFile();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  std::fwrite(FileText().data(), 1, FileText().size(), file);
  std::fclose(file);
  for (auto _ : state) {
    int32_t read = RAReadFromFile(array.h, static_cast<int32_t>(path.size()), path.c_str(), 0, 0,
                                  kReadWrite, 0, kOpenAlways, kNormal);
    if (read != static_cast<int32_t>(FileText().size())) state.SkipWithError("read failed");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(FileText().size()));
}

void RAReadFromFileReferencePlainRead(benchmark::State& state) {
  std::string path = BenchFile();
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    std::string bytes(FileText().size(), '\0');
    benchmark::DoNotOptimize(std::fread(bytes.data(), 1, bytes.size(), file));
    std::fclose(file);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(FileText().size()));
}

BENCHMARK(RAGetByAddress);
BENCHMARK(RAGetReferenceResplit);
BENCHMARK(RASetSByAddress);
BENCHMARK(RASetSReferenceResplit);
BENCHMARK(RAWriteToFileWhole)->Unit(benchmark::kMillisecond);
BENCHMARK(RAWriteToFileReferencePlainWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(RAReadFromFileWhole)->Unit(benchmark::kMillisecond);
BENCHMARK(RAReadFromFileReferencePlainRead)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  zqbench::RunWithRatios(
      argc, argv,
      // Access is orders of magnitude faster than re-splitting, so the re-split is the measured
      // side there and the ratio reads as the speed-up.
      {{"RAGetReferenceResplit", "RAGetByAddress", "re-splitting the text against RAGet"},
       {"RASetSReferenceResplit", "RASetSByAddress", "re-splitting the text against RASetS"},
       {"RAWriteToFileWhole", "RAWriteToFileReferencePlainWrite", "RAWriteToFile against plain write"},
       {"RAReadFromFileWhole", "RAReadFromFileReferencePlainRead", "RAReadFromFile against plain read"}});
  return 0;
}
