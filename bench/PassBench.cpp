// The processing pass over a generated disk of 1,000 media folders, each with a 1000 x 1500
// JPEG cover and a 1920 x 1080 JPEG background, both converted to AAI with resizing (covers
// fitted to 400 x 600, backgrounds to 1280 x 720), against ImageMagick's `convert` doing the
// same per folder in one process (run in the same bench, over the first 100 folders). Times
// are per folder. The pass without conversions (the folder files only) is timed too.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "RatioReport.h"
#include "app/MainWindow.h"
#include "app/Pass.h"
#include "app/Scan.h"
#include "app/State.h"
#include "zqplatform/files.h"
#include "zqtest/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;
constexpr int kFolders = 1000;
constexpr int kReferenceFolders = 100;

fs::path FilmFolder(const fs::path& root, int n) { return root / ("Film " + std::to_string(n)); }

const zqtest::ScratchFolder& Disk() {
  static const zqtest::ScratchFolder* disk = [] {
    auto* folder = new zqtest::ScratchFolder("orvid-pass-bench");
    const fs::path pictures = folder->path() / "_pictures";
    fs::create_directories(pictures);
    const std::string draw = "convert -size 1000x1500 plasma:fractal -seed 1 -quality 90 '" +
                             (pictures / "cover.jpg").string() +
                             "' && convert -size 1920x1080 plasma:fractal -seed 2 "
                             "-quality 90 '" +
                             (pictures / "background.jpg").string() + "'";
    if (std::system(draw.c_str()) != 0) std::abort();
    for (int n = 0; n < kFolders; ++n) {
      const fs::path film = FilmFolder(folder->path(), n);
      fs::create_directories(film);
      std::ofstream(film / ("Film " + std::to_string(n) + ".mkv")) << "film";
      fs::create_hard_link(pictures / "cover.jpg", film / "folder.jpg");
      fs::create_hard_link(pictures / "background.jpg", film / "background.jpg");
    }
    setenv("ZQ_DRIVES", ("B=" + folder->path().string()).c_str(), 1);
    zq::fs::ReloadDriveMap();
    INIPATH = folder->path().string() + "/";  // the program folder, where the scan lists what it left out
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
      QSCRIPT.Buffer().SetText("ALIGN", "Center");
      QSCRIPT.Buffer().SetText("IVIEW", "Yes");
      QSCRIPT.Add();
    }
    VEXTENSIONS.Buffer().Clear();
    VEXTENSIONS.Buffer().SetText("EXT", "MKV");
    VEXTENSIONS.Add();
    QNOSCAN.Buffer().Clear();
    QNOSCAN.Buffer().SetText("FNAME", "_PICTURES");
    QNOSCAN.Add();
    return folder;
  }();
  return *disk;
}

void Scan() {
  zq::rt::Record group(SharedLayout(T1GROUPTYPE()));
  group.SetText("ROOT", ROOTDIR.Get());
  SCANDIRTH(std::string(group.Bytes()));
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

void BM_PassWithConversions(benchmark::State& state) {
  Disk();
  DOICCONV = AUTOICRESIZE = DOBGCONV = AUTOBGRESIZE = 1;
  DELSCRIPT = UPDSCRIPT = PROCESSV = 1;
  for (auto _ : state) state.SetIterationTime(TimedPass() / kFolders);
  state.counters["folders"] = kFolders;
}
BENCHMARK(BM_PassWithConversions)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

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

}  // namespace

int main(int argc, char** argv) {
  zqbench::RunWithRatios(
      argc, argv,
      {{"BM_PassWithConversions/iterations:1/manual_time", "BM_ImageMagickConvert/iterations:1/manual_time",
        "Pass with conversions per folder against ImageMagick convert"}});
}
