// Reading and writing the SQL texts of record sets: the one table a SELECT reads, where its
// column list ends, and identifiers quoted as the driver quotes them.
#pragma once
#include <string>
#include <string_view>

namespace zq::db {

std::string_view Trimmed(std::string_view text);
// True when text begins with word (case-blind) followed by no letter or digit.
bool StartsWithWord(std::string_view text, std::string_view word);

// The position of the FROM that ends a SELECT's column list (outside quotes and brackets);
// npos when there is none.
std::size_t ColumnListEnd(std::string_view sql);

// The one table a SELECT reads (the name after FROM as written), or empty when it reads none
// or several, or when its rows are not the table's own (DISTINCT, GROUP BY, UNION and the like).
std::string TableOf(std::string_view sql);

// name between the quote character (each quote inside doubled); unchanged when the driver has
// no quote character (an empty or blank one).
std::string QuoteIdentifier(std::string_view name, std::string_view quote);

// A table name as written ("name", schema.name, "Mixed Case") split into its schema and name
// as stored: quoted parts lose their quotes, others take the driver's identifier case (the
// ODBC SQL_IDENTIFIER_CASE value: 1 upper, 2 lower, anything else as written).
struct TableName {
  std::string schema;
  std::string name;
};
TableName SplitTableName(std::string_view written, int identifierCase);

}  // namespace zq::db
