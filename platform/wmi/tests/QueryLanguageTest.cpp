#include <gtest/gtest.h>

#include "../Wql.h"
#include "ServiceClient.h"
#include "zqtest/FakeSystem.h"

using namespace std::string_literals;

namespace {

class QueryLanguage : public ::testing::Test {
 protected:
  void SetUp() override {
    fake.AddProcess(10, "alpha", 1, "/bin/alpha", 100, 1);
    fake.AddProcess(20, "Beta", 10, "/bin/beta\0-x"s, 100, 4);
    fake.AddProcess(30, "gamma_x", 10, "/bin/gamma", 100, 8);
    fake.AddProcess(40, "[bracket]", 20, "", 100, 2);
    zq::wmi::SetSystemRoot(fake.Root());
  }
  void TearDown() override { zq::wmi::SetSystemRoot(""); }

  static std::string Ids(const std::string& where) {
    std::string ids;
    for (const std::string& id : wmitest::Column("SELECT * FROM Win32_Process WHERE " + where, "ProcessId")) {
      ids += (ids.empty() ? "" : ",") + id;
    }
    return ids;
  }

  zqtest::FakeSystem fake;
};

TEST_F(QueryLanguage, EveryComparisonAndJoinSelectsTheRightObjects) {
  const std::pair<const char*, const char*> cases[] = {
      {"ProcessId = 20", "20"},
      {"ProcessId <> 20", "10,30,40"},
      {"ProcessId != 20", "10,30,40"},
      {"ProcessId < 30", "10,20"},
      {"ProcessId > 30", "40"},
      {"ProcessId <= 30", "10,20,30"},
      {"ProcessId >= 30", "30,40"},
      {"20 = ProcessId", "20"},
      {"30 < ProcessId", "40"},
      {"ProcessId = '20'", "20"},
      {"ProcessId = 2e1", "20"},
      {"Name = 'beta'", "20"},
      {"name = \"BETA\"", "20"},
      {"Name <> 'beta'", "10,30,40"},
      {"Name < 'b'", "10,40"},
      {"Name >= 'gamma_x'", "30"},
      {"ThreadCount > 2 AND ParentProcessId = 10", "20,30"},
      {"ThreadCount = 1 OR Name = 'gamma_x'", "10,30"},
      {"NOT ProcessId = 10", "20,30,40"},
      {"NOT (ProcessId = 10 OR ProcessId = 20)", "30,40"},
      {"(ProcessId = 10 OR ProcessId = 20) AND ThreadCount > 1", "20"},
      {"ProcessId = 10 OR ProcessId = 20 AND ThreadCount > 100", "10"},
      {"CommandLine IS NULL", "40"},
      {"CommandLine IS NOT NULL", "10,20,30"},
      {"CommandLine = NULL", "40"},
      {"CommandLine <> NULL", "10,20,30"},
      {"CommandLine = '/bin/beta -x'", "20"},
      {"CommandLine > 'a'", ""},
      {"NOT CommandLine = '/bin/alpha'", "20,30,40"},
      {"ExecutablePath IS NULL", "10,20,30,40"},
      {"Name LIKE 'g%'", "30"},
      {"name like '%A'", "10,20"},
      {"Name LIKE '[[]%'", "40"},
      {"Name LIKE '%[_]%'", "30"},
      {"ProcessId LIKE '_0'", "10,20,30,40"},
  };
  for (auto [where, expected] : cases) {
    SCOPED_TRACE(where);
    EXPECT_EQ(Ids(where), expected);
  }
}

TEST_F(QueryLanguage, RefusesWhatIsNotInTheLanguage) {
  const std::pair<const char*, HRESULT> cases[] = {
      {"", WBEM_E_INVALID_QUERY},
      {"SELECT", WBEM_E_INVALID_QUERY},
      {"SELECT * FROM", WBEM_E_INVALID_QUERY},
      {"SELECT * Win32_Process", WBEM_E_INVALID_QUERY},
      {"SELECT *, Name FROM Win32_Process", WBEM_E_INVALID_QUERY},
      {"SELECT Name, FROM Win32_Process", WBEM_E_INVALID_QUERY},
      {"SELECT * FROM Win32_Process WHERE", WBEM_E_INVALID_QUERY},
      {"SELECT * FROM Win32_Process WHERE Name", WBEM_E_INVALID_QUERY},
      {"SELECT * FROM Win32_Process WHERE Name =", WBEM_E_INVALID_QUERY},
      {"SELECT * FROM Win32_Process WHERE Name == 'a'", WBEM_E_INVALID_QUERY},
      {"SELECT * FROM Win32_Process WHERE (Name = 'a'", WBEM_E_INVALID_QUERY},
      {"SELECT * FROM Win32_Process WHERE Name = 'a')", WBEM_E_INVALID_QUERY},
      {"SELECT * FROM Win32_Process WHERE Name = 'open", WBEM_E_INVALID_QUERY},
      {"SELECT * FROM Win32_Process WHERE Name LIKE 5", WBEM_E_INVALID_QUERY},
      {"SELECT * FROM Win32_Process WHERE Name LIKE '[ab'", WBEM_E_INVALID_QUERY},
      {"SELECT * FROM Win32_Process WHERE Name = Caption", WBEM_E_INVALID_QUERY},
      {"SELECT * FROM Win32_Process WHERE Name = 'a' AND", WBEM_E_INVALID_QUERY},
      {"SELECT * FROM Win32_Process WHERE Name = 'a' extra", WBEM_E_INVALID_QUERY},
      {"SELECT * FROM Win32_Process WHERE Nmae = 'a'", WBEM_E_INVALID_QUERY},
      {"SELECT Nmae FROM Win32_Process", WBEM_E_INVALID_QUERY},
      {"SELECT * FROM Win32_OperatingSystem WHERE MUILanguages = 'de-DE'", WBEM_E_INVALID_QUERY},
      {"ASSOCIATORS OF {Win32_Process.Handle='1'}", WBEM_E_INVALID_QUERY},
      {"REFERENCES OF {Win32_Process.Handle='1'}", WBEM_E_INVALID_QUERY},
      {"SELECT * FROM __InstanceCreationEvent WITHIN 5 WHERE TargetInstance ISA 'Win32_Process'", WBEM_E_INVALID_QUERY},
      {"SELECT * FROM Win32_Process; DELETE", WBEM_E_INVALID_QUERY},
      {"SELECT * FROM Win32_Service", WBEM_E_INVALID_CLASS},
      {"SELECT * FROM Win32_Registry", WBEM_E_INVALID_CLASS},
      {"SELECT * FROM SELECT", WBEM_E_INVALID_QUERY},
  };
  for (auto [query, expected] : cases) {
    SCOPED_TRACE(query);
    EXPECT_EQ(wmitest::Run(query).result, expected);
  }
}

TEST_F(QueryLanguage, KeywordsAndNamesAreCaseBlindAndBlanksAreFree) {
  auto rows = wmitest::Run("select name,PROCESSID from WIN32_process\n\twhere\tprocessid=30", {"Name", "ProcessId"}).rows;
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0]["Name"], "gamma_x");
  EXPECT_EQ(rows[0]["ProcessId"], "30");
}

TEST_F(QueryLanguage, OnlyTheSelectedPropertiesAreThere) {
  auto rows = wmitest::Run("SELECT Name FROM Win32_Process WHERE ProcessId = 10", {"Name", "ProcessId"}).rows;
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0]["Name"], "alpha");
  EXPECT_EQ(rows[0]["ProcessId"], "<missing>");
}

TEST_F(QueryLanguage, TextsTakeEitherQuoteAndEscapeWithABackslash) {
  fake.AddProcess(50, "it's \"quoted\" \\ here");
  EXPECT_EQ(Ids("Name = 'it\\'s \"quoted\" \\\\ here'"), "50");
  EXPECT_EQ(Ids("Name = \"it's \\\"quoted\\\" \\\\ here\""), "50");
}

TEST(QueryNesting, DeepNestingAndLongChainsAreRefusedNotOverflowed) {
  std::string deep = "SELECT * FROM Win32_Process WHERE " + std::string(150, '(') + "ProcessId = 1" + std::string(150, ')');
  EXPECT_FALSE(zq::wmi::ParseWql(deep));
  std::string nots = "SELECT * FROM Win32_Process WHERE ";
  for (int i = 0; i < 150; ++i) nots += "NOT ";
  EXPECT_FALSE(zq::wmi::ParseWql(nots + "ProcessId = 1"));
  std::string chain = "SELECT * FROM Win32_Process WHERE ProcessId = 1";
  for (int i = 0; i < 2000; ++i) chain += " OR ProcessId = 1";
  EXPECT_FALSE(zq::wmi::ParseWql(chain));
  EXPECT_TRUE(zq::wmi::ParseWql("SELECT * FROM X WHERE " + std::string(50, '(') + "A = 1" + std::string(50, ')')));
}

TEST(LikePatterns, MatchAsTheLanguageSays) {
  struct Case {
    const char* pattern;
    const char* text;
    bool matches;
  };
  const Case cases[] = {
      {"a%", "abc", true},     {"a%", "bac", false},     {"%c", "abc", true},      {"%b%", "abc", true},
      {"a_c", "abc", true},    {"a_c", "abbc", false},   {"a_c", "ac", false},     {"[ab]c", "bc", true},
      {"[ab]c", "cc", false},  {"[a-c]x", "bx", true},   {"[a-c]x", "dx", false},  {"[^a-c]x", "dx", true},
      {"[^a-c]x", "bx", false}, {"ABC", "abc", true},    {"abc", "abcd", false},   {"%", "", true},
      {"_", "", false},        {"[%]", "%", true},       {"[%]", "x", false},      {"a[_]c", "a_c", true},
      {"a[_]c", "abc", false}, {"%a%b%", "xaxxbx", true}, {"%a%b%", "xbxxax", false}, {"\xC3\xBC_", "\xC3\x9Cx", true},
      {"_", "\xC3\xBC", true}, {"[]]", "]", true},       {"[z-a]", "m", true},     {"%%x", "abx", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.pattern) + " / " + c.text);
    auto query = zq::wmi::ParseWql(std::string("SELECT * FROM X WHERE A LIKE '") + c.pattern + "'");
    ASSERT_TRUE(query);
    EXPECT_EQ(zq::wmi::LikeMatches(query->where->condition.pattern, c.text), c.matches);
  }
}

}  // namespace
