#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <thread>

#include "files/FileIO.h"
#include "zqplatform/files.h"
#include "zqtest/HoldingProcess.h"
#include "zqtest/SmallVolume.h"
#include "zqtest/TempDrive.h"

using zqtest::HoldingProcess;
using zqtest::TempDrive;
using namespace zqv::files;

namespace {

// The program's open form: read and write, no sharing, open always, normal plus write-through.
constexpr uint32_t kAccess = 0xC0000000, kShare = 0, kDisp = 4, kFlags = 0x80000080;

TEST(FileIO, PointerMovesAndRecords) {
  TempDrive t('T');
  t.Put("ten.txt", "0123456789");
  FileIO io;
  EXPECT_EQ(io.GetLastOperation(), "Default Constructor");
  EXPECT_EQ(io.CloseFile(), 0);  // nothing open
  ASSERT_EQ(io.OpenFile(t.Win("ten.txt").c_str(), kAccess, kShare, 3, 0), 0);
  char buf[4];
  EXPECT_EQ(io.Read(buf, 4, 2), 4);
  EXPECT_EQ(std::string(buf, 4), "2345");
  EXPECT_EQ(io.GetLastOperation(), "SetFilePointer");
  struct Case {
    int32_t offset;
    std::string next;  // the byte read after the move
  };
  const Case cases[] = {{0, "0"}, {-1, ""}, {7, "7"}, {-2, "8"}, {-100, "9"}};
  for (const Case& c : cases) {
    EXPECT_EQ(io.SetFilePointer(c.offset), 0) << c.offset;
    char b = 0;
    int32_t n = io.Read(&b, 1, -2);
    EXPECT_EQ(std::string(&b, static_cast<std::size_t>(n)), c.next) << c.offset;
  }
  EXPECT_EQ(io.Write("AB", 2, 0), 2);
  EXPECT_EQ(io.Read(buf, -1, 0), kReadFailed);  // a negative count is refused
  EXPECT_EQ(io.GetLastSystemError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(io.CloseFile(), 0);
  EXPECT_EQ(io.Read(buf, 1, 0), kSeekFailed);  // no open file
  EXPECT_EQ(io.GetLastSystemError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(t.Get("ten.txt"), "AB23456789");
}

TEST(FileIO, WholeFileWriteCutsAndAppends) {
  TempDrive t('T');
  t.Put("ten.txt", "0123456789");
  FileIO io;
  EXPECT_EQ(io.WriteToFile(t.Win("ten.txt").c_str(), "abc", 3, 0, kAccess, kShare, kDisp, kFlags), 3);
  EXPECT_EQ(t.Get("ten.txt"), "abc");
  EXPECT_EQ(io.AppendToFile(t.Win("TEN.txt").c_str(), "def", 3, kAccess, kShare, kDisp, kFlags), 3);
  EXPECT_EQ(t.Get("ten.txt"), "abcdef");
  EXPECT_EQ(io.WriteToFile(t.Win("ten.txt").c_str(), "XY", 2, 2, kAccess, kShare, kDisp, kFlags), 2);
  EXPECT_EQ(t.Get("ten.txt"), "abXY");
  EXPECT_EQ(io.GetLastOperation(), "CloseFile");
  EXPECT_EQ(io.GetLastLocalError(), 0);

  // The program's form on a missing file creates it and holds exactly the text.
  EXPECT_EQ(io.WriteToFile(t.Win("Media\\..\\new.txt").c_str(), "hello", 5, 0, kAccess, kShare, kDisp, kFlags), 5);
  EXPECT_EQ(t.Get("new.txt"), "hello");
  char buf[16];
  EXPECT_EQ(io.ReadFile(t.Win("new.txt").c_str(), buf, sizeof buf, 0, kAccess, kShare, kDisp, kFlags), 5);
  EXPECT_EQ(std::string(buf, 5), "hello");
  // Reading a missing file with the same form creates it empty.
  EXPECT_EQ(io.ReadFile(t.Win("folder.txt").c_str(), buf, sizeof buf, 0, kAccess, kShare, kDisp, kFlags), 0);
  EXPECT_TRUE(t.Has("folder.txt"));
  EXPECT_EQ(io.CreateEmptyFile(t.Win("empty.txt").c_str(), kAccess, kShare, 2, 0), 0);
  EXPECT_TRUE(t.Has("empty.txt"));
  EXPECT_EQ(io.CreateFile(t.Win("made.txt").c_str(), kAccess, kShare, 1, 0), 0);
  EXPECT_EQ(io.CreateFile(t.Win("made.txt").c_str(), kAccess, kShare, 1, 0), kCreateFailed);
  EXPECT_EQ(io.GetLastSystemError(), ERROR_FILE_EXISTS);
}

TEST(FileIO, AFileKeptOpenOutlivesWholeFileOperations) {
  TempDrive t('T');
  t.Put("kept.txt", "0123");
  std::string kept = t.Win("kept.txt"), other = t.Win("other.txt");
  FileIO io;
  ASSERT_EQ(io.OpenFile(kept.c_str(), kAccess, kShare, 3, 0), 0);
  char buf[8];
  EXPECT_EQ(io.WriteToFile(other.c_str(), "abc", 3, 0, kAccess, kShare, kDisp, kFlags), 3);
  EXPECT_EQ(io.ReadFile(other.c_str(), buf, sizeof buf, 0, kAccess, kShare, kDisp, kFlags), 3);
  EXPECT_EQ(io.Read(buf, 4, 0), 4);
  EXPECT_EQ(std::string(buf, 4), "0123");
  // A new open ends the earlier file: nothing of it stays open to refuse the unshared opens.
  EXPECT_EQ(io.OpenFile(kept.c_str(), kAccess, kShare, 3, 0), 0);
  EXPECT_EQ(io.CloseFile(), 0);
  FileIO next;
  EXPECT_EQ(next.OpenFile(kept.c_str(), kAccess, kShare, 3, 0), 0);
}

TEST(FileIO, FailuresCarryTheirCodes) {
  TempDrive t('T');
  t.Put("file.txt", "content");
  t.Put("ro.txt", "keep");
  t.Put("dir/inner.txt", "x");
  ASSERT_TRUE(SetFileAttributesA(t.Win("ro.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  FileIO holder;
  ASSERT_EQ(holder.OpenFile(t.Win("file.txt").c_str(), kAccess, kShare, kDisp, kFlags), 0);
  FileIO io;
  char buf[8];
  auto W = [&](const char* rel) { return t.Win(rel); };
  struct Case {
    const char* what;
    std::function<int32_t()> call;
    int32_t result, local;
    uint32_t system;
  };
  const Case cases[] = {
      {"read missing", [&] { return io.ReadFile(W("none.txt").c_str(), buf, 8, 0, kAccess, 0, 3, 0); },
       kOpenFailed, kOpenFailed, ERROR_FILE_NOT_FOUND},
      {"read in missing folder", [&] { return io.ReadFile(W("none\\x.txt").c_str(), buf, 8, 0, kAccess, 0, kDisp, 0); },
       kOpenFailed, kOpenFailed, ERROR_PATH_NOT_FOUND},
      {"read held", [&] { return io.ReadFile(W("file.txt").c_str(), buf, 8, 0, kAccess, 0, kDisp, 0); },
       kOpenFailed, kFileInUse, ERROR_SHARING_VIOLATION},
      {"open held", [&] { return io.OpenFile(W("file.txt").c_str(), 0x80000000, 7, 3, 0); },
       kFileInUse, kFileInUse, ERROR_SHARING_VIOLATION},
      {"write read-only", [&] { return io.WriteToFile(W("ro.txt").c_str(), "x", 1, 0, kAccess, 0, kDisp, kFlags); },
       kOpenFailed, kOpenFailed, ERROR_ACCESS_DENIED},
      {"create empty held", [&] { return io.CreateEmptyFile(W("file.txt").c_str(), kAccess, 0, 2, 0); },
       kFileInUse, kFileInUse, ERROR_SHARING_VIOLATION},
      // Once the open succeeded, the close is the last step: the result alone carries the code.
      {"read after the open", [&] { return io.ReadFile(W("dir\\inner.txt").c_str(), buf, -1, 0, kAccess, 0, kDisp, 0); },
       kReadFailed, 0, 0},
      {"write after the open", [&] { return io.WriteToFile(W("dir\\inner.txt").c_str(), "y", -1, 0, kAccess, 0, kDisp, 0); },
       kWriteFailed, 0, 0},
      {"delete missing", [&] { return io.Delete(W("none.txt").c_str()); }, kDeleteFailed, kDeleteFailed,
       ERROR_FILE_NOT_FOUND},
      {"delete held", [&] { return io.Delete(W("file.txt").c_str()); }, kDeleteFailed, kDeleteFailed,
       ERROR_SHARING_VIOLATION},
      {"copy onto existing", [&] { return io.Copy(W("ro.txt").c_str(), W("dir\\inner.txt").c_str(), 1); },
       kCopyFailed, kCopyFailed, ERROR_FILE_EXISTS},
      {"move onto existing", [&] { return io.Move(W("ro.txt").c_str(), W("dir\\inner.txt").c_str()); },
       kMoveFailed, kMoveFailed, ERROR_ALREADY_EXISTS},
      {"mkdir existing", [&] { return io.CreateDir(W("DIR").c_str()); }, kCreateDirFailed, kCreateDirFailed,
       ERROR_ALREADY_EXISTS},
      {"rmdir not empty", [&] { return io.RemoveDir(W("dir").c_str()); }, kRemoveDirFailed, kRemoveDirFailed,
       ERROR_DIR_NOT_EMPTY},
      {"rmdir missing", [&] { return io.RemoveDir(W("none").c_str()); }, kRemoveDirFailed, kRemoveDirFailed,
       ERROR_FILE_NOT_FOUND},
      {"create in missing folder", [&] { return io.CreateFile(W("none\\x").c_str(), kAccess, 0, 2, 0); },
       kCreateFailed, kCreateFailed, ERROR_PATH_NOT_FOUND},
      {"unknown drive", [&] { return io.CreateDir("Q:\\x"); }, kCreateDirFailed, kCreateDirFailed,
       ERROR_PATH_NOT_FOUND},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.call(), c.result) << c.what;
    EXPECT_EQ(io.GetLastLocalError(), c.local) << c.what;
    EXPECT_EQ(io.GetLastSystemError(), c.system) << c.what;
  }
  EXPECT_EQ(t.Get("ro.txt"), "keep");
  EXPECT_EQ(t.Get("file.txt"), "content");
  EXPECT_EQ(t.Get("dir/inner.txt"), "x");
}

TEST(FileIO, AnotherProcessHoldingTheFileMakesReadFileFail) {
  TempDrive t('T');
  t.Put("held.txt", "x");
  std::string path = t.Win("held.txt");
  FileIO holder;  // opened in the other process only
  HoldingProcess other([&] { return holder.OpenFile(path.c_str(), kAccess, kShare, kDisp, kFlags) == 0; });
  ASSERT_TRUE(other.holding());
  FileIO io;
  char buf[4];
  EXPECT_EQ(io.ReadFile(path.c_str(), buf, 4, 0, kAccess, kShare, kDisp, kFlags), kOpenFailed);
  EXPECT_EQ(io.GetLastLocalError(), kFileInUse);
  EXPECT_EQ(io.GetLastSystemError(), ERROR_SHARING_VIOLATION);
  other.Release();
  EXPECT_EQ(io.ReadFile(path.c_str(), buf, 4, 0, kAccess, kShare, kDisp, kFlags), 1);
}

TEST(FileIO, SizeReadAndClear) {
  TempDrive t('T');
  struct Case {
    const char* what;
    const char* content;  // null: no file
    int32_t bufferSize;
    int32_t result;
    std::string after;
  };
  const Case cases[] = {
      {"fits exactly", "0123456789", 10, 10, ""},
      {"one byte short", "0123456789", 9, kReadArgs, "0123456789"},
      {"missing", nullptr, 10, kSizeFailed, ""},
      {"empty", "", 10, 0, ""},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(t.Posix("f.txt"));
    if (c.content) t.Put("f.txt", c.content);
    FileIO io;
    char buf[16] = {};
    EXPECT_EQ(io.OnSizeReadAndClear(t.Win("f.txt").c_str(), buf, c.bufferSize, kAccess, kShare, 3, 0), c.result)
        << c.what;
    if (c.result > 0) {
      EXPECT_EQ(std::string(buf, static_cast<std::size_t>(c.result)), c.content) << c.what;
    }
    if (c.content) {
      EXPECT_EQ(t.Get("f.txt"), c.after) << c.what;
    }
  }
}

TEST(FileIO, SizeReadAndClearOfAFileBeyondTwoGigabytes) {
  TempDrive t('T');
  t.Put("huge.bin", "");
  std::filesystem::resize_file(t.Posix("huge.bin"), 3ull << 30);  // sparse
  FileIO io;
  char buf[16];
  EXPECT_EQ(io.CheckFileSize(t.Win("huge.bin").c_str()), static_cast<double>(3ull << 30));
  EXPECT_EQ(io.OnSizeReadAndClear(t.Win("huge.bin").c_str(), buf, sizeof buf, kAccess, kShare, 3, 0), kReadArgs);
  EXPECT_EQ(std::filesystem::file_size(t.Posix("huge.bin")), 3ull << 30);
}

TEST(FileIO, CheckFileSizeStripsOneBackslash) {
  TempDrive t('T');
  t.Put("dir/five.txt", "12345");
  FileIO io;
  struct Case {
    std::string path;
    double size;
  };
  const Case cases[] = {
      {t.Win("dir\\five.txt"), 5.0}, {t.Win("dir\\"), 0.0},  {t.Win("dir\\\\"), -61.0},
      {t.Win("none.txt"), -61.0},    {t.Win("DIR\\FIVE.TXT"), 5.0},
  };
  for (const Case& c : cases) EXPECT_EQ(io.CheckFileSize(c.path.c_str()), c.size) << c.path;
  EXPECT_EQ(io.CheckFileSize(nullptr), -61.0);
  EXPECT_EQ(io.GetLastOperation(), "CheckFileSize");
}

TEST(FileIO, HostLockBlocksWholeFileOperations) {
  TempDrive t('T');
  t.Put("f.txt", "abc");
  FileIO io;
  char buf[4];
  std::string p = t.Win("f.txt");
  ASSERT_EQ(io.HostLock(), 1);
  EXPECT_EQ(io.HostLock(), 0);  // held: not obtained within 10 ms
  EXPECT_EQ(io.ReadFile(p.c_str(), buf, 4, 0, kAccess, kShare, kDisp, 0), kLockHeld);
  EXPECT_EQ(io.WriteToFile(p.c_str(), "x", 1, 0, kAccess, kShare, kDisp, 0), kLockHeld);
  EXPECT_EQ(io.SetAutoLock(0), kLockHeld);
  EXPECT_EQ(io.HostUnlock(), 1);
  EXPECT_EQ(io.ReadFile(p.c_str(), buf, 4, 0, kAccess, kShare, kDisp, 0), 3);
  EXPECT_EQ(io.SetAutoLock(0), 0);
  // With auto-lock off the host's hold no longer blocks, and it can still be released.
  ASSERT_EQ(io.HostLock(), 1);
  EXPECT_EQ(io.ReadFile(p.c_str(), buf, 4, 0, kAccess, 7, kDisp, 0), 3);
  EXPECT_EQ(io.HostUnlock(), 1);
  EXPECT_EQ(io.HostLock(), 1);
  EXPECT_EQ(io.HostUnlock(), 1);
}

TEST(FileIO, WithoutAutoLockTwoThreadsRunWholeFileOperations) {
  TempDrive t('T');
  FileIO io;
  ASSERT_EQ(io.SetAutoLock(0), 0);
  auto work = [&](std::string name, int* ok) {
    std::string p = t.Win(name);
    for (int i = 0; i < 200; ++i) {
      std::string text = name + std::to_string(i);
      char buf[32];
      if (io.WriteToFile(p.c_str(), text.data(), static_cast<int32_t>(text.size()), 0, kAccess, 0, kDisp, 0) ==
              static_cast<int32_t>(text.size()) &&
          io.ReadFile(p.c_str(), buf, sizeof buf, 0, kAccess, 0, kDisp, 0) == static_cast<int32_t>(text.size()))
        ++*ok;
    }
  };
  int a = 0, b = 0;
  std::thread ta(work, "a.txt", &a), tb(work, "b.txt", &b);
  ta.join();
  tb.join();
  EXPECT_EQ(a, 200);
  EXPECT_EQ(b, 200);
}

// A small file system of its own, so that a full disk can be tested.
class FullDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!volume_.mounted()) GTEST_SKIP() << "cannot mount a small tmpfs here (needs mount rights)";
    setenv("ZQ_DRIVES", ("F=" + volume_.folder()).c_str(), 1);
    zq::fs::ReloadDriveMap();
  }
  zqtest::SmallVolume volume_;
};

TEST_F(FullDisk, AFailedWriteLeavesTheOldText) {
  FileIO io;
  ASSERT_EQ(io.WriteToFile("F:\\keep.txt", "old text", 8, 0, kAccess, kShare, kDisp, kFlags), 8);
  std::string big(1 << 20, 'x');
  EXPECT_EQ(io.WriteToFile("F:\\keep.txt", big.data(), static_cast<int32_t>(big.size()), 0, kAccess, kShare, kDisp,
                           kFlags),
            kWriteFailed);
  // The close was the last step: the result alone carries the code.
  EXPECT_EQ(io.GetLastOperation(), "CloseFile");
  EXPECT_EQ(io.GetLastLocalError(), 0);
  EXPECT_EQ(io.GetLastSystemError(), 0u);
  char buf[16];
  EXPECT_EQ(io.ReadFile("F:\\keep.txt", buf, sizeof buf, 0, kAccess, kShare, 3, 0), 8);
  EXPECT_EQ(std::string(buf, 8), "old text");
  // A file that the failed write would have created does not stay behind.
  EXPECT_EQ(io.WriteToFile("F:\\new.txt", big.data(), static_cast<int32_t>(big.size()), 0, kAccess, kShare, kDisp,
                           kFlags),
            kWriteFailed);
  EXPECT_EQ(io.CheckFileSize("F:\\new.txt"), -61.0);
}

}  // namespace
