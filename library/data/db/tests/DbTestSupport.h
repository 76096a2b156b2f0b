// What the database tests share: the two real back ends, SQL helpers, and a recorder of the
// message boxes the library shows.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "zqplatform/oleauto.h"
#include "zqtest/HostCalls.h"

namespace dbtest {

struct Backend {
  std::string name;     // "SQLite", "PostgreSQL"
  std::string connect;  // the DSN-less connection string
  std::string file;     // SQLite's database file
};

// SQLite on a fresh file in the test's temporary folder.
Backend Sqlite();
// The loopback server of the test fixture (ZQ_PG_PORT); empty connect when none is set.
Backend Postgres();
std::vector<Backend> AllBackends();

// A SQLite back end whose file is removed at the end of the scope.
struct SqliteFile {
  SqliteFile();
  ~SqliteFile();
  SqliteFile(const SqliteFile&) = delete;
  SqliteFile& operator=(const SqliteFile&) = delete;
  Backend backend;
};
inline void PrintTo(const Backend& backend, std::ostream* os) { *os << backend.name; }

// A name unique to this process, for tables of tests that may run at the same time.
std::string Unique(const std::string& base);

// A new database handle connected through the connection string (asserts success).
int32_t Connect(const Backend& backend);
// Runs statements; fails the test on an error.
void Exec(int32_t db, const std::string& sql);

using zqtest::TakeBstr;

// Message boxes shown since the last call (their texts), and forgets them.
std::vector<std::string> TakeBoxes();

// Runs a test case once per back end; PostgreSQL is skipped when no server was started.
class BackendTest : public ::testing::TestWithParam<Backend> {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Creates a table (columns as SQL) named uniquely; returns its name.
  std::string Table(const std::string& base, const std::string& columns);
  Backend backend_;
  int32_t db_ = 0;
  std::vector<std::string> tables_;
};

std::string BackendName(const ::testing::TestParamInfo<Backend>& info);

}  // namespace dbtest
