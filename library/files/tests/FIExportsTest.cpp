#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "files/FileCodes.h"
#include "zqplatform/files.h"
#include "zqtest/HostCalls.h"
#include "zqtest/TempDrive.h"
#include "zqvantor/files.h"

using zqtest::TempDrive;
using namespace zqv::files;

namespace {

using zqtest::Len;

constexpr uint32_t kAccess = 0xC0000000, kShare = 0, kDisp = 4, kFlags = 0x80000080;

struct FileHandle {
  int32_t h = FICreate();
  ~FileHandle() { FIDestroy(h); }
};

TEST(FIExports, HandlesFollowTheRegistry) {
  int32_t a = FICreate();
  int32_t b = FICreate();
  ASSERT_GT(a, 0);
  EXPECT_EQ(b, a + 1);
  EXPECT_EQ(FIDestroy(a), 0);
  EXPECT_EQ(FIDestroy(a), -3);
  EXPECT_EQ(FICreate(), a);  // the lowest free handle again
  EXPECT_EQ(FIDestroy(a), 0);
  EXPECT_EQ(FIDestroy(b), 0);
  EXPECT_EQ(FIDestroy(0), 0);
  struct Case {
    int32_t h;
    int32_t code;
  };
  const Case cases[] = {{0, -2}, {-1, -2}, {65536, -2}, {65535, -3}};
  for (const Case& c : cases) {
    EXPECT_EQ(FICloseFile(c.h), c.code) << c.h;
    EXPECT_EQ(FIGetLastLocalError(c.h), c.code) << c.h;
    EXPECT_EQ(FIMemDataLen(c.h), c.code) << c.h;
    EXPECT_EQ(FICheckFileSize(c.h, 3, "C:\\"), static_cast<double>(c.code)) << c.h;
    EXPECT_EQ(FILock(c.h), kNoFileObject) << c.h;
    EXPECT_EQ(FIUnlock(c.h), kNoFileObject) << c.h;
    int32_t code = 1;
    EXPECT_EQ(FIMemGetPointer(c.h, &code), nullptr);
    EXPECT_EQ(code, c.code) << c.h;
  }
  EXPECT_EQ(FIDestroy(-5), -2);
}

TEST(FIExports, ArgumentsAreCheckedBeforeTheHandle) {
  char buf[8];
  struct Case {
    const char* what;
    int32_t result, expected;
  };
  const Case cases[] = {
      {"delete null path", FIDeleteFile(9999, 5, nullptr), kNoPath},
      {"delete length 0", FIDeleteFile(9999, 0, "x.txt"), kNoPath},
      {"delete negative length", FIDeleteFile(9999, -3, "x.txt"), kNoPath},
      {"copy second path", FICopyFile(9999, 1, "a", 0, "b", 0), kNoPath},
      {"read no buffer", FIRead(9999, 8, nullptr, 0, 0), kReadArgs},
      {"read buffer length 0", FIRead(9999, 0, buf, 0, 0), kReadArgs},
      {"read count above buffer", FIRead(9999, 8, buf, 9, 0), kReadArgs},
      {"read negative count", FIRead(9999, 8, buf, -1, 0), kReadArgs},
      {"write count above buffer", FIWrite(9999, 8, buf, 0, 9), kWriteArgs},
      {"read file path first", FIReadFile(9999, 0, "x", 0, nullptr, 0, 0, kAccess, 0, kDisp, 0), kNoPath},
      {"read file buffer", FIReadFile(9999, 1, "x", 0, buf, 0, 0, kAccess, 0, kDisp, 0), kReadArgs},
      {"write file buffer", FIWriteFile(9999, 1, "x", 8, buf, 9, 0, kAccess, 0, kDisp, 0), kWriteArgs},
      {"append buffer", FIAppendFile(9999, 1, "x", 8, nullptr, 0, kAccess, 0, kDisp, 0), kWriteArgs},
      {"size read no buffer", FIOnSizeReadAndClear(9999, 1, "x", 0, buf, 0, kAccess, 0, kDisp, 0), kReadArgs},
      {"view name", FIMemCreateView(9999, 0, "n", 10, 4), kNoPath},
      {"view size", FIMemCreateView(9999, 1, "n", 0, 4), kBadViewSize},
      {"open view size", FIMemOpenView(9999, 1, "n", -5), kBadViewSize},
      {"pipe read buffer", FIMemReadPipe(9999, 0, buf, -1), kReadArgs},
      {"pipe write count", FIMemWritePipe(9999, 8, buf, 9), kWriteArgs},
      {"bad handle after good arguments", FIDeleteFile(9999, 1, "x"), -3},
  };
  for (const Case& c : cases) EXPECT_EQ(c.result, c.expected) << c.what;
  EXPECT_EQ(FICheckFileSize(9999, 0, nullptr), -62.0);
}

TEST(FIExports, FilesThroughDriveLetters) {
  TempDrive t('D');
  t.Put("Media/five.txt", "12345");
  FileHandle f;
  std::string five = t.Win("Media\\five.txt");
  EXPECT_EQ(FICheckFileSize(f.h, Len(five), five.c_str()), 5.0);
  std::string missing = t.Win("Media\\none.txt");
  EXPECT_EQ(FICheckFileSize(f.h, Len(missing), missing.c_str()), -61.0);

  // Blanks around a path are removed; a path of blanks is the empty path.
  std::string padded = "  " + five + "  ";
  char buf[10] = {};
  EXPECT_EQ(FIReadFile(f.h, Len(padded), padded.c_str(), 10, buf, 0, 0, kAccess, kShare, kDisp, kFlags), 5);
  EXPECT_EQ(std::string(buf, 5), "12345");
  EXPECT_EQ(FIDeleteFile(f.h, 3, "   "), kDeleteFailed);

  // FIRead: count 0 reads the buffer length. FIWrite takes the offset before the count.
  ASSERT_EQ(FIOpenFile(f.h, Len(five), five.c_str(), kAccess, kShare, 3, 0), 0);
  char two[2];
  EXPECT_EQ(FIRead(f.h, 2, two, 0, 1), 2);
  EXPECT_EQ(std::string(two, 2), "23");
  EXPECT_EQ(FIWrite(f.h, 3, "abc", 1, 2), 2);
  EXPECT_EQ(FISetFilePointer(f.h, -1), 0);
  EXPECT_EQ(FICloseFile(f.h), 0);
  EXPECT_EQ(t.Get("Media/five.txt"), "1ab45");

  std::string out = t.Win("Media\\Out\\..\\out.txt");
  EXPECT_EQ(FIWriteFile(f.h, Len(out), out.c_str(), 10, "0123456789", 0, 0, kAccess, kShare, kDisp, kFlags), 10);
  EXPECT_EQ(FIWriteFile(f.h, Len(out), out.c_str(), 10, "0123456789", 3, 0, kAccess, kShare, kDisp, kFlags), 3);
  EXPECT_EQ(t.Get("Media/out.txt"), "012");
  EXPECT_EQ(FIAppendFile(f.h, Len(out), out.c_str(), 3, "xyz", 0, kAccess, kShare, kDisp, kFlags), 3);
  EXPECT_EQ(t.Get("Media/out.txt"), "012xyz");

  // A count larger than the buffer length reads with the buffer length.
  char six[6];
  EXPECT_EQ(FIOnSizeReadAndClear(f.h, Len(out), out.c_str(), 6, six, 100, kAccess, kShare, 3, 0), 6);
  EXPECT_EQ(std::string(six, 6), "012xyz");
  EXPECT_EQ(t.Get("Media/out.txt"), "");

  std::string dir = t.Win("Media\\New");
  std::string copy = t.Win("Media\\New\\copy.txt");
  std::string moved = t.Win("Media\\moved.txt");
  EXPECT_EQ(FICreateDir(f.h, Len(dir), dir.c_str()), 0);
  EXPECT_EQ(FICreateDir(f.h, Len(dir), dir.c_str()), kCreateDirFailed);
  EXPECT_EQ(FIGetLastSystemError(f.h), static_cast<int32_t>(ERROR_ALREADY_EXISTS));
  EXPECT_EQ(FICopyFile(f.h, Len(five), five.c_str(), Len(copy), copy.c_str(), 1), 0);
  EXPECT_EQ(FICopyFile(f.h, Len(five), five.c_str(), Len(copy), copy.c_str(), 1), kCopyFailed);
  EXPECT_EQ(FIRemoveDir(f.h, Len(dir), dir.c_str()), kRemoveDirFailed);
  EXPECT_EQ(FIGetLastSystemError(f.h), static_cast<int32_t>(ERROR_DIR_NOT_EMPTY));
  EXPECT_EQ(FIGetLastLocalError(f.h), kRemoveDirFailed);
  EXPECT_EQ(FIMoveFile(f.h, Len(copy), copy.c_str(), Len(moved), moved.c_str()), 0);
  EXPECT_EQ(FIRemoveDir(f.h, Len(dir), dir.c_str()), 0);
  EXPECT_EQ(FIDeleteFile(f.h, Len(moved), moved.c_str()), 0);
  EXPECT_EQ(FIGetLastLocalError(f.h), 0);
  std::string created = t.Win("Media\\created.txt");
  EXPECT_EQ(FICreateEmptyFile(f.h, Len(created), created.c_str(), kAccess, kShare, 1, 0), 0);
  EXPECT_EQ(FICreateFile(f.h, Len(created), created.c_str(), kAccess, kShare, 1, 0), kCreateFailed);
  EXPECT_EQ(FIGetLastSystemError(f.h), static_cast<int32_t>(ERROR_FILE_EXISTS));
}

TEST(FIExports, HostileArgumentsGiveCodes) {
  TempDrive t('D');
  t.Put("Dir/f.txt", "abc");
  FileHandle f;
  std::string dir = t.Win("Dir"), bad = t.Win("a<b.txt"), longName(300, 'n');
  char buf[8];
  struct Case {
    const char* what;
    int32_t result, expected;
  };
  const Case cases[] = {
      {"seek without a file", FISetFilePointer(f.h, INT32_MIN), kSeekFailed},
      {"read without a file", FIRead(f.h, 8, buf, 0, 0), kSeekFailed},
      {"write without a file", FIWrite(f.h, 8, buf, 0, 0), kSeekFailed},
      {"open a folder", FIOpenFile(f.h, Len(dir), dir.c_str(), kAccess, kShare, 3, 0), kOpenFailed},
      {"read a folder", FIReadFile(f.h, Len(dir), dir.c_str(), 8, buf, 0, 0, kAccess, kShare, 3, 0), kOpenFailed},
      {"write an invalid name", FIWriteFile(f.h, Len(bad), bad.c_str(), 1, "x", 0, 0, kAccess, kShare, kDisp, 0),
       kOpenFailed},
      {"view of a long name", FIMemCreateView(f.h, Len(longName), longName.c_str(), 10, 4), kMappingFailed},
      {"open a view never made", FIMemOpenView(f.h, Len(longName), longName.c_str(), 10), kOpenMappingFailed},
      {"pipe with a negative buffer length", FIMemReadPipe(f.h, -8, buf, -1), kReadArgs},
  };
  for (const Case& c : cases) EXPECT_EQ(c.result, c.expected) << c.what;
  EXPECT_EQ(FICheckFileSize(f.h, 3, "\\\\x"), -61.0);  // a network path without a share
  EXPECT_EQ(t.Get("Dir/f.txt"), "abc");
}

TEST(FIExports, LockAndAutoLock) {
  TempDrive t('D');
  t.Put("f.txt", "abc");
  FileHandle f;
  std::string p = t.Win("f.txt");
  char buf[4];
  EXPECT_EQ(FILock(f.h), 1);
  EXPECT_EQ(FIReadFile(f.h, Len(p), p.c_str(), 4, buf, 0, 0, kAccess, kShare, kDisp, 0), kLockHeld);
  EXPECT_EQ(FISetAutoLock(f.h, 0), kLockHeld);
  EXPECT_EQ(FIUnlock(f.h), 1);
  EXPECT_EQ(FIReadFile(f.h, Len(p), p.c_str(), 4, buf, 0, 0, kAccess, kShare, kDisp, 0), 3);
  EXPECT_EQ(FISetAutoLock(f.h, 0), 0);
}

}  // namespace
