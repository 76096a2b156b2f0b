// How a record set writes its rows back to its table: the columns that identify a row, the
// result's columns as columns of the table, and the UPDATE, INSERT and DELETE statements.
//
// A row is identified by the driver's best row identifier (SQLSpecialColumns, SQL_BEST_ROWID),
// else by the table's primary key (SQLPrimaryKeys), which also comes before an identifier that
// is a pseudo column (a row number that may follow a written key); those columns are fetched
// with every record behind the result's own. An identifying column that an update writes
// takes its new value. Without either, a row is identified by the fetched values of every
// column of the table in the result, a null one as IS NULL. Names are quoted as the driver
// quotes identifiers; the table is named as the statement names it.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "RecordsetState.h"
#include "RowWriter.h"

namespace zq::db {

// The names of the identifying columns of the table as written in a statement; empty when the
// driver reports none.
std::vector<std::string> RowIdentifierColumns(SQLHDBC dbc, std::string_view table);

// The first count result columns as columns of the table (empty names for the others).
std::vector<TableColumn> TableColumns(SQLHDBC dbc, SQLHSTMT h, SQLSMALLINT count);

// Describes result column number column (from 1) as an identifying column and binds it.
void BindRowIdColumn(SQLHDBC dbc, SQLHSTMT h, SQLUSMALLINT column, const std::string& name, RowIdColumn& id);

// The changes of an update (the dirty fields), an insert (the dirty fields) and a delete of
// the current row. Throw CDBException kDbErrNotAColumn for a dirty field that is no column of
// the table and kDbErrNotOneRow when the row cannot be identified.
RowChange UpdateStatement(const RecordsetState& state);
RowChange InsertStatement(const RecordsetState& state);
RowChange DeleteStatement(const RecordsetState& state);

// After an update of the current record (its dirty fields still marked): the identifier takes
// the new values of its columns that were written, and the record's written values are kept
// under its number (when known, 0 or more).
void RememberWritten(RecordsetState& state, int64_t record);
// After a fetch of a record: shows again what the record set wrote to it.
void ShowWritten(RecordsetState& state, int64_t record);

}  // namespace zq::db
