// A folder of 10,000 files listed into an explorer panel (names, types, icons, sizes, in the
// panel's order) against a plain directory read of the same folder with each file's size.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "RatioReport.h"
#include "app/Explorer.h"
#include "app/Records.h"
#include "app/State.h"
#include "zqplatform/files.h"
#include "zqtest/ScratchFolder.h"

namespace {

constexpr int kFiles = 10000;

const zqtest::ScratchFolder& Folder() {
  static const zqtest::ScratchFolder* folder = [] {
    auto* made = new zqtest::ScratchFolder("orvid-panel-bench");
    const char* extensions[] = {"mkv", "jpg", "mp3", "nfo", "png", "avi", "txt", "aai"};
    for (int n = 0; n < kFiles; ++n) {
      const std::string name = "Entry " + std::to_string((n * 7919) % kFiles) + "." + extensions[n % 8];
      std::ofstream(made->path() / name) << std::string(static_cast<size_t>(n % 100), 'x');
    }
    setenv("ZQ_DRIVES", ("B=" + made->path().string()).c_str(), 1);
    zq::fs::ReloadDriveMap();
    ST.Change([&](SETTINGSGROUP& st) { st.ACR.NAME = "folder"; });
    for (const char* ext : {"MKV", "AVI", "MP4", "ISO"}) {
      VEXTENSIONS.Buffer().Clear();
      VEXTENSIONS.Buffer().SetText("EXT", ext);
      VEXTENSIONS.Add();
    }
    AEXTENSIONS.Buffer().Clear();
    AEXTENSIONS.Buffer().SetText("EXT", "MP3");
    AEXTENSIONS.Add();
    return made;
  }();
  return *folder;
}

void BM_ListIntoPanel(benchmark::State& state) {
  Folder();
  zq::rt::Queue panel(SharedLayout(QPANELTYPE()));
  for (auto _ : state) GETPDIR(panel, "B:\\");
  state.counters["entries"] = static_cast<double>(panel.Records());
}
BENCHMARK(BM_ListIntoPanel)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_PlainDirectoryRead(benchmark::State& state) {
  const std::filesystem::path folder = Folder().path();
  for (auto _ : state) {
    uintmax_t bytes = 0;
    size_t entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      bytes += entry.is_directory() ? 0 : entry.file_size();
      benchmark::DoNotOptimize(entry.path().filename().string());
      ++entries;
    }
    benchmark::DoNotOptimize(bytes);
    state.counters["entries"] = static_cast<double>(entries);
  }
}
BENCHMARK(BM_PlainDirectoryRead)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  zqbench::RunWithRatios(argc, argv, {{"BM_ListIntoPanel/min_time:2.000", "BM_PlainDirectoryRead/min_time:2.000",
                                       "A panel of 10,000 files against a plain directory read with sizes"}});
}
