// The main window driven through the window model, as a user would drive it: start-up with and
// without the program folder's files, the two jobs' buttons with the stand-in jobs, the
// closing protocol with jobs and windows still open, the status line from other threads, the
// explorer's keys and the tray icon, and a picture of the window in use.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>

#include "DialogAnswers.h"
#include "WindowLayout.h"
#include "app/Explorer.h"
#include "app/MainWindow.h"
#include "app/State.h"
#include "orvid/controlnumbers.h"
#include "zqplatform/files.h"
#include "zqplatform/folderlock.h"
#include "zqplatform/msgbox.h"
#include "zqplatform/questions.h"
#include "zqplatform/uiinput.h"
#include "zqplatform/uimodel.h"
#include "zqruntime/threads.h"
#include "zqruntime/window.h"
#include "zqtest/DriveMap.h"
#include "zqtest/FileBytes.h"
#include "zqtest/HoldingProcess.h"
#include "zqtest/MediaTree.h"
#include "zqtest/ScratchFolder.h"
#include "zqtest/TreeContents.h"

namespace {

namespace fs = std::filesystem;
namespace mw = orvid::res::MainWindow;
using namespace std::chrono_literals;
using orvid::test::ControlOf;
using orvid::test::DialogWatcher;
using orvid::test::WaitFor;
using Lines = std::vector<std::string>;

constexpr const char* kTitle = "Orvid 0.1 - Media Disk Maker";
constexpr uint32_t kF2 = 0x71, kF3 = 0x72;

// The program folder the build made, whose files a fresh start finds.
fs::path ProgramFolder() { return ORVID_FOLDER; }

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    RESETSTATE();
    JOBTESTHOOK = [this](int32_t) { ++jobs_; };
    UPDATESTATUS(-1, "");
    before_ = fs::current_path();
    fs::current_path(folder_.path());
    // The data files of the program folder: no start-up dialog unless a test removes them.
    for (const char* name : {"Script.dat", "VExtensions.dat", "AExtensions.dat"}) {
      fs::copy_file(ProgramFolder() / name, folder_.path() / name);
    }
  }
  void TearDown() override {
    if (main_.valid()) {
      ABORTALL = 1;
      main_.wait_for(10s);
    }
    JOBTESTHOOK = nullptr;
    fs::current_path(before_);
    drives_.reset();
  }

  // The test's own disk, reached as D:, with one film in "D:\Films".
  void MapDisk() {
    fs::create_directories(disk_ / "Films" / "Alien (1979)");
    std::ofstream(disk_ / "Films" / "Alien (1979)" / "Alien.mkv", std::ios::binary) << std::string(100, 'x');
    drives_.emplace("D=" + disk_.path().string());
  }

  void CopyProgramFolderFiles() {
    for (const char* name : {"Orvid.INI", "Script.dat", "VExtensions.dat", "AExtensions.dat", "Orvid.HLP",
                             "DuneC.jpg", "DuneP.jpg"}) {
      fs::copy_file(ProgramFolder() / name, folder_.path() / name, fs::copy_options::overwrite_existing);
    }
  }
  void WriteIni(const std::string& text) { std::ofstream(folder_.path() / "Orvid.INI") << text; }

  // Starts the program's entry procedure on a thread of its own (the program's main thread).
  void Start() {
    main_ = std::async(std::launch::async, [] { orvid::_main(); });
    window_ = orvid::test::WaitForWindow(kTitle);
    ASSERT_NE(window_, 0u);
    ASSERT_TRUE(WaitFor([] { return MWHANDLE != 0; }));
    SendMessage(window_, WM_NULL, 0, 0);  // its start-up done, the loop runs
  }
  // True when the entry procedure returned within the time.
  bool Ended(std::chrono::seconds within = 10s) { return main_.wait_for(within) == std::future_status::ready; }
  // Clicked once the window takes input again: a dialog the watcher just closed may still hold
  // it disabled.
  void CloseByOk() { ASSERT_TRUE(WaitFor([&] { return zq::ui::input::Click(Control(mw::OkButton)); })); }

  HWND Control(int32_t n) const { return ControlOf(window_, n); }
  zq::ui::WindowState State(int32_t n) const { return zq::ui::Snapshot(Control(n)).value_or(zq::ui::WindowState{}); }
  std::string Text(int32_t n) const { return State(n).text; }
  // The controls of the job range that are enabled.
  std::vector<int32_t> EnabledInJobRange() const {
    std::vector<int32_t> enabled;
    for (int32_t n = mw::JobRangeFirst; n <= mw::JobRangeLast; ++n) {
      if (Control(n) != 0 && State(n).enabled) enabled.push_back(n);
    }
    return enabled;
  }
  bool AllEnabled() const {
    return EnabledInJobRange().size() == static_cast<size_t>(mw::JobRangeLast - mw::JobRangeFirst + 1);
  }
  bool Idle() const { return !T1RUNNING && !T2RUNNING && AllEnabled(); }
  // The jobs started so far have all ended, n of them: what the main window handed them
  // (T1GROUP, T2GROUP) is then safe to read.
  bool EndedJobs(int n) const { return jobs_ == n && Idle(); }

  zqtest::ScratchFolder folder_{"orvid-main"};
  zqtest::ScratchFolder disk_{"orvid-main-disk"};
  std::optional<zqtest::DriveMap> drives_;
  fs::path before_;
  std::future<void> main_;
  std::atomic<int> jobs_{0};  // counted by each job's thread as it starts
  HWND window_ = 0;
};

TEST_F(MainWindow, AFirstStartWithoutFilesReportsTheMissingDataFilesAndSavesThemAtTheClose) {
  for (const char* name : {"Script.dat", "VExtensions.dat", "AExtensions.dat"}) fs::remove(folder_.path() / name);
  DialogWatcher watcher;
  Start();
  ASSERT_TRUE(WaitFor([&] { return watcher.Errors().size() == 3; }));
  SendMessage(window_, WM_NULL, 0, 0);  // back in its own loop
  EXPECT_EQ(watcher.Errors(),
            (Lines{"Error Reading Script.dat", "Error Reading VExtensions.dat", "Error Reading AExtensions.dat"}));
  EXPECT_EQ(INIPATH.back(), '\\');
  EXPECT_TRUE(Text(mw::RootEntry).empty());
  CloseByOk();
  ASSERT_TRUE(Ended());
  for (const char* name : {"Orvid.INI", "Script.dat", "VExtensions.dat", "AExtensions.dat"}) {
    EXPECT_TRUE(fs::exists(folder_.path() / name)) << name;
  }
  EXPECT_NE(zqtest::FileBytes(folder_.path() / "Orvid.INI").find("MainWinPos="), std::string::npos);
}

TEST_F(MainWindow, StartsCleanInTheProgramFolder) {
  CopyProgramFolderFiles();
  DialogWatcher watcher;
  Start();
  EXPECT_EQ(QSCRIPT.Records(), kLayoutRows);
  EXPECT_GT(VEXTENSIONS.Records(), 10u);
  EXPECT_EQ(State(mw::IconConvert).value, 1);
  EXPECT_EQ(State(mw::DeepScan).value, 0);
  EXPECT_EQ(State(mw::Background).imageFile.empty() && !State(mw::Background).picture, false);
  CloseByOk();
  ASSERT_TRUE(Ended());
  EXPECT_EQ(watcher.Errors(), Lines{});
}

TEST_F(MainWindow, AStartFromAProgramFolderAnotherProcessRunsFromSaysSoAndWritesNothing) {
  CopyProgramFolderFiles();
  const std::string folder = folder_.path().string();
  zqtest::HoldingProcess running([&folder] {
    static std::unique_ptr<zq::fs::FolderLock> held;
    held = zq::fs::FolderLock::Take(folder.c_str());
    return held != nullptr;
  });
  ASSERT_TRUE(running.holding());
  const auto before = zqtest::Contents(folder_.path());
  DialogWatcher watcher;
  main_ = std::async(std::launch::async, [] { orvid::_main(); });
  ASSERT_TRUE(Ended());
  EXPECT_EQ(watcher.Errors(), Lines{"Orvid is Already Running from this Folder."});
  EXPECT_EQ(watcher.Seen().at(0).details, zq::fs::ToWindowsPath(folder) + "\\");
  EXPECT_EQ(zqtest::Contents(folder_.path()), before);
  EXPECT_EQ(MWHANDLE, 0u) << "no main window";
  running.Release();
  Start();  // the folder free again
  CloseByOk();
  ASSERT_TRUE(Ended());
}

TEST_F(MainWindow, TheScanButtonDoesNothingUntilARootIsChosen) {
  DialogWatcher watcher;
  Start();
  ASSERT_TRUE(zq::ui::input::Click(Control(mw::ScanButton)));
  SendMessage(window_, WM_NULL, 0, 0);
  EXPECT_EQ(T1GROUPF.ROOT(T1GROUP), "");
  EXPECT_EQ(Text(mw::ScanButton), "Scan Root");
  CloseByOk();
  ASSERT_TRUE(Ended());
}

TEST_F(MainWindow, TheJobsRunTheirStandInsAndTheButtonsComeBack) {
  MapDisk();
  WriteIni("[PROCESS]\nRoot=\"D:\\Films\"\n");
  DialogWatcher watcher;
  Start();
  ASSERT_TRUE(WaitFor([&] { return Text(mw::RootEntry) == "D:\\Films"; }));

  ASSERT_TRUE(zq::ui::input::Click(Control(mw::ScanButton)));
  ASSERT_TRUE(WaitFor([&] { return EndedJobs(1); }));
  EXPECT_EQ(T1GROUPF.ROOT(T1GROUP), "D:\\Films");
  EXPECT_EQ(T1GROUPF.THREADNR(T1GROUP), MWTHREAD);
  EXPECT_EQ(Text(mw::ScanButton), "Scan Root");
  EXPECT_EQ(State(mw::ScanButton).textColour, 0x0000FFu);
  EXPECT_EQ(ROOTDIR.Get(), "D:\\Films");

  ASSERT_TRUE(zq::ui::input::Click(Control(mw::StartButton)));
  ASSERT_TRUE(WaitFor([&] { return EndedJobs(2); }));
  EXPECT_EQ(T2GROUPF.QDIR(T2GROUP), &QDIR);
  EXPECT_EQ(T2GROUPF.THREADNR(T2GROUP), MWTHREAD);
  EXPECT_EQ(Text(mw::StartButton), "Start");
  EXPECT_EQ(State(mw::StartButton).textColour, 0x0000FFu);
  CloseByOk();
  ASSERT_TRUE(Ended());
}

TEST_F(MainWindow, AJobThatAnExceptionEndsStillEndsAndTheProgramCloses) {
  MapDisk();
  WriteIni("[PROCESS]\nRoot=\"D:\\Films\"\n");
  std::atomic<int> thrown{0};
  JOBTESTHOOK = [&](int32_t) {
    ++thrown;
    throw std::runtime_error("a fault inside the job");
  };
  DialogWatcher watcher;
  Start();
  ASSERT_TRUE(WaitFor([&] { return Text(mw::RootEntry) == "D:\\Films"; }));
  int jobs = 0;
  for (int32_t button : {mw::ScanButton, mw::StartButton}) {
    ASSERT_TRUE(zq::ui::input::Click(Control(button)));
    ASSERT_TRUE(WaitFor([&] { return thrown == jobs + 1; })) << button;
    ++jobs;
    ASSERT_TRUE(WaitFor([&] { return Idle(); })) << button;
  }
  CloseByOk();
  ASSERT_TRUE(Ended());
  JOBTESTHOOK = nullptr;
  EXPECT_NE(zqtest::FileBytes(folder_.path() / "Orvid.INI").find("MainWinPos="), std::string::npos);
}

TEST_F(MainWindow, StopAsksTheRunningJobToStopAndItsEndEnablesTheControls) {
  WriteIni("[PROCESS]\nRoot=\"D:\\Films\"\n");
  DialogWatcher watcher;
  Start();
  T1RUNNING = 1;  // a scan that is running
  ASSERT_TRUE(zq::ui::input::Click(Control(mw::ScanButton)));
  ASSERT_TRUE(WaitFor([] { return T1ABORT == 1; }));
  POSTJOBEND(kScanEnded, MWTHREAD);
  ASSERT_TRUE(WaitFor([&] { return Idle(); }));
  T2RUNNING = 1;
  ASSERT_TRUE(zq::ui::input::Click(Control(mw::StartButton)));
  ASSERT_TRUE(WaitFor([] { return T2ABORT == 1; }));
  POSTJOBEND(kPassEnded, MWTHREAD);
  ASSERT_TRUE(WaitFor([&] { return Idle(); }));
  CloseByOk();
  ASSERT_TRUE(Ended());
}

TEST_F(MainWindow, ClosingWaitsDisabledForTheRunningJobThenSavesAndCloses) {
  CopyProgramFolderFiles();
  fs::remove(folder_.path() / "Orvid.INI");
  DialogWatcher watcher;
  Start();
  T2RUNNING = 1;  // a pass that is running
  CloseByOk();
  ASSERT_TRUE(WaitFor([] { return ABORTALL == 1; }));
  EXPECT_FALSE(Ended(2s));
  EXPECT_TRUE(zq::ui::Snapshot(window_)->visible);
  EXPECT_EQ(EnabledInJobRange(), std::vector<int32_t>{});
  EXPECT_FALSE(fs::exists(folder_.path() / "Orvid.INI"));
  POSTJOBEND(kPassEnded, MWTHREAD);
  ASSERT_TRUE(Ended());
  EXPECT_TRUE(fs::exists(folder_.path() / "Orvid.INI"));
}

TEST_F(MainWindow, AJobEndThatNoWindowHandledStillEndsTheWaitOfTheClose) {
  DialogWatcher watcher;
  Start();
  T1RUNNING = 1;
  CloseByOk();
  ASSERT_TRUE(WaitFor([] { return ABORTALL == 1; }));
  T1ENDED = 1;  // the scan ended and its event went to another window
  ASSERT_TRUE(Ended());
}

TEST_F(MainWindow, AJobEndWhileTheMediaListIsOpenReachesTheWindowWhenItCloses) {
  DialogWatcher watcher;
  Start();
  T1RUNNING = 1;
  ASSERT_TRUE(zq::ui::input::KeyPress(window_, kF3));
  ASSERT_TRUE(WaitFor([] { return LWHANDLE != 0; }));
  const HWND mediaList = LWHANDLE;
  POSTJOBEND(kScanEnded, MWTHREAD);
  std::this_thread::sleep_for(200ms);
  EXPECT_EQ(T1RUNNING, 1);  // the media list took the event
  ASSERT_TRUE(zq::ui::input::CloseRequest(mediaList));
  ASSERT_TRUE(WaitFor([] { return T1RUNNING == 0; }));  // once the media list has closed
  EXPECT_TRUE(AllEnabled());
  CloseByOk();
  ASSERT_TRUE(Ended());
}

TEST_F(MainWindow, ClosingWithTheMediaListOpenWhenTheJobEndsStillSavesAndCloses) {
  DialogWatcher watcher;
  Start();
  T1RUNNING = 1;
  CloseByOk();
  ASSERT_TRUE(WaitFor([] { return ABORTALL == 1; }));
  ASSERT_TRUE(zq::ui::input::KeyPress(window_, kF3));  // the alert keys still work
  ASSERT_TRUE(WaitFor([] { return LWHANDLE != 0; }));
  POSTJOBEND(kScanEnded, MWTHREAD);
  ASSERT_TRUE(zq::ui::input::CloseRequest(LWHANDLE));  // the user closes the media list
  ASSERT_TRUE(Ended(15s));
  EXPECT_TRUE(fs::exists(folder_.path() / "Orvid.INI"));
}

TEST_F(MainWindow, TheStatusLineTakesWhatOtherThreadsReport) {
  DialogWatcher watcher;
  Start();
  struct Case {
    int32_t pct;
    std::string msg;
    std::string line;
    int16_t progress;
  };
  const Case cases[] = {
      {40, "Scanning D:\\Films", "Scanning D:\\Films", 40},
      {55, "   ", "Scanning D:\\Films", 55},  // a blank text leaves the line
      {-2, "   ", "   ", -2},                  // -2 sets it even to blanks
      {-1, "anything", "", 0},
      {10, std::string(80, 'x'), std::string(63, 'x'), 10},
  };
  for (const Case& c : cases) {
    std::thread([&] { UPDATESTATUS(c.pct, c.msg); }).join();
    EXPECT_EQ(STATUSNOW().PROCSTAT, c.line) << c.pct;
    EXPECT_EQ(STATUSNOW().SPROGRESS, c.progress) << c.pct;
    // The entry shows its text without trailing blanks.
    std::string shown = c.line.substr(0, c.line.find_last_not_of(' ') + 1);
    EXPECT_TRUE(WaitFor([&] { return Text(mw::StatusLine) == shown; })) << c.pct << " shows " << Text(mw::StatusLine);
  }
  TI.START();
  std::thread([] { UPDATESTATUS(-99, "Converting  "); }).join();
  EXPECT_EQ(STATUSNOW().PROCSTAT, "Converting - Busy: 00:00:00");
  EXPECT_EQ(STATUSNOW().SPROGRESS, 10);
  EXPECT_TRUE(WaitFor([&] { return Text(mw::StatusLine) == "Converting - Busy: 00:00:00"; }));
  CloseByOk();
  ASSERT_TRUE(Ended());
}

TEST(BusyTime, CountsHoursMinutesAndSeconds) {
  // The busy time reads TI's elapsed time: a timer started just now shows no time yet.
  TI.START();
  UPDATESTATUS(-99, "Busy");
  EXPECT_EQ(STATUSNOW().PROCSTAT, "Busy - Busy: 00:00:00");
}

// An explorer of the test's own: records the program events its thread gets until the program
// closes.
struct FakeExplorer {
  static inline std::mutex lock;
  static inline std::vector<int32_t> events;
  static inline std::string shown;
  static void Run(std::string_view) {
    zq::rt::Window w(*zq::rt::ParseWindowDefinition("window \"Explorer\" size 100,40 timer 5\n").window);
    w.Open();
    EXPTHREAD = zq::rt::CurrentThread();
    while (w.Accept() && !ABORTALL) {
      if (w.Event() < zq::rt::kUserEvent) continue;
      std::lock_guard hold(lock);
      events.push_back(w.Event());
      if (w.Event() == kShowInExplorer) shown = TAKESHOWNFOLDER();
    }
    w.Close();
    EXPTHREAD = 0;
    EXPRUNNING = 0;
  }
  static std::vector<int32_t> Events() {
    std::lock_guard hold(lock);
    return events;
  }
  static void Start() {
    events.clear();
    EXPRUNNING = 1;
    zq::rt::StartThread(Run);
    WaitFor([] { return EXPTHREAD != 0; });
  }
};

void AddFolderEntry(const char* name, int32_t icon, int32_t level, bool folder, const char* dir) {
  zq::rt::Record& r = QDIR.Buffer();
  r.Clear();
  QDIRF.NAME.Set(r, name);
  QDIRF.ICON.Set(r, icon);
  QDIRF.LEVEL.Set(r, level);
  QDIRF.ISFOLDER.Set(r, folder ? 1 : 0);
  QDIRF.SCRIPT.Set(r, folder ? 0 : 1);
  QDIRF.DIRNAME.Set(r, dir);
  QDIR.Add();
}

TEST_F(MainWindow, TheTrayIconsDoubleClickAndTheFolderListsReachTheRunningExplorer) {
  AddFolderEntry("Alien", 1, 1, true, "D:\\Films");
  AddFolderEntry("Alien.mkv", 3, 2, false, "D:\\Films\\Alien");
  zq::ui::SetNullTrayAvailable(true);  // the offscreen desktop has no notification area
  DialogWatcher watcher;
  Start();
  FakeExplorer::Start();
  size_t events = 0;
  if (zq::ui::TrayAvailable()) {
    ASSERT_TRUE(zq::ui::input::TrayDoubleClick());
    ASSERT_TRUE(WaitFor([] { return FakeExplorer::Events() == std::vector<int32_t>{kTrayDoubleClick}; }));
    events = 1;
  }

  HWND list = Control(mw::FolderList);
  ASSERT_TRUE(zq::ui::input::ListPress(list, 0, 1));
  ASSERT_TRUE(zq::ui::input::DoubleClick(list));
  ASSERT_TRUE(WaitFor([&] { return FakeExplorer::Events().size() == events + 1; }));
  EXPECT_EQ(FakeExplorer::shown, "D:\\Films\\Alien");
  ASSERT_TRUE(zq::ui::input::ListPress(list, 1, 1));
  ASSERT_TRUE(zq::ui::input::DoubleClick(list));
  ASSERT_TRUE(WaitFor([&] { return FakeExplorer::Events().size() == events + 2; }));
  EXPECT_EQ(FakeExplorer::shown, "D:\\Films\\Alien\\");
  EXPECT_EQ(FakeExplorer::Events().back(), kShowInExplorer);
  CloseByOk();
  ASSERT_TRUE(Ended());  // after the explorer has ended
  EXPECT_EQ(EXPRUNNING, 0);
  zq::ui::SetNullTrayAvailable(false);
}

TEST_F(MainWindow, ASecondF2WhileTheExplorerRunsSaysSo) {
  DialogWatcher watcher;
  Start();
  ASSERT_TRUE(zq::ui::input::KeyPress(window_, kF2));
  ASSERT_TRUE(WaitFor([] { return EXPRUNNING == 1 && EXPTHREAD != 0; }));
  ASSERT_TRUE(zq::ui::input::KeyPress(window_, kF2));
  ASSERT_TRUE(WaitFor([&] { return watcher.Notices().size() == 1; }));
  EXPECT_EQ(watcher.Notices(), Lines{"Orvid Explorer is already Running !"});
  CloseByOk();
  ASSERT_TRUE(Ended());  // the explorer closes with the program
  EXPECT_EQ(EXPRUNNING, 0);
}

TEST_F(MainWindow, F1ShowsTheHelpFile) {
  CopyProgramFolderFiles();
  zq::ui::TakeAsked();
  zq::ui::input::AnswerEvery(zq::ui::Answer::Pressed(IDOK));
  DialogWatcher watcher;
  Start();
  ASSERT_TRUE(zq::ui::input::KeyPress(window_, 0x70));
  std::vector<zq::ui::Asked> asked;
  ASSERT_TRUE(WaitFor([&] {
    for (zq::ui::Asked& a : zq::ui::TakeAsked()) asked.push_back(a);
    return !asked.empty();
  }));
  zq::ui::input::AnswerEvery(std::nullopt);
  EXPECT_EQ(asked.front().question.caption, "Orvid.HLP");
  EXPECT_EQ(asked.front().question.text.rfind("ORVID - HELP", 0), 0u);
  CloseByOk();
  ASSERT_TRUE(Ended());
}

TEST_F(MainWindow, ChoosingAFolderMarksTheLayoutRowOfItsLevel) {
  AddFolderEntry("Films", 1, 1, true, "D:");
  AddFolderEntry("Deep", 1, 2, true, "D:\\Films");
  AddFolderEntry("Deeper", 1, 8, true, "D:\\Films\\a\\b\\c\\d\\e\\f");
  DialogWatcher watcher;
  Start();
  HWND list = Control(mw::FolderList);
  ASSERT_TRUE(zq::ui::input::ListPress(list, 1, 1));
  ASSERT_TRUE(WaitFor([&] { return State(mw::LayoutList).value == 1; }));  // row 2, from 0
  ASSERT_TRUE(zq::ui::input::ListPress(list, 2, 1));
  SendMessage(window_, WM_NULL, 0, 0);
  std::this_thread::sleep_for(200ms);
  EXPECT_EQ(State(mw::LayoutList).value, 1);  // level 8 has no row
  CloseByOk();
  ASSERT_TRUE(Ended());
}

TEST_F(MainWindow, ALargerWindowGrowsTheFolderListAndMovesTheRestWithItsRightAndBottomEdges) {
  DialogWatcher watcher;
  Start();
  RECT before = zq::ui::Snapshot(window_)->rect;
  zq::ui::WindowState list = State(mw::FolderList), layout = State(mw::LayoutList), ok = State(mw::OkButton);
  RECT larger{before.left, before.top, before.right + 200, before.bottom + 100};
  ASSERT_TRUE(zq::ui::input::MovedTo(window_, larger));
  ASSERT_TRUE(WaitFor([&] { return State(mw::OkButton).rect.left != ok.rect.left; }));
  auto width = [](const RECT& r) { return r.right - r.left; };
  auto height = [](const RECT& r) { return r.bottom - r.top; };
  EXPECT_EQ(State(mw::FolderList).rect.left, list.rect.left);
  EXPECT_NEAR(width(State(mw::FolderList).rect), width(list.rect) + 200, 2);
  EXPECT_NEAR(height(State(mw::FolderList).rect), height(list.rect) + 100, 2);
  EXPECT_NEAR(State(mw::LayoutList).rect.left, layout.rect.left + 200, 2);  // keeps its distance to the right
  EXPECT_EQ(State(mw::LayoutList).rect.top, layout.rect.top);
  EXPECT_EQ(width(State(mw::LayoutList).rect), width(layout.rect));
  EXPECT_NEAR(State(mw::OkButton).rect.left, ok.rect.left + 200, 2);  // and to the bottom right
  EXPECT_NEAR(State(mw::OkButton).rect.top, ok.rect.top + 100, 2);
  CloseByOk();
  ASSERT_TRUE(Ended());
  EXPECT_NE(MWPOS.find(","), std::string::npos);
}

// The window grown by the user to 1.5 times its size, then shrunk to its minimum: no control
// lies over another or outside the window either time.
void ExpectControlsApartGrownAndShrunk(HWND window, const std::string& name) {
  ASSERT_TRUE(orvid::test::ReadyToSize(window)) << name;
  orvid::test::Size opened = orvid::test::InnerSize(window);
  ASSERT_TRUE(orvid::test::SizedTo(window, {opened.width * 3 / 2, opened.height * 3 / 2})) << name;
  EXPECT_EQ(orvid::test::Overlaps(window), Lines{}) << name << " grown";
  ASSERT_TRUE(orvid::test::SizedTo(window, {0, 0})) << name;
  EXPECT_EQ(orvid::test::Overlaps(window), Lines{}) << name << " shrunk";
}

// Sized through the model alone: the desktop test sizes the real program's windows on a real
// display and takes their pictures.
TEST_F(MainWindow, EveryResizableWindowGrownAndShrunkKeepsItsControlsApart) {
  if (zq::ui::PresenterName() != "null") GTEST_SKIP() << "the model's sizes alone";
  CopyProgramFolderFiles();
  const std::string busy = "Orvid Explorer is already Running !";
  DialogWatcher watcher([&](const std::string& text) { return text == busy; });
  Start();
  UPDATESTATUS(40, "Scanning D:\\Films");
  ExpectControlsApartGrownAndShrunk(window_, "MainWindow");

  ASSERT_TRUE(zq::ui::input::KeyPress(window_, kF2));
  HWND explorer = orvid::test::WaitForWindow("Explorer - V2.191 - Orvid, the media disk maker");
  ASSERT_NE(explorer, 0u);
  ExpectControlsApartGrownAndShrunk(explorer, "Explorer");

  ASSERT_TRUE(zq::ui::input::KeyPress(window_, kF2));  // the text box saying it runs already
  HWND textBox = orvid::test::WaitForWindow("Message");
  ASSERT_NE(textBox, 0u);
  ExpectControlsApartGrownAndShrunk(textBox, "TextBox");
  ASSERT_TRUE(zq::ui::input::CloseRequest(textBox));

  ASSERT_TRUE(WaitFor([&] { return zq::ui::input::KeyPress(window_, kF3); }));
  ASSERT_TRUE(WaitFor([] { return LWHANDLE != 0 && IsWindowVisible(LWHANDLE); }));
  HWND mediaList = LWHANDLE;
  SendMessage(mediaList, WM_NULL, 0, 0);  // its loop runs
  ExpectControlsApartGrownAndShrunk(mediaList, "MediaList");
  ASSERT_TRUE(zq::ui::input::CloseRequest(mediaList));
  CloseByOk();
  ASSERT_TRUE(Ended());
}

TEST_F(MainWindow, InUseWithAFilledFolderList) {
  if (zq::ui::PresenterName() != "qt") GTEST_SKIP() << "a picture needs the Qt presenter";
  CopyProgramFolderFiles();
  AddFolderEntry("Films", 1, 1, true, "D:");
  AddFolderEntry("Alien (1979)", 1, 2, true, "D:\\Films");
  AddFolderEntry("folder.aai", 5, 3, false, "D:\\Films\\Alien (1979)");
  AddFolderEntry("fanart.jpg", 7, 3, false, "D:\\Films\\Alien (1979)");
  AddFolderEntry("Alien.mkv", 3, 3, false, "D:\\Films\\Alien (1979)");
  AddFolderEntry("Blade Runner", 1, 2, true, "D:\\Films");
  AddFolderEntry("folder.jpg", 2, 3, false, "D:\\Films\\Blade Runner");
  AddFolderEntry("BDMV", 3, 3, true, "D:\\Films\\Blade Runner");
  AddFolderEntry("Metropolis", 1, 2, true, "D:\\Films");
  AddFolderEntry("Missing Icon", 4, 3, false, "D:\\Films\\Metropolis");
  AddFolderEntry("VIDEO_TS", 3, 3, true, "D:\\Films\\Metropolis");
  AddFolderEntry("Music", 1, 1, true, "D:");
  AddFolderEntry("Kind of Blue", 1, 2, true, "D:\\Music");
  AddFolderEntry("folder.aai", 5, 3, false, "D:\\Music\\Kind of Blue");
  AddFolderEntry("01 So What.flac", 6, 3, false, "D:\\Music\\Kind of Blue");
  AddFolderEntry("02 Freddie Freeloader.flac", 6, 3, false, "D:\\Music\\Kind of Blue");
  std::string ini = zqtest::FileBytes(ProgramFolder() / "Orvid.INI");
  ini.replace(ini.find("Root=\"\""), 7, "Root=\"D:\\Films\"");
  WriteIni(ini);
  DialogWatcher watcher;
  Start();
  UPDATESTATUS(35, "Converting D:\\Films\\Blade Runner\\folder.jpg");
  ASSERT_TRUE(zq::ui::input::ListPress(Control(mw::FolderList), 6, 1));
  ASSERT_TRUE(WaitFor([&] { return State(mw::LayoutList).value == 2; }));
  ASSERT_TRUE(WaitFor([&] { return State(mw::Progress).value == 35; }));
  EXPECT_TRUE(orvid::test::Grabbed(window_, "MainWindow-in-use"));
  CloseByOk();
  ASSERT_TRUE(Ended());
}

// The next error dialog as shown, answered with OK through the question seam.
struct ErrorShown {
  std::string message, procedure, details;
  Lines buttons;
};
std::future<ErrorShown> AnswerNextError() {
  return std::async(std::launch::async, [] {
    namespace e = orvid::res::ErrorDialog;
    using orvid::test::TextOf;
    const HWND dialog = orvid::test::WaitForWindow("Error");
    if (dialog == 0) return ErrorShown{};
    ErrorShown shown{TextOf(dialog, e::Message), TextOf(dialog, e::Procedure), TextOf(dialog, e::Details),
                     orvid::test::ShownButtons(dialog)};
    zq::ui::input::AnswerQuestion(zq::ui::Answer::Pressed(e::Ok));
    return shown;
  });
}

bool NoQuestionOpen() { return zq::ui::OpenQuestions().empty(); }

// Scan Root does nothing; Start asks for a scan, as for an entry that names another root.
TEST_F(MainWindow, ABlankRootEntryStartsNoJobAndGetsTheStoredRootBack) {
  MapDisk();
  WriteIni("[PROCESS]\nRoot=\"D:\\Films\"\n");
  AddFolderEntry("Alien", 1, 1, true, "D:\\Films");  // the list of an earlier scan
  Start();
  ASSERT_TRUE(WaitFor([&] { return Text(mw::RootEntry) == "D:\\Films"; }));
  zq::ui::TakeAsked();
  for (const int32_t button : {mw::ScanButton, mw::StartButton}) {
    for (const char* blank : {"", "   "}) {
      SetWindowTextA(Control(mw::RootEntry), blank);
      ASSERT_EQ(Text(mw::RootEntry), blank);
      if (button == mw::StartButton) {
        std::future<ErrorShown> error = AnswerNextError();
        ASSERT_TRUE(zq::ui::input::Click(Control(button)));
        const ErrorShown shown = error.get();
        EXPECT_EQ(shown.message, "Run Scan Root First.") << "'" << blank << "'";
        EXPECT_EQ(shown.procedure, "WriteScript");
        EXPECT_EQ(shown.buttons, Lines{"&OK"});
        ASSERT_TRUE(WaitFor(NoQuestionOpen));
      } else {
        ASSERT_TRUE(zq::ui::input::Click(Control(button)));
      }
      ASSERT_TRUE(WaitFor([&] { return Text(mw::RootEntry) == "D:\\Films"; })) << button << " '" << blank << "'";
      SendMessage(window_, WM_NULL, 0, 0);
      EXPECT_TRUE(Idle());
      EXPECT_EQ(T1GROUP.Text("ROOT"), "");
      EXPECT_EQ(T2GROUP.Reference("QDIR"), nullptr);
      EXPECT_EQ(ROOTDIR.Get(), "D:\\Films");
      EXPECT_EQ(QDIR.Records(), 1u);
      if (button == mw::ScanButton) {
        EXPECT_TRUE(zq::ui::TakeAsked().empty()) << "'" << blank << "'";
      }
    }
  }
  CloseByOk();
  ASSERT_TRUE(Ended());
  EXPECT_NE(zqtest::FileBytes(folder_.path() / "Orvid.INI").find("Root=\"D:\\Films\""), std::string::npos);
}

TEST_F(MainWindow, ScanRootTakesARootTypedOnAFirstStart) {
  MapDisk();
  CopyProgramFolderFiles();  // no root stored
  const auto disk = zqtest::Contents(disk_.path());
  Start();
  ASSERT_EQ(Text(mw::RootEntry), "");
  SetWindowTextA(Control(mw::RootEntry), (disk_ / "Films").string().c_str());  // typed as a POSIX path
  ASSERT_TRUE(zq::ui::input::Click(Control(mw::ScanButton)));
  ASSERT_TRUE(WaitFor([&] { return EndedJobs(1); }));
  EXPECT_EQ(T1GROUP.Text("ROOT"), "D:\\Films");
  EXPECT_EQ(ROOTDIR.Get(), "D:\\Films");
  EXPECT_EQ(Text(mw::RootEntry), "D:\\Films");
  Lines names;
  for (uint32_t i = 1; i <= QDIR.Records(); ++i) names.push_back(QDIR.Peek(i)->Text("NAME"));
  EXPECT_EQ(names, (Lines{"Alien (1979)", "Alien.mkv", "Missing Icon", "Missing Icon"}));
  EXPECT_EQ(STATUSNOW().PROCSTAT, "Ready");
  EXPECT_TRUE(zq::ui::TakeAsked().empty());
  CloseByOk();
  ASSERT_TRUE(Ended());
  EXPECT_NE(zqtest::FileBytes(folder_.path() / "Orvid.INI").find("Root=\"D:\\Films\""), std::string::npos);
  EXPECT_EQ(zqtest::Contents(disk_.path()), disk);
}

TEST_F(MainWindow, ARootThatIsNoFolderIsReportedAndNothingIsScanned) {
  MapDisk();
  WriteIni("[PROCESS]\nRoot=\"D:\\Films\"\n");
  AddFolderEntry("Alien", 1, 1, true, "D:\\Films");
  Start();
  ASSERT_TRUE(WaitFor([&] { return Text(mw::RootEntry) == "D:\\Films"; }));
  const std::string typed[] = {
      "D:\\Nowhere",                         // missing
      (disk_ / "Nowhere").string(),          // missing, typed as a POSIX path
      "D:\\Films\\Alien (1979)\\Alien.mkv",  // a file
      "\\",                                 // no drive
      "Films",                              // relative to the program folder
  };
  for (const std::string& root : typed) {
    SetWindowTextA(Control(mw::RootEntry), root.c_str());
    std::future<ErrorShown> error = AnswerNextError();
    ASSERT_TRUE(WaitFor([&] { return zq::ui::input::Click(Control(mw::ScanButton)); }));
    const ErrorShown shown = error.get();
    EXPECT_EQ(shown.message, "Root Folder not found.") << root;
    EXPECT_EQ(shown.procedure, "ScanRoot") << root;
    EXPECT_EQ(shown.details, root);
    EXPECT_EQ(shown.buttons, Lines{"&OK"}) << root;
    ASSERT_TRUE(WaitFor(NoQuestionOpen));
    SendMessage(window_, WM_NULL, 0, 0);
    EXPECT_TRUE(Idle()) << root;
    EXPECT_EQ(T1GROUP.Text("ROOT"), "") << root;
    EXPECT_EQ(ROOTDIR.Get(), "D:\\Films") << root;
    EXPECT_EQ(QDIR.Records(), 1u) << root;
    EXPECT_EQ(Text(mw::RootEntry), root);
  }
  CloseByOk();
  ASSERT_TRUE(Ended());
  EXPECT_NE(zqtest::FileBytes(folder_.path() / "Orvid.INI").find("Root=\"D:\\Films\""), std::string::npos);
}

// Every entry below root, folders as well as files, with the files' bytes.
std::map<std::string, std::string> WholeTree(const fs::path& root) {
  std::map<std::string, std::string> tree = zqtest::Contents(root);
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it)
    if (it->is_directory() && !it->is_symlink()) tree[fs::relative(it->path(), root).string()] = "folder";
  return tree;
}

// "D:\disk " and "D:\disk." beside "D:\disk": the file layer cannot address them as they stand,
// so both buttons refuse a root that holds them, stored or typed, and no tree changes.
TEST_F(MainWindow, ARootWhoseNameIsNotHeldExactlyIsRefusedAndNoTreeChanges) {
  using zqtest::media_tree_detail::Put;
  for (const char* name : {"disk", "disk ", "disk."}) Put(disk_ / name / "Films" / "Alien (1979)" / "Alien.mkv", 100);
  Put(disk_ / "disk" / "_CatVideo" / "(All)" / "Gone" / "dune_folder.txt", 20);
  drives_.emplace("D=" + disk_.path().string());
  CopyProgramFolderFiles();
  std::string ini = zqtest::FileBytes(folder_ / "Orvid.INI");
  const size_t stored = ini.find("Root=\"\"");
  ASSERT_NE(stored, std::string::npos);
  ini.replace(stored, 7, "Root=\"D:\\disk \"");
  WriteIni(ini);
  const auto tree = WholeTree(disk_.path());
  Start();
  ASSERT_TRUE(WaitFor([&] { return Text(mw::RootEntry) == "D:\\disk"; })) << Text(mw::RootEntry);  // its blank unseen
  ASSERT_EQ(ROOTDIR.Get(), "D:\\disk ");

  const struct {
    std::string typed, why;
  } cases[] = {
      {"", "\"disk \" ends in a blank"},  // nothing typed: the stored root as the entry shows it
      {"D:\\disk \\", "\"disk \" ends in a blank"},
      {"D:\\disk \\Films", "\"disk \" ends in a blank"},
      {(disk_ / "disk " / "Films").string(), "\"disk \" ends in a blank"},  // typed as a POSIX path
      {"D:\\disk.", "\"disk.\" ends in a dot"},
      {"D:\\disk.\\Films\\", "\"disk.\" ends in a dot"},
  };
  for (const auto& c : cases) {
    if (!c.typed.empty()) SetWindowTextA(Control(mw::RootEntry), c.typed.c_str());
    for (const auto& [button, procedure] : {std::pair{mw::ScanButton, "ScanRoot"}, {mw::StartButton, "WriteScript"}}) {
      std::future<ErrorShown> error = AnswerNextError();
      ASSERT_TRUE(WaitFor([&] { return zq::ui::input::Click(Control(button)); }));
      const ErrorShown shown = error.get();
      EXPECT_EQ(shown.message, "Root Folder Name cannot be addressed as it stands.") << c.typed;
      EXPECT_EQ(shown.procedure, procedure) << c.typed;
      EXPECT_EQ(shown.details, c.why) << c.typed;
      ASSERT_TRUE(WaitFor(NoQuestionOpen));
      SendMessage(window_, WM_NULL, 0, 0);
      EXPECT_TRUE(Idle()) << c.typed;
    }
    EXPECT_EQ(T1GROUP.Text("ROOT"), "") << c.typed;
    EXPECT_EQ(T2GROUP.Reference("QDIR"), nullptr) << c.typed;
    EXPECT_EQ(QDIR.Records(), 0u) << c.typed;
  }
  CloseByOk();
  ASSERT_TRUE(Ended());
  EXPECT_EQ(WholeTree(disk_.path()), tree);
  EXPECT_EQ(jobs_, 0);
}

TEST_F(MainWindow, StartChangesNoRootAndAsksForAScanOfAnotherTypedOne) {
  MapDisk();
  fs::create_directories(disk_ / "Other");
  WriteIni("[PROCESS]\nRoot=\"D:\\Films\"\n");
  Start();
  ASSERT_TRUE(WaitFor([&] { return Text(mw::RootEntry) == "D:\\Films"; }));
  ASSERT_TRUE(zq::ui::input::Click(Control(mw::ScanButton)));
  ASSERT_TRUE(WaitFor([&] { return EndedJobs(1); }));
  EXPECT_EQ(T1GROUP.Text("ROOT"), "D:\\Films");
  const uint32_t records = QDIR.Records();
  ASSERT_EQ(records, 4u);

  SetWindowTextA(Control(mw::RootEntry), "D:\\Other");
  std::future<ErrorShown> error = AnswerNextError();
  ASSERT_TRUE(zq::ui::input::Click(Control(mw::StartButton)));
  const ErrorShown shown = error.get();
  EXPECT_EQ(shown.message, "Run Scan Root First.");
  EXPECT_EQ(shown.details, "D:\\Other");
  EXPECT_EQ(shown.buttons, Lines{"&OK"});
  ASSERT_TRUE(WaitFor(NoQuestionOpen));
  SendMessage(window_, WM_NULL, 0, 0);
  EXPECT_TRUE(Idle());
  EXPECT_EQ(T2GROUP.Reference("QDIR"), nullptr);  // no pass
  EXPECT_EQ(ROOTDIR.Get(), "D:\\Films");
  EXPECT_EQ(QDIR.Records(), records);
  CloseByOk();
  ASSERT_TRUE(Ended());
  EXPECT_NE(zqtest::FileBytes(folder_.path() / "Orvid.INI").find("Root=\"D:\\Films\""), std::string::npos);
}

}  // namespace
