// Writes one row of a table through a parameterised statement (UPDATE, INSERT or DELETE) and
// refuses, changing nothing, a statement that would change other than exactly one row.
#pragma once
#include <string>
#include <vector>

#include "OdbcSupport.h"

namespace zq::db {

// One "?" of a statement: its value in the C type given, and the column's SQL type.
struct Parameter {
  SQLSMALLINT cType = SQL_C_CHAR;
  SQLSMALLINT sqlType = SQL_VARCHAR;
  SQLULEN size = 0;
  SQLSMALLINT digits = 0;
  const unsigned char* data = nullptr;
  SQLLEN length = SQL_NULL_DATA;
};

// A statement under construction: its text and its parameters in the order of their "?".
struct Statement {
  std::string text;
  std::vector<Parameter> params;
};

// A change of one row: the statement; whether it can change one row at most (an insert, or a
// condition on a unique row identifier); and the count of the rows its condition finds (a
// SELECT COUNT(*) over the same condition; empty for an insert).
struct RowChange {
  Statement change;
  Statement count;
  bool unique = false;
};

// Runs the change so that it changes exactly one row. A unique change is refused when it
// changed none. Any other runs in a transaction where the connection has them, committed only
// when the driver counts one changed row and rolled back otherwise; without transactions the
// rows are counted first. Throws CDBException: the driver's error, or kDbErrNotOneRow.
void ChangeOneRow(SQLHDBC dbc, bool transactions, const RowChange& write);

}  // namespace zq::db
