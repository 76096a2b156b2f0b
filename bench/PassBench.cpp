// The processing pass over a generated disk of 1,000 media folders, each with a 1000 x 1500
// JPEG cover and a 1920 x 1080 JPEG background, both converted to AAI with resizing (covers
// fitted to 400 x 600, backgrounds to 1280 x 720): with its conversions on the pool (a worker
// per core) and on the pass's own thread, against ImageMagick's `convert` doing the same per
// folder (run in the same bench, over the first 100 folders). Times are per folder. The pass
// without conversions (the folder files only) is timed too. Then the rate at which the pass on
// the pool wrote its files against the rate the disk takes (beyond the page cache the disk
// bounds the pass), and the peak memory of a process that runs the whole pass, on the pool with
// 8 and with 16 workers (whatever the cores: the pool's bound holds on any number) and on one
// thread.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "PeakMemory.h"
#include "RatioReport.h"
#include "app/MainWindow.h"
#include "app/Pass.h"
#include "app/Scan.h"
#include "app/State.h"
#include "hostlib/ConversionPool.h"
#include "zqplatform/files.h"
#include "zqtest/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;
constexpr int kFolders = 1000;
constexpr int kReferenceFolders = 100;

fs::path FilmFolder(const fs::path& root, int n) { return root / ("Film " + std::to_string(n)); }

// The disk at root as the pass sees it: drive B:, the settings and tables of a media disk.
void UseDisk(const fs::path& root) {
  setenv("ZQ_DRIVES", ("B=" + root.string()).c_str(), 1);
  zq::fs::ReloadDriveMap();
  INIPATH = root.string() + "/";  // the program folder, where the scan lists what it left out
  ROOTDIR.Set("B:\\");
  ST.Change([&](SETTINGSGROUP& st) {
    st.ACR = {"folder", "Smaller", 1, "Bicubic", 400, 600};
    st.ABR.NAME = "background";
    st.ABR.RESIZE = "Both";
    st.ABR.KEEPAR = 1;
    st.ABR.FILTER = "Bicubic";
    st.ABR.WIDTH = 1280;
    st.ABR.HEIGHT = 720;
    st.ABR.DFW = 1920;
    st.ABR.DFH = 1080;
  });
  for (int n = 1; n <= 7; ++n) {
    QSCRIPT.Buffer().Clear();
    QSCRIPTF.ALIGN.Set(QSCRIPT.Buffer(), "Center");
    QSCRIPTF.IVIEW.Set(QSCRIPT.Buffer(), "Yes");
    QSCRIPT.Add();
  }
  VEXTENSIONS.Buffer().Clear();
  VEXTF.EXT.Set(VEXTENSIONS.Buffer(), "MKV");
  VEXTENSIONS.Add();
  QNOSCAN.Buffer().Clear();
  QNOSCANF.FNAME.Set(QNOSCAN.Buffer(), "_PICTURES");
  QNOSCAN.Add();
}

// The disk, made on first use and removed when the bench ends.
const zqtest::ScratchFolder& Disk() {
  static const zqtest::ScratchFolder folder("orvid-pass-bench");
  static const bool made = [] {
    const fs::path pictures = folder.path() / "_pictures";
    fs::create_directories(pictures);
    const std::string draw = "convert -size 1000x1500 plasma:fractal -seed 1 -quality 90 '" +
                             (pictures / "cover.jpg").string() +
                             "' && convert -size 1920x1080 plasma:fractal -seed 2 "
                             "-quality 90 '" +
                             (pictures / "background.jpg").string() + "'";
    if (std::system(draw.c_str()) != 0) std::abort();
    for (int n = 0; n < kFolders; ++n) {
      const fs::path film = FilmFolder(folder.path(), n);
      fs::create_directories(film);
      std::ofstream(film / ("Film " + std::to_string(n) + ".mkv")) << "film";
      fs::create_hard_link(pictures / "cover.jpg", film / "folder.jpg");
      fs::create_hard_link(pictures / "background.jpg", film / "background.jpg");
    }
    UseDisk(folder.path());
    return true;
  }();
  (void)made;
  return folder;
}

void ConversionOptions() {
  DOICCONV = AUTOICRESIZE = DOBGCONV = AUTOBGRESIZE = 1;
  DELSCRIPT = UPDSCRIPT = PROCESSV = 1;
}

void Scan() {
  zq::rt::Record group(SharedLayout(T1GROUPTYPE()));
  group.SetText("ROOT", ROOTDIR.Get());
  SCANDIRTH(std::string(group.Bytes()));
}

// The film folders as the disk was made: no AAI pictures, no folder files (so that each pass
// on conversions writes the same files anew).
void Fresh(const fs::path& root) {
  for (int n = 0; n < kFolders; ++n) {
    for (const char* name : {"folder.aai", "background.aai", "dune_folder.txt"}) fs::remove(FilmFolder(root, n) / name);
  }
}

// One pass over the disk, scanned first; the pass's seconds.
double TimedPass() {
  Scan();
  zq::rt::Record group(SharedLayout(T2GROUPTYPE()));
  group.SetReference("QDIR", &QDIR);
  const auto start = std::chrono::steady_clock::now();
  WRITESCRIPT(std::string(group.Bytes()));
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

uint32_t Cores() { return std::max(1u, std::thread::hardware_concurrency()); }

double poolSeconds = 0;  // the last pass on the pool

void Pass(benchmark::State& state, uint32_t workers) {
  Disk();
  ConversionOptions();
  hostlib::SetConversionThreads(workers);
  for (auto _ : state) {
    Fresh(Disk().path());
    const double seconds = TimedPass();
    if (workers != 0) poolSeconds = seconds;
    state.SetIterationTime(seconds / kFolders);
  }
  state.counters["folders"] = kFolders;
  state.counters["workers"] = workers;
}

void BM_PassOnThePool(benchmark::State& state) { Pass(state, Cores()); }
BENCHMARK(BM_PassOnThePool)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_PassOnOneThread(benchmark::State& state) { Pass(state, 0); }
BENCHMARK(BM_PassOnOneThread)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ImageMagickConvert(benchmark::State& state) {
  const fs::path root = Disk().path();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    for (int n = 0; n < kReferenceFolders; ++n) {
      const fs::path film = FilmFolder(root, n);
      const std::string command = "convert '" + (film / "folder.jpg").string() +
                                  "' -filter Catrom -resize '400x600>' 'AAI:" + (film / "im-folder.aai").string() +
                                  "' && convert '" + (film / "background.jpg").string() +
                                  "' -filter Catrom -resize 1280x720 'AAI:" + (film / "im-background.aai").string() +
                                  "'";
      if (std::system(command.c_str()) != 0) state.SkipWithError("convert failed");
    }
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                           kReferenceFolders);
  }
  state.counters["folders"] = kReferenceFolders;
}
BENCHMARK(BM_ImageMagickConvert)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_PassWithoutConversions(benchmark::State& state) {
  Disk();
  DOICCONV = DOBGCONV = 0;
  DELSCRIPT = UPDSCRIPT = PROCESSV = 1;
  for (auto _ : state) state.SetIterationTime(TimedPass() / kFolders);
  state.counters["folders"] = kFolders;
}
BENCHMARK(BM_PassWithoutConversions)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

// Run as "pass_bench --pass-once ROOT WORKERS": one pass over the disk at ROOT in a fresh
// process, then its peak resident memory in kilobytes.
int PassOnce(const fs::path& root, uint32_t workers) {
  UseDisk(root);
  ConversionOptions();
  hostlib::SetConversionThreads(workers);
  Fresh(root);
  TimedPass();
  std::printf("%ld\n", PeakKilobytes());
  return 0;
}

void PrintPeakMemory(const char* self) {
  const fs::path result = Disk().path() / "_pictures" / "peak.txt";
  for (uint32_t workers : {8u, 16u, 0u}) {
    const std::string command = std::string("'") + self + "' --pass-once '" + Disk().path().string() + "' " +
                                std::to_string(workers) + " > '" + result.string() + "'";
    long peak = -1;
    if (std::system(command.c_str()) == 0) std::ifstream(result) >> peak;
    std::printf("peak memory of a process passing over %d folders with %u workers: %.1f MB (aim: below 200 MB)\n",
                kFolders, workers, peak / 1024.0);
  }
}

// What the pass on the pool wrote per second against what the disk takes: 1 GiB written in
// one file and synced, as the pass's files reach the disk once the page cache is full.
void PrintWriteSpeeds() {
  uintmax_t perFolder = 0;
  for (const char* name : {"folder.aai", "background.aai", "dune_folder.txt"})
    perFolder += fs::file_size(FilmFolder(Disk().path(), 0) / name);
  const fs::path probe = Disk().path() / "_pictures" / "speed";
  const std::string command = "dd if=/dev/zero of='" + probe.string() + "' bs=4M count=256 conv=fdatasync 2>/dev/null";
  const auto start = std::chrono::steady_clock::now();
  const bool written = std::system(command.c_str()) == 0;
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  fs::remove(probe);
  std::printf("the pass on the pool wrote %.1f MB per folder, %.0f MB/s; the disk writes %.0f MB/s\n",
              perFolder / 1e6, poolSeconds > 0 ? perFolder * kFolders / 1e6 / poolSeconds : 0.0,
              written ? (1 << 30) / 1e6 / seconds : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--pass-once") return PassOnce(argv[2], uint32_t(std::atoi(argv[3])));
  zqbench::RunWithRatios(
      argc, argv,
      {{"BM_PassOnThePool/iterations:1/manual_time", "BM_PassOnOneThread/iterations:1/manual_time",
        "Pass on the pool per folder against the pass on one thread (aim: at most 0.25x)"},
       {"BM_PassOnThePool/iterations:1/manual_time", "BM_ImageMagickConvert/iterations:1/manual_time",
        "Pass on the pool per folder against ImageMagick convert (aim: at most 0.05x)"},
       {"BM_PassOnOneThread/iterations:1/manual_time", "BM_ImageMagickConvert/iterations:1/manual_time",
        "Pass on one thread per folder against ImageMagick convert"}});
  PrintWriteSpeeds();
  PrintPeakMemory(argv[0]);
  return 0;
}
