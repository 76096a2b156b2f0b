// The SQL texts of record sets: which statements read the rows of one table, and names.
#include <gtest/gtest.h>

#include "../SqlText.h"

using namespace zq::db;

TEST(SqlText, TheOneTableWhoseRowsAStatementReads) {
  const std::pair<const char*, const char*> cases[] = {
      {"SELECT * FROM items", "items"},
      {"SELECT a, b FROM items WHERE a = 'x, y' ORDER BY b", "items"},
      {"select (SELECT max(x) FROM other) AS m, a from items", "items"},
      {"SELECT * FROM \"Mixed Case\" WHERE 1 = 1", "\"Mixed Case\""},
      {"SELECT * FROM public.\"Mixed\"", "public.\"Mixed\""},
      {"SELECT i.a FROM items i WHERE i.a > 2", "items"},
      {"SELECT * FROM items LIMIT 5", "items"},
      {"SELECT * FROM items, other", ""},
      {"SELECT * FROM items JOIN other ON items.a = other.a", ""},
      {"SELECT DISTINCT a FROM items", ""},
      {"SELECT a, count(*) FROM items GROUP BY a", ""},
      {"SELECT a FROM items UNION SELECT a FROM other", ""},
      {"SELECT * FROM (SELECT a FROM items) sub", ""},
      {"SELECT 1", ""},
  };
  for (const auto& [sql, table] : cases) EXPECT_EQ(TableOf(sql), table) << sql;
}

TEST(SqlText, ColumnListEndsAtTheOuterFrom) {
  const std::string sql = "SELECT (SELECT 1 FROM t) AS \"FROM\", 'FROM' FROM items";
  EXPECT_EQ(ColumnListEnd(sql), sql.rfind("FROM"));
  EXPECT_EQ(ColumnListEnd("SELECT 1"), std::string_view::npos);
}

TEST(SqlText, NamesAreQuotedAndSplitAsTheDriverWants) {
  EXPECT_EQ(QuoteIdentifier("Name", "\""), "\"Name\"");
  EXPECT_EQ(QuoteIdentifier("a\"b", "\""), "\"a\"\"b\"");
  EXPECT_EQ(QuoteIdentifier("plain", " "), "plain");
  EXPECT_EQ(QuoteIdentifier("plain", ""), "plain");
  const TableName lower = SplitTableName("Public.Items", 2);
  EXPECT_EQ(lower.schema, "public");
  EXPECT_EQ(lower.name, "items");
  const TableName quoted = SplitTableName("s.\"Mi\"\"xed\"", 2);
  EXPECT_EQ(quoted.schema, "s");
  EXPECT_EQ(quoted.name, "Mi\"xed");
  EXPECT_EQ(SplitTableName("Items", 3).name, "Items");
  EXPECT_EQ(SplitTableName("[My Table]", 1).name, "My Table");
}
