#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "system/DriveList.h"
#include "zqplatform/codepage.h"
#include "zqplatform/system.h"
#include "zqtest/HostCalls.h"
#include "zqvantor/system.h"

namespace {

using zqtest::TakeBstr;

uint64_t Get64(const unsigned char* at) {
  uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = v << 8 | at[i];
  return v;
}

uint32_t Get32(const unsigned char* at) { return static_cast<uint32_t>(Get64(at) & 0xFFFFFFFF); }

TEST(DiskInfo, FillsTheRecordOnlyWithItsExactSize) {
  const std::string root = "C:\\";
  unsigned char record[32];
  for (int32_t size : {0, 16, 23, 25, 32, -24}) {
    SCOPED_TRACE(size);
    std::memset(record, 0xAB, sizeof record);
    EXPECT_EQ(DSKGetDiskInfo(3, root.c_str(), size, record), 0);
    for (unsigned char byte : record) ASSERT_EQ(byte, 0xAB);
  }
  EXPECT_EQ(DSKGetDiskInfo(3, root.c_str(), 24, nullptr), 0);
  std::memset(record, 0xAB, sizeof record);
  ASSERT_EQ(DSKGetDiskInfo(3, root.c_str(), 24, record), 1);
  uint64_t freeToCaller = Get64(record), total = Get64(record + 8), totalFree = Get64(record + 16);
  EXPECT_GT(total, 0u);
  EXPECT_LE(totalFree, total);
  EXPECT_LE(freeToCaller, totalFree);
  EXPECT_EQ(record[24], 0xAB);  // nothing past the record
}

TEST(SectorInfo, FillsTheRecordOnlyWithItsExactSize) {
  const std::string root = "C:\\";
  unsigned char record[24];
  std::memset(record, 0xAB, sizeof record);
  EXPECT_EQ(DSKGetSectorInfo(3, root.c_str(), 24, record), 0);
  EXPECT_EQ(record[0], 0xAB);
  ASSERT_EQ(DSKGetSectorInfo(3, root.c_str(), 16, record), 1);
  uint32_t sectorsPerCluster = Get32(record), bytesPerSector = Get32(record + 4);
  uint32_t freeClusters = Get32(record + 8), totalClusters = Get32(record + 12);
  EXPECT_GE(sectorsPerCluster, 1u);
  EXPECT_GE(bytesPerSector, 512u);
  EXPECT_EQ(bytesPerSector & (bytesPerSector - 1), 0u);
  EXPECT_GT(totalClusters, 0u);
  EXPECT_LE(freeClusters, totalClusters);
  EXPECT_EQ(record[16], 0xAB);
}

TEST(DiskInfo, UnknownOrEmptyPathFails) {
  const std::string missing = "/zq-no-such-folder/below";
  unsigned char record[24];
  EXPECT_EQ(DSKGetDiskInfo(static_cast<int32_t>(missing.size()), missing.c_str(), 24, record), 0);
  EXPECT_EQ(DSKGetSectorInfo(static_cast<int32_t>(missing.size()), missing.c_str(), 16, record), 0);
  EXPECT_EQ(DSKGetDiskInfo(20, nullptr, 24, record), 0);
  EXPECT_EQ(DSKGetSectorInfo(-5, "/", 16, record), 0);
}

uint32_t FakeType(const char* root) {
  switch (root[0]) {
    case 'A': return 2;
    case 'C': return 3;
    case 'D': return 5;
    case 'E': return 4;
    case 'F': return 6;
    case 'G': return 1;
    case 'H': return 0;
    default: return 9;
  }
}

TEST(DriveList, ItemsInLetterOrderWithTypeTexts) {
  struct Case {
    uint32_t mask;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {0, ""},
      {0b1101, "A:\\@2@Removable Disk|C:\\@3@Fixed Disk|D:\\@5@CD-ROM"},
      {0b11110000, "E:\\@4@Network Disk|F:\\@6@Ram Disk|G:\\@1@No Root|H:\\@0@Unknown Disk"},
      {1u << 25, "Z:\\@9@Unknown Disk"},
  };
  for (const auto& c : cases) EXPECT_EQ(zqv::DriveList(c.mask, FakeType), c.expected);
}

// The test's drive map (ZQ_DRIVES, set for this test binary) adds Q: for a folder that
// does not exist.
TEST(DSKGetDrives, ListsTheDriveMapInLetterOrder) {
  if (!std::getenv("ZQ_DRIVES")) GTEST_SKIP() << "needs the tests' drive map in ZQ_DRIVES";
  std::string list = TakeBstr(DSKGetDrives());
  std::vector<std::string> items;
  for (size_t start = 0; start <= list.size();) {
    size_t end = std::min(list.find('|', start), list.size());
    items.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  ASSERT_FALSE(items.empty());
  EXPECT_EQ(items.front(), "C:\\@3@Fixed Disk");
  EXPECT_NE(std::find(items.begin(), items.end(), "Q:\\@1@No Root"), items.end()) << list;
  for (size_t i = 0; i < items.size(); ++i) {
    const auto& item = items[i];
    ASSERT_GE(item.size(), 7u) << item;
    EXPECT_EQ(item.substr(1, 3), ":\\@") << item;
    if (i > 0) {
      EXPECT_LT(items[i - 1][0], item[0]);
    }
  }
}

TEST(Names, ComputerAndUserNames) {
  std::string computer = TakeBstr(UTGetComputerName());
  EXPECT_FALSE(computer.empty());
  EXPECT_LE(computer.size(), 15u);
  EXPECT_EQ(computer.find('.'), std::string::npos);
  for (char c : computer) EXPECT_FALSE(c >= 'a' && c <= 'z') << computer;
  EXPECT_FALSE(TakeBstr(UTGetUserName()).empty());
}

// Every request goes to this runner instead of the login manager.
std::vector<std::vector<std::string>> requests;
int answer = 0;
int FakeRunner(const std::vector<std::string>& argv) {
  requests.push_back(argv);
  return answer;
}

class EndWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    requests.clear();
    answer = 0;
    zq::sys::SetCommandRunner(FakeRunner);
  }
};

TEST_F(EndWindows, ModesAndInsistenceBecomeLoginManagerRequests) {
  using Argv = std::vector<std::string>;
  struct Case {
    int32_t mode, insistence;
    Argv expected;
  };
  const std::vector<Case> cases = {
      {2, 0, {"systemctl", "--no-ask-password", "poweroff"}},
      {3, 0, {"systemctl", "--no-ask-password", "reboot"}},
      {4, 0, {"systemctl", "--no-ask-password", "halt"}},
      {4, 3, {"systemctl", "--no-ask-password", "halt"}},  // insistence 3 adds nothing
      {4, 1, {"systemctl", "--no-ask-password", "halt"}},
      {3, 2, {"systemctl", "--no-ask-password", "--ignore-inhibitors", "reboot"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.mode << "," << c.insistence);
    requests.clear();
    EXPECT_EQ(UTEndWindows(c.mode, c.insistence), 0);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0], c.expected);
  }
  requests.clear();
  EXPECT_EQ(UTEndWindows(1, 0), 0);
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0][0], "loginctl");
}

// Logging off ends the caller's own session, or all of the user's sessions when the
// session is not known.
TEST_F(EndWindows, LogOffEndsTheSessionOrTheUser) {
  const char* before = std::getenv("XDG_SESSION_ID");
  const std::string saved = before ? before : "";
  using Argv = std::vector<std::string>;
  struct Case {
    const char* session;
    int32_t insistence;
    Argv expected;
  };
  const std::string uid = std::to_string(getuid());
  const std::vector<Case> cases = {
      {"c7", 0, {"loginctl", "--no-ask-password", "terminate-session", "c7"}},
      {"c7", 2, {"loginctl", "--no-ask-password", "terminate-session", "c7"}},
      {nullptr, 1, {"loginctl", "--no-ask-password", "terminate-user", uid}},
      {"", 0, {"loginctl", "--no-ask-password", "terminate-user", uid}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.session ? c.session : "-") << "," << c.insistence);
    c.session ? setenv("XDG_SESSION_ID", c.session, 1) : unsetenv("XDG_SESSION_ID");
    requests.clear();
    EXPECT_EQ(UTEndWindows(1, c.insistence), 0);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0], c.expected);
  }
  before ? setenv("XDG_SESSION_ID", saved.c_str(), 1) : unsetenv("XDG_SESSION_ID");
}

TEST_F(EndWindows, BadModeAsksNothingAndRefusalIsReported) {
  for (int32_t mode : {0, 5, -1, 100}) EXPECT_EQ(UTEndWindows(mode, 0), -5);
  EXPECT_TRUE(requests.empty());
  answer = 1;
  EXPECT_EQ(UTEndWindows(2, 0), -6);
  answer = -1;  // the command could not run
  EXPECT_EQ(UTEndWindows(3, 0), -6);
}

}  // namespace
