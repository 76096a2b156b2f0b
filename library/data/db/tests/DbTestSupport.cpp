#include "DbTestSupport.h"

#include <atomic>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <random>
#include <unistd.h>

#include "zqplatform/codepage.h"
#include "zqplatform/msgbox.h"
#include "zqplatform/uiinput.h"
#include "zqvantor/data.h"

namespace {

// Local time is UTC, and user data sources come from an odbc.ini of the test's own.
const bool environmentSet = [] {
  setenv("TZ", "UTC", 1);
  tzset();
  const auto ini =
      std::filesystem::temp_directory_path() / ("zq-odbc-test-" + std::to_string(getpid()) + ".ini");
  setenv("ODBCINI", ini.c_str(), 0);
  // Every message box the library shows is pressed OK, and its text kept (TakeBoxes).
  zq::ui::input::AnswerEvery(zq::ui::Answer::Pressed(IDOK));
  return true;
}();
}  // namespace

namespace dbtest {

std::vector<std::string> TakeBoxes() {
  std::vector<std::string> texts;
  for (const zq::ui::Asked& a : zq::ui::TakeAsked()) {
    if (a.question.kind == zq::ui::QuestionKind::Message) texts.push_back(a.question.text);
  }
  return texts;
}

std::string Unique(const std::string& base) {
  static std::atomic<int> counter{0};
  static const std::string run = std::to_string(std::random_device{}() % 1000000);
  return base + "_" + run + "_" + std::to_string(++counter);
}

Backend Sqlite() {
  const auto file = std::filesystem::temp_directory_path() / (Unique("zqdb") + ".sqlite");
  return {"SQLite", "DRIVER={SQLite3};Database=" + file.string() + ";", file.string()};
}

Backend Postgres() {
  const char* port = std::getenv("ZQ_PG_PORT");
  if (!port || !*port) return {"PostgreSQL", "", ""};
  return {"PostgreSQL", std::string("DRIVER={PostgreSQL Unicode};Server=127.0.0.1;Port=") + port +
                            ";Database=zqtest;UID=zqtest;PWD=zqtest;BoolsAsChar=0;CommLog=0;", ""};
}

SqliteFile::SqliteFile() : backend(Sqlite()) {}
SqliteFile::~SqliteFile() { std::filesystem::remove(backend.file); }

std::vector<Backend> AllBackends() { return {Sqlite(), Postgres()}; }

int32_t Connect(const Backend& backend) {
  const int32_t db = DBCreate();
  EXPECT_GT(db, 0);
  const int32_t rc = DBOpen(db, 0, nullptr, 0, static_cast<int32_t>(backend.connect.size()),
                            backend.connect.c_str(), 0);
  EXPECT_EQ(rc, 0) << backend.connect;
  return db;
}

void Exec(int32_t db, const std::string& sql) {
  EXPECT_EQ(DBSQL(db, static_cast<int32_t>(sql.size()), sql.c_str()), 0) << sql;
}

void BackendTest::SetUp() {
  if (GetParam().connect.empty()) GTEST_SKIP() << "no PostgreSQL test server (ZQ_PG_PORT)";
  // Each test case gets a fresh SQLite file.
  backend_ = GetParam().name == "SQLite" ? Sqlite() : GetParam();
  db_ = Connect(backend_);
  TakeBoxes();
}

void BackendTest::TearDown() {
  if (db_ > 0) {
    DBClose(db_);
    DBDestroy(db_);
    // Drop the tables through a connection of their own.
    if (GetParam().name != "SQLite" && !tables_.empty()) {
      const int32_t db = Connect(GetParam());
      for (const std::string& t : tables_) {
        const std::string sql = "DROP TABLE IF EXISTS " + t;
        DBSQL(db, static_cast<int32_t>(sql.size()), sql.c_str());
      }
      DBDestroy(db);
    }
  }
  if (!backend_.file.empty()) std::filesystem::remove(backend_.file);
  TakeBoxes();
}

std::string BackendTest::Table(const std::string& base, const std::string& columns) {
  const std::string name = Unique(base);
  Exec(db_, "CREATE TABLE " + name + " (" + columns + ")");
  tables_.push_back(name);
  return name;
}

std::string BackendName(const ::testing::TestParamInfo<Backend>& info) { return info.param.name; }

}  // namespace dbtest

// The SQLite driver leaks a little when it reads a data source from odbc.ini (inside the
// driver manager's connect, in a module unloaded by the time the leak check runs).
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
  return "leak:SQLDriverConnect\n";
}
// Full stacks for allocations, so that the suppression above finds the driver manager's frame.
extern "C" __attribute__((visibility("default"))) const char* __asan_default_options() {
  return "fast_unwind_on_malloc=0";
}
