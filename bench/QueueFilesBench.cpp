// WRITEQUEUE and READQUEUE of 20,000 records of the layout table's kind, each against writing
// and parsing the same text with std::string and std::fstream in the same run
// (ratio: queue-file time / plain time).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "RatioReport.h"
#include "hostlib/QueueFiles.h"
#include "zqruntime/picture.h"

namespace {

using namespace zq::rt;

constexpr uint32_t kRecords = 20000;

const RecordLayout kLayout{BYTE("NR"),       STRING("ALIGN", 10), SHORT("IDX"), SHORT("IDY"),
                           REAL("SCALE"),    STRING("AUTOICON", 10), SHORT("DIR"), SHORT("COLS"),
                           STRING("COVER", 64), STRING("FSIZE", 10)};

Queue& Records() {
  static Queue q(kLayout);
  if (q.Records() == 0) {
    for (uint32_t i = 1; i <= kRecords; ++i) {
      RecordRef& b = q.Buffer();
      b.SetWhole("NR", i % 8);
      b.SetText("ALIGN", i % 2 ? "Top" : "Center");
      b.SetWhole("IDX", -static_cast<int64_t>(i % 300));
      b.SetWhole("IDY", i % 200);
      b.SetReal("SCALE", (i % 40) * 0.05);
      b.SetText("AUTOICON", "OMI");
      b.SetWhole("DIR", i % 9);
      b.SetWhole("COLS", 5);
      b.SetText("COVER", "cover_" + WholeText(i));
      b.SetText("FSIZE", "Small");
      q.Add();
    }
  }
  return q;
}

const std::string& File() {
  static const std::string file = (std::filesystem::temp_directory_path() / "queuefiles_bench.dat").string();
  return file;
}

// The reference: the same text built and split with std::string, written and read whole.
void PlainWrite(Queue& q, const std::string& file) {
  std::string text;
  const uint32_t fields = q.Layout().FieldCount();
  for (uint32_t r = 1; r <= q.Records(); ++r) {
    if (r > 1) text += '\xFE';
    const std::optional<Record> record = q.Peek(r);
    for (uint32_t f = 1; f <= fields; ++f) {
      if (f > 1) text += '\xFD';
      text += record->Text(f);
    }
  }
  std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

void PlainRead(Queue& q, const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  const std::string text = s.str();
  q.Free();
  const uint32_t fields = q.Layout().FieldCount();
  size_t at = 0;
  while (at <= text.size()) {
    size_t end = text.find('\xFE', at);
    if (end == std::string::npos) end = text.size();
    size_t v = at;
    for (uint32_t f = 1; f <= fields; ++f) {
      size_t stop = text.find('\xFD', v);
      if (stop == std::string::npos || stop > end) stop = end;
      q.Buffer().SetText(f, std::string_view(text).substr(v, stop - v));
      v = std::min(stop + 1, end);
    }
    q.Add();
    at = end + 1;
  }
}

void BM_WriteQueue(benchmark::State& state) {
  Queue& q = Records();
  for (auto _ : state) benchmark::DoNotOptimize(WRITEQUEUE(q, File(), 1));
}
void BM_PlainWrite(benchmark::State& state) {
  Queue& q = Records();
  for (auto _ : state) PlainWrite(q, File());
}
void BM_ReadQueue(benchmark::State& state) {
  WRITEQUEUE(Records(), File(), 1);
  Queue q(kLayout);
  for (auto _ : state) benchmark::DoNotOptimize(READQUEUE(q, File(), 1));
  if (q.Records() != kRecords) state.SkipWithError("records lost");
}
void BM_PlainRead(benchmark::State& state) {
  WRITEQUEUE(Records(), File(), 1);
  Queue q(kLayout);
  for (auto _ : state) PlainRead(q, File());
  if (q.Records() != kRecords) state.SkipWithError("records lost");
}

BENCHMARK(BM_WriteQueue)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadQueue)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  zqbench::RunWithRatios(argc, argv,
                         {{"BM_WriteQueue", "BM_PlainWrite", "WRITEQUEUE of 20,000 records vs std::string"},
                          {"BM_ReadQueue", "BM_PlainRead", "READQUEUE of 20,000 records vs std::string"}});
  std::filesystem::remove(File());
  return 0;
}
