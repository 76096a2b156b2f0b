#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>

#include "hostlib/FileModes.h"
#include "zqtest/ScratchFolder.h"
#include "hostlib/Wrappers.h"

namespace {


TEST(FileIO, WritesReadsAndSizesFiles) {
  zqtest::ScratchFolder dir;
  const std::string file = (dir / "f.bin").string();
  FILEIO f;
  EXPECT_EQ(f.WRITEFILE(file, "hello", 0, 0, kReadWrite, kNoSharing, OPEN_ALWAYS, kNormalWriteThrough), 5);
  EXPECT_EQ(f.INTERROR, 0);
  std::array<char, 16> buffer{};
  EXPECT_EQ(f.READFILE(file, buffer, 5, 0, kReadWrite, kNoSharing, OPEN_ALWAYS, kNormalWriteThrough), 5);
  EXPECT_EQ(std::string(buffer.data(), 5), "hello");
  EXPECT_EQ(f.GETFILESIZE(file), 5.0);
  EXPECT_EQ(f.INTERROR, 0);
  EXPECT_EQ(f.READFILE(file, buffer, 17, 0, kReadWrite, kNoSharing, OPEN_ALWAYS, kNormalWriteThrough), -55);
  EXPECT_EQ(f.INTERROR, -55);
  EXPECT_EQ(f.WRITEFILE(file, "", 0, 0, kReadWrite, kNoSharing, OPEN_ALWAYS, kNormalWriteThrough), -54);
  EXPECT_EQ(f.INTERROR, -54);
}

TEST(FileIO, SizeOfMissingAndEmptyFiles) {
  zqtest::ScratchFolder dir;
  FILEIO f;
  EXPECT_EQ(f.GETFILESIZE((dir / "missing").string()), -61.0);
  EXPECT_EQ(f.INTERROR, -61);
  std::ofstream((dir / "empty").string()).close();
  EXPECT_EQ(f.GETFILESIZE((dir / "empty").string()), 0.0);
  EXPECT_EQ(f.INTERROR, 0);
  EXPECT_EQ(f.GETFILESIZE(""), -62.0);
  EXPECT_EQ(f.INTERROR, -62);
}

TEST(FileIO, FoldersCopiesAndDeletesKeepTheirStatus) {
  zqtest::ScratchFolder dir;
  FILEIO f;
  const std::string sub = (dir / "sub").string();
  EXPECT_EQ(f.CREATEDIR(sub), 0);
  EXPECT_EQ(f.INTERROR, 0);
  EXPECT_TRUE(std::filesystem::is_directory(sub));
  EXPECT_LT(f.CREATEDIR(sub), 0);  // exists already
  EXPECT_LT(f.INTERROR, 0);
  const int32_t system = f.GETLASTSYSTEMERROR();
  EXPECT_EQ(system, ERROR_ALREADY_EXISTS);
  EXPECT_LT(f.INTERROR, 0);  // untouched by the query

  const std::string a = (dir / "a.txt").string();
  const std::string b = (dir / "sub" / "b.txt").string();
  f.WRITEFILE(a, "data", 0, 0, kReadWrite, kNoSharing, OPEN_ALWAYS, kNormalWriteThrough);
  EXPECT_EQ(f.COPY(a, b, 1), 0);
  EXPECT_EQ(f.INTERROR, 0);
  EXPECT_LT(f.COPY(a, b, 1), 0);  // the target exists
  EXPECT_EQ(f.COPY(a, b, 0), 0);
  EXPECT_LT(f.REMOVEDIR(sub), 0);  // not empty
  EXPECT_EQ(f.DELETE(b), 0);
  EXPECT_LT(f.DELETE(b), 0);
  EXPECT_EQ(f.REMOVEDIR(sub), 0);
  EXPECT_EQ(f.INTERROR, 0);
  EXPECT_EQ(f.CLOSEFILE(), 0);
  EXPECT_EQ(f.INTERROR, 0);
}

}  // namespace
