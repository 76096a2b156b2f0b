#include <gtest/gtest.h>
#include <sys/statvfs.h>

#include <cstdint>
#include <filesystem>

#include "zqtest/ScratchFolder.h"
#include "hostlib/Procedures.h"

namespace {

// Counts may move a little between the two queries on a busy disk.
constexpr uint64_t kSlack = 64ull << 20;

TEST(DiskInfo, CountsMatchStatvfs) {
  zqtest::ScratchFolder dir;
  const std::string path = dir.path().string();
  struct statvfs vfs {};
  ASSERT_EQ(statvfs(path.c_str(), &vfs), 0);
  const uint64_t total = uint64_t{vfs.f_blocks} * vfs.f_frsize;
  const uint64_t free = uint64_t{vfs.f_bfree} * vfs.f_frsize;
  const uint64_t user = uint64_t{vfs.f_bavail} * vfs.f_frsize;

  uint64_t value = 0;
  ASSERT_EQ(GETDISKINFO(path, value, kDiskTotal), 1);
  EXPECT_EQ(value, total);
  ASSERT_EQ(GETDISKINFO(path, value, kDiskFree), 1);
  EXPECT_NEAR(static_cast<double>(value), static_cast<double>(free), kSlack);
  ASSERT_EQ(GETDISKINFO(path, value, 0), 1);  // any other selector: free on the disk
  EXPECT_NEAR(static_cast<double>(value), static_cast<double>(free), kSlack);
  ASSERT_EQ(GETDISKINFO(path, value, kDiskFreeUser), 1);
  EXPECT_NEAR(static_cast<double>(value), static_cast<double>(user), kSlack);
}

TEST(DiskInfo, CountsAbove4GiBAreExact) {
  struct statvfs vfs {};
  ASSERT_EQ(statvfs("/", &vfs), 0);
  const uint64_t total = uint64_t{vfs.f_blocks} * vfs.f_frsize;
  if (total <= (uint64_t{1} << 32)) GTEST_SKIP() << "the root file system is 4 GiB or smaller";
  uint64_t value = 0;
  ASSERT_EQ(GETDISKINFO("C:\\", value, kDiskTotal), 1);
  EXPECT_EQ(value, total);
  EXPECT_GT(value, uint64_t{1} << 32);
}

TEST(DiskInfo, APathOfNoDiskLeavesTheValue) {
  uint64_t value = 12345;
  EXPECT_EQ(GETDISKINFO("Q:\\nowhere\\", value, kDiskTotal), 0);
  EXPECT_EQ(value, 12345u);
  EXPECT_EQ(GETDISKINFO("/no/such/folder/at/all", value, kDiskFree), 0);
  EXPECT_EQ(value, 12345u);
}

}  // namespace
