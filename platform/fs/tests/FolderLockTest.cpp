// The folder lock between holders: refused while held, free once its holder is gone, however
// it went, and the folder named by any path.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "zqplatform/files.h"
#include "zqplatform/folderlock.h"
#include "zqtest/DriveMap.h"
#include "zqtest/HoldingProcess.h"
#include "zqtest/ScratchFolder.h"
#include "zqtest/TreeContents.h"

namespace {

namespace fs = std::filesystem;
using zq::fs::FolderLock;

class FolderLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(scratch_ / "Root/Films");
    std::ofstream(scratch_ / "Root/Films/Alien.mkv") << "film";
  }
  std::string Posix() const { return (scratch_ / "Root").string(); }
  // A process that takes the lock on Root and holds it until it is released or killed.
  zqtest::HoldingProcess HolderInAnotherProcess() const {
    return zqtest::HoldingProcess([this] {
      static std::unique_ptr<FolderLock> held;
      held = FolderLock::Take(Posix().c_str());
      return held != nullptr;
    });
  }

  zqtest::ScratchFolder scratch_{"folder-lock"};
  zqtest::DriveMap drives_{"T=" + scratch_.path().string()};
};

TEST_F(FolderLockTest, AnotherProcessIsRefusedWhileTheHolderLivesByAnyPathAndTakesItOnceItEnds) {
  zqtest::HoldingProcess holder = HolderInAnotherProcess();
  ASSERT_TRUE(holder.holding());
  for (const char* path : {"T:\\Root", "t:\\root\\", "T:\\Root\\Films\\.."}) {
    SCOPED_TRACE(path);
    SetLastError(0);
    EXPECT_EQ(FolderLock::Take(path), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_LOCK_VIOLATION);
  }
  EXPECT_NE(FolderLock::Take("T:\\Root\\Films"), nullptr) << "a folder below is a folder of its own";
  holder.Release();
  EXPECT_NE(FolderLock::Take("T:\\Root"), nullptr);
}

TEST_F(FolderLockTest, AHolderKilledOutrightLeavesNoLockBehind) {
  zqtest::HoldingProcess holder = HolderInAnotherProcess();
  ASSERT_TRUE(holder.holding());
  EXPECT_EQ(FolderLock::Take("T:\\Root"), nullptr);
  ASSERT_TRUE(holder.Kill());
  EXPECT_NE(FolderLock::Take("T:\\Root"), nullptr);
}

TEST_F(FolderLockTest, EveryTakeInOneProcessIsAHolderOfItsOwnUntilItsObjectGoes) {
  std::unique_ptr<FolderLock> first = FolderLock::Take("T:\\Root");
  ASSERT_NE(first, nullptr);
  SetLastError(0);
  EXPECT_EQ(FolderLock::Take(Posix().c_str()), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_LOCK_VIOLATION);
  first.reset();
  EXPECT_NE(FolderLock::Take(Posix().c_str()), nullptr);
}

TEST_F(FolderLockTest, TheLockedFolderKeepsItsTreeAsItWasAndStaysOpenToWriters) {
  const auto before = zqtest::Contents(scratch_.path());
  {
    const std::unique_ptr<FolderLock> held = FolderLock::Take("T:\\Root");
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(zqtest::Contents(scratch_.path()), before);
    std::ofstream(scratch_ / "Root/Films/dune_folder.txt") << "icon_path = folder.aai\r\n";
    EXPECT_TRUE(fs::exists(scratch_ / "Root/Films/dune_folder.txt"));
    fs::remove(scratch_ / "Root/Films/dune_folder.txt");
  }
  EXPECT_EQ(zqtest::Contents(scratch_.path()), before);
}

TEST_F(FolderLockTest, APathThatNamesNoFolderIsRefusedWithItsReason) {
  struct Case {
    const char* path;
    DWORD error;
  };
  const Case cases[] = {
      {"T:\\Root\\Films\\Alien.mkv", ERROR_DIRECTORY},
      {"T:\\Root\\Gone", ERROR_FILE_NOT_FOUND},
      {"T:\\Root\\Gone\\Deeper", ERROR_PATH_NOT_FOUND},
      {"T:\\Root\\Films\\Alien.mkv\\Below", ERROR_PATH_NOT_FOUND},
      {nullptr, ERROR_PATH_NOT_FOUND},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path ? c.path : "null");
    SetLastError(0);
    EXPECT_EQ(FolderLock::Take(c.path), nullptr);
    EXPECT_EQ(GetLastError(), c.error);
  }
}

}  // namespace
