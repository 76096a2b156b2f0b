// Functions on host strings and the string object's whole-file transfer, against plain
// standard-library work of the same kind.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "zqplatform/codepage.h"
#include "zqplatform/oleauto.h"
#include "zqvantor/cla.h"
#include "zqvantor/strings.h"

#include "RatioReport.h"

namespace {

constexpr int32_t kItems = 1000;

// kItems items of 8 bytes separated by commas.
const std::string& Items() {
  static const std::string text = [] {
    std::string t;
    char item[16];
    for (int i = 1; i <= kItems; ++i) {
      std::snprintf(item, sizeof item, "item%04d", i);
      if (i > 1) t += ',';
      t += item;
    }
    return t;
  }();
  return text;
}

// Every item by its number, one call each, as the host's item loop does.
void BM_CLAGetSubStringEach(benchmark::State& state) {
  const std::string& text = Items();
  int32_t length = static_cast<int32_t>(text.size());
  for (auto _ : state) {
    for (int32_t i = 1; i <= kItems; ++i) SysFreeString(CLAGetSubString(length, text.data(), i, ','));
  }
}
BENCHMARK(BM_CLAGetSubStringEach)->Unit(benchmark::kMillisecond);

// The same per call with plain strings: copy the text, walk to the item, make the BSTR.
void BM_StdItemEach(benchmark::State& state) {
  const std::string& text = Items();
  for (auto _ : state) {
    for (int32_t i = 1; i <= kItems; ++i) {
      std::string copy(text);
      std::size_t from = 0;
      for (int32_t k = 1; k < i && from != std::string::npos; ++k) {
        std::size_t at = copy.find(',', from);
        from = at == std::string::npos ? at : at + 1;
      }
      std::string_view rest =
          from == std::string::npos ? std::string_view() : std::string_view(copy).substr(from);
      SysFreeString(zq::text::AllocBstr(rest.substr(0, rest.find(','))));
    }
  }
}
BENCHMARK(BM_StdItemEach)->Unit(benchmark::kMillisecond);

constexpr std::size_t kFileBytes = 1 << 20;
// Normal file without write-through, so both sides measure the same kind of write.
constexpr uint32_t kAccess = 0xC0000000, kShare = 0, kDisp = 4, kFlags = 0x80;

const std::string& FilePath() {
  static const std::string path = (std::filesystem::temp_directory_path() / "cla_bench.dat").string();
  return path;
}

const std::string& Content() {
  static const std::string content = [] {
    std::string c(kFileBytes, '\0');
    for (std::size_t i = 0; i < c.size(); ++i) c[i] = static_cast<char>('a' + i % 26);
    return c;
  }();
  return content;
}

struct StringObject {
  StringObject() : h(XSCreate()) {}
  ~StringObject() { XSDestroy(h); }
  int32_t h;
};

void BM_XSWriteToFile(benchmark::State& state) {
  StringObject s;
  XSSet(s.h, static_cast<int32_t>(Content().size()), Content().data(), 0);
  const std::string& path = FilePath();
  for (auto _ : state)
    benchmark::DoNotOptimize(XSWriteToFile(s.h, static_cast<int32_t>(path.size()), path.data(), 0, 0, kAccess,
                                           kShare, kDisp, kFlags));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kFileBytes));
}
BENCHMARK(BM_XSWriteToFile)->Unit(benchmark::kMicrosecond);

// Over the file of the same size, as the library's write at offset 0 does.
void BM_FstreamWrite(benchmark::State& state) {
  std::ofstream(FilePath(), std::ios::binary) << Content();
  for (auto _ : state) {
    std::fstream out(FilePath(), std::ios::binary | std::ios::in | std::ios::out);
    out.write(Content().data(), static_cast<std::streamsize>(Content().size()));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kFileBytes));
}
BENCHMARK(BM_FstreamWrite)->Unit(benchmark::kMicrosecond);

void BM_XSReadFromFile(benchmark::State& state) {
  StringObject s;
  std::ofstream(FilePath(), std::ios::binary) << Content();
  const std::string& path = FilePath();
  for (auto _ : state)
    benchmark::DoNotOptimize(XSReadFromFile(s.h, static_cast<int32_t>(path.size()), path.data(), 0, 0,
                                            kAccess, kShare, kDisp, kFlags));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kFileBytes));
}
BENCHMARK(BM_XSReadFromFile)->Unit(benchmark::kMicrosecond);

void BM_IfstreamRead(benchmark::State& state) {
  std::ofstream(FilePath(), std::ios::binary) << Content();
  for (auto _ : state) {
    std::ifstream in(FilePath(), std::ios::binary);
    std::string text(static_cast<std::size_t>(std::filesystem::file_size(FilePath())), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kFileBytes));
}
BENCHMARK(BM_IfstreamRead)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  zqbench::RunWithRatios(argc, argv,
                         {{"BM_CLAGetSubStringEach", "BM_StdItemEach", "CLAGetSubString per item against copy and find"},
                          {"BM_XSWriteToFile", "BM_FstreamWrite", "XSWriteToFile against an fstream write"},
                          {"BM_XSReadFromFile", "BM_IfstreamRead", "XSReadFromFile against an ifstream read"}});
  std::error_code ignored;
  std::filesystem::remove(FilePath(), ignored);
  return 0;
}
