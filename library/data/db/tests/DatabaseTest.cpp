// The DB family against SQLite (and the record-set registry of a database).
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "DbTestSupport.h"
#include "zqvantor/data.h"

using namespace dbtest;

namespace {

int32_t OpenWith(int32_t db, const std::string& dsn, const std::string& connect, int32_t cursorLib = 0) {
  return DBOpen(db, static_cast<int32_t>(dsn.size()), dsn.empty() ? nullptr : dsn.c_str(), 0,
                static_cast<int32_t>(connect.size()), connect.empty() ? nullptr : connect.c_str(), cursorLib);
}

struct Db {
  int32_t h = DBCreate();
  ~Db() { DBDestroy(h); }
};

TEST(Database, HandlesAndCodesBeforeAnyConnection) {
  Db db;
  ASSERT_EQ(db.h, 1);  // the registry is empty
  EXPECT_EQ(DBIsOpen(db.h), 0);
  int32_t err = 77;
  EXPECT_EQ(TakeBstr(DBGetConnect(db.h, &err)), "");
  EXPECT_EQ(TakeBstr(DBGetDatabaseName(db.h, &err)), "");
  EXPECT_EQ(err, 77);  // left as the caller set it
  EXPECT_EQ(TakeBstr(DBGetConnect(4096, &err)), "");
  EXPECT_EQ(err, -3);
  EXPECT_EQ(TakeBstr(DBGetConnect(0, &err)), "");
  EXPECT_EQ(err, -2);

  EXPECT_EQ(OpenWith(db.h, "", ""), -5);
  EXPECT_EQ(DBOpen(db.h, 20, nullptr, 0, 0, nullptr, 0), -5);
  EXPECT_EQ(DBSQL(9999, 0, nullptr), -8);
  EXPECT_EQ(DBSQL(db.h, 8, "SELECT 1"), -9);
  EXPECT_EQ(DBSQL(db.h, -4, "SELECT 1"), -8);
  EXPECT_EQ(DBSQL(4097, 8, "SELECT 1"), -2);
  EXPECT_EQ(DBSetDebug(4096, 1), -3);
  EXPECT_EQ(RSAttach(db.h), -9);
  EXPECT_EQ(DBDestroy(0), 0);
  EXPECT_EQ(DBDestroy(4097), -2);
  EXPECT_EQ(DBDestroy(4000), 0);
  // Three blanks pass the emptiness test and fail as an open of an empty name.
  EXPECT_EQ(OpenWith(db.h, "   ", ""), -7);
  EXPECT_EQ(DBIsOpen(db.h), 0);
}

TEST(Database, OpenTwiceCloseAndReopen) {
  const SqliteFile sqlite;
  Db db;
  ASSERT_EQ(OpenWith(db.h, "", "  " + sqlite.backend.connect + "  "), 0);
  EXPECT_EQ(DBIsOpen(db.h), 1);
  EXPECT_EQ(OpenWith(db.h, "", sqlite.backend.connect), -6);
  int32_t err = 0;
  const std::string connect = TakeBstr(DBGetConnect(db.h, &err));
  EXPECT_EQ(connect.rfind("ODBC;", 0), 0u) << connect;
  EXPECT_NE(connect.find(sqlite.backend.file), std::string::npos);
  EXPECT_NE(TakeBstr(DBGetDatabaseName(db.h, &err)), "");
  EXPECT_EQ(err, 0);
  EXPECT_EQ(DBCanTransact(db.h), 1);
  EXPECT_GE(DBGetBookmarkPersistence(db.h), 0);
  EXPECT_EQ(DBClose(db.h), 0);
  EXPECT_EQ(DBIsOpen(db.h), 0);
  // The opened mark stays: a closed database cannot be opened again.
  EXPECT_EQ(OpenWith(db.h, "", sqlite.backend.connect), -7);
}

TEST(Database, OpensADataSourceByNameAlone) {
  const char* ini = std::getenv("ODBCINI");
  ASSERT_NE(ini, nullptr);
  const SqliteFile sqlite;
  // A name of its own each time: the driver manager keeps what it read of the file a while.
  const std::string source = Unique("zq_sqlite_test");
  {
    std::ofstream out(ini);
    out << "[" << source << "]\nDriver = SQLite3\nDatabase = " << sqlite.backend.file << "\n";
  }
  Db db;
  ASSERT_EQ(OpenWith(db.h, " " + source + " ", ""), 0);
  EXPECT_EQ(DBSQL(db.h, 22, "CREATE TABLE t (a INT)"), 0);
  int32_t err = 0;
  EXPECT_NE(TakeBstr(DBGetConnect(db.h, &err)).find(source), std::string::npos);

  // A name that is not registered fails without a message box, whatever the flags.
  Db other;
  DBSetDebug(other.h, 3);
  EXPECT_EQ(OpenWith(other.h, "zq_no_such_source", ""), -7);
  EXPECT_TRUE(TakeBoxes().empty());
  std::filesystem::remove(ini);
}

TEST(Database, StatementFailuresAndTheirMessageBoxes) {
  const SqliteFile sqlite;
  Db db;
  ASSERT_EQ(OpenWith(db.h, "", sqlite.backend.connect), 0);
  TakeBoxes();
  const std::string bad = "SELEKT nothing";
  EXPECT_EQ(DBSQL(db.h, static_cast<int32_t>(bad.size()), bad.c_str()), -10);
  EXPECT_TRUE(TakeBoxes().empty());
  EXPECT_EQ(DBSetDebug(db.h, 1), 0);
  EXPECT_EQ(DBSQL(db.h, static_cast<int32_t>(bad.size()), bad.c_str()), -10);
  auto shown = TakeBoxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].rfind("CDB Exception in Execute SQL :\n\n", 0), 0u) << shown[0];
  EXPECT_NE(shown[0].find("\n\n with SQL SELECT : \n\n" + bad), std::string::npos);
  // Flags 6: only the record-set flag; the database flag is cleared.
  EXPECT_EQ(DBSetDebug(db.h, 6), 0);
  EXPECT_EQ(DBSQL(db.h, static_cast<int32_t>(bad.size()), bad.c_str()), -10);
  EXPECT_TRUE(TakeBoxes().empty());
  // A wrong connection string with the database flag shows the open's box.
  Db other;
  DBSetDebug(other.h, 1);
  EXPECT_EQ(OpenWith(other.h, "", "DRIVER={No Such Driver};"), -7);
  shown = TakeBoxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].rfind("CDB Exception in Open Database :\n\n", 0), 0u);
}

TEST(Database, RecordsetRegistry) {
  const SqliteFile sqlite;
  Db db;
  ASSERT_EQ(OpenWith(db.h, "", sqlite.backend.connect), 0);
  EXPECT_EQ(RSAttach(db.h), 1);
  EXPECT_EQ(RSAttach(db.h), 2);
  EXPECT_EQ(RSDetach(db.h, 1), 0);
  EXPECT_EQ(RSAttach(db.h), 1);
  EXPECT_EQ(RSDetach(db.h, 0), 0);
  EXPECT_EQ(RSDetach(db.h, 65536), -22);
  EXPECT_EQ(RSDetach(db.h, 2), 0);
  EXPECT_EQ(RSDetach(db.h, 2), -23);
  EXPECT_EQ(RSMoveNext(db.h, 1), -67);  // attached, not open
  EXPECT_EQ(RSIsOpen(db.h, 1), -67);
  EXPECT_EQ(RSMoveNext(db.h, 0), -22);
  EXPECT_EQ(RSMoveNext(db.h, 9), -23);
  EXPECT_EQ(RSMoveNext(4096, 1), -3);
  // Record-set handles are per database.
  Db second;
  ASSERT_EQ(OpenWith(second.h, "", sqlite.backend.connect), 0);
  EXPECT_EQ(RSAttach(second.h), 1);
}

TEST(Database, DestroyClosesItsOpenRecordsets) {
  const SqliteFile sqlite;
  const int32_t db = DBCreate();
  ASSERT_EQ(OpenWith(db, "", sqlite.backend.connect), 0);
  Exec(db, "CREATE TABLE t (a INTEGER PRIMARY KEY)");
  Exec(db, "INSERT INTO t VALUES (1)");
  const int32_t a = RSAttach(db), b = RSAttach(db);
  EXPECT_EQ(RSOpen(db, a, 15, "SELECT a FROM t", 1, 0), 1);
  EXPECT_EQ(RSOpen(db, b, 1, "t", 1, 0), 1);  // a table name becomes a SELECT
  int32_t err = 0;
  EXPECT_EQ(TakeBstr(RSGetSQL(db, b, &err)), "SELECT * FROM t");
  EXPECT_EQ(TakeBstr(RSGetTableName(db, b, &err)), "t");
  EXPECT_EQ(DBDestroy(db), 0);
  EXPECT_EQ(RSIsOpen(db, a), -3);
  EXPECT_EQ(DBDestroy(db), 0);
}

TEST(Database, CursorLibraryAllowsSnapshotsOnly) {
  const SqliteFile sqlite;
  Db db;
  ASSERT_EQ(OpenWith(db.h, "", sqlite.backend.connect, 1), 0);
  Exec(db.h, "CREATE TABLE t (a INTEGER)");
  const int32_t rs = RSAttach(db.h);
  EXPECT_EQ(RSOpen(db.h, rs, 15, "SELECT a FROM t", 0, 0), -28);
  EXPECT_EQ(RSOpen(db.h, rs, 15, "SELECT a FROM t", 1, 0), 0);
}

}  // namespace
