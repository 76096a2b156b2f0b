#include <gtest/gtest.h>

#include <sys/utsname.h>
#include <unistd.h>

#include <cstdlib>

#include "../CimTime.h"
#include "ServiceClient.h"
#include "zqplatform/files.h"
#include "zqplatform/system.h"
#include "zqtest/FakeSystem.h"

using namespace std::string_literals;

namespace {

using Expected = std::vector<std::pair<std::string, std::string>>;

class Classes : public ::testing::Test {
 protected:
  void SetUp() override { zq::wmi::SetSystemRoot(fake.Root()); }
  void TearDown() override { zq::wmi::SetSystemRoot(""); }

  // The one object the query finds has these property texts.
  static void ExpectObject(const std::string& query, const Expected& expected) {
    std::vector<std::string> names;
    for (const auto& e : expected) names.push_back(e.first);
    auto outcome = wmitest::Run(query, names);
    ASSERT_EQ(outcome.result, S_OK);
    ASSERT_EQ(outcome.rows.size(), 1u);
    for (const auto& [name, text] : expected) EXPECT_EQ(outcome.rows[0][name], text) << name;
  }

  static std::string Computer() { return zq::sys::ComputerName().value_or(""); }
  static std::string Machine() {
    struct utsname names {};
    uname(&names);
    return names.machine;
  }

  zqtest::FakeSystem fake;
};

TEST_F(Classes, ProcessesComeFromTheirProcFolders) {
  const long hz = sysconf(_SC_CLK_TCK);
  fake.AddProcess(4242, "fakeproc", 1, "/usr/bin/fakeproc\0--flag\0"s, 2 * hz, 3);
  fake.Write("proc/self/status", "Name:\tnot a process\n");
  ExpectObject("SELECT * FROM Win32_Process",
               {{"Name", "fakeproc"},
                {"Caption", "fakeproc"},
                {"Description", "fakeproc"},
                {"ProcessId", "4242"},
                {"ParentProcessId", "1"},
                {"Handle", "4242"},
                {"CommandLine", "/usr/bin/fakeproc --flag"},
                {"ExecutablePath", "NULL"},
                {"ThreadCount", "3"},
                {"WorkingSetSize", "524288"},
                {"VirtualSize", "2097152"},
                {"UserModeTime", std::to_string(250LL * 10'000'000 / hz)},
                {"KernelModeTime", std::to_string(50LL * 10'000'000 / hz)},
                {"CreationDate", "20210304050609.000000+000"},
                {"CSName", Computer()},
                {"SessionId", "NULL"},
                {"Status", "NULL"},
                {"ExecutionState", "NULL"},
                {"InstallDate", "NULL"}});
}

TEST_F(Classes, AProcessIsNamedAfterItsProgramFileWhenItCanBeRead) {
  fake.AddProcess(7, "averyveryverylo");
  fake.LinkExecutable(7, "/opt/tools/averyveryverylongname (deleted)");
  ExpectObject("SELECT * FROM Win32_Process",
               {{"Name", "averyveryverylongname"}, {"ExecutablePath", "/opt/tools/averyveryverylongname"}});
}

TEST_F(Classes, TheOperatingSystemFromOsReleaseKernelAndMemory) {
  fake.AddProcess(1, "init");
  fake.AddProcess(2, "kthreadd");
  ExpectObject("SELECT * FROM Win32_OperatingSystem",
               {{"Caption", "Fake Linux 12 (test)"},
                {"Name", "Fake Linux 12 (test)"},
                {"Manufacturer", "Fake Linux"},
                {"Version", "6.1.0-fake-amd64"},
                {"BuildNumber", "#1 SMP Fake 6.1.99-1"},
                {"CSName", Computer()},
                {"LastBootUpTime", "20210304050607.000000+000"},
                {"CurrentTimeZone", "0"},
                {"TotalVisibleMemorySize", "16000000"},
                {"FreePhysicalMemory", "8000000"},
                {"TotalVirtualMemorySize", "18000000"},
                {"FreeVirtualMemory", "9500000"},
                {"NumberOfProcesses", "2"},
                {"MUILanguages", "de-DE"},
                {"OSType", "36"},
                {"Primary", "-1"},
                {"Status", "OK"},
                {"SerialNumber", "NULL"},
                {"InstallDate", "NULL"},
                {"NumberOfUsers", "NULL"},
                {"OSArchitecture", Machine().find("64") != std::string::npos ? "64-bit" : "32-bit"}});
  std::string now = wmitest::Column("SELECT LocalDateTime FROM Win32_OperatingSystem", "LocalDateTime").at(0);
  time_t seconds = time(nullptr);
  struct tm t {};
  gmtime_r(&seconds, &t);
  char today[16];
  std::strftime(today, sizeof today, "%Y%m%d", &t);
  EXPECT_EQ(now.substr(0, 8), today);
  EXPECT_EQ(now.substr(14), ".000000+000");
}

TEST_F(Classes, TheComputerFromHostNameFirmwareAndProcessors) {
  ExpectObject("SELECT * FROM Win32_ComputerSystem",
               {{"Name", Computer()},
                {"Caption", Computer()},
                {"DNSHostName", "fakehost"},
                {"Domain", "NULL"},
                {"PartOfDomain", "0"},
                {"Manufacturer", "Fake Computers"},
                {"Model", "Model 7"},
                {"SystemFamily", "Sevens"},
                {"NumberOfProcessors", "1"},
                {"NumberOfLogicalProcessors", "2"},
                {"TotalPhysicalMemory", "16384000000"},
                {"UserName", Computer() + "\\" + zq::sys::UserName().value_or("")},
                {"Status", "OK"},
                {"Workgroup", "NULL"},
                {"PrimaryOwnerName", "NULL"},
                {"SystemType", Machine() == "x86_64" ? "x64-based PC" : Machine() + "-based PC"}});
}

TEST_F(Classes, OneProcessorPerPackage) {
  ExpectObject("SELECT * FROM Win32_Processor",
               {{"DeviceID", "CPU0"},
                {"Name", "Fake CPU @ 3.60GHz"},
                {"Manufacturer", "GenuineIntel"},
                {"Caption", "Intel64 Family 6 Model 85 Stepping 7"},
                {"NumberOfCores", "2"},
                {"NumberOfLogicalProcessors", "2"},
                {"CurrentClockSpeed", "3000"},
                {"MaxClockSpeed", "3600"},
                {"Status", "OK"},
                {"L2CacheSize", "NULL"},
                {"LoadPercentage", "NULL"},
                {"ProcessorId", "NULL"},
                {"AddressWidth", Machine().find("64") != std::string::npos ? "64" : "32"}});
  if (Machine() == "x86_64") ExpectObject("SELECT Architecture FROM Win32_Processor", {{"Architecture", "9"}});
}

TEST_F(Classes, TheFirmwareTables) {
  ExpectObject("SELECT * FROM Win32_BIOS",
               {{"Manufacturer", "Fake Firmware Inc."},
                {"Name", "1.2.3"},
                {"SMBIOSBIOSVersion", "1.2.3"},
                {"Version", "Fake Firmware Inc. - 1.2.3"},
                {"BIOSVersion", "1.2.3|Fake Firmware Inc. - 5.17"},
                {"ReleaseDate", "20210315000000.000000+000"},
                {"SerialNumber", "NULL"},
                {"PrimaryBIOS", "-1"},
                {"Status", "OK"}});
  ExpectObject("SELECT * FROM Win32_BaseBoard",
               {{"Manufacturer", "Fake Boards"},
                {"Product", "FB-100"},
                {"Version", "Rev A"},
                {"SerialNumber", "NULL"},
                {"Tag", "Base Board"},
                {"HostingBoard", "-1"}});
}

TEST_F(Classes, AMissingFirmwareFileIsAPropertyWithoutValue) {
  std::filesystem::remove(std::filesystem::path(fake.Root()) / "sys/class/dmi/id/bios_date");
  fake.Write("sys/class/dmi/id/bios_vendor", "\n");
  ExpectObject("SELECT * FROM Win32_BIOS", {{"ReleaseDate", "NULL"}, {"Manufacturer", "NULL"}, {"Version", "NULL"},
                                             {"BIOSVersion", "1.2.3"}});
}

TEST_F(Classes, EnvironmentVariablesOfTheSystemAndTheProcess) {
  ExpectObject("SELECT * FROM Win32_Environment WHERE Name = 'FAKE_SYSTEM_PATH'",
               {{"VariableValue", "/opt/fake/bin"}, {"UserName", "<SYSTEM>"}, {"SystemVariable", "-1"},
                {"Caption", "<SYSTEM>\\FAKE_SYSTEM_PATH"}});
  setenv("ZQ_WMI_TEST_VARIABLE", "v1", 1);
  std::string user = Computer() + "\\" + zq::sys::UserName().value_or("");
  ExpectObject("SELECT * FROM Win32_Environment WHERE Name = 'ZQ_WMI_TEST_VARIABLE'",
               {{"VariableValue", "v1"}, {"UserName", user}, {"SystemVariable", "0"}});
  unsetenv("ZQ_WMI_TEST_VARIABLE");
}

TEST_F(Classes, AccountsOfThePasswordFile) {
  EXPECT_EQ(wmitest::Column("SELECT Name FROM Win32_UserAccount", "Name"),
            (std::vector<std::string>{"root", "daemon", "anna"}));
  ExpectObject("SELECT * FROM Win32_UserAccount WHERE Name = 'anna'",
               {{"FullName", "Anna Berg"},
                {"Description", "Anna Berg,Room 4,,"},
                {"Domain", Computer()},
                {"Caption", Computer() + "\\anna"},
                {"SID", "S-1-22-1-1000"},
                {"SIDType", "1"},
                {"AccountType", "512"},
                {"LocalAccount", "-1"},
                {"Disabled", "0"},
                {"Lockout", "0"},
                {"PasswordRequired", "NULL"}});
  EXPECT_EQ(wmitest::Column("SELECT * FROM Win32_UserAccount WHERE Disabled = TRUE", "Name"),
            (std::vector<std::string>{"daemon"}));
}

TEST_F(Classes, DisksAreTheDriveLettersOfTheFileLayer) {
  auto rows = wmitest::Run("SELECT * FROM Win32_LogicalDisk", {"DeviceID", "DriveType", "Size", "FreeSpace"}).rows;
  auto drives = zq::fs::Drives();
  ASSERT_EQ(rows.size(), drives.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i]["DeviceID"], (std::string{drives[i].letter, ':'}));
    EXPECT_EQ(rows[i]["DriveType"], std::to_string(drives[i].type));
  }
  ExpectObject("SELECT * FROM Win32_LogicalDisk WHERE DeviceID = 'C:'",
               {{"Name", "C:"}, {"Description", "Local Fixed Disk"}, {"MediaType", "12"}, {"VolumeName", "NULL"}});
  auto c = wmitest::Run("SELECT * FROM Win32_LogicalDisk WHERE DeviceID = 'C:'", {"Size", "FreeSpace"}).rows.at(0);
  EXPECT_GT(std::stoull(c["Size"]), 0u);
  EXPECT_LE(std::stoull(c["FreeSpace"]), std::stoull(c["Size"]));
  ExpectObject("SELECT * FROM Win32_LogicalDisk WHERE DeviceID = 'Q:'",
               {{"DriveType", "1"}, {"Size", "NULL"}, {"FreeSpace", "NULL"}, {"FileSystem", "NULL"},
                {"VolumeSerialNumber", "NULL"}, {"ProviderName", "NULL"}, {"MediaType", "NULL"}});
}

TEST_F(Classes, TheClockInPartsLocalAndUniversal) {
  for (const char* cls : {"Win32_LocalTime", "Win32_UTCTime"}) {
    SCOPED_TRACE(cls);
    time_t before = time(nullptr);
    auto rows = wmitest::Run("SELECT * FROM "s + cls, {"Year", "Month", "Day", "DayOfWeek", "Quarter", "WeekInMonth",
                                                      "Milliseconds"}).rows;
    ASSERT_EQ(rows.size(), 1u);
    struct tm t {};
    gmtime_r(&before, &t);  // the tests run in UTC
    auto& r = rows[0];
    EXPECT_EQ(r["Year"], std::to_string(t.tm_year + 1900));
    int month = std::stoi(r["Month"]);
    EXPECT_EQ(r["Quarter"], std::to_string((month - 1) / 3 + 1));
    int day = std::stoi(r["Day"]), weekday = std::stoi(r["DayOfWeek"]);
    int firstWeekday = ((weekday - (day - 1)) % 7 + 7) % 7;
    EXPECT_EQ(r["WeekInMonth"], std::to_string((day - 1 + firstWeekday) / 7 + 1));
    EXPECT_EQ(r["Milliseconds"], "NULL");
  }
}

TEST(CimDateTimes, CarryTheLocalOffsetWithItsSign) {
  const char* saved = std::getenv("TZ");
  std::string restore = saved ? saved : "";
  struct Case {
    const char* zone;
    const char* expected;
  };
  for (const Case& c : {Case{"UTC0", "20210304050607.000000+000"}, Case{"CET-1", "20210304060607.000000+060"},
                        Case{"EST5", "20210304000607.000000-300"}}) {
    setenv("TZ", c.zone, 1);
    tzset();
    EXPECT_EQ(zq::wmi::CimDateTime(zqtest::FakeSystem::kBootTime), c.expected);
  }
  EXPECT_EQ(zq::wmi::CimDateTime(zqtest::FakeSystem::kBootTime, 123456, true), "20210304050607.123456+000");
  if (saved) setenv("TZ", restore.c_str(), 1);
  else unsetenv("TZ");
  tzset();
}

}  // namespace
