// The folder scan of a generated tree of 20,000 folders and 60,000 files against `find`
// listing the same tree with sizes, run as a process in the same bench.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "RatioReport.h"
#include "app/Scan.h"
#include "app/State.h"
#include "zqplatform/files.h"
#include "zqtest/MediaTree.h"
#include "zqtest/ScratchFolder.h"

namespace {

constexpr int kCategories = 200;
constexpr int kFilmsPerCategory = 99;

const zqtest::ScratchFolder& Tree() {
  static const zqtest::ScratchFolder* tree = [] {
    auto* folder = new zqtest::ScratchFolder("orvid-scan-bench");
    zqtest::BuildBulkTree(folder->path(), kCategories, kFilmsPerCategory);
    setenv("ZQ_DRIVES", ("B=" + folder->path().string()).c_str(), 1);
    zq::fs::ReloadDriveMap();
    INIPATH = folder->path().string() + "/";  // the program folder, where the scan lists what it left out
    ST.Change([&](SETTINGSGROUP& st) {
      st.ACR.NAME = "folder";
      st.ABR.NAME = "background";
    });
    for (const char* ext : {"MKV", "AVI", "MP4", "ISO"}) {
      VEXTENSIONS.Buffer().Clear();
      VEXTENSIONS.Buffer().SetText("EXT", ext);
      VEXTENSIONS.Add();
    }
    AEXTENSIONS.Buffer().Clear();
    AEXTENSIONS.Buffer().SetText("EXT", "MP3");
    AEXTENSIONS.Add();
    return folder;
  }();
  return *tree;
}

// The peak resident memory of this process in MiB.
double PeakMemoryMiB() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmHWM:") {
      double kib = 0;
      status >> kib;
      return kib / 1024;
    }
  }
  return 0;
}

void BM_Scan(benchmark::State& state) {
  Tree();
  zq::rt::Record group(std::shared_ptr<const zq::rt::RecordLayout>(&T1GROUPTYPE(), [](const auto*) {}));
  group.SetText("ROOT", "B:\\");
  const std::string bytes(group.Bytes());
  for (auto _ : state) SCANDIRTH(bytes);
  state.counters["folder records"] = static_cast<double>(QDIR.Records());
  state.counters["media records"] = static_cast<double>(MFQ.Records());
  state.counters["peak MiB"] = PeakMemoryMiB();
}
BENCHMARK(BM_Scan)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_FindWithSizes(benchmark::State& state) {
  const std::string command = "find '" + Tree().path().string() + "' -printf '%s %p\\n' >/dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("find failed");
  }
}
BENCHMARK(BM_FindWithSizes)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  zqbench::RunWithRatios(argc, argv, {{"BM_Scan/min_time:2.000", "BM_FindWithSizes/min_time:2.000",
                                       "Scan of 20,000 folders and 60,000 files against find with sizes"}});
}
