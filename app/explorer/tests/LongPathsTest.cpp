// A panel holds its whole path: a folder deeper than 255 characters stays itself in the path
// field, in the settings and after a restart, never the sibling its first 255 characters name;
// a stored folder that is gone opens at its nearest parent; a path longer than a panel holds
// is refused with a message.
#include "ExplorerFixture.h"

namespace {

using orvid::test::WaitFor;
namespace fs = std::filesystem;

class LongPathsTest : public ExplorerFixture {
 protected:
  void SetUp() override {
    ExplorerFixture::SetUp();
    // T:\L\<200 a>\<49 b><25 c>\ is 281 characters; its first 255 name T:\L\<200 a>\<49 b>.
    const std::string outer(200, 'a'), sibling(49, 'b');
    parent_ = "L/" + outer;
    sibling_ = parent_ + "/" + sibling;
    long_ = sibling_ + std::string(25, 'c');
    MakePicture(sibling_ + "/victim.jpg", 40, 30);
    MakePicture(long_ + "/mine.jpg", 40, 30);
    longWin_ = "T:\\L\\" + outer + "\\" + sibling + std::string(25, 'c') + "\\";
    ASSERT_EQ(longWin_.size(), 281u);
    ASSERT_EQ(longWin_.substr(0, 255), "T:\\L\\" + outer + "\\" + sibling);
  }

  // The explorer opened and closed once, as a user starts the program and closes it.
  void RunOnce(const std::function<void()>& steps) {
    RESETSTATE();
    RunWithMain([&] {
      ASSERT_NE(OpenExplorer(), 0u);
      Sync();
      steps();
      Press(ew::LeftPanel, "F10");
      EXPECT_TRUE(WaitFor([] { return !EXPRUNNING; }));
    });
  }

  std::string Setting(const std::string& key) const {
    std::ifstream ini(Program() / "Orvid.INI", std::ios::binary);
    for (std::string line; std::getline(ini, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.starts_with(key + "=")) return line.substr(key.size() + 1);
    }
    return {};
  }

  std::string parent_, sibling_, long_, longWin_;
};

TEST_F(LongPathsTest, APanelDeeperThan255CharactersStaysThereAcrossARestartAndNeverReachesTheSibling) {
  WriteSettings(longWin_, "T:\\Pictures\\");
  const std::map<std::string, std::string> sibling = Files(OnDisk(sibling_));
  for (int start = 1; start <= 2; ++start) {
    SCOPED_TRACE("start " + std::to_string(start));
    RunOnce([&] {
      EXPECT_EQ(LPPATH.Get(), longWin_);
      EXPECT_EQ(Text(ew::LeftPath), longWin_);
      EXPECT_EQ(Names(Left().Entries()), (std::vector<std::string>{"..", "mine.jpg"}));
      // Enter in the path field keeps the whole path too.
      Press(ew::LeftPath, "Enter");
      Sync();
      EXPECT_EQ(LPPATH.Get(), longWin_);
      EXPECT_EQ(RowNamed(Left().Entries(), "victim.jpg"), 0u);
    });
    EXPECT_EQ(Setting("LPPath"), longWin_);
  }
  // Del on every row of the second start's panel: the sibling keeps every file.
  RunOnce([&] {
    for (uint32_t row = Left().Entries().Records(); row >= 1; --row) {
      Choose(ew::LeftPanel, row);
      Press(ew::LeftPanel, "Del");
      Sync();
    }
    EXPECT_FALSE(fs::exists(OnDisk(long_ + "/mine.jpg")));
  });
  EXPECT_EQ(Files(OnDisk(sibling_)), sibling);
}

TEST_F(LongPathsTest, AStoredFolderThatIsGoneOpensAtItsNearestParentOnDisk) {
  WriteSettings(longWin_, "T:\\Pictures\\Gone\\Deeper\\");
  fs::remove_all(OnDisk(long_));
  RunOnce([&] {
    EXPECT_EQ(LPPATH.Get(), "T:\\L\\" + std::string(200, 'a') + "\\");
    EXPECT_EQ(Names(Left().Entries()), (std::vector<std::string>{"..", std::string(49, 'b')}));
    EXPECT_EQ(RPPATH.Get(), "T:\\Pictures\\");
    EXPECT_TRUE(Errors().empty());
  });
}

TEST_F(LongPathsTest, APathLongerThanAPanelHoldsIsRefusedAndThePanelStays) {
  WriteSettings("T:\\Pictures\\", "T:\\Pictures\\");
  RunOnce([&] {
    const std::string tooLong = "T:\\" + std::string(kLongestPanelPath, 'x') + "\\";
    SetWindowTextA(Control(ew::LeftPath), tooLong.c_str());
    Press(ew::LeftPath, "Enter");
    EXPECT_TRUE(WaitFor([&] { return Errors().size() == 1; }));
    Sync();
    EXPECT_EQ(Errors(), std::vector<std::string>{"The Panel cannot hold a Path this long."});
    EXPECT_EQ(LPPATH.Get(), "T:\\Pictures\\");
    EXPECT_EQ(Text(ew::LeftPath), "T:\\Pictures\\");
    EXPECT_NE(RowNamed(Left().Entries(), "sunset.jpg"), 0u);
  });
}

}  // namespace
