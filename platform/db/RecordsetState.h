// The ODBC side of a record set: its statement, one binding slot per exchanged field, and what
// it needs to write rows back.
#pragma once
#include <map>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "OdbcSupport.h"
#include "zqplatform/recordset.h"

namespace zq::db {

struct FieldSlot {
  std::vector<unsigned char> buffer;  // bound buffer (texts: UTF-8)
  SQLLEN indicator = SQL_NULL_DATA;
  SQLSMALLINT cType = 0;              // the C type it is bound with
  bool bound = false;
  bool null = true;
  bool dirty = false;
  // The copy taken by Edit and AddNew.
  std::variant<std::monostate, int32_t, unsigned char, float, double, zq::db::TIMESTAMP_STRUCT, std::string> saved;
  bool savedNull = true;
  // The value an update or insert writes (PrepareWrite).
  std::vector<unsigned char> param;
  SQLLEN paramLength = SQL_NULL_DATA;
  // The value as the row holds it, kept when rows are told apart by the values of their columns.
  std::vector<unsigned char> fetched;
  SQLLEN fetchedLength = SQL_NULL_DATA;
};

// A column of the result as a column of the table: its name quoted (empty when it is no
// column of the table, such as an expression) and its SQL type for parameters.
struct TableColumn {
  std::string name;
  SQLSMALLINT sqlType = SQL_VARCHAR;
  SQLULEN size = 0;
  SQLSMALLINT digits = 0;
};

// A column of the row identifier, fetched with every record behind the result's own columns.
struct RowIdColumn {
  TableColumn column;
  SQLSMALLINT cType = SQL_C_CHAR;
  std::vector<unsigned char> buffer;
  SQLLEN indicator = SQL_NULL_DATA;
};

// What the record set wrote to a row it fetched: the cursor may keep showing the row as it was
// fetched, so these values are shown again whenever it comes back to the row.
struct WrittenRow {
  struct Value {
    std::size_t slot;
    std::vector<unsigned char> bytes;
    SQLLEN length;
  };
  std::vector<Value> values;
  std::vector<RowIdColumn> rowId;  // the identifier after the write
};

}  // namespace zq::db

struct RecordsetState {
  SQLHSTMT hstmt = SQL_NULL_HSTMT;
  std::vector<zq::db::FieldSlot> slots;
  SQLUSMALLINT rowStatus = SQL_ROW_SUCCESS;
  bool onRecord = false;  // a fetched row is current
  SQLLEN bookmark = 0;    // the bookmark that SetBookmark fetches

  // Writing rows back: the table as the statement names it, the result's columns in the
  // table, and the row identifier; without one, rows are found by the fetched values of
  // every column (keepFetched).
  std::string table;
  std::vector<zq::db::TableColumn> columns;
  std::vector<zq::db::RowIdColumn> rowId;
  bool keepFetched = false;
  std::set<int64_t> deletedRecords;  // record numbers deleted through this record set
  std::map<int64_t, zq::db::WrittenRow> writtenRecords;  // by record number
};

// What the field exchange functions need of a record set.
struct FieldSlotAccess {
  static RecordsetState& State(CRecordset& rs) { return *rs.m_state; }
  static int EditMode(const CRecordset& rs) { return rs.m_nEditMode; }
};
