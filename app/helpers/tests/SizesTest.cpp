#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/Helpers.h"
#include "zqtest/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

TEST(SizeText, UnitsAndForms) {
  struct Case {
    double size;
    const char* text;
  };
  const Case cases[] = {
      {0, "0 Bs"},
      {512, "512 Bs"},
      {1023, "1023 Bs"},
      {1024, "      1.00 Kb"},
      {1536, "      1.50 Kb"},
      {1047552, "  1,023.00 Kb"},
      {1048576, "      1.00 Mb"},
      {1073741823, "  1,024.00 Mb"},
      {1073741824, "      1.00 Gb"},
      {4700000000, "      4.38 Gb"},
      {8589934592, "      8.00 Gb"},
      {-2, "-2 Bs"},
  };
  for (const Case& c : cases) EXPECT_EQ(HRSIZE(c.size), c.text) << c.size;
}

void Put(const fs::path& path, size_t bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << std::string(bytes, 'x');
}

TEST(FolderSize, AddsEveryFileBelowWithoutFollowingFolderLinks) {
  zqtest::ScratchFolder scratch("orvid-dirsize");
  const fs::path rip = scratch / "BDMV";
  Put(rip / "index.bdmv", 100);
  Put(rip / "STREAM" / "00000.m2ts", 5000);
  Put(rip / "STREAM" / ".hidden", 7);
  Put(rip / "CLIPINF" / "deep" / "deeper" / "00000.clpi", 30);
  fs::create_directory_symlink("..", rip / "STREAM" / "up");
  fs::create_directory_symlink(scratch.path(), rip / "outside");
  Put(scratch / "elsewhere.bin", 1000000);
  EXPECT_EQ(GETDIRSIZE(rip.string()), 5137.0);
  EXPECT_EQ(GETDIRSIZE(rip.string() + "\\"), 5137.0);
  EXPECT_EQ(GETDIRSIZE((scratch / "missing").string()), 0.0);
}

TEST(FolderSize, SparseFilesCountTheirWholeSize) {
  zqtest::ScratchFolder scratch("orvid-dirsize");
  Put(scratch / "VIDEO_TS" / "VTS_01_1.VOB", 0);
  fs::resize_file(scratch / "VIDEO_TS" / "VTS_01_1.VOB", 8589934592ULL);
  EXPECT_EQ(GETDIRSIZE((scratch / "VIDEO_TS").string()), 8589934592.0);
}

}  // namespace
