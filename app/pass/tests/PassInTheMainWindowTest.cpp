// The pass started from the main window over a disk of films with large pictures: the window
// keeps answering and redrawing its progress while the pass converts, and Stop ends the pass
// once the folder in hand is done, with nothing written for the folders after it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <optional>
#include <set>
#include <string>

#include "DialogAnswers.h"
#include "app/MainWindow.h"
#include "app/State.h"
#include "orvid/controlnumbers.h"
#include "zqplatform/files.h"
#include "zqplatform/uiinput.h"
#include "zqplatform/uimodel.h"
#include "zqtest/DriveMap.h"
#include "zqtest/FileBytes.h"
#include "zqtest/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;
namespace mw = orvid::res::MainWindow;
using namespace std::chrono_literals;
using orvid::test::ControlOf;
using orvid::test::DialogWatcher;
using orvid::test::WaitFor;

constexpr int kFilms = 240;

fs::path Film(const fs::path& root, int n) { return root / ("Film " + std::to_string(n)); }

class PassInTheMainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    RESETSTATE();
    UPDATESTATUS(-1, "");
    // Films of a cover of 1000 x 1500 and a background of 1920 x 1080 each, drawn once.
    const fs::path pictures = disk_ / "pictures", root = disk_ / "root";
    fs::create_directories(pictures);
    const std::string draw = "convert -size 1000x1500 plasma:fractal -seed 1 '" + (pictures / "cover.jpg").string() +
                             "' && convert -size 1920x1080 plasma:fractal -seed 2 '" +
                             (pictures / "fanart.jpg").string() + "'";
    ASSERT_EQ(std::system(draw.c_str()), 0);
    for (int n = 0; n < kFilms; ++n) {
      fs::create_directories(Film(root, n));
      std::ofstream(Film(root, n) / "Film.mkv") << "film";
      fs::create_hard_link(pictures / "cover.jpg", Film(root, n) / "folder.jpg");
      fs::create_hard_link(pictures / "fanart.jpg", Film(root, n) / "fanart.jpg");
    }
    root_ = root;
    drives_.emplace("T=" + root.string());
    // The program folder's files with that root, as the main window's home.
    for (const char* name : {"Script.dat", "VExtensions.dat", "AExtensions.dat", "Orvid.HLP", "DuneC.jpg"})
      fs::copy_file(fs::path(ORVID_PROGRAM_FOLDER) / name, home_ / name);
    std::string ini = zqtest::FileBytes(fs::path(ORVID_PROGRAM_FOLDER) / "Orvid.INI");
    ini.replace(ini.find("Root=\"\""), 7, "Root=\"T:\\\"");
    std::ofstream(home_ / "Orvid.INI", std::ios::binary) << ini;
    before_ = fs::current_path();
    fs::current_path(home_.path());
  }
  void TearDown() override {
    if (main_.valid()) {
      ABORTALL = 1;
      main_.wait_for(30s);
    }
    fs::current_path(before_);
    drives_.reset();
  }

  void Start() {
    main_ = std::async(std::launch::async, [] { orvid::_main(); });
    window_ = orvid::test::WaitForWindow("Orvid 0.1 - Media Disk Maker");
    ASSERT_NE(window_, 0u);
    ASSERT_TRUE(WaitFor([] { return MWHANDLE != 0; }));
    SendMessage(window_, WM_NULL, 0, 0);
  }
  zq::ui::WindowState State(int32_t n) const {
    return zq::ui::Snapshot(ControlOf(window_, n)).value_or(zq::ui::WindowState{});
  }
  bool Click(int32_t n) const { return zq::ui::input::Click(ControlOf(window_, n)); }
  bool Idle() const {
    if (T1RUNNING || T2RUNNING) return false;
    for (int32_t n = mw::JobRangeFirst; n <= mw::JobRangeLast; ++n)
      if (ControlOf(window_, n) != 0 && !State(n).enabled) return false;
    return true;
  }
  int FilmsDone() const {
    int done = 0;
    for (int n = 0; n < kFilms; ++n) done += fs::exists(Film(root_, n) / "dune_folder.txt") ? 1 : 0;
    return done;
  }

  zqtest::ScratchFolder disk_{"orvid-films"};
  zqtest::ScratchFolder home_{"orvid-home"};
  fs::path root_, before_;
  std::optional<zqtest::DriveMap> drives_;
  std::future<void> main_;
  HWND window_ = 0;
};

TEST_F(PassInTheMainWindow, RedrawsWhileThePassConvertsAndStopEndsItAfterTheFolderInHand) {
  DialogWatcher watcher;
  Start();
  ASSERT_TRUE(Click(mw::ScanButton));
  ASSERT_TRUE(WaitFor([&] { return QDIR.Records() > kFilms && Idle(); }));

  ASSERT_TRUE(Click(mw::StartButton));
  std::set<int32_t> progress;  // the values the progress bar showed
  ASSERT_TRUE(WaitFor([&] {
    SendMessage(window_, WM_NULL, 0, 0);  // the window's loop answers
    progress.insert(State(mw::Progress).value);
    return progress.size() >= 3 && FilmsDone() >= 3;
  }));
  EXPECT_EQ(State(mw::StartButton).text, "Stop");
  EXPECT_TRUE(State(mw::StatusLine).text.starts_with("Converting T:\\Film ") ||
              State(mw::StatusLine).text == "Creating Movie Scripts (And Covert Images).");

  ASSERT_TRUE(Click(mw::StartButton));
  ASSERT_TRUE(WaitFor([] { return T2ABORT == 1; }));
  const int doneAtStop = FilmsDone();
  ASSERT_TRUE(WaitFor([&] { return Idle(); }));
  const int done = FilmsDone();
  EXPECT_LE(done, doneAtStop + 1);
  EXPECT_LT(done, kFilms);
  EXPECT_EQ(State(mw::StatusLine).text, "Ready.");
  EXPECT_EQ(State(mw::StartButton).text, "Start");
  // A film is done whole or not touched.
  for (int n = 0; n < kFilms; ++n) {
    const bool written = fs::exists(Film(root_, n) / "dune_folder.txt");
    EXPECT_EQ(fs::exists(Film(root_, n) / "folder.aai"), written) << n;
    EXPECT_EQ(fs::exists(Film(root_, n) / "fanart.aai"), written) << n;
  }
  EXPECT_FALSE(fs::exists(root_ / "_CatVideo"));
  EXPECT_EQ(watcher.Errors(), std::vector<std::string>{});

  ASSERT_TRUE(WaitFor([&] { return zq::ui::input::Click(ControlOf(window_, mw::OkButton)); }));
  ASSERT_EQ(main_.wait_for(30s), std::future_status::ready);
}

}  // namespace
