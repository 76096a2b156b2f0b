// The ODBC side of a record set: its statement and one binding slot per exchanged field.
#pragma once
#include <variant>
#include <vector>

#include "OdbcSupport.h"
#include "zqplatform/recordset.h"

namespace zq::db {

struct FieldSlot {
  std::vector<unsigned char> buffer;  // bound buffer (texts: UTF-8)
  SQLLEN indicator = SQL_NULL_DATA;
  bool bound = false;
  bool null = true;
  bool dirty = false;
  // The copy taken by Edit and AddNew.
  std::variant<std::monostate, int32_t, unsigned char, float, double, zq::db::TIMESTAMP_STRUCT, std::string> saved;
  bool savedNull = true;
};

}  // namespace zq::db

struct RecordsetState {
  SQLHSTMT hstmt = SQL_NULL_HSTMT;
  std::vector<zq::db::FieldSlot> slots;
  SQLUSMALLINT rowStatus = SQL_ROW_SUCCESS;
  bool onRecord = false;  // a fetched row is current
  SQLLEN bookmark = 0;    // the bookmark that SetBookmark fetches
};

// What the field exchange functions need of a record set.
struct FieldSlotAccess {
  static RecordsetState& State(CRecordset& rs) { return *rs.m_state; }
  static int EditMode(const CRecordset& rs) { return rs.m_nEditMode; }
};
