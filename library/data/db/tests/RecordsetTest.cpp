// Record sets on both back ends: opening, moving, counting, editing, adding, deleting, bookmarks.
#include "DbTestSupport.h"
#include "zqvantor/data.h"

using namespace dbtest;

namespace {

class Recordset : public BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    if (IsSkipped()) return;
    table_ = Table("rs", "id INTEGER PRIMARY KEY, name VARCHAR(40)");
    for (int i = 1; i <= 3; ++i)
      Exec(db_, "INSERT INTO " + table_ + " VALUES (" + std::to_string(i) + ", 'n" + std::to_string(i) + "')");
    rs_ = RSAttach(db_);
    ASSERT_EQ(rs_, 1);
  }
  int32_t Open(const std::string& sql, int32_t type = 1, int32_t options = 0) {
    return RSOpen(db_, rs_, static_cast<int32_t>(sql.size()), sql.c_str(), type, options);
  }
  int32_t Long(int32_t column) {
    int32_t err = -1;
    const int32_t v = RSGetLongC(db_, rs_, &err, column);
    EXPECT_EQ(err, 0);
    return v;
  }
  std::string SelectAll() { return "SELECT id, name FROM " + table_ + " ORDER BY id"; }
  std::vector<int32_t> Ids() {
    const int32_t other = RSAttach(db_);
    std::vector<int32_t> ids;
    const std::string sql = SelectAll();
    int32_t err = 0;
    if (RSOpen(db_, other, static_cast<int32_t>(sql.size()), sql.c_str(), 2, 0) == 1) {
      while (RSIsEOF(db_, other) == 0) {
        ids.push_back(RSGetLongC(db_, other, &err, 0));
        RSMoveNext(db_, other);
      }
    }
    RSDetach(db_, other);
    return ids;
  }
  std::string table_;
  int32_t rs_ = 0;
};

TEST_P(Recordset, OpenArgumentsAndEmptyResults) {
  EXPECT_EQ(RSOpen(db_, rs_, 10, nullptr, 1, 0), -25);
  EXPECT_EQ(RSOpen(db_, rs_, 3, "   ", 1, 0), -25);
  const std::string sql = SelectAll();
  EXPECT_EQ(RSOpen(db_, 0, static_cast<int32_t>(sql.size()), sql.c_str(), 1, 0), -22);
  EXPECT_EQ(RSOpen(db_, 7, static_cast<int32_t>(sql.size()), sql.c_str(), 1, 0), -23);
  EXPECT_EQ(Open("SELECT id FROM no_such_table_here"), -50);
  EXPECT_EQ(Open("SELECT id, name FROM " + table_ + " WHERE id > 100"), 0);
  EXPECT_EQ(RSIsEOF(db_, rs_), 1);
  EXPECT_EQ(RSIsBOF(db_, rs_), 1);
  EXPECT_EQ(RSIsFound(db_, rs_), 0);
  EXPECT_EQ(RSGetRecordCount(db_, rs_, 1), 0);
  EXPECT_EQ(RSGetFieldCount(db_, rs_), 2);
  EXPECT_EQ(RSIsOpen(db_, rs_), 1);
  EXPECT_EQ(RSClose(db_, rs_), 0);
  EXPECT_EQ(RSIsOpen(db_, rs_), -67);
}

TEST_P(Recordset, MovesAndCounts) {
  for (int32_t type : {0, 1, 3}) {
    SCOPED_TRACE(type);
    ASSERT_EQ(Open(SelectAll(), type), 1);
    EXPECT_EQ(Long(0), 1);
    EXPECT_EQ(RSGetRecordCount(db_, rs_, 1), 3);
    EXPECT_EQ(Long(0), 1);  // back on the first record
    for (int i = 0; i < 3; ++i) EXPECT_EQ(RSMoveNext(db_, rs_), 0);
    EXPECT_EQ(RSIsEOF(db_, rs_), 1);
    EXPECT_EQ(RSMoveNext(db_, rs_), -59);
    EXPECT_EQ(RSGetRecordCount(db_, rs_, 1), 3);  // counted from past the end as well
    EXPECT_EQ(Long(0), 1);
    EXPECT_EQ(RSMoveLast(db_, rs_), 0);
    EXPECT_EQ(Long(0), 3);
    EXPECT_EQ(RSMovePrev(db_, rs_), 0);
    EXPECT_EQ(Long(0), 2);
    EXPECT_EQ(RSSetPos(db_, rs_, 1), 0);
    EXPECT_EQ(Long(0), 1);
    EXPECT_EQ(RSMovePrev(db_, rs_), 0);
    EXPECT_EQ(RSIsBOF(db_, rs_), 1);
    EXPECT_EQ(RSMovePrev(db_, rs_), -60);
    EXPECT_EQ(RSMove(db_, rs_, 2, 5), 0);  // absolute row 2
    EXPECT_EQ(Long(0), 2);
    EXPECT_EQ(RSMoveFirst(db_, rs_), 0);
    EXPECT_EQ(RSGetRecordCount(db_, rs_, 0), 3);
  }
  // Forward only: the first record is there, and it moves forward only.
  ASSERT_EQ(Open(SelectAll(), 2), 1);
  EXPECT_EQ(RSMoveNext(db_, rs_), 0);
  EXPECT_EQ(Long(0), 2);
  EXPECT_EQ(RSMovePrev(db_, rs_), -60);
  EXPECT_EQ(RSCanUpdate(db_, rs_), 0);
  EXPECT_EQ(RSCanRestart(db_, rs_), 1);
  EXPECT_EQ(Open(SelectAll(), 1, 0x2000), 1);
  EXPECT_EQ(RSCanRestart(db_, rs_), 0);
}

TEST_P(Recordset, EditUpdateCancelAndTheSharedEditState) {
  ASSERT_EQ(Open(SelectAll(), 1), 1);
  ASSERT_EQ(RSCanUpdate(db_, rs_), 1);
  EXPECT_EQ(RSCanTransact(db_, rs_), 1);
  EXPECT_EQ(RSEdit(db_, rs_), 0);
  EXPECT_EQ(RSUpdate(db_, rs_), -56);  // nothing changed
  EXPECT_EQ(RSUpdate(db_, rs_), -56);  // and no edit under way

  // A setter begins the edit by itself.
  EXPECT_EQ(RSSetStringC(db_, rs_, 1, 10, "abc       "), 0);
  EXPECT_EQ(RSUpdate(db_, rs_), 0);
  const std::string check = "SELECT name FROM " + table_ + " WHERE id = 1";
  const int32_t other = RSAttach(db_);
  ASSERT_EQ(RSOpen(db_, other, static_cast<int32_t>(check.size()), check.c_str(), 1, 0), 1);
  int32_t err = 0;
  EXPECT_EQ(TakeBstr(RSGetStringC(db_, other, &err, 0)), "abc       ");

  // A second edit keeps what was changed since the first one.
  EXPECT_EQ(RSEdit(db_, rs_), 0);
  EXPECT_EQ(RSSetStringC(db_, rs_, 1, 3, "def"), 0);
  EXPECT_EQ(RSEdit(db_, rs_), 0);
  EXPECT_EQ(RSUpdate(db_, rs_), 0);
  ASSERT_EQ(RSOpen(db_, other, static_cast<int32_t>(check.size()), check.c_str(), 1, 0), 1);
  EXPECT_EQ(TakeBstr(RSGetStringC(db_, other, &err, 0)), "def");

  // Cancel puts the value back.
  EXPECT_EQ(RSSetLongC(db_, rs_, 0, 40), 0);
  EXPECT_EQ(Long(0), 40);
  EXPECT_EQ(RSCancelUpdate(db_, rs_), 0);
  EXPECT_EQ(Long(0), 1);
  EXPECT_EQ(RSCancelUpdate(db_, rs_), -54);

  // An edit begun on one record set counts for every record set of the database: the setter on
  // the other one writes without an edit of its own, so its update fails.
  EXPECT_EQ(RSEdit(db_, rs_), 0);
  EXPECT_EQ(RSSetStringC(db_, other, 0, 1, "x"), 0);
  EXPECT_EQ(TakeBstr(RSGetStringC(db_, other, &err, 0)), "x");
  EXPECT_EQ(RSUpdate(db_, other), -56);
  EXPECT_EQ(RSMoveNext(db_, rs_), 0);  // a move clears the edit state
  // Reopening clears it as well.
  EXPECT_EQ(RSEdit(db_, rs_), 0);
  ASSERT_EQ(Open(SelectAll(), 1), 1);
  EXPECT_EQ(RSSetLongC(db_, rs_, 0, 1), 0);
  EXPECT_EQ(RSUpdate(db_, rs_), -56);  // the implicit edit found nothing changed
}

TEST_P(Recordset, AddNewAndDelete) {
  ASSERT_EQ(Open(SelectAll(), 1), 1);
  ASSERT_EQ(RSCanAppend(db_, rs_), 1);
  EXPECT_EQ(RSAddNew(db_, rs_), 0);
  EXPECT_EQ(RSSetLongC(db_, rs_, 0, 7), 0);
  EXPECT_EQ(RSSetStringF(db_, rs_, 4, "NAME", 5, "seven"), 0);
  EXPECT_EQ(RSUpdate(db_, rs_), 0);
  EXPECT_EQ(Long(0), 1);  // the record current before the add is back
  EXPECT_EQ(Ids(), (std::vector<int32_t>{1, 2, 3, 7}));
  // An edit during an add gives the add up: the current record's values are back.
  EXPECT_EQ(RSAddNew(db_, rs_), 0);
  EXPECT_EQ(RSSetLongC(db_, rs_, 0, 8), 0);
  EXPECT_EQ(RSEdit(db_, rs_), 0);
  EXPECT_EQ(Long(0), 1);
  EXPECT_EQ(RSCancelUpdate(db_, rs_), 0);
  EXPECT_EQ(Long(0), 1);

  EXPECT_EQ(RSMoveNext(db_, rs_), 0);
  EXPECT_EQ(RSDelete(db_, rs_), 0);
  EXPECT_EQ(RSIsDeleted(db_, rs_), 1);
  EXPECT_EQ(RSEdit(db_, rs_), -52);  // no current record
  EXPECT_EQ(RSMoveNext(db_, rs_), 0);
  EXPECT_EQ(RSIsDeleted(db_, rs_), 0);
  EXPECT_EQ(Ids(), (std::vector<int32_t>{1, 3, 7}));

  // Read-only record sets refuse every change.
  ASSERT_EQ(Open(SelectAll(), 1, 0x4), 1);
  EXPECT_EQ(RSCanUpdate(db_, rs_), 0);
  EXPECT_EQ(RSSetLongC(db_, rs_, 0, 9), -65);
  EXPECT_EQ(RSEdit(db_, rs_), -52);
  EXPECT_EQ(RSAddNew(db_, rs_), -53);
  EXPECT_EQ(RSDelete(db_, rs_), -55);
}

TEST_P(Recordset, Bookmarks) {
  ASSERT_EQ(Open(SelectAll(), 1), 1);
  EXPECT_EQ(RSCanBookmark(db_, rs_), 0);
  EXPECT_EQ(RSEdit(db_, rs_), 0);
  EXPECT_EQ(RSSetBookmark(db_, rs_, 1), -62);
  EXPECT_EQ(RSGetBookmark(db_, rs_), -62);
  EXPECT_EQ(RSUpdate(db_, rs_), -56);  // the edit state was left as it was: still editing

  ASSERT_EQ(Open(SelectAll(), 1, 0x100), 1);
  ASSERT_EQ(RSCanBookmark(db_, rs_), 64);
  EXPECT_EQ(RSMoveNext(db_, rs_), 0);
  const int32_t second = RSGetBookmark(db_, rs_);
  ASSERT_GE(second, 0);
  EXPECT_EQ(RSMoveLast(db_, rs_), 0);
  EXPECT_EQ(RSSetBookmark(db_, rs_, second), 0);
  EXPECT_EQ(Long(0), 2);
  EXPECT_EQ(RSEdit(db_, rs_), 0);
  EXPECT_EQ(RSSetBookmark(db_, rs_, 1000000), -64);
  // The edit state was cleared all the same: a setter begins an edit, which finds no record.
  EXPECT_EQ(RSSetLongC(db_, rs_, 0, 5), -52);
}

TEST_P(Recordset, MessageBoxesOfRecordsetOperations) {
  ASSERT_EQ(Open(SelectAll(), 2), 1);
  for (int i = 0; i < 3; ++i) RSMoveNext(db_, rs_);
  EXPECT_EQ(DBSetDebug(db_, 1), 0);
  EXPECT_EQ(RSMoveNext(db_, rs_), -59);
  EXPECT_TRUE(TakeBoxes().empty());
  EXPECT_EQ(DBSetDebug(db_, 2), 0);
  EXPECT_EQ(RSMoveNext(db_, rs_), -59);
  const auto shown = TakeBoxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].rfind("CDB Exception in Recordset MoveNext :\n\n", 0), 0u) << shown[0];
  EXPECT_EQ(Open("SELECT nothing FROM nowhere_at_all"), -50);
  const auto open = TakeBoxes();
  ASSERT_EQ(open.size(), 1u);
  EXPECT_EQ(open[0].rfind("CDB Exception in Open Recordset :\n\n", 0), 0u);
  EXPECT_NE(open[0].find("\n\n with SQL SELECT : \n\nSELECT nothing FROM nowhere_at_all"), std::string::npos);
  // Flags 0 clear the record-set flag again.
  EXPECT_EQ(DBSetDebug(db_, 0), 0);
  EXPECT_EQ(Open("SELECT nothing FROM nowhere_at_all"), -50);
  EXPECT_TRUE(TakeBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Backends, Recordset, ::testing::ValuesIn(AllBackends()), BackendName);

}  // namespace
