// Updates, adds and deletes write only what changed, to exactly one row, on both back ends.
#include <algorithm>

#include "DbTestSupport.h"
#include "zqplatform/codepage.h"
#include "zqplatform/oledate.h"
#include "zqvantor/data.h"

using namespace dbtest;

namespace {

// One column of every SQL type the fields handle, with a value for the row that has one and
// the setter that changes it (none: the field type takes no setter, the column must only be
// kept).
struct Column {
  const char* name;
  const char* sqlite;
  const char* postgres;
  const char* literal;
  enum Setter { None, Long, Double, String, Date } setter;
  const char* text;  // the value a String setter writes
};

const Column kColumns[] = {
    {"sm", "SMALLINT", "SMALLINT", "-12", Column::Long, nullptr},
    {"i", "INTEGER", "INTEGER", "70000", Column::Long, nullptr},
    {"bi", "BIGINT", "BIGINT", "9000000000", Column::String, "-9000000001"},
    {"r", "REAL", "REAL", "1.5", Column::Double, nullptr},
    {"d", "DOUBLE", "DOUBLE PRECISION", "-2.7", Column::Double, nullptr},
    {"dec", "DECIMAL(10,2)", "DECIMAL(10,2)", "12.50", Column::String, "3.25"},
    {"vc", "VARCHAR(40)", "VARCHAR(40)", "'12abc'", Column::String, "it's"},
    {"lt", "TEXT", "TEXT", "'a long text'", Column::None, nullptr},
    {"dt", "DATE", "DATE", "'2009-03-14'", Column::Date, nullptr},
    {"ts", "TIMESTAMP", "TIMESTAMP", "'2009-03-14 10:20:30.125'", Column::Date, nullptr},
    {"tm", "TIME", "TIME", "'10:20:30'", Column::Date, nullptr},
    {"b", "BIT", "BOOLEAN", nullptr, Column::Long, nullptr},
    {"bin", "BLOB", "BYTEA", nullptr, Column::None, nullptr},
    {"ti", "TINYINT", "SMALLINT", "49", Column::Long, nullptr},
    {"ch", "CHAR(5)", "CHAR(5)", "'ab'", Column::String, "xy"},
    {"num", "NUMERIC(8,3)", "NUMERIC(8,3)", "1.125", Column::String, "2.5"},
    {"f", "FLOAT", "FLOAT", "0.1", Column::Double, nullptr},
};

class RowWrite : public BackendTest {
 protected:
  bool Pg() const { return GetParam().name == "PostgreSQL"; }

  // A table of every column; row 1 holds nulls only, row 2 a value in every column.
  std::string TypesTable(bool keyed) {
    std::string columns = keyed ? "id INTEGER PRIMARY KEY" : "id INTEGER", values = "2";
    for (const Column& c : kColumns) {
      columns += std::string(", ") + c.name + " " + (Pg() ? c.postgres : c.sqlite);
      values += ", ";
      if (std::string(c.name) == "b") values += Pg() ? "true" : "1";
      else if (std::string(c.name) == "bin") values += Pg() ? "'\\x414243'" : "X'414243'";
      else values += c.literal;
    }
    const std::string table = Table(keyed ? "keyed" : "keyless", columns);
    Exec(db_, "INSERT INTO " + table + " (id) VALUES (1)");
    Exec(db_, "INSERT INTO " + table + " VALUES (" + values + ")");
    return table;
  }

  int32_t Open(int32_t rs, const std::string& sql) {
    return RSOpen(db_, rs, static_cast<int32_t>(sql.size()), sql.c_str(), 1, 0);
  }

  // Every column of a row: its text, and whether it is null.
  std::vector<std::string> Row(const std::string& table, int id) {
    std::string sql = "SELECT *";
    for (const Column& c : kColumns)
      sql += std::string(", CASE WHEN ") + c.name + " IS NULL THEN 1 ELSE 0 END AS null_" + c.name;
    sql += " FROM " + table + " WHERE id = " + std::to_string(id);
    const int32_t rs = RSAttach(db_);
    std::vector<std::string> row;
    if (Open(rs, sql) == 1) {
      int32_t err = 0;
      for (int32_t i = 0; i < RSGetFieldCount(db_, rs); ++i) row.push_back(TakeBstr(RSGetStringC(db_, rs, &err, i)));
    }
    RSDetach(db_, rs);
    return row;
  }

  int32_t Count(const std::string& sql) {
    const int32_t rs = RSAttach(db_);
    int32_t err = 0;
    const int32_t n = Open(rs, sql) == 1 ? RSGetLongC(db_, rs, &err, 0) : -1;
    RSDetach(db_, rs);
    return n;
  }

  int32_t Set(int32_t rs, const Column& c) {
    const int32_t n = static_cast<int32_t>(std::string(c.name).size());
    SYSTEMTIME st{2011, 6, 0, 15, 23, 59, 58, 0};
    switch (c.setter) {
      case Column::Long: return RSSetLongF(db_, rs, n, c.name, 0);
      case Column::Double: return RSSetDoubleF(db_, rs, n, c.name, 0.5);
      case Column::String:
        return RSSetStringF(db_, rs, n, c.name, static_cast<int32_t>(std::string(c.text).size()), c.text);
      case Column::Date: return RSSetDateF(db_, rs, n, c.name, sizeof st, &st);
      case Column::None: break;
    }
    return -1;
  }
};

TEST_P(RowWrite, AnUpdateOfOneFieldLeavesEveryOtherColumnAsItWas) {
  const std::size_t first = 1 + std::size(kColumns);  // the null flags follow the columns
  for (const bool keyed : {true, false}) {
    const std::string table = TypesTable(keyed);
    const int32_t rs = RSAttach(db_);
    for (std::size_t k = 0; k < std::size(kColumns); ++k) {
      const Column& c = kColumns[k];
      if (c.setter == Column::None) continue;
      for (const int id : {1, 2}) {
        SCOPED_TRACE(std::string(keyed ? "keyed, " : "keyless, ") + c.name + " in row " + std::to_string(id));
        const std::vector<std::string> before = Row(table, id);
        ASSERT_EQ(Open(rs, "SELECT * FROM " + table + " WHERE id = " + std::to_string(id)), 1);
        ASSERT_EQ(Set(rs, c), 0);
        DBSetDebug(db_, 2);
        ASSERT_EQ(RSUpdate(db_, rs), 0) << ::testing::PrintToString(TakeBoxes());
        DBSetDebug(db_, 0);
        const std::vector<std::string> after = Row(table, id);
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t i = 0; i < after.size(); ++i) {
          if (i == k + 1 || i == first + k) continue;  // the column set, and its null flag
          EXPECT_EQ(after[i], before[i]) << "column " << i;
        }
        EXPECT_EQ(after[first + k], "0");  // the column set is no longer null
      }
    }
    RSDetach(db_, rs);
  }
}

TEST_P(RowWrite, AnAddedRecordHasNullInEveryColumnNotSet) {
  const std::string table = TypesTable(true);
  const int32_t rs = RSAttach(db_);
  ASSERT_EQ(Open(rs, "SELECT * FROM " + table + " ORDER BY id"), 1);
  ASSERT_EQ(RSMoveNext(db_, rs), 0);  // on the row of values
  ASSERT_EQ(RSAddNew(db_, rs), 0);
  EXPECT_EQ(RSSetLongF(db_, rs, 2, "id", 3), 0);
  EXPECT_EQ(RSSetStringF(db_, rs, 2, "vc", 1, "x"), 0);
  ASSERT_EQ(RSUpdate(db_, rs), 0);
  ASSERT_EQ(RSAddNew(db_, rs), 0);
  EXPECT_EQ(RSSetLongF(db_, rs, 2, "id", 4), 0);
  ASSERT_EQ(RSUpdate(db_, rs), 0);
  const std::size_t first = 1 + std::size(kColumns);
  const std::vector<std::string> three = Row(table, 3), four = Row(table, 4);
  ASSERT_EQ(four.size(), first + std::size(kColumns));
  for (std::size_t k = 0; k < std::size(kColumns); ++k) {
    SCOPED_TRACE(kColumns[k].name);
    EXPECT_EQ(four[first + k], "1");
    EXPECT_EQ(three[first + k], std::string(kColumns[k].name) == "vc" ? "0" : "1");
  }
  EXPECT_EQ(three[7], "x");
}

TEST_P(RowWrite, TimestampsKeepSecondsAndFractions) {
  for (const bool keyed : {true, false}) {
    SCOPED_TRACE(keyed ? "keyed" : "keyless");
    const std::string table =
        Table("stamps", std::string(keyed ? "id INTEGER PRIMARY KEY" : "id INTEGER") + ", ts TIMESTAMP, n INTEGER, "
                                                                                 "r REAL");
    Exec(db_, "INSERT INTO " + table + " VALUES (1, '2009-03-14 10:20:30.125', 5, 0.1)");
    Exec(db_, "INSERT INTO " + table + " VALUES (2, '2009-03-14 10:20:30.125', 5, 0.1)");
    const std::string fraction = "SELECT COUNT(*) FROM " + table + " WHERE ts = '2009-03-14 10:20:30.125'";
    const int32_t rs = RSAttach(db_);
    // Another column changes: the timestamp keeps its fraction.
    ASSERT_EQ(Open(rs, "SELECT * FROM " + table + " WHERE id = 1"), 1);
    EXPECT_EQ(RSSetLongF(db_, rs, 1, "n", 6), 0);
    ASSERT_EQ(RSUpdate(db_, rs), 0);
    EXPECT_EQ(Count(fraction), 2);
    // The timestamp itself changes: its seconds stay.
    SYSTEMTIME st{2011, 6, 0, 15, 23, 59, 58, 0};
    EXPECT_EQ(RSSetDateF(db_, rs, 2, "ts", sizeof st, &st), 0);
    ASSERT_EQ(RSUpdate(db_, rs), 0);
    ASSERT_EQ(Open(rs, "SELECT * FROM " + table + " WHERE id = 1"), 1);
    SYSTEMTIME back{};
    ASSERT_EQ(RSGetDateF(db_, rs, 2, "ts", sizeof back, &back), 0);
    EXPECT_EQ(back.wHour * 10000 + back.wMinute * 100 + back.wSecond, 235958);
    EXPECT_EQ(back.wDay, 15);
    EXPECT_EQ(Count(fraction), 1);
    RSDetach(db_, rs);
  }
}

TEST_P(RowWrite, OneOfTwoIdenticalRowsChangesAloneOrNotAtAll) {
  // SQLite names every row by its rowid; the other server names none here, so the two rows
  // cannot be told apart and the change is refused.
  const bool apart = !Pg();
  const std::string table = Table("twins", "a INTEGER, b VARCHAR(10)");
  Exec(db_, "INSERT INTO " + table + " VALUES (1, 'same')");
  Exec(db_, "INSERT INTO " + table + " VALUES (1, 'same')");
  const std::string same = "SELECT COUNT(*) FROM " + table + " WHERE b = 'same'";
  const int32_t rs = RSAttach(db_);
  ASSERT_EQ(Open(rs, "SELECT * FROM " + table), 1);
  EXPECT_EQ(RSSetStringF(db_, rs, 1, "b", 3, "new"), 0);
  EXPECT_EQ(RSUpdate(db_, rs), apart ? 0 : -56);
  EXPECT_EQ(Count(same), apart ? 1 : 2);
  if (!apart) {
    EXPECT_EQ(RSCancelUpdate(db_, rs), 0);  // the refused edit was still going on
  }
  ASSERT_EQ(Open(rs, "SELECT * FROM " + table + " WHERE b = 'same'"), 1);
  EXPECT_EQ(RSDelete(db_, rs), apart ? 0 : -55);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM " + table), 2 - (apart ? 1 : 0));
  // A row that its values tell apart changes on both.
  Exec(db_, "INSERT INTO " + table + " VALUES (2, 'other')");
  ASSERT_EQ(Open(rs, "SELECT * FROM " + table + " WHERE a = 2"), 1);
  EXPECT_EQ(RSSetLongF(db_, rs, 1, "a", 3), 0);
  EXPECT_EQ(RSUpdate(db_, rs), 0);
  EXPECT_EQ(RSDelete(db_, rs), 0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM " + table + " WHERE b = 'other'"), 0);
}

TEST_P(RowWrite, TextsAreStoredAsGiven) {
  // Every byte from 0x80 up: in the 1252 code page as they are, in UTF-8 as the characters
  // U+0080 to U+00FF.
  std::string high;
  for (int c = 0x80; c <= 0xFF; ++c) high += static_cast<char>(c);
  if (GetACP() != CP_1252) high = zq::text::ToMulti(std::u16string(zq::text::ToWide(high, CP_1252)), CP_UTF8);
  const std::string text = "O'Brien's \"quote\" " + high;
  const std::string table = Table("texts", "id INTEGER PRIMARY KEY, t VARCHAR(250)");
  Exec(db_, "INSERT INTO " + table + " VALUES (1, 'plain')");
  const int32_t rs = RSAttach(db_);
  ASSERT_EQ(Open(rs, "SELECT * FROM " + table), 1);
  const auto size = static_cast<int32_t>(text.size());
  EXPECT_EQ(RSSetStringF(db_, rs, 1, "t", size, text.c_str()), 0);
  ASSERT_EQ(RSUpdate(db_, rs), 0);
  ASSERT_EQ(RSAddNew(db_, rs), 0);
  EXPECT_EQ(RSSetLongF(db_, rs, 2, "id", 2), 0);
  EXPECT_EQ(RSSetStringF(db_, rs, 1, "t", size, text.c_str()), 0);
  ASSERT_EQ(RSUpdate(db_, rs), 0);
  ASSERT_EQ(Open(rs, "SELECT t FROM " + table + " ORDER BY id"), 1);
  int32_t err = 0;
  EXPECT_EQ(TakeBstr(RSGetStringC(db_, rs, &err, 0)), text);
  ASSERT_EQ(RSMoveNext(db_, rs), 0);
  EXPECT_EQ(TakeBstr(RSGetStringC(db_, rs, &err, 0)), text);
}

TEST_P(RowWrite, IdentifiersKeepTheirCase) {
  const std::string table = "\"" + Unique("Mixed") + "\"";
  Exec(db_, "CREATE TABLE " + table + " (\"Id\" INTEGER PRIMARY KEY, \"Name\" VARCHAR(20))");
  tables_.push_back(table);
  Exec(db_, "INSERT INTO " + table + " VALUES (1, 'one')");
  const int32_t rs = RSAttach(db_);
  ASSERT_EQ(Open(rs, "SELECT * FROM " + table), 1);
  EXPECT_EQ(RSSetStringF(db_, rs, 4, "name", 3, "uno"), 0);
  ASSERT_EQ(RSUpdate(db_, rs), 0);
  ASSERT_EQ(RSAddNew(db_, rs), 0);
  EXPECT_EQ(RSSetLongF(db_, rs, 2, "ID", 2), 0);
  ASSERT_EQ(RSUpdate(db_, rs), 0);
  EXPECT_EQ(RSDelete(db_, rs), 0);  // the first row, current again after the add
  ASSERT_EQ(Open(rs, "SELECT \"Id\", \"Name\" FROM " + table), 1);
  int32_t err = 0;
  EXPECT_EQ(RSGetLongC(db_, rs, &err, 0), 2);
  EXPECT_EQ(RSGetRecordCount(db_, rs, 1), 1);
}

TEST_P(RowWrite, TheKeyItselfChanges) {
  const std::string table = Table("keys", "id INTEGER PRIMARY KEY, name VARCHAR(20)");
  Exec(db_, "INSERT INTO " + table + " VALUES (1, 'one')");
  Exec(db_, "INSERT INTO " + table + " VALUES (2, 'two')");
  const int32_t rs = RSAttach(db_);
  ASSERT_EQ(Open(rs, "SELECT name, id FROM " + table + " ORDER BY id"), 1);
  EXPECT_EQ(RSSetLongF(db_, rs, 2, "id", 10), 0);
  EXPECT_EQ(RSSetStringF(db_, rs, 4, "name", 3, "ten"), 0);
  ASSERT_EQ(RSUpdate(db_, rs), 0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM " + table + " WHERE id = 10 AND name = 'ten'"), 1);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM " + table + " WHERE id = 2 AND name = 'two'"), 1);
  // The key is fetched with the record where the statement does not name it.
  ASSERT_EQ(Open(rs, "SELECT name FROM " + table + " WHERE name = 'two'"), 1);
  EXPECT_EQ(RSGetFieldCount(db_, rs), 1);
  EXPECT_EQ(RSSetStringF(db_, rs, 4, "name", 4, "deux"), 0);
  ASSERT_EQ(RSUpdate(db_, rs), 0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM " + table + " WHERE id = 2 AND name = 'deux'"), 1);
  // A column that is no column of the table cannot be written.
  ASSERT_EQ(Open(rs, "SELECT id, id + 1 AS next FROM " + table + " ORDER BY id"), 1);
  EXPECT_EQ(RSSetLongF(db_, rs, 4, "next", 7), 0);
  EXPECT_EQ(RSUpdate(db_, rs), -56);
}

TEST_P(RowWrite, AChangedRowShowsItsNewValuesWhenTheCursorComesBack) {
  const std::string table = Table("back", "id INTEGER PRIMARY KEY, name VARCHAR(200)");
  Exec(db_, "INSERT INTO " + table + " VALUES (1, 'one')");
  Exec(db_, "INSERT INTO " + table + " VALUES (2, 'two')");
  const std::string longer(150, 'x');
  int32_t err = 0;
  for (const int32_t type : {0, 1, 3}) {
    SCOPED_TRACE(type);
    Exec(db_, "UPDATE " + table + " SET id = 1, name = 'one' WHERE name <> 'two'");
    const int32_t rs = RSAttach(db_);
    const std::string sql = "SELECT * FROM " + table + " ORDER BY name";
    ASSERT_EQ(RSOpen(db_, rs, static_cast<int32_t>(sql.size()), sql.c_str(), type, 0), 1);
    // The key and a text longer than the one fetched.
    EXPECT_EQ(RSSetLongF(db_, rs, 2, "id", 10), 0);
    EXPECT_EQ(RSSetStringF(db_, rs, 4, "name", static_cast<int32_t>(longer.size()), longer.c_str()), 0);
    ASSERT_EQ(RSUpdate(db_, rs), 0);
    ASSERT_EQ(RSMoveNext(db_, rs), 0);
    ASSERT_EQ(RSMovePrev(db_, rs), 0);
    EXPECT_EQ(RSGetLongF(db_, rs, &err, 2, "id"), 10);
    EXPECT_EQ(TakeBstr(RSGetStringF(db_, rs, &err, 4, "name")), longer);
    // The row is still found under its new key, and a value set back to the fetched one is written.
    EXPECT_EQ(RSSetStringF(db_, rs, 4, "name", 3, "one"), 0);
    ASSERT_EQ(RSUpdate(db_, rs), 0);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM " + table + " WHERE id = 10 AND name = 'one'"), 1);
    RSDetach(db_, rs);
  }
}

INSTANTIATE_TEST_SUITE_P(Backends, RowWrite, ::testing::ValuesIn(AllBackends()), BackendName);

}  // namespace
