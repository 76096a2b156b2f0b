// The explorer on its own thread beside the main window: opening, both windows answering,
// moving through folders, the path history and drives, the show-a-folder and tray events,
// and closing either window while the other runs.
#include "ExplorerFixture.h"
#include "app/LazyMode.h"
#include "app/Scan.h"
#include "hostlib/Procedures.h"
#include "zqruntime/threads.h"
#include "zqruntime/window.h"
#include "zqtest/FileBytes.h"

namespace {

using orvid::test::WaitFor;

class ExplorerWindowTest : public ExplorerFixture {
 protected:
  // The drive a drive field shows: a read-only combo shows its chosen row only.
  std::string ShownDrive(int32_t field) const {
    auto s = zq::ui::Snapshot(Control(field));
    if (!s || s->value < 0 || static_cast<size_t>(s->value) >= s->rows.size()) return "";
    return s->rows[static_cast<size_t>(s->value)].cells.at(0);
  }

  // The drive's row in the drive fields' list (0-based), as the user picks it.
  static int32_t DriveRow(const std::string& drive) {
    for (uint32_t i = 1; i <= Ex().Drives().Records(); ++i)
      if (QDRIVEF.DRV(*Ex().Drives().Peek(i)) == drive) return static_cast<int32_t>(i) - 1;
    return -1;
  }

  // A path typed into a path field and taken with Enter.
  void Type(int32_t field, const std::string& path) {
    SetWindowTextA(Control(field), path.c_str());
    Press(field, "Enter");
  }
};

TEST_F(ExplorerWindowTest, OpensBesideTheMainWindowWithBothPanelsListed) {
  WriteSettings("T:\\Films\\", "T:\\Pictures\\");
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    EXPECT_TRUE(EXPRUNNING);
    EXPECT_NE(EXPTHREAD, 0u);
    EXPECT_EQ(Names(Left().Entries())[0], "..");
    EXPECT_NE(RowOf(Left().Entries(), "Alien (1979)"), 0u);
    EXPECT_EQ(Names(Right().Entries()),
              (std::vector<std::string>{"..", "beach.bmp", "folder.aai", "poster.png", "sunset.jpg"}));
    EXPECT_EQ(QPANELF.FT(*Right().Entries().Peek(3)), kFtFolderIcon);
    EXPECT_EQ(QPANELF.FT(*Right().Entries().Peek(2)), kFtPicture);
    EXPECT_EQ(Text(ew::LeftPath), "T:\\Films\\");
    EXPECT_EQ(Text(ew::RightPath), "T:\\Pictures\\");
    EXPECT_EQ(Text(ew::ModeButton), "F4 - Icon");
    // The main window still answers: a second F2 there is refused with its notice.
    Press(main_, "F2");
    EXPECT_TRUE(WaitFor([&] {
      for (const std::string& n : watcher_.Notices())
        if (n.find("Orvid Explorer is already Running !") != std::string::npos) return true;
      return false;
    }));
    Press(ew::LeftPanel, "F10");
    EXPECT_TRUE(WaitFor([] { return !EXPRUNNING; }));
    EXPECT_EQ(EXPTHREAD, 0u);
  });
  EXPECT_EQ(LPPATH.Get(), "T:\\Films\\");
}

TEST_F(ExplorerWindowTest, EnterGoesDownBackspaceUpAndTheCursorLandsOnTheFolderLeft) {
  WriteSettings("T:\\Films\\", "T:\\Pictures\\");
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    const uint32_t alien = RowOf(Left().Entries(), "Alien (1979)");
    Choose(ew::LeftPanel, alien);
    Press(ew::LeftPanel, "Enter");
    Sync();
    EXPECT_EQ(LPPATH.Get(), "T:\\Films\\Alien (1979)\\");
    EXPECT_NE(RowOf(Left().Entries(), "Alien", "mkv"), 0u);
    EXPECT_EQ(QPANELF.FT(*Left().Entries().Peek(RowOf(Left().Entries(), "dune_folder", "txt"))), kFtFolderFile);
    EXPECT_EQ(QPANELF.FT(*Left().Entries().Peek(RowOf(Left().Entries(), "Alien", "mkv"))), kFtVideo);
    EXPECT_EQ(QPANELF.FT(*Left().Entries().Peek(RowOf(Left().Entries(), "Alien", "nfo"))), kFtOther);
    EXPECT_EQ(QPANELF.FS(*Left().Entries().Peek(RowOf(Left().Entries(), "Alien", "mkv"))), "1500");
    Press(ew::LeftPanel, "Backspace");
    Sync();
    EXPECT_EQ(LPPATH.Get(), "T:\\Films\\");
    EXPECT_EQ(QPANELF.FN(*Left().Entries().Peek(alien)), "Alien (1979)");
    // Enter on ".." goes up too, with the cursor on the folder just left.
    Choose(ew::LeftPanel, 1);
    Press(ew::LeftPanel, "Enter");
    Sync();
    EXPECT_EQ(LPPATH.Get(), "T:\\");
    // The history holds each folder once, newest first.
    ASSERT_EQ(Left().History().Records(), 3u);
    EXPECT_EQ(QHISTORYF.PATH(*Left().History().Peek(1)), "T:\\");
    EXPECT_EQ(QHISTORYF.PATH(*Left().History().Peek(2)), "T:\\Films\\Alien (1979)\\");
    EXPECT_EQ(QHISTORYF.PATH(*Left().History().Peek(3)), "T:\\Films\\");
    // At the drive root Backspace does nothing and no ".." is listed.
    Press(ew::LeftPanel, "Backspace");
    Sync();
    EXPECT_EQ(LPPATH.Get(), "T:\\");
    EXPECT_EQ(RowOf(Left().Entries(), ".."), 0u);
    EXPECT_EQ(Left().Drive(), "T:");
  });
}

TEST_F(ExplorerWindowTest, EachDriveFieldShowsItsPanelsDriveWhereverThePanelMoves) {
  std::filesystem::create_directories(scratch_ / "other" / "Covers");
  setenv("ZQ_DRIVES", ("T=" + Disk().string() + ";U=" + (scratch_ / "other").string()).c_str(), 1);
  zq::fs::ReloadDriveMap();
  WriteSettings("T:\\Films\\", "T:\\Pictures\\");
  RunWithMain([&] {
    ST.Change([&](SETTINGSGROUP& st) { st.ACR.NAME = "folder"; });
    SCANDIR(QDIR, "T:\\", 0);
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    EXPECT_EQ(ShownDrive(ew::LeftDrive), "T:");
    EXPECT_EQ(ShownDrive(ew::RightDrive), "T:");
    // Picked by the user.
    ASSERT_GE(DriveRow("U:"), 0);
    zq::ui::input::Choose(Control(ew::LeftDrive), DriveRow("U:"));
    EXPECT_TRUE(WaitFor([] { return LPPATH.Get() == "U:\\"; }));
    Sync();
    EXPECT_EQ(ShownDrive(ew::LeftDrive), "U:");
    // Another drive by the path field, by its history, and lazy mode on the right.
    Type(ew::LeftPath, "T:\\Music\\");
    EXPECT_TRUE(WaitFor([] { return LPPATH.Get() == "T:\\Music\\"; }));
    Sync();
    EXPECT_EQ(ShownDrive(ew::LeftDrive), "T:");
    Type(ew::LeftPath, "u:\\Covers");
    EXPECT_TRUE(WaitFor([] { return LPPATH.Get() == "u:\\Covers\\"; }));
    Sync();
    EXPECT_EQ(ShownDrive(ew::LeftDrive), "U:");
    zq::ui::input::Choose(Control(ew::LeftPath), 1);  // the history's second entry, "T:\Music\"
    EXPECT_TRUE(WaitFor([] { return LPPATH.Get() == "T:\\Music\\"; }));
    Sync();
    EXPECT_EQ(ShownDrive(ew::LeftDrive), "T:");
    zq::ui::input::Choose(Control(ew::RightDrive), DriveRow("U:"));
    EXPECT_TRUE(WaitFor([] { return RPPATH.Get() == "U:\\"; }));
    Sync();
    EXPECT_EQ(ShownDrive(ew::RightDrive), "U:");
    zq::ui::input::AnswerQuestion(zq::ui::Answer::Pressed(orvid::res::LazyModeOptions::OkButton));
    zq::ui::input::Click(Control(ew::LazyButton));
    EXPECT_TRUE(WaitFor([] { return Ex().LAZYMODE == 1; }));
    Sync();
    EXPECT_EQ(RPPATH.Get().substr(0, 3), "T:\\");
    EXPECT_EQ(ShownDrive(ew::RightDrive), "T:");
  });
}

TEST_F(ExplorerWindowTest, TheMainWindowsDoubleClickShowsTheFolderCarriedWithTheEvent) {
  WriteSettings("T:\\Films\\", "T:\\Pictures\\");
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    // What the main window's double click does on its thread: the folder goes with the event.
    SHOWINEXPLORER("T:\\Music\\Abba - Gold");
    EXPECT_TRUE(WaitFor([] { return RPPATH.Get() == "T:\\Music\\Abba - Gold\\"; }));
    Sync();
    EXPECT_EQ(QHISTORYF.PATH(*Right().History().Peek(1)), "T:\\Music\\Abba - Gold\\");
    ASSERT_NE(RowOf(Right().Entries(), "01 Dancing Queen", "mp3"), 0u);
    EXPECT_EQ(QPANELF.FT(*Right().Entries().Peek(RowOf(Right().Entries(), "01 Dancing Queen", "mp3"))), kFtAudio);
    // The tray's double click forwarded by the main window: the explorer shows or hides with it.
    zq::rt::Post(kTrayDoubleClick, 0, EXPTHREAD);
    Sync();
    EXPECT_TRUE(zq::ui::Snapshot(explorer_)->visible);
  });
}

TEST_F(ExplorerWindowTest, ClosingTheMainWindowClosesTheExplorerFirst) {
  WriteSettings("T:\\Films\\", "T:\\Pictures\\");
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    Choose(ew::RightPanel, 2);
  });
  EXPECT_FALSE(EXPRUNNING);
  EXPECT_EQ(EXPTHREAD, 0u);
  EXPECT_TRUE(ABORTALL);
  const std::string ini = zqtest::FileBytes(Program() / "Orvid.INI");
  EXPECT_NE(ini.find("RPPath=T:\\Pictures\\"), std::string::npos);
  EXPECT_NE(ini.find("ExplWinPos="), std::string::npos);
}

}  // namespace
