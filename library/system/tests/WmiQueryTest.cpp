#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "system/WmiText.h"
#include "zqplatform/codepage.h"
#include "zqplatform/credui.h"
#include "zqplatform/msgbox.h"
#include "zqplatform/questions.h"
#include "zqplatform/system.h"
#include "zqplatform/uiinput.h"
#include "zqplatform/uimodel.h"
#include "zqplatform/wmi.h"
#include "zqtest/FakeSystem.h"
#include "zqvantor/system.h"

using namespace std::string_literals;

namespace {

constexpr char kField = '\xFE';
constexpr char kValue = '\xFD';

struct Outcome {
  std::string text;
  int32_t code = 12345;
};

struct Call {
  Call(std::string q, std::string p, std::string k = "", std::string c = "", std::string u = "", std::string w = "")
      : query(std::move(q)), properties(std::move(p)), key(std::move(k)), computer(std::move(c)), user(std::move(u)),
        password(std::move(w)) {}

  std::string query;
  std::string properties;
  std::string key;
  std::string computer;
  std::string user;
  std::string password;

  Outcome Run() const {
    Outcome out;
    auto len = [](const std::string& s) { return static_cast<int32_t>(s.size()); };
    BSTR result = UTDoWMIQuery(len(query), query.data(), len(properties), properties.data(), &out.code, len(key),
                               key.data(), len(computer), computer.data(), len(user), user.data(), len(password),
                               password.data());
    out.text = zq::text::FromBstr(result);
    SysFreeString(result);
    return out;
  }
};

std::vector<std::vector<std::string>> Rows(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  if (text.empty()) return rows;
  auto split = [](const std::string& s, char mark) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = s.find(mark, start)) != std::string::npos; start = at + 1) parts.push_back(s.substr(start, at - start));
    parts.push_back(s.substr(start));
    return parts;
  };
  for (const std::string& field : split(text, kField)) rows.push_back(split(field, kValue));
  return rows;
}

// Runs body on a thread of its own (its COM state and injected failures die with it).
void OnOwnThread(const std::function<void()>& body) { std::thread(body).join(); }

// Whether the calling thread's COM state is back to none.
bool ComTornDown() {
  HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (SUCCEEDED(hr)) CoUninitialize();
  return hr == S_OK;
}

// Waits on a thread of its own for the credentials dialog, lets inspect look at it, and gives
// the answer inspect returns through the answer seam.
class CredentialsAnswerer {
 public:
  explicit CredentialsAnswerer(std::function<zq::ui::Answer(HWND)> inspect)
      : thread_([this, inspect] {
          auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
          while (std::chrono::steady_clock::now() < deadline && !stop_) {
            for (const zq::ui::Question& q : zq::ui::OpenQuestions()) {
              if (q.kind == zq::ui::QuestionKind::Window && q.caption == "Enter Account Information") {
                zq::ui::input::AnswerQuestion(inspect(q.owner));
                shown_ = true;
                return;
              }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
          }
        }) {}
  ~CredentialsAnswerer() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  bool Shown() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return shown_;
  }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<bool> shown_{false};
  std::thread thread_;
};

std::string FieldText(HWND dialog, int32_t id) {
  char text[600] = {};
  GetWindowTextA(GetDlgItem(dialog, id), text, sizeof text);
  return text;
}

class WmiQuery : public ::testing::Test {
 protected:
  void SetUp() override {
    zq::wmi::SetSystemRoot(fake.Root());
    zq::ui::TakeAsked();
  }
  void TearDown() override {
    zq::wmi::SetSystemRoot("");
    zq::ui::input::ForgetAnswers();
  }
  zqtest::FakeSystem fake;
};

TEST_F(WmiQuery, NoQueryWritesMinus999WithoutTouchingCom) {
  OnOwnThread([] {
    // A thread in the single-threaded model would get -1 from any call that sets up COM.
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    int32_t code = 0;
    BSTR r = UTDoWMIQuery(0, "SELECT * FROM Win32_Process", 0, nullptr, &code, 0, nullptr, 0, nullptr, 0, nullptr, 0, nullptr);
    EXPECT_EQ(code, -999);
    EXPECT_EQ(SysStringLen(r), 0u);
    SysFreeString(r);
    r = UTDoWMIQuery(27, nullptr, 4, "Name", &code, 0, nullptr, 0, nullptr, 0, nullptr, 0, nullptr);
    EXPECT_EQ(code, -999);
    SysFreeString(r);
    CoUninitialize();
  });
}

TEST_F(WmiQuery, OneFieldPerObjectAndOneValuePerProperty) {
  fake.AddProcess(11, "alpha");
  fake.AddProcess(12, "beta");
  Outcome out = Call("SELECT Name, Caption FROM Win32_Process", "Name|Caption").Run();
  EXPECT_EQ(out.code, 0);
  EXPECT_EQ(out.text, "alpha\xFD" "alpha\xFE" "beta\xFD" "beta");
}

TEST_F(WmiQuery, NoObjectIsSuccessWithAnEmptyText) {
  Outcome out = Call("SELECT * FROM Win32_Process WHERE Name = 'nothing'", "Name").Run();
  EXPECT_EQ(out.code, 0);
  EXPECT_EQ(out.text, "");
}

TEST_F(WmiQuery, StoresAtMost1024Rows) {
  for (int pid = 1; pid <= 2000; ++pid) fake.AddProcess(pid, "p" + std::to_string(pid));
  Outcome out = Call("SELECT Name, ProcessId FROM Win32_Process", "Name|ProcessId").Run();
  EXPECT_EQ(out.code, 0);
  auto rows = Rows(out.text);
  ASSERT_EQ(rows.size(), 1024u);
  for (const auto& row : rows) {
    ASSERT_EQ(row.size(), 2u);
    EXPECT_EQ(row[0], "p" + row[1]);
  }
}

TEST_F(WmiQuery, TheKeyDropsAnObjectEqualToTheOneStoredBeforeIt) {
  fake.AddProcess(101, "same");
  fake.AddProcess(102, "SAME");
  fake.AddProcess(103, "other");
  fake.AddProcess(104, "Same");
  fake.AddProcess(105, "other");
  Outcome out = Call("SELECT * FROM Win32_Process", "Name|ProcessId", " name ").Run();
  EXPECT_EQ(out.code, 0);
  EXPECT_EQ(out.text, "same\xFD" "101\xFE" "other\xFD" "103\xFE" "Same\xFD" "104\xFE" "other\xFD" "105");
}

TEST_F(WmiQuery, AKeyOutsideTheListKeepsNothing) {
  fake.AddProcess(101, "a");
  fake.AddProcess(102, "b");
  Outcome out = Call("SELECT * FROM Win32_Process", "Name", "ProcessId").Run();
  EXPECT_EQ(out.code, 0);
  EXPECT_EQ(out.text, "");
}

TEST_F(WmiQuery, AFirstRowWithAnEmptyKeyIsDropped) {
  fake.AddProcess(101, "");
  fake.AddProcess(102, "b");
  Outcome out = Call("SELECT * FROM Win32_Process", "Name|ProcessId", "Name").Run();
  EXPECT_EQ(out.text, "b\xFD" "102");
}

TEST_F(WmiQuery, BlanksAroundNamesAndBarsChangeNothing) {
  fake.AddProcess(11, "alpha");
  fake.AddProcess(12, "beta");
  std::string plain = Call("SELECT * FROM Win32_Process", "Name|ProcessId").Run().text;
  EXPECT_EQ(Call("SELECT * FROM Win32_Process", "  Name  |   ProcessId ").Run().text, plain);
  EXPECT_EQ(plain, "alpha\xFD" "11\xFE" "beta\xFD" "12");
}

TEST_F(WmiQuery, NullValuesMissingPropertiesAndAMissingList) {
  fake.AddProcess(11, "alpha");
  fake.AddProcess(12, "beta");
  EXPECT_EQ(Call("SELECT * FROM Win32_Process WHERE ProcessId = 11", "Name|ExecutablePath|NoSuchThing").Run().text,
            "alpha\xFDNULL\xFD");
  EXPECT_EQ(Call("SELECT Name FROM Win32_Process WHERE ProcessId = 11", "ProcessId|Name").Run().text, "\xFD" "alpha");
  Outcome noList = Call("SELECT * FROM Win32_Process", "").Run();
  EXPECT_EQ(noList.code, 0);
  EXPECT_EQ(noList.text, "\xFE");
}

TEST_F(WmiQuery, ValueTextsOfListsDateTimesBooleansAndLargeNumbers) {
  EXPECT_EQ(Call("SELECT * FROM Win32_BIOS", "BIOSVersion|ReleaseDate|PrimaryBIOS|Manufacturer").Run().text,
            "1.2.3\xFC" "Fake Firmware Inc. - 5.17\xFD" "2021-03-15 00:00:00   000000000\xFD-1\xFD" "Fake Firmware Inc.");
  EXPECT_EQ(Call("SELECT * FROM Win32_OperatingSystem", "TotalVirtualMemorySize|LastBootUpTime|CurrentTimeZone").Run().text,
            "18000000\xFD" "2021-03-04 05:06:07   000000000\xFD" "0");
}

TEST(WmiDateTimes, AreRewrittenForReading) {
  const std::pair<const char*, const char*> cases[] = {
      {"20261210155512.123456+060", "2026-12-10 15:55:12   123456060"},
      {"20261210155512.000000-300", "2026-12-10 15:55:12   000000-300"},
      {"********155512.000000+000", "-- 15:55:12   000000000"},
      {"2026121015.5512+0", "2026121015   55120"},
      {"", ""},
  };
  for (auto [cim, readable] : cases) EXPECT_EQ(zqv::ReadableDateTime(cim), readable) << cim;
}

TEST_F(WmiQuery, DisksAgreeWithTheDriveList) {
  BSTR list = DSKGetDrives();
  std::string drives = zq::text::FromBstr(list);
  SysFreeString(list);
  std::string fromQuery;
  for (const auto& row : Rows(Call("SELECT * FROM Win32_LogicalDisk", "DeviceID|DriveType").Run().text)) {
    if (!fromQuery.empty()) fromQuery += '|';
    fromQuery += row[0] + "\\@" + row[1];
  }
  std::string expected;
  for (std::size_t start = 0; start < drives.size();) {
    std::size_t end = drives.find('|', start);
    std::string item = drives.substr(start, end - start);
    if (!expected.empty()) expected += '|';
    expected += item.substr(0, item.rfind('@'));
    start = end == std::string::npos ? drives.size() : end + 1;
  }
  EXPECT_EQ(fromQuery, expected);
  EXPECT_NE(fromQuery.find("Q:\\@1"), std::string::npos);
}

TEST_F(WmiQuery, EveryFailureWritesItsCodeInTheOrderOfTheCalls) {
  using zq::com::FailNextCall;
  using zq::com::Step;
  struct Case {
    const char* what;
    std::function<void()> arrange;
    Call call;
    int32_t code;
  };
  const Call good{"SELECT * FROM Win32_Process", "Name"};
  const Call refused{"ASSOCIATORS OF {Win32_Process.Handle='1'}", "Name"};
  const Case cases[] = {
      {"no query before anything else", [] { FailNextCall(Step::Initialize, E_FAIL); }, Call{"", "Name"}, -999},
      {"COM refused", [] { FailNextCall(Step::Initialize, E_OUTOFMEMORY); }, good, -1},
      {"single-threaded", [] { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }, good, -1},
      {"security before the locator",
       [] {
         FailNextCall(Step::Security, E_FAIL);
         FailNextCall(Step::CreateInstance, E_FAIL);
       },
       good, -2},
      {"no locator before the connection",
       [] {
         FailNextCall(Step::CreateInstance, REGDB_E_CLASSNOTREG);
         FailNextCall(Step::Connect, E_FAIL);
       },
       good, -3},
      {"a remote computer with credentials", [] {}, Call{"SELECT * FROM Win32_Process", "Name", "", "zq-nowhere-host", "anna", "secret"}, -5},
      {"no connection before its security",
       [] {
         FailNextCall(Step::Connect, WBEM_E_FAILED);
         FailNextCall(Step::ProxyBlanket, E_FAIL);
       },
       good, -5},
      {"the connection's security before the query",
       [] {
         FailNextCall(Step::ProxyBlanket, E_FAIL);
         FailNextCall(Step::Query, E_FAIL);
       },
       good, -6},
      {"a refused query", [] {}, refused, -7},
      {"a failed query", [] { FailNextCall(Step::Query, WBEM_E_FAILED); }, good, -7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OnOwnThread([&] {
      c.arrange();
      Outcome out = c.call.Run();
      EXPECT_EQ(out.code, c.code);
      EXPECT_EQ(out.text, "");
      // No query touches nothing: the failure meant for COM's set-up is still waiting.
      if (c.code == -999) {
        EXPECT_EQ(zq::com::TakeInjectedFailure(Step::Initialize), E_FAIL);
      }
      zq::com::TakeInjectedFailure(Step::Initialize);
      if (c.code != -1) {
        EXPECT_TRUE(ComTornDown());
      }
    });
  }
}

TEST_F(WmiQuery, RefusedQueriesWriteMinus7) {
  for (const char* query : {"SELECT", "SELECT * FROM Win32_Service", "SELECT * FROM Win32_Process WHERE Name = 'x",
                            "REFERENCES OF {Win32_Process.Handle='1'}",
                            "SELECT * FROM __InstanceModificationEvent WITHIN 1", "DELETE FROM Win32_Process"}) {
    SCOPED_TRACE(query);
    EXPECT_EQ(Call(query, "Name").Run().code, -7);
  }
}

TEST_F(WmiQuery, ARemoteNoneWithAUserShowsTheDialogPrefilledAndCancelGivesMinus4) {
  std::string prefilled, password;
  CredentialsAnswerer answerer([&](HWND dialog) {
    prefilled = FieldText(dialog, kCredentialsUserField);
    password = FieldText(dialog, kCredentialsPasswordField);
    zq::ui::GrabWindow(dialog, (std::filesystem::temp_directory_path() / "zq-credentials-dialog.png").string());
    return zq::ui::Answer::Cancelled();
  });
  Outcome out = Call("SELECT * FROM Win32_Process", "Name", "", "fileserver", "anna", "none").Run();
  EXPECT_TRUE(answerer.Shown());
  EXPECT_EQ(out.code, -4);
  EXPECT_EQ(prefilled, "anna");
  EXPECT_EQ(password, "");
  EXPECT_TRUE(ComTornDown());
}

TEST_F(WmiQuery, ARemoteWithoutCredentialsAsksForThemWithTheCallersName) {
  std::string prefilled;
  CredentialsAnswerer answerer([&](HWND dialog) {
    prefilled = FieldText(dialog, kCredentialsUserField);
    SetWindowTextA(GetDlgItem(dialog, kCredentialsPasswordField), "secret");
    zq::ui::Flush();
    zq::ui::GrabWindow(dialog, (std::filesystem::temp_directory_path() / "zq-credentials-filled.png").string());
    return zq::ui::Answer::Pressed(IDOK);
  });
  Outcome out = Call("SELECT * FROM Win32_Process", "Name", "", "fileserver").Run();
  EXPECT_TRUE(answerer.Shown());
  EXPECT_EQ(prefilled, zq::sys::UserName().value_or("?"));
  EXPECT_EQ(out.code, -5);  // confirmed, but the computer is out of reach
}

TEST_F(WmiQuery, ThisComputerByNameIsReachedAfterTheDialog) {
  fake.AddProcess(11, "alpha");
  zq::ui::input::AnswerQuestion(zq::ui::Answer::Pressed(IDOK));  // waits for the dialog
  Outcome out = Call("SELECT * FROM Win32_Process", "Name", "", "localhost", "anna").Run();
  EXPECT_EQ(out.code, 0);
  EXPECT_EQ(out.text, "alpha");
  ASSERT_EQ(zq::ui::TakeAsked().size(), 1u);
  out = Call("SELECT * FROM Win32_Process", "Name", "", ".", "anna", "secret").Run();
  EXPECT_EQ(out.text, "alpha");
  EXPECT_TRUE(zq::ui::TakeAsked().empty());
}

TEST_F(WmiQuery, OverlongCredentialsAreRefusedBeforeAnyDialog) {
  const std::string user513(513, 'u'), password256(256, 'p');
  EXPECT_EQ(Call("SELECT * FROM Win32_Process", "Name", "", "fileserver", user513 + "u", "secret").Run().code, -4);
  EXPECT_EQ(Call("SELECT * FROM Win32_Process", "Name", "", "fileserver", "", password256 + "p").Run().code, -4);
  EXPECT_TRUE(zq::ui::TakeAsked().empty());
  EXPECT_EQ(Call("SELECT * FROM Win32_Process", "Name", "", "fileserver", user513, password256).Run().code, -5);
}

TEST_F(WmiQuery, QueriesInARowOnOneThreadAllSucceed) {
  fake.AddProcess(11, "alpha");
  OnOwnThread([] {
    for (int i = 0; i < 3; ++i) {
      Outcome out = Call("SELECT * FROM Win32_Process", "Name").Run();
      EXPECT_EQ(out.code, 0);
      EXPECT_EQ(out.text, "alpha");
    }
    EXPECT_TRUE(ComTornDown());
  });
}

TEST_F(WmiQuery, QueriesOnTwoThreadsAtOnce) {
  for (int pid = 1; pid <= 50; ++pid) fake.AddProcess(pid, "p" + std::to_string(pid));
  const std::string expected = Call("SELECT * FROM Win32_Process", "Name|ProcessId").Run().text;
  std::atomic<int> wrong{0};
  auto worker = [&] {
    for (int i = 0; i < 25; ++i) {
      Outcome out = Call("SELECT * FROM Win32_Process", "Name|ProcessId").Run();
      if (out.code != 0 || out.text != expected) ++wrong;
    }
  };
  std::thread a(worker), b(worker);
  a.join();
  b.join();
  EXPECT_EQ(wrong, 0);
}

TEST(WmiQueryOnThisSystem, TheTestProcessIsAmongTheProcesses) {
  zq::wmi::SetSystemRoot("");
  const std::string pid = std::to_string(getpid());
  Outcome all = Call("SELECT ProcessId, Name FROM Win32_Process", "ProcessId|Name").Run();
  ASSERT_EQ(all.code, 0);
  bool found = false;
  for (const auto& row : Rows(all.text)) found = found || row[0] == pid;
  EXPECT_TRUE(found);
  Outcome own = Call("SELECT * FROM Win32_Process WHERE ProcessId = " + pid, "ProcessId|ParentProcessId|Name").Run();
  EXPECT_EQ(own.text, pid + "\xFD" + std::to_string(getppid()) + "\xFD" "wmi_query_tests");
}

}  // namespace
