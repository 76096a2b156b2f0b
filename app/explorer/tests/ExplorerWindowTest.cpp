// The explorer on its own thread beside the main window: opening, both windows answering,
// moving through folders, the path history and drives, the show-a-folder and tray events,
// and closing either window while the other runs.
#include "ExplorerFixture.h"
#include "zqruntime/threads.h"
#include "zqruntime/window.h"

namespace {

using orvid::test::WaitFor;

class ExplorerWindowTest : public ExplorerFixture {};

TEST_F(ExplorerWindowTest, OpensBesideTheMainWindowWithBothPanelsListed) {
  WriteSettings("T:\\Films\\", "T:\\Pictures\\");
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    EXPECT_TRUE(EXPRUNNING);
    EXPECT_NE(EXPTHREAD, 0u);
    EXPECT_EQ(Names(LP)[0], "..");
    EXPECT_NE(RowOf(LP, "Alien (1979)"), 0u);
    EXPECT_EQ(Names(RP), (std::vector<std::string>{"..", "beach.bmp", "folder.aai", "poster.png", "sunset.jpg"}));
    EXPECT_EQ(QPANELF.FT(*RP.Peek(3)), kFtFolderIcon);
    EXPECT_EQ(QPANELF.FT(*RP.Peek(2)), kFtPicture);
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
  EXPECT_EQ(LPPATH, "T:\\Films\\");
}

TEST_F(ExplorerWindowTest, EnterGoesDownBackspaceUpAndTheCursorLandsOnTheFolderLeft) {
  WriteSettings("T:\\Films\\", "T:\\Pictures\\");
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    const uint32_t alien = RowOf(LP, "Alien (1979)");
    Choose(ew::LeftPanel, alien);
    Press(ew::LeftPanel, "Enter");
    Sync();
    EXPECT_EQ(LPPATH, "T:\\Films\\Alien (1979)\\");
    EXPECT_NE(RowOf(LP, "Alien", "mkv"), 0u);
    EXPECT_EQ(QPANELF.FT(*LP.Peek(RowOf(LP, "dune_folder", "txt"))), kFtFolderFile);
    EXPECT_EQ(QPANELF.FT(*LP.Peek(RowOf(LP, "Alien", "mkv"))), kFtVideo);
    EXPECT_EQ(QPANELF.FT(*LP.Peek(RowOf(LP, "Alien", "nfo"))), kFtOther);
    EXPECT_EQ(QPANELF.FS(*LP.Peek(RowOf(LP, "Alien", "mkv"))), "1500");
    Press(ew::LeftPanel, "Backspace");
    Sync();
    EXPECT_EQ(LPPATH, "T:\\Films\\");
    EXPECT_EQ(QPANELF.FN(*LP.Peek(alien)), "Alien (1979)");
    // Enter on ".." goes up too, with the cursor on the folder just left.
    Choose(ew::LeftPanel, 1);
    Press(ew::LeftPanel, "Enter");
    Sync();
    EXPECT_EQ(LPPATH, "T:\\");
    // The history holds each folder once, newest first.
    ASSERT_EQ(LPLIST.Records(), 3u);
    EXPECT_EQ(QHISTORYF.PATH(*LPLIST.Peek(1)), "T:\\");
    EXPECT_EQ(QHISTORYF.PATH(*LPLIST.Peek(2)), "T:\\Films\\Alien (1979)\\");
    EXPECT_EQ(QHISTORYF.PATH(*LPLIST.Peek(3)), "T:\\Films\\");
    // At the drive root Backspace does nothing and no ".." is listed.
    Press(ew::LeftPanel, "Backspace");
    Sync();
    EXPECT_EQ(LPPATH, "T:\\");
    EXPECT_EQ(RowOf(LP, ".."), 0u);
    EXPECT_EQ(CDRVL, "T:");
  });
}

TEST_F(ExplorerWindowTest, TheMainWindowsDoubleClickShowsTheFolderCarriedWithTheEvent) {
  WriteSettings("T:\\Films\\", "T:\\Pictures\\");
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    // What the main window's double click does on its thread: the folder goes with the event.
    SHOWINEXPLORER("T:\\Music\\Abba - Gold");
    EXPECT_TRUE(WaitFor([] { return RPPATH == "T:\\Music\\Abba - Gold\\"; }));
    Sync();
    EXPECT_EQ(QHISTORYF.PATH(*RPLIST.Peek(1)), "T:\\Music\\Abba - Gold\\");
    ASSERT_NE(RowOf(RP, "01 Dancing Queen", "mp3"), 0u);
    EXPECT_EQ(QPANELF.FT(*RP.Peek(RowOf(RP, "01 Dancing Queen", "mp3"))), kFtAudio);
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
  const std::string ini = [&] {
    std::ifstream in(Program() / "Orvid.INI", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }();
  EXPECT_NE(ini.find("RPPath=T:\\Pictures\\"), std::string::npos);
  EXPECT_NE(ini.find("ExplWinPos="), std::string::npos);
}

}  // namespace
