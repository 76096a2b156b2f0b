// Both panels on one folder: after a command changes it, the other panel lists it again, so no
// row stands for a file that is gone or misses one that was made.
#include "ExplorerFixture.h"

namespace {

using orvid::test::WaitFor;
namespace fs = std::filesystem;
namespace fw = orvid::res::FolderNameDialog;

class SameFolderTest : public ExplorerFixture {
 protected:
  void NewFolder(int32_t list, const std::string& name) {
    Choose(list, 1);
    Press(list, "F8");
    HWND dialog = WaitForDialog();
    ASSERT_NE(dialog, 0u);
    HWND entry = orvid::test::ControlOf(dialog, fw::FolderName);
    SetWindowTextA(entry, name.c_str());
    Press(entry, "Enter");
    EXPECT_TRUE(WaitFor(NoDialog));
    Sync();
  }
};

TEST_F(SameFolderTest, TheOtherPanelOnTheSameFolderListsItAgainAfterEachChange) {
  // The same folder in another spelling on the right.
  WriteSettings("T:\\Pictures\\", "t:\\PICTURES\\");
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    EXPECT_EQ(Names(Right().Entries()), Names(Left().Entries()));
    PressOn(ew::LeftPanel, RowNamed(Left().Entries(), "poster.png"), "Del");
    EXPECT_FALSE(fs::exists(OnDisk("Pictures/poster.png")));
    EXPECT_EQ(RowNamed(Right().Entries(), "poster.png"), 0u);
    NewFolder(ew::RightPanel, "Made");
    EXPECT_TRUE(fs::is_directory(OnDisk("Pictures/Made")));
    EXPECT_NE(RowNamed(Left().Entries(), "Made"), 0u);
    // F6 converts into the other panel's folder, which the source panel shows as well.
    PressOn(ew::LeftPanel, RowNamed(Left().Entries(), "beach.bmp"), "F6");
    EXPECT_EQ(AaiSize(OnDisk("Pictures/beach.aai")), std::make_pair(200, 100));
    EXPECT_NE(RowNamed(Left().Entries(), "beach.aai"), 0u);
    EXPECT_EQ(Names(Right().Entries()), Names(Left().Entries()));
    EXPECT_TRUE(Errors().empty());
  });
}

}  // namespace
