// Listing a folder into a panel without the window: entry types by the rules' order, the
// order of the entries, empty and missing folders, the path history and the drive field.
#include "ExplorerFixture.h"

namespace {

namespace fs = std::filesystem;

class PanelsTest : public ExplorerFixture {
 protected:
  void SetUp() override {
    ExplorerFixture::SetUp();
    ST.Change([&](SETTINGSGROUP& st) { st.ACR.NAME = "folder"; });
    for (const char* ext : {"MKV", "AVI", "ABCDEFGHIJ"}) {
      VEXTENSIONS.Buffer().Clear();
      VEXTF.EXT.Set(VEXTENSIONS.Buffer(), ext);
      VEXTENSIONS.Add();
    }
    AEXTENSIONS.Buffer().Clear();
    AEXTF.EXT.Set(AEXTENSIONS.Buffer(), "MP3");
    AEXTENSIONS.Add();
  }

  // The panels without the window.
  ExplorerPanel& Left() { return explorer_.Left(); }
  ExplorerPanel& Right() { return explorer_.Right(); }

  Explorer explorer_;
};

struct TypeCase {
  std::string file;
  uint8_t type;
  int32_t icon;
};

TEST_F(PanelsTest, EachFileGetsTheFirstTypeWhoseRuleMatches) {
  const std::vector<TypeCase> cases = {
      {"DUNE_FOLDER.TXT", kFtFolderFile, 3}, {"FOLDER.AAI", kFtFolderIcon, 5}, {"other.aai", kFtPicture, 4},
      {"cover.JPG", kFtPicture, 4},          {"film.mkv", kFtVideo, 6},        {"clip.Avi", kFtVideo, 6},
      {"song.mp3", kFtAudio, 8},             {"notes.nfo", kFtOther, 2},       {"README", kFtOther, 2},
      {"x.abcdefghij", kFtVideo, 6},         {"x.abcdefghijk", kFtOther, 2},   {"folder.jpg.mkv", kFtVideo, 6},
  };
  fs::create_directories(OnDisk("Types"));
  for (const TypeCase& c : cases) std::ofstream(OnDisk("Types/" + c.file)) << "x";
  GETPDIR(Left().Entries(), "T:\\Types");
  for (const TypeCase& c : cases) {
    const auto dot = c.file.rfind('.');
    const std::string name = dot == std::string::npos ? c.file : c.file.substr(0, dot);
    const std::string ext = dot == std::string::npos ? "" : c.file.substr(dot + 1);
    const uint32_t row = RowOf(Left().Entries(), name, ext);
    ASSERT_NE(row, 0u) << c.file;
    EXPECT_EQ(QPANELF.FT(*Left().Entries().Peek(row)), c.type) << c.file;
    EXPECT_EQ(QPANELF.ICON(*Left().Entries().Peek(row)), c.icon) << c.file;
    EXPECT_EQ(QPANELF.FS(*Left().Entries().Peek(row)), "1") << c.file;
    EXPECT_EQ(QPANELF.C1(*Left().Entries().Peek(row)), -1) << c.file;
  }
}

TEST_F(PanelsTest, ParentFirstThenFoldersThenFilesEachByNameCaseBlind) {
  for (const char* folder : {"beta", "Alpha", "gamma"}) fs::create_directories(OnDisk("Order/") / folder);
  for (const char* file : {"b.txt", "A.txt", "c.jpg"}) std::ofstream(OnDisk("Order/") / file) << "x";
  GETPDIR(Right().Entries(), "T:\\Order\\");
  EXPECT_EQ(Names(Right().Entries()),
            (std::vector<std::string>{"..", "Alpha", "beta", "gamma", "A.txt", "b.txt", "c.jpg"}));
  // The extension takes no part in the order.
  const zq::rt::Record a = *Right().Entries().Peek(5);
  zq::rt::Record b = a;
  QPANELF.EXT.Set(b, "zzz");
  EXPECT_EQ(DIRSORT(a, b), 0);
}

TEST_F(PanelsTest, NamesAWindowsPathCannotHoldAreLeftOut) {
  // Such a name would make the path layer reach another file ("..\\..\\x" leads outside).
  for (const char* folder : {"..\\..\\Escape", "Alien.", "kept"}) fs::create_directories(OnDisk("Odd/") / folder);
  for (const char* file : {"a:b.jpg", "what?.jpg", "fine.jpg"}) std::ofstream(OnDisk("Odd/") / file) << "x";
  GETPDIR(Right().Entries(), "T:\\Odd\\");
  EXPECT_EQ(Names(Right().Entries()), (std::vector<std::string>{"..", "kept", "fine.jpg"}));
}

TEST_F(PanelsTest, AnEmptyOrMissingFolderShowsTheParentEntryAlone) {
  fs::create_directories(OnDisk("Empty"));
  for (const char* folder : {"T:\\Empty\\", "T:\\Missing\\"}) {
    Left().FILLPANEL(folder);
    EXPECT_EQ(Names(Left().Entries()), std::vector<std::string>{".."}) << folder;
    EXPECT_EQ(QPANELF.FT(*Left().Entries().Peek(1)), kFtParent);
    EXPECT_EQ(LPPATH.Get(), folder);
  }
  EXPECT_EQ(Left().Drive(), "T:");
  // A network path blanks the drive field.
  Left().FILLPANEL("\\\\nas\\media");
  EXPECT_EQ(Left().Drive(), "");
  EXPECT_EQ(LPPATH.Get(), "\\\\nas\\media\\");
}

TEST_F(PanelsTest, TheHistoryKeepsTheTenNewestFoldersEachOnce) {
  for (int n = 0; n < 11; ++n) Right().FILLPANEL("T:\\F" + std::to_string(n));
  Right().FILLPANEL("T:\\F5\\");
  ASSERT_EQ(Right().History().Records(), 10u);
  EXPECT_EQ(QHISTORYF.PATH(*Right().History().Peek(1)), "T:\\F10\\");
  EXPECT_EQ(QHISTORYF.PATH(*Right().History().Peek(10)), "T:\\F1\\");
  EXPECT_EQ(RPPATH.Get(), "T:\\F5\\");
  EXPECT_EQ(Right().PathText(), "T:\\F5\\");
}

TEST_F(PanelsTest, UpAndDownMoveThePanelAndFindTheFolderLeft) {
  Left().FILLPANEL("T:\\Films\\");
  const uint32_t alien = RowOf(Left().Entries(), "Alien (1979)");
  EXPECT_TRUE(Left().DIRDN(static_cast<int32_t>(alien), explorer_.OLDDIR));
  EXPECT_EQ(explorer_.OLDDIR, "");
  EXPECT_EQ(LPPATH.Get(), "T:\\Films\\Alien (1979)\\");
  EXPECT_FALSE(Left().DIRDN(static_cast<int32_t>(RowOf(Left().Entries(), "Alien", "mkv")), explorer_.OLDDIR));  // a file
  EXPECT_TRUE(Left().DIRDN(1, explorer_.OLDDIR));  // ".."
  EXPECT_EQ(explorer_.OLDDIR, "T:\\Films\\Alien (1979)\\");
  EXPECT_EQ(Left().FINDDIR(explorer_.OLDDIR), static_cast<int32_t>(alien));
  EXPECT_EQ(Left().FINDDIR("T:\\Films\\alien (1979)\\"), 1);  // case-sensitive
  Left().FILLPANEL("T:\\");
  EXPECT_FALSE(Left().DIRUP());
  EXPECT_FALSE(Left().DIRDN(0, explorer_.OLDDIR));
}

TEST_F(PanelsTest, TheDriveListHoldsEveryDriveWithItsIcon) {
  zq::rt::Queue& drives = explorer_.Drives();
  FILLDRIVES(drives);
  ASSERT_GE(drives.Records(), 2u);
  EXPECT_EQ(QDRIVEF.DRV(*drives.Peek(1)), "C:");
  bool t = false;
  for (uint32_t i = 1; i <= drives.Records(); ++i) {
    const int64_t icon = QDRIVEF.DICON(*drives.Peek(i));
    EXPECT_TRUE(icon == 1 || icon == 2);
    t = t || QDRIVEF.DRV(*drives.Peek(i)) == "T:";
  }
  EXPECT_TRUE(t);
}

}  // namespace
