// "Scan Root" in the main window fills the folder list from the fixture media tree, with the
// root typed as a POSIX path taking its drive-letter form.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>

#include "DialogAnswers.h"
#include "app/MainWindow.h"
#include "app/State.h"
#include "orvid/controlnumbers.h"
#include "zqplatform/files.h"
#include "zqplatform/uiinput.h"
#include "zqplatform/uimodel.h"
#include "zqtest/DriveMap.h"
#include "zqtest/FileBytes.h"
#include "zqtest/MediaTree.h"
#include "zqtest/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;
namespace mw = orvid::res::MainWindow;
using namespace std::chrono_literals;
using orvid::test::ControlOf;
using orvid::test::DialogWatcher;
using orvid::test::WaitFor;

TEST(ScanRoot, FillsTheFolderListFromATreeTypedAsAPosixPath) {
  const char* programFolder = std::getenv("ORVID_FOLDER");
  ASSERT_TRUE(programFolder);
  zqtest::ScratchFolder home("orvid-scan-home"), media("orvid-scan-media");
  zqtest::BuildMediaTree(media.path());
  const zqtest::DriveMap drives("T=" + media.path().string());
  for (const char* name : {"Script.dat", "VExtensions.dat", "AExtensions.dat", "Orvid.HLP", "DuneC.jpg", "DuneP.jpg"})
    fs::copy_file(fs::path(programFolder) / name, home / name);
  std::string ini = zqtest::FileBytes(fs::path(programFolder) / "Orvid.INI");
  const size_t root = ini.find("Root=\"\"");
  ASSERT_NE(root, std::string::npos);
  ini.replace(root, 7, "Root=\"" + media.path().string() + "\"");
  std::ofstream(home / "Orvid.INI") << ini;
  struct BackHome {
    fs::path before = fs::current_path();
    ~BackHome() { fs::current_path(before); }
  } backHome;
  fs::current_path(home.path());
  RESETSTATE();

  DialogWatcher watcher;
  std::future<void> main = std::async(std::launch::async, [] { orvid::_main(); });
  // Whatever fails below, the program is asked to close, so the test ends.
  struct CloseAtEnd {
    std::future<void>& main;
    ~CloseAtEnd() {
      ABORTALL = 1;
      main.wait_for(20s);
    }
  } closeAtEnd{main};
  const HWND window = orvid::test::WaitForWindow("Orvid 0.1 - Media Disk Maker");
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(WaitFor([] { return MWHANDLE != 0; }));
  auto state = [&](int32_t n) { return zq::ui::Snapshot(ControlOf(window, n)).value_or(zq::ui::WindowState{}); };
  ASSERT_TRUE(WaitFor([&] { return state(mw::RootEntry).text == media.path().string(); }))
      << state(mw::RootEntry).text;

  ASSERT_TRUE(zq::ui::input::Click(ControlOf(window, mw::ScanButton)));
  ASSERT_TRUE(WaitFor([] { return T1GROUPF.ROOT(T1GROUP) == "T:\\"; }));
  ASSERT_TRUE(WaitFor([&] { return T1RUNNING == 0 && state(mw::ScanButton).text == "Scan Root"; }));
  EXPECT_EQ(ROOTDIR.Get(), "T:\\");
  ASSERT_TRUE(WaitFor([&] { return state(mw::FolderList).rows.size() == QDIR.Records(); }));
  const zq::ui::WindowState list = state(mw::FolderList);
  ASSERT_GT(QDIR.Records(), 60u);
  for (uint32_t i = 1; i <= QDIR.Records(); ++i) {
    const zq::rt::Record r = *QDIR.Peek(i);
    const zq::ui::Row& row = list.rows[i - 1];
    ASSERT_EQ(row.cells.size(), 2u);
    EXPECT_EQ(row.cells[0], std::to_string(QDIRF.LEVEL(r))) << i;
    EXPECT_EQ(row.cells[1], QDIRF.NAME(r)) << i;
    EXPECT_EQ(row.icon, QDIRF.ICON(r)) << i;
  }
  EXPECT_EQ(list.rows[0].cells[1], "Deep");
  EXPECT_EQ(state(mw::RootEntry).text, "T:\\");
  EXPECT_EQ(state(mw::ScanButton).text, "Scan Root");
  EXPECT_EQ(state(mw::StatusLine).text, "Ready - 7 entries left out, see ScanLeftOut.txt");
  EXPECT_EQ(zqtest::FileBytes(home / "ScanLeftOut.txt").rfind("7 entries left out of the scan of T:\\\r\n", 0), 0u);
  EXPECT_TRUE(watcher.Errors().empty());

  if (const std::string png = orvid::test::Grab(window, "MainWindow-after-scan"); !png.empty())
    std::printf("picture: %s\n", png.c_str());

  ASSERT_TRUE(zq::ui::input::Click(ControlOf(window, mw::OkButton)));
  EXPECT_EQ(main.wait_for(20s), std::future_status::ready);
}

}  // namespace
