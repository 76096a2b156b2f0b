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
    EXPECT_EQ(Names(LEFTPANEL.entries)[0], "..");
    EXPECT_NE(RowOf(LEFTPANEL.entries, "Alien (1979)"), 0u);
    EXPECT_EQ(Names(RIGHTPANEL.entries),
              (std::vector<std::string>{"..", "beach.bmp", "folder.aai", "poster.png", "sunset.jpg"}));
    EXPECT_EQ(RIGHTPANEL.entries.Peek(3)->Whole("FT"), kFtFolderIcon);
    EXPECT_EQ(RIGHTPANEL.entries.Peek(2)->Whole("FT"), kFtPicture);
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
    const uint32_t alien = RowOf(LEFTPANEL.entries, "Alien (1979)");
    Choose(ew::LeftPanel, alien);
    Press(ew::LeftPanel, "Enter");
    Sync();
    EXPECT_EQ(LPPATH, "T:\\Films\\Alien (1979)\\");
    EXPECT_NE(RowOf(LEFTPANEL.entries, "Alien", "mkv"), 0u);
    EXPECT_EQ(LEFTPANEL.entries.Peek(RowOf(LEFTPANEL.entries, "dune_folder", "txt"))->Whole("FT"), kFtFolderFile);
    EXPECT_EQ(LEFTPANEL.entries.Peek(RowOf(LEFTPANEL.entries, "Alien", "mkv"))->Whole("FT"), kFtVideo);
    EXPECT_EQ(LEFTPANEL.entries.Peek(RowOf(LEFTPANEL.entries, "Alien", "nfo"))->Whole("FT"), kFtOther);
    EXPECT_EQ(LEFTPANEL.entries.Peek(RowOf(LEFTPANEL.entries, "Alien", "mkv"))->Text("FS"), "1500");
    Press(ew::LeftPanel, "Backspace");
    Sync();
    EXPECT_EQ(LPPATH, "T:\\Films\\");
    EXPECT_EQ(LEFTPANEL.entries.Peek(alien)->Text("FN"), "Alien (1979)");
    // Enter on ".." goes up too, with the cursor on the folder just left.
    Choose(ew::LeftPanel, 1);
    Press(ew::LeftPanel, "Enter");
    Sync();
    EXPECT_EQ(LPPATH, "T:\\");
    // The history holds each folder once, newest first.
    ASSERT_EQ(LEFTPANEL.history.Records(), 3u);
    EXPECT_EQ(LEFTPANEL.history.Peek(1)->Text("PATH"), "T:\\");
    EXPECT_EQ(LEFTPANEL.history.Peek(2)->Text("PATH"), "T:\\Films\\Alien (1979)\\");
    EXPECT_EQ(LEFTPANEL.history.Peek(3)->Text("PATH"), "T:\\Films\\");
    // At the drive root Backspace does nothing and no ".." is listed.
    Press(ew::LeftPanel, "Backspace");
    Sync();
    EXPECT_EQ(LPPATH, "T:\\");
    EXPECT_EQ(RowOf(LEFTPANEL.entries, ".."), 0u);
    EXPECT_EQ(LEFTPANEL.drive, "T:");
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
    EXPECT_EQ(RIGHTPANEL.history.Peek(1)->Text("PATH"), "T:\\Music\\Abba - Gold\\");
    ASSERT_NE(RowOf(RIGHTPANEL.entries, "01 Dancing Queen", "mp3"), 0u);
    EXPECT_EQ(RIGHTPANEL.entries.Peek(RowOf(RIGHTPANEL.entries, "01 Dancing Queen", "mp3"))->Whole("FT"), kFtAudio);
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
