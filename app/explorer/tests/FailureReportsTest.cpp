// A command that fails says which path failed and why, beside its code, and changes nothing:
// a copy onto a read-only target, onto a folder standing in the target's place, into a folder
// that is gone and onto a full disk; a deletion of a read-only picture; a new folder whose
// name is taken.
#include "ExplorerFixture.h"
#include "zqplatform/errortext.h"
#include "zqtest/SmallVolume.h"

namespace {

using orvid::test::WaitFor;
namespace fs = std::filesystem;
namespace fw = orvid::res::FolderNameDialog;

class FailureReportsTest : public ExplorerFixture {
 protected:
  // The one error dialog the step showed.
  orvid::test::ErrorSeen OneError() {
    EXPECT_TRUE(WaitFor([&] { return watcher_.Seen().size() == 1; }));
    const std::vector<orvid::test::ErrorSeen> seen = watcher_.Seen();
    watcher_.Clear();
    return seen.empty() ? orvid::test::ErrorSeen{} : seen.front();
  }

  static std::string Reason(DWORD error) { return zq::ErrorReason(error); }
};

TEST_F(FailureReportsTest, AFailedCopyNamesTheTargetAndTheReasonAndKeepsTheOldTarget) {
  struct Case {
    std::string folder;  // the right panel's folder, below the disk
    std::function<void(const fs::path&)> prepare;
    DWORD error;
  };
  const std::vector<Case> cases = {
      {"ReadOnly",
       [](const fs::path& f) {
         std::ofstream(f / "folder.jpg", std::ios::binary) << "old picture";
         fs::permissions(f / "folder.jpg", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
       },
       ERROR_ACCESS_DENIED},
      {"FolderInPlace", [](const fs::path& f) { fs::create_directories(f / "folder.jpg" / "inside"); },
       ERROR_ACCESS_DENIED},
  };
  for (const Case& c : cases) fs::create_directories(OnDisk(c.folder));
  for (const Case& c : cases) c.prepare(OnDisk(c.folder));
  WriteSettings("T:\\Pictures\\", "T:\\Gone\\");
  fs::create_directories(OnDisk("Gone"));
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    // The right panel's folder removed after it was listed.
    fs::remove(OnDisk("Gone"));
    const std::map<std::string, std::string> before = Files(OnDisk("Pictures"));
    PressOn(ew::LeftPanel, RowNamed(Left().Entries(), "sunset.jpg"), "F5");
    orvid::test::ErrorSeen gone = OneError();
    EXPECT_EQ(gone.message, "Error Copying.");
    EXPECT_EQ(gone.details, "T:\\Gone\\folder.jpg - " + Reason(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(Files(OnDisk("Pictures")), before);
    for (const Case& c : cases) {
      SCOPED_TRACE(c.folder);
      SetWindowTextA(Control(ew::RightPath), ("T:\\" + c.folder + "\\").c_str());
      Press(ew::RightPath, "Enter");
      Sync();
      const std::map<std::string, std::string> prepared = Files(OnDisk(c.folder)), pictures = Files(OnDisk("Pictures"));
      PressOn(ew::LeftPanel, RowNamed(Left().Entries(), "sunset.jpg"), "F5");
      const orvid::test::ErrorSeen seen = OneError();
      EXPECT_EQ(seen.message, "Error Copying.");
      EXPECT_EQ(seen.details, "T:\\" + c.folder + "\\folder.jpg - " + Reason(c.error));
      EXPECT_FALSE(seen.code.empty());
      EXPECT_EQ(Files(OnDisk(c.folder)), prepared);
      EXPECT_EQ(Files(OnDisk("Pictures")), pictures);
    }
  });
}

TEST_F(FailureReportsTest, ACopyOntoAFullDiskNamesTheTargetAndLeavesNoPartOfIt) {
  zqtest::SmallVolume volume("64k");
  if (!volume.mounted()) GTEST_SKIP() << "mounting a small volume needs mount rights";
  zqtest::DriveMap full("T=" + Disk().string() + ";F=" + volume.folder());
  std::ofstream(fs::path(volume.folder()) / "folder.jpg", std::ios::binary) << "old picture";
  MakePicture("Pictures/large.bmp", 200, 200);  // 120 KB, more than the volume holds
  WriteSettings("T:\\Pictures\\", "F:\\");
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    const std::map<std::string, std::string> before = Files(volume.folder());
    PressOn(ew::LeftPanel, RowNamed(Left().Entries(), "large.bmp"), "F5");
    const orvid::test::ErrorSeen seen = OneError();
    EXPECT_EQ(seen.message, "Error Copying.");
    EXPECT_EQ(seen.details, "F:\\folder.bmp - " + Reason(ERROR_DISK_FULL));
    EXPECT_EQ(Files(volume.folder()), before);
  });
}

TEST_F(FailureReportsTest, AFailedDeletionOrNewFolderNamesThePathAndTheReason) {
  fs::permissions(OnDisk("Pictures/poster.png"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::create_directories(OnDisk("Pictures/Taken"));
  WriteSettings("T:\\Pictures\\", "T:\\Films\\Alien (1979)\\");
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    const std::map<std::string, std::string> before = Files(OnDisk("Pictures"));
    PressOn(ew::LeftPanel, RowNamed(Left().Entries(), "poster.png"), "Del");
    const orvid::test::ErrorSeen deleted = OneError();
    EXPECT_EQ(deleted.message, "Error Deleting.");
    EXPECT_EQ(deleted.details, "T:\\Pictures\\poster.png - " + Reason(ERROR_ACCESS_DENIED));
    Choose(ew::LeftPanel, 1);
    Press(ew::LeftPanel, "F8");
    HWND dialog = WaitForDialog();
    ASSERT_NE(dialog, 0u);
    SetWindowTextA(orvid::test::ControlOf(dialog, fw::FolderName), "Taken");
    Press(orvid::test::ControlOf(dialog, fw::FolderName), "Enter");
    const orvid::test::ErrorSeen made = OneError();
    EXPECT_EQ(made.message, "Error Creating Folder.");
    EXPECT_EQ(made.details, "T:\\Pictures\\Taken - " + Reason(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(Files(OnDisk("Pictures")), before);
  });
}

}  // namespace
