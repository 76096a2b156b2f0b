// Every command acts on exactly the file its row stands for: names that differ only by a blank
// before the dot or at the end, and folders that differ by a final blank. Names a Windows path
// cannot hold as they stand are not listed, so no command is offered on them.
#include "ExplorerFixture.h"
#include "zqtest/FileBytes.h"

namespace {

using orvid::test::WaitFor;
namespace fs = std::filesystem;
using Tree = std::map<std::string, std::string>;

class ExactNamesTest : public ExplorerFixture {
 protected:
  void SetUp() override {
    ExplorerFixture::SetUp();
    MakePicture("Odd/trail.png", 100, 50);
    MakePicture("Odd/trail .png", 120, 60);
    MakePicture("Odd/blank.png", 140, 70);
    fs::rename(OnDisk("Odd/blank.png"), OnDisk("Odd/trail.png "));
    MakePicture("Odd/Film/inside.jpg", 40, 30);
    MakePicture("Odd/Film /other.jpg", 50, 30);
    std::ofstream(OnDisk("Odd/dune_folder.txt "), std::ios::binary) << "icon_path = x.aai\r\n";
    fs::create_directories(OnDisk("Target"));
    WriteSettings("T:\\Odd\\", "T:\\Target\\");
  }

  void PressOn(uint32_t row, const std::string& key) { ExplorerFixture::PressOn(ew::LeftPanel, row, key); }

  // Every file of the two panels' folders, by its path below the disk (the rest of the disk
  // holds sparse files of gigabytes).
  Tree Panels() const {
    Tree tree;
    for (const char* folder : {"Odd", "Target"})
      for (const auto& [name, sum] : Files(OnDisk(folder))) tree[std::string(folder) + "/" + name] = sum;
    return tree;
  }

  // A tree but the names a command may change.
  Tree Without(Tree tree, const std::vector<std::string>& names) const {
    for (const std::string& name : names) tree.erase(name);
    return tree;
  }
};

TEST_F(ExactNamesTest, APanelListsOnlyTheNamesItsPathsReachAsTheyStandAndSaysWhichItLeftOut) {
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    EXPECT_EQ(Names(Left().Entries()), (std::vector<std::string>{"..", "Film", "trail.png", "trail .png"}));
    ASSERT_EQ(watcher_.Notices().size(), 1u);
    const std::string notice = watcher_.Notices()[0];
    for (const char* name : {"\"trail.png \"", "\"Film \"", "\"dune_folder.txt \""})
      EXPECT_NE(notice.find(name), std::string::npos) << name << " in " << notice;
    // The folder file that is not listed cannot be opened: F3 shows nothing.
    PressOn(RowNamed(Left().Entries(), "trail .png"), "F3");
    EXPECT_TRUE(NoDialog());
  });
}

TEST_F(ExactNamesTest, EachCommandOnARowActsOnExactlyItsFileAndNothingElse) {
  struct Case {
    std::string key;
    std::string made;  // the one name the command changes, inside the disk
    std::function<void()> check;
  };
  const fs::path odd = OnDisk("Odd");
  const std::string blank = zqtest::FileBytes(odd / "trail .png");
  const std::vector<Case> cases = {
      {"F5", "Target/folder.png", [&] { EXPECT_EQ(zqtest::FileBytes(OnDisk("Target/folder.png")), blank); }},
      {"F7", "Target/folder.aai", [&] { EXPECT_EQ(AaiSize(OnDisk("Target/folder.aai")), std::make_pair(120, 60)); }},
      {"F6", "Target/trail .aai", [&] { EXPECT_EQ(AaiSize(OnDisk("Target/trail .aai")), std::make_pair(120, 60)); }},
      {"Del", "Odd/trail .png", [&] { EXPECT_FALSE(fs::exists(odd / "trail .png")); }},
  };
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    for (const Case& c : cases) {
      SCOPED_TRACE(c.key);
      const Tree before = Panels();
      PressOn(RowNamed(Left().Entries(), "trail .png"), c.key);
      const Tree after = Panels();
      EXPECT_EQ(Without(after, {c.made}), Without(before, {c.made}));
      c.check();
      EXPECT_TRUE(Errors().empty());
    }
    EXPECT_EQ(RowNamed(Left().Entries(), "trail .png"), 0u);
    EXPECT_NE(RowNamed(Left().Entries(), "trail.png"), 0u);
  });
}

TEST_F(ExactNamesTest, EnterOpensExactlyTheFolderOfTheRow) {
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    const Tree before = Panels();
    PressOn(RowNamed(Left().Entries(), "Film"), "Enter");
    EXPECT_EQ(LPPATH.Get(), "T:\\Odd\\Film\\");
    EXPECT_EQ(Names(Left().Entries()), (std::vector<std::string>{"..", "inside.jpg"}));
    // Del on its picture reaches that picture alone.
    PressOn(RowNamed(Left().Entries(), "inside.jpg"), "Del");
    EXPECT_EQ(Panels(), Without(before, {"Odd/Film/inside.jpg"}));
    EXPECT_TRUE(fs::exists(OnDisk("Odd/Film /other.jpg")));
    EXPECT_TRUE(Errors().empty());
  });
}

}  // namespace
