// Every getter and setter on columns of every SQL type the fields handle, on both back ends.
#include <cstring>

#include "DbTestSupport.h"
#include "zqplatform/oledate.h"
#include "zqvantor/data.h"

using namespace dbtest;

namespace {

const std::string kLongText = [] {
  std::string t;
  for (int i = 0; i < 60; ++i) t += "word" + std::to_string(i % 10);
  return t;  // 300 bytes
}();

// 400 bytes with zero bytes among them, and the same as a hexadecimal literal.
const std::string kLongBinary = [] {
  std::string b;
  for (int i = 0; i < 400; ++i) b += static_cast<char>(i % 3 == 0 ? 0 : 'a' + i % 26);
  return b;
}();
const std::string kLongBinaryHex = [] {
  std::string hex;
  for (unsigned char c : kLongBinary) {
    hex += "0123456789ABCDEF"[c >> 4];
    hex += "0123456789ABCDEF"[c & 15];
  }
  return hex;
}();

struct Column {
  const char* name;
  const char* sqlite;  // column type on each back end
  const char* postgres;
  std::string literalSqlite;
  std::string literalPostgres;
  int16_t type;  // RSGetFieldTypeC
  int32_t asLong;
  double asDouble;
  std::string asString;  // empty: not compared
  bool asBool;
  unsigned char asChar;
  int16_t asShort;
  int16_t sqliteType = -100;  // where SQLite reports otherwise
  const char* sqliteString = nullptr;
};

const Column kColumns[] = {
    {"sm", "SMALLINT", "SMALLINT", "-12", "-12", 4, -12, -12, "-12", true, 244, -12},
    {"i", "INTEGER", "INTEGER", "70000", "70000", 4, 70000, 70000, "70000", true, 'p', 4464},
    {"bi", "BIGINT", "BIGINT", "9000000000", "9000000000", 7, INT32_MAX, 9e9, "9000000000", false, '9', -1},
    {"r", "REAL", "REAL", "1.5", "1.5", 5, 1, 1.5, "1.500000", true, 1, 1, 6},
    {"d", "DOUBLE", "DOUBLE PRECISION", "-2.7", "-2.7", 6, -2, -2.7, "-2.700000", true, 254, -2},
    {"dec", "DECIMAL(10,2)", "DECIMAL(10,2)", "'12.50'", "12.50", 7, 12, 12.5, "12.50", true, '1', 12, -100, "12.5"},
    {"vc", "VARCHAR(40)", "VARCHAR(40)", "'12abc'", "'12abc'", 7, 12, 12, "12abc", true, '1', 12},
    {"lt", "TEXT", "TEXT", "'" + kLongText + "'", "'" + kLongText + "'", 9, 0, 0, kLongText, false, ' ', 0},
    {"dt", "DATE", "DATE", "'2009-03-14'", "'2009-03-14'", 8, 0, 0, "3/14/2009", false, ' ', 0},
    {"ts", "TIMESTAMP", "TIMESTAMP", "'2009-03-14 10:20:30'", "'2009-03-14 10:20:30'", 8, 0, 0,
     "3/14/2009 10:20:30 AM", false, ' ', 0},
    {"tm", "TIME", "TIME", "'10:20:30'", "'10:20:30'", 8, 0, 0, "", false, ' ', 0},
    {"b", "BIT", "BOOLEAN", "1", "true", 1, 1, 1, "T", true, 'T', 1},
    {"bin", "BLOB", "BYTEA", "X'414243'", "'\\x414243'", 9, 0, 0, "ABC", false, ' ', 0},
    {"lb", "BLOB", "BYTEA", "X'" + kLongBinaryHex + "'", "'\\x" + kLongBinaryHex + "'", 9, 0, 0, kLongBinary, false,
     ' ', 0},
    // The other server has no one-byte integer: there it is a SMALLINT.
    {"ti", "TINYINT", "SMALLINT", "49", "49", 4, 49, 49, "49", true, '1', 49, 2, "1"},
};

class FieldAccess : public BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    if (IsSkipped()) return;
    const bool pg = GetParam().name == "PostgreSQL";
    std::string columns = "id INTEGER PRIMARY KEY", values = "1", nulls = "2";
    for (const Column& c : kColumns) {
      columns += std::string(", ") + c.name + " " + (pg ? c.postgres : c.sqlite);
      values += ", " + (pg ? c.literalPostgres : c.literalSqlite);
      nulls += ", NULL";
    }
    table_ = Table("fields", columns);
    Exec(db_, "INSERT INTO " + table_ + " VALUES (" + values + ")");
    Exec(db_, "INSERT INTO " + table_ + " VALUES (" + nulls + ")");
    Reopen();
  }
  void Reopen() {
    if (rs_ == 0) rs_ = RSAttach(db_);
    const std::string sql = "SELECT * FROM " + table_ + " ORDER BY id";
    ASSERT_EQ(RSOpen(db_, rs_, static_cast<int32_t>(sql.size()), sql.c_str(), 1, 0), 1);
  }
  std::string table_;
  int32_t rs_ = 0;
};

TEST_P(FieldAccess, GettersByNumberAndByName) {
  ASSERT_EQ(RSGetFieldCount(db_, rs_), 1 + static_cast<int32_t>(std::size(kColumns)));
  const bool sqlite = GetParam().name == "SQLite";
  int32_t column = 1;
  for (const Column& c : kColumns) {
    const int16_t type = sqlite && c.sqliteType != -100 ? c.sqliteType : c.type;
    const std::string text = sqlite && c.sqliteString ? c.sqliteString : c.asString;
    SCOPED_TRACE(c.name);
    const std::string upper = " " + std::string(c.name) + " ";  // blanks around, lower case
    const int32_t n = static_cast<int32_t>(upper.size());
    int32_t err = -1;
    EXPECT_EQ(RSGetFieldTypeC(db_, rs_, column), type);
    EXPECT_EQ(RSGetFieldTypeN(db_, rs_, n, upper.c_str()), type);
    EXPECT_EQ(RSGetLongC(db_, rs_, &err, column), c.asLong);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(RSGetLongF(db_, rs_, &err, n, upper.c_str()), c.asLong);
    EXPECT_DOUBLE_EQ(RSGetDoubleC(db_, rs_, &err, column), c.asDouble);
    EXPECT_DOUBLE_EQ(RSGetDoubleF(db_, rs_, &err, n, upper.c_str()), c.asDouble);
    EXPECT_FLOAT_EQ(RSGetFloatC(db_, rs_, &err, column), static_cast<float>(c.asDouble));
    EXPECT_FLOAT_EQ(RSGetFloatF(db_, rs_, &err, n, upper.c_str()), static_cast<float>(c.asDouble));
    EXPECT_EQ(RSGetBoolC(db_, rs_, &err, column), c.asBool ? 1 : 0);
    EXPECT_EQ(RSGetBoolF(db_, rs_, &err, n, upper.c_str()), c.asBool ? 1 : 0);
    EXPECT_EQ(static_cast<unsigned char>(RSGetCharC(db_, rs_, &err, column)), c.asChar);
    EXPECT_EQ(static_cast<unsigned char>(RSGetCharF(db_, rs_, &err, n, upper.c_str())), c.asChar);
    EXPECT_EQ(RSGetShortF(db_, rs_, &err, n, upper.c_str()), c.asShort);
    EXPECT_EQ(RSGetShortC(db_, rs_, &err, column), c.asShort);
    if (!text.empty()) {
      EXPECT_EQ(TakeBstr(RSGetStringC(db_, rs_, &err, column)), text);
      EXPECT_EQ(TakeBstr(RSGetStringF(db_, rs_, &err, n, upper.c_str())), text);
    }
    ++column;
  }
  SYSTEMTIME st{};
  ASSERT_EQ(RSGetDateF(db_, rs_, 2, "TS", sizeof st, &st), 0);
  EXPECT_EQ(st.wYear, 2009);
  EXPECT_EQ(st.wMonth, 3);
  EXPECT_EQ(st.wDay, 14);
  EXPECT_EQ(st.wHour, 10);
  EXPECT_EQ(st.wMinute, 20);
  EXPECT_EQ(st.wSecond, 30);
  ASSERT_EQ(RSGetDateF(db_, rs_, 2, "tm", sizeof st, &st), 0);
  EXPECT_EQ(st.wHour * 10000 + st.wMinute * 100 + st.wSecond, 102030);
  ASSERT_EQ(RSGetDateF(db_, rs_, 2, "dt", sizeof st, &st), 0);
  EXPECT_EQ(st.wDay, 14);
  EXPECT_EQ(st.wHour, 0);
  // A text column holding a date, and a number as seconds since 1970 (TZ=UTC).
  ASSERT_EQ(RSGetDateF(db_, rs_, 2, "dt", sizeof st, &st), 0);
  EXPECT_EQ(RSGetDateF(db_, rs_, 2, "vc", sizeof st, &st), -68);
  EXPECT_EQ(st.wYear, 0);
  ASSERT_EQ(RSGetDateF(db_, rs_, 1, "i", sizeof st, &st), 0);
  EXPECT_EQ(st.wYear, 1970);
  EXPECT_EQ(st.wHour, 19);
}

TEST_P(FieldAccess, NullRowReadsAsNullEverywhere) {
  ASSERT_EQ(RSMoveNext(db_, rs_), 0);
  for (int32_t column = 1; column <= static_cast<int32_t>(std::size(kColumns)); ++column) {
    SCOPED_TRACE(column);
    int32_t err = -1;
    EXPECT_EQ(RSGetLongC(db_, rs_, &err, column), 0);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(RSGetBoolC(db_, rs_, &err, column), 0);
    EXPECT_EQ(RSGetCharC(db_, rs_, &err, column), ' ');
    EXPECT_EQ(RSGetDoubleC(db_, rs_, &err, column), 0);
    EXPECT_EQ(TakeBstr(RSGetStringC(db_, rs_, &err, column)), "");
    SYSTEMTIME st{1, 1, 1, 1, 1, 1, 1, 1};
    EXPECT_EQ(RSGetDateC(db_, rs_, column, sizeof st, &st), -68);
    EXPECT_EQ(st.wYear, 0);
  }
}

TEST_P(FieldAccess, LookupFailuresGiveNullValuesAndCodes) {
  int32_t err = -1;
  EXPECT_EQ(RSGetLongC(db_, rs_, &err, 999), 0);
  EXPECT_EQ(err, 0);
  EXPECT_EQ(RSSetLongC(db_, rs_, 999, 5), 0);
  EXPECT_EQ(RSGetFieldTypeC(db_, rs_, 999), 0);
  EXPECT_EQ(RSGetFieldTypeN(db_, rs_, 7, "nothing"), 0);
  EXPECT_EQ(RSGetLongF(db_, rs_, &err, 7, "nothing"), 0);
  EXPECT_EQ(err, 0);
  EXPECT_EQ(TakeBstr(RSGetStringF(db_, rs_, &err, 3, "   ")), "");
  EXPECT_EQ(err, -26);
  EXPECT_EQ(RSGetBoolF(4096, rs_, &err, 2, nullptr), 0);
  EXPECT_EQ(err, -26);  // the name is checked before the database
  EXPECT_EQ(RSGetBoolF(4096, rs_, &err, 2, "id"), 0);
  EXPECT_EQ(err, -3);
  EXPECT_EQ(RSGetLongC(db_, 9, &err, 0), 0);
  EXPECT_EQ(err, -23);
  EXPECT_EQ(RSSetLongF(db_, rs_, 0, "x", 1), -26);
  SYSTEMTIME st{};
  EXPECT_EQ(RSGetDateC(db_, rs_, 10, 12, &st), -27);
  EXPECT_EQ(RSGetDateC(db_, rs_, 10, 16, nullptr), -27);
  EXPECT_EQ(RSSetDateF(db_, rs_, 2, nullptr, 16, &st), -26);
  EXPECT_EQ(RSSetDateF(db_, rs_, 2, "ts", 16, nullptr), -27);
  EXPECT_EQ(RSClose(db_, rs_), 0);
  EXPECT_EQ(RSGetDateC(db_, rs_, 10, sizeof st, &st), -68);  // not -67
  EXPECT_EQ(RSGetLongC(db_, rs_, &err, 0), 0);
  EXPECT_EQ(err, -67);
  EXPECT_EQ(RSGetFieldTypeC(db_, rs_, 1), 0);  // closed: the spare field
  EXPECT_EQ(RSSetLongC(db_, rs_, 1, 1), -67);
}

struct Write {
  const char* column;
  enum Kind { Long, Short, Char, Float, Double, String, Date, Bool } kind;
  double number;
  std::string text;
  std::string readBack;  // AsString after the update
};

int32_t ColumnNumber(const std::string& name) {
  for (std::size_t i = 0; i < std::size(kColumns); ++i)
    if (name == kColumns[i].name) return static_cast<int32_t>(i) + 1;
  return -1;
}

// The write through the setter of its kind, by the column's name or by its number.
int32_t Apply(int32_t db, int32_t rs, const Write& w, bool byName) {
  const std::string name = w.column;
  const int32_t n = static_cast<int32_t>(name.size());
  const int32_t column = ColumnNumber(name);
  const int32_t whole = static_cast<int32_t>(w.number);
  const auto text = static_cast<int32_t>(w.text.size());
  SYSTEMTIME st{2003, 1, 0, 2, 4, 5, 6, 0};
  switch (w.kind) {
    case Write::Long: return byName ? RSSetLongF(db, rs, n, name.c_str(), whole) : RSSetLongC(db, rs, column, whole);
    case Write::Short: return byName ? RSSetShortF(db, rs, n, name.c_str(), whole) : RSSetShortC(db, rs, column, whole);
    case Write::Char: return byName ? RSSetCharF(db, rs, n, name.c_str(), whole) : RSSetCharC(db, rs, column, whole);
    case Write::Float: {
      const auto f = static_cast<float>(w.number);
      return byName ? RSSetFloatF(db, rs, n, name.c_str(), f) : RSSetFloatC(db, rs, column, f);
    }
    case Write::Double:
      return byName ? RSSetDoubleF(db, rs, n, name.c_str(), w.number) : RSSetDoubleC(db, rs, column, w.number);
    case Write::String:
      return byName ? RSSetStringF(db, rs, n, name.c_str(), text, w.text.c_str())
                    : RSSetStringC(db, rs, column, text, w.text.c_str());
    case Write::Date:
      return byName ? RSSetDateF(db, rs, n, name.c_str(), sizeof st, &st) : RSSetDateC(db, rs, column, sizeof st, &st);
    case Write::Bool: return byName ? RSSetBoolF(db, rs, n, name.c_str(), whole) : RSSetBoolC(db, rs, column, whole);
  }
  return -1;
}

TEST_P(FieldAccess, SettersWriteEveryTypeThroughUpdate) {
  const Write writes[] = {
      {"sm", Write::Short, 70000 - 65536, "", "4464"},
      {"i", Write::Char, 233, "", "233"},
      {"bi", Write::Long, -5, "", "-5"},
      {"r", Write::Float, 0.25, "", "0.250000"},
      {"d", Write::Double, 1e10, "", "10000000000.000000"},
      {"dec", Write::String, 0, "3.25", "3.25"},
      {"vc", Write::String, 0, "abc       ", "abc       "},
      {"ts", Write::Date, 0, "", "1/2/2003 4:05:06 AM"},
      {"dt", Write::String, 0, "2010-12-31", "12/31/2010"},
      {"b", Write::Bool, 0, "", "F"},
  };
  // The first row is written by name, the second (all null) by number.
  DBSetDebug(db_, 2);
  for (const bool byName : {true, false}) {
    for (const Write& w : writes) EXPECT_EQ(Apply(db_, rs_, w, byName), 0) << w.column;
    ASSERT_EQ(RSUpdate(db_, rs_), 0) << ::testing::PrintToString(TakeBoxes());
    if (byName) {
      ASSERT_EQ(RSMoveNext(db_, rs_), 0);
    }
  }
  Reopen();
  for (int row = 1; row <= 2; ++row) {
    for (const Write& w : writes) {
      int32_t err = -1;
      const std::string name = w.column;
      EXPECT_EQ(TakeBstr(RSGetStringF(db_, rs_, &err, static_cast<int32_t>(name.size()), name.c_str())), w.readBack)
          << name << " in row " << row;
    }
    if (row == 1) {
      // The columns no setter touched are as they were.
      int32_t err = -1;
      EXPECT_EQ(TakeBstr(RSGetStringF(db_, rs_, &err, 2, "lt")), kLongText);
      EXPECT_EQ(TakeBstr(RSGetStringF(db_, rs_, &err, 3, "bin")), "ABC");
      EXPECT_EQ(RSGetLongF(db_, rs_, &err, 2, "id"), 1);
      ASSERT_EQ(RSMoveNext(db_, rs_), 0);
    }
  }
}

TEST_P(FieldAccess, InvalidDatesAndTheNullFlagAfterASetter) {
  SYSTEMTIME month13{2009, 13, 0, 1, 0, 0, 0, 0};
  EXPECT_EQ(RSSetDateF(db_, rs_, 2, "vc", sizeof month13, &month13), 0);
  int32_t err = 0;
  EXPECT_EQ(TakeBstr(RSGetStringF(db_, rs_, &err, 2, "vc")), "Invalid DateTime");
  EXPECT_EQ(RSSetDateF(db_, rs_, 2, "ts", sizeof month13, &month13), 0);
  EXPECT_EQ(TakeBstr(RSGetStringF(db_, rs_, &err, 2, "ts")), "Invalid DateTime");
  EXPECT_EQ(RSCancelUpdate(db_, rs_), 0);
  // On the null row a setter changes the value but not the null flag.
  ASSERT_EQ(RSMoveNext(db_, rs_), 0);
  EXPECT_EQ(RSSetLongF(db_, rs_, 1, "i", 42), 0);
  EXPECT_EQ(RSGetLongF(db_, rs_, &err, 1, "i"), 0);
  ASSERT_EQ(RSUpdate(db_, rs_), 0);
  EXPECT_EQ(RSGetLongF(db_, rs_, &err, 1, "i"), 42);
}

TEST_P(FieldAccess, ZeroIsWrittenOverNull) {
  const std::pair<std::string, std::string> zeros[] = {
      {"sm", "0"}, {"i", "0"}, {"r", "0.000000"}, {"d", "0.000000"}, {"b", "F"}};
  ASSERT_EQ(RSMoveNext(db_, rs_), 0);  // the row of nulls
  for (const auto& [name, text] : zeros)
    EXPECT_EQ(RSSetLongF(db_, rs_, static_cast<int32_t>(name.size()), name.c_str(), 0), 0) << name;
  ASSERT_EQ(RSUpdate(db_, rs_), 0);
  Reopen();
  ASSERT_EQ(RSMoveNext(db_, rs_), 0);
  for (const auto& [name, text] : zeros) {
    int32_t err = -1;
    EXPECT_EQ(TakeBstr(RSGetStringF(db_, rs_, &err, static_cast<int32_t>(name.size()), name.c_str())), text) << name;
  }
}

TEST_P(FieldAccess, AnAddShowsNullFieldsAndACancelBringsTheRecordBack) {
  const std::pair<std::string, std::string> fields[] = {
      {"i", "70000"}, {"vc", "12abc"}, {"b", "T"}, {"lt", kLongText}, {"bin", "ABC"}};
  auto text = [&](const std::string& name) {
    int32_t err = -1;
    return TakeBstr(RSGetStringF(db_, rs_, &err, static_cast<int32_t>(name.size()), name.c_str()));
  };
  ASSERT_EQ(RSAddNew(db_, rs_), 0);
  for (const auto& [name, value] : fields) EXPECT_EQ(text(name), "") << name;
  ASSERT_EQ(RSCancelUpdate(db_, rs_), 0);
  for (const auto& [name, value] : fields) EXPECT_EQ(text(name), value) << name;
}

INSTANTIATE_TEST_SUITE_P(Backends, FieldAccess, ::testing::ValuesIn(AllBackends()), BackendName);

}  // namespace

namespace {

class ColumnNames : public BackendTest {};

TEST_P(ColumnNames, DuplicatesAreNumberedAndNamesMatchCaseBlind) {
  // SQLite keeps texts longer than the declared size: there the text is longer than 255 bytes
  // and than its column's buffer; the other server holds it to the size.
  const bool sqlite = GetParam().name == "SQLite";
  const std::string table = Table("names", "id INTEGER PRIMARY KEY, name VARCHAR(200)");
  const std::string text = "caf\xC3\xA9 " + std::string(sqlite ? 300 : 150, 'x');
  Exec(db_, "INSERT INTO " + table + " VALUES (5, '" + text + "')");
  const int32_t rs = RSAttach(db_);
  const std::string sql = "SELECT id AS a, name AS \"A\", id + 1 AS a, name FROM " + table;
  ASSERT_EQ(RSOpen(db_, rs, static_cast<int32_t>(sql.size()), sql.c_str(), 1, 0), 1);
  int32_t err = -1;
  EXPECT_EQ(RSGetLongF(db_, rs, &err, 2, "a2"), 0);  // column 1 is the text
  EXPECT_EQ(TakeBstr(RSGetStringF(db_, rs, &err, 2, "A2")), text);
  EXPECT_EQ(RSGetLongF(db_, rs, &err, 4, " a3 "), 6);
  EXPECT_EQ(RSGetLongF(db_, rs, &err, 1, "A"), 5);
  EXPECT_EQ(TakeBstr(RSGetStringF(db_, rs, &err, 4, "NaMe")), text);
  // The text goes back whole and unchanged through a setter and an update.
  const std::string plain = "SELECT id, name FROM " + table;
  ASSERT_EQ(RSOpen(db_, rs, static_cast<int32_t>(plain.size()), plain.c_str(), 1, 0), 1);
  const std::string longer = text + "\xC3\xBC";
  EXPECT_EQ(RSSetStringF(db_, rs, 4, "name", static_cast<int32_t>(longer.size()), longer.c_str()), 0);
  DBSetDebug(db_, 2);
  ASSERT_EQ(RSUpdate(db_, rs), 0) << ::testing::PrintToString(TakeBoxes());
  ASSERT_EQ(RSOpen(db_, rs, static_cast<int32_t>(plain.size()), plain.c_str(), 1, 0), 1);
  EXPECT_EQ(TakeBstr(RSGetStringC(db_, rs, &err, 1)), longer);
}

TEST_P(ColumnNames, ColumnOfATypeOutsideTheTable) {
  if (GetParam().name != "PostgreSQL") GTEST_SKIP() << "SQLite has no GUID columns";
  // A GUID column is counted, named and numbered, and reads as null.
  const std::string sql = "SELECT 'a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11'::uuid AS g, 7 AS n";
  const int32_t rs = RSAttach(db_);
  ASSERT_EQ(RSOpen(db_, rs, static_cast<int32_t>(sql.size()), sql.c_str(), 1, 0), 1);
  EXPECT_EQ(RSGetFieldCount(db_, rs), 2);
  int32_t err = -1;
  EXPECT_EQ(RSGetLongF(db_, rs, &err, 1, "N"), 7);
  EXPECT_EQ(RSGetFieldTypeN(db_, rs, 1, "g"), 0);
  EXPECT_EQ(TakeBstr(RSGetStringF(db_, rs, &err, 1, "g")), "");
  EXPECT_EQ(RSGetLongC(db_, rs, &err, 0), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, ColumnNames, ::testing::ValuesIn(AllBackends()), BackendName);

}  // namespace
