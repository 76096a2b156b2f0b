// Failures of drivers, statements and connections: codes, records and no crash.

#include "DbTestSupport.h"
#include "data/db/CLARS.h"
#include "data/db/CLASQL.h"
#include "frame/CVantor.h"
#include "zqvantor/data.h"

using namespace dbtest;

namespace {

class Failure : public BackendTest {};

TEST_P(Failure, RecordsetAfterItsDatabaseClosed) {
  const std::string table = Table("f", "id INTEGER PRIMARY KEY");
  Exec(db_, "INSERT INTO " + table + " VALUES (1)");
  const int32_t rs = RSAttach(db_);
  const std::string sql = "SELECT id FROM " + table;
  ASSERT_EQ(RSOpen(db_, rs, static_cast<int32_t>(sql.size()), sql.c_str(), 1, 0), 1);
  EXPECT_EQ(DBClose(db_), 0);
  int32_t err = 0;
  EXPECT_EQ(RSMoveNext(db_, rs), -9);
  EXPECT_EQ(RSGetLongC(db_, rs, &err, 0), 0);
  EXPECT_EQ(err, -9);
  EXPECT_EQ(RSOpen(db_, rs, static_cast<int32_t>(sql.size()), sql.c_str(), 1, 0), -9);
  EXPECT_EQ(RSDetach(db_, rs), 0);
}

TEST_P(Failure, BrokenStatementsKeepTheConnectionUsable) {
  const int32_t rs = RSAttach(db_);
  for (const std::string bad : {"SELECT * FROM", "SELECT )(", "UPDATE nothing_here SET a = 1"}) {
    EXPECT_EQ(DBSQL(db_, static_cast<int32_t>(bad.size()), bad.c_str()), -10) << bad;
    EXPECT_EQ(RSOpen(db_, rs, static_cast<int32_t>(bad.size()), bad.c_str(), 1, 0), -50) << bad;
  }
  const std::string table = Table("ok", "id INTEGER PRIMARY KEY");
  const std::string sql = "SELECT id FROM " + table;
  EXPECT_EQ(RSOpen(db_, rs, static_cast<int32_t>(sql.size()), sql.c_str(), 1, 0), 0);
}

TEST_P(Failure, ServerEndsTheConnectionInTheMiddle) {
  if (GetParam().name != "PostgreSQL") GTEST_SKIP() << "needs a server";
  const std::string table = Table("cut", "id INTEGER PRIMARY KEY");
  Exec(db_, "INSERT INTO " + table + " SELECT generate_series(1, 500)");
  const int32_t rs = RSAttach(db_);
  ASSERT_EQ(RSOpen(db_, rs, 23, "SELECT pg_backend_pid()", 1, 0), 1);
  int32_t err = 0;
  const int32_t pid = RSGetLongC(db_, rs, &err, 0);
  const std::string sql = "SELECT id FROM " + table + " ORDER BY id";
  ASSERT_EQ(RSOpen(db_, rs, static_cast<int32_t>(sql.size()), sql.c_str(), 2, 0), 1);
  // A second connection ends this one's backend.
  const int32_t killer = Connect(GetParam());
  Exec(killer, "SELECT pg_terminate_backend(" + std::to_string(pid) + ")");
  DBDestroy(killer);
  DBSetDebug(db_, 3);
  const std::string more = "SELECT 1";
  EXPECT_EQ(DBSQL(db_, static_cast<int32_t>(more.size()), more.c_str()), -10);
  EXPECT_EQ(RSOpen(db_, rs, static_cast<int32_t>(more.size()), more.c_str(), 1, 0), -50);
  EXPECT_FALSE(TakeBoxes().empty());
  EXPECT_EQ(RSMoveNext(db_, rs), -67);  // the failed open left it closed
  EXPECT_EQ(DBClose(db_), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, Failure, ::testing::ValuesIn(AllBackends()), BackendName);

}  // namespace

// The last-error records that no export returns, read from the objects themselves.
namespace {

TEST(LastErrorRecord, DatabaseAndRecordsetFailuresAreRecorded) {
  const SqliteFile sqlite;
  const int32_t db = DBCreate();
  int32_t code = 0;
  CLASQL* database = CVantor::App().LookupDatabase(db, &code);
  ASSERT_NE(database, nullptr);
  EXPECT_EQ(database->LastErrorRecord().context, "DB-Constructor");

  const std::string wrong = "DRIVER={No Such Driver};";
  EXPECT_EQ(DBOpen(db, 0, nullptr, 0, static_cast<int32_t>(wrong.size()), wrong.c_str(), 0), -7);
  EXPECT_EQ(database->LastErrorRecord().context, "DB-Open");
  EXPECT_EQ(database->LastErrorRecord().nativeCode, -1);
  EXPECT_FALSE(database->LastErrorRecord().errorText.empty());

  ASSERT_EQ(DBOpen(db, 0, nullptr, 0, static_cast<int32_t>(sqlite.backend.connect.size()), sqlite.backend.connect.c_str(), 0), 0);
  Exec(db, "CREATE TABLE t (id INTEGER PRIMARY KEY)");
  const std::string bad = "DROP TABLE nothing_here";
  EXPECT_EQ(DBSQL(db, static_cast<int32_t>(bad.size()), bad.c_str()), -10);
  EXPECT_EQ(database->LastErrorRecord().context, "DB-ExecuteSQL");
  EXPECT_EQ(database->LastErrorRecord().nativeCode, -1);

  const int32_t rs = RSAttach(db);
  CLARS* set = database->LookupRecordset(rs, &code);
  ASSERT_NE(set, nullptr);
  ASSERT_EQ(RSOpen(db, rs, 16, "SELECT id FROM t", 1, 0), 0);
  int32_t err = 0;
  RSGetLongC(db, rs, &err, 999);
  EXPECT_EQ(set->LastErrorRecord().context, "RS-Field( int nField )");
  EXPECT_EQ(set->LastErrorRecord().errorCode, -112);
  EXPECT_EQ(set->LastErrorRecord().errorText, "CODBCRecordset\nFieldNr. 999 Not Found (Out of Range).");
  RSGetLongF(db, rs, &err, 4, "Nope");
  EXPECT_EQ(set->LastErrorRecord().errorCode, -113);
  EXPECT_EQ(set->LastErrorRecord().errorText, "CODBCRecordset - GetFieldID\n\nField 'Nope' Not Found.");
  EXPECT_EQ(RSMoveNext(db, rs), -59);  // the set is empty
  EXPECT_EQ(set->LastErrorRecord().context, "RS-MoveNext");
  EXPECT_EQ(set->LastErrorRecord().nativeCode, kDbErrPastEnd);
  EXPECT_EQ(RSClose(db, rs), 0);
  RSGetFieldTypeC(db, rs, 0);
  EXPECT_EQ(set->LastErrorRecord().errorCode, -111);
  EXPECT_EQ(set->LastErrorRecord().errorText, "Recordset not Opened.");

  EXPECT_EQ(DBClose(db), 0);
  EXPECT_EQ(DBOpen(db, 0, nullptr, 0, static_cast<int32_t>(sqlite.backend.connect.size()), sqlite.backend.connect.c_str(), 0), -7);
  EXPECT_EQ(database->LastErrorRecord().errorCode, -100);
  EXPECT_EQ(database->LastErrorRecord().errorText, "Database is already opened.");
  DBDestroy(db);
}

}  // namespace
