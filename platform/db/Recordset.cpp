#include <cctype>
#include <cstring>

#include "RecordsetState.h"
#include "zqplatform/charset.h"

using namespace zq::db;

namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

bool StartsWithWord(std::string_view text, std::string_view word) {
  if (text.size() < word.size() || zq::text::CompareNoCase(text.substr(0, word.size()), word) != 0)
    return false;
  return text.size() == word.size() || !std::isalnum(static_cast<unsigned char>(text[word.size()]));
}

// The one table a SELECT reads (the name after FROM), or empty when there is none or several.
std::string TableOf(std::string_view sql) {
  std::size_t pos = std::string_view::npos;
  char quote = 0;
  for (std::size_t i = 0; i < sql.size(); ++i) {
    const char c = sql[i];
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    if (c == '\'' || c == '"' || c == '`') {
      quote = c;
      continue;
    }
    if ((i == 0 || std::isspace(static_cast<unsigned char>(sql[i - 1]))) && StartsWithWord(sql.substr(i), "FROM")) {
      pos = i + 4;
      break;
    }
  }
  if (pos == std::string_view::npos) return {};
  std::string_view rest = Trimmed(sql.substr(pos));
  std::size_t end = 0;
  if (!rest.empty() && (rest[0] == '"' || rest[0] == '[' || rest[0] == '`')) {
    const char close = rest[0] == '[' ? ']' : rest[0];
    end = rest.find(close, 1);
    if (end == std::string_view::npos) return {};
    ++end;
  } else {
    while (end < rest.size() && (std::isalnum(static_cast<unsigned char>(rest[end])) || rest[end] == '_' ||
                                 rest[end] == '.' || static_cast<unsigned char>(rest[end]) >= 0x80))
      ++end;
  }
  const std::string table(rest.substr(0, end));
  std::string_view after = Trimmed(rest.substr(end));
  // A second table (a comma or a join) makes the statement read several.
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (after[i] == ',') return {};
    if ((i == 0 || std::isspace(static_cast<unsigned char>(after[i - 1]))) && StartsWithWord(after.substr(i), "JOIN"))
      return {};
    if (StartsWithWord(after.substr(i), "WHERE") || StartsWithWord(after.substr(i), "ORDER") ||
        StartsWithWord(after.substr(i), "GROUP"))
      break;
  }
  return table;
}

int16_t Odbc2Type(SQLSMALLINT type) {
  switch (type) {
    case SQL_TYPE_DATE: return sqltype::kDate;
    case SQL_TYPE_TIME: return sqltype::kTime;
    case SQL_TYPE_TIMESTAMP: return sqltype::kTimestamp;
    default: return type;
  }
}

SQLULEN StatementNumber(SQLHSTMT stmt, SQLINTEGER attribute) {
  SQLULEN value = 0;
  if (!SQL_SUCCEEDED(SQLGetStmtAttr(stmt, attribute, &value, 0, nullptr))) return 0;
  return value;
}

SQLUINTEGER CursorAttributes(SQLHDBC dbc, SQLULEN cursorType) {
  SQLUSMALLINT info = SQL_STATIC_CURSOR_ATTRIBUTES1;
  switch (cursorType) {
    case SQL_CURSOR_FORWARD_ONLY: info = SQL_FORWARD_ONLY_CURSOR_ATTRIBUTES1; break;
    case SQL_CURSOR_KEYSET_DRIVEN: info = SQL_KEYSET_CURSOR_ATTRIBUTES1; break;
    case SQL_CURSOR_DYNAMIC: info = SQL_DYNAMIC_CURSOR_ATTRIBUTES1; break;
    default: break;
  }
  SQLUINTEGER value = 0;
  if (!SQL_SUCCEEDED(SQLGetInfo(dbc, info, &value, sizeof value, nullptr))) return 0;
  return value;
}

}  // namespace

CRecordset::CRecordset(CDatabase* db) : m_pDatabase(db), m_state(std::make_unique<RecordsetState>()) {}

CRecordset::~CRecordset() {
  Close();
}

bool CRecordset::IsOpen() const { return m_state->hstmt != SQL_NULL_HSTMT; }

void CRecordset::Detach() {
  if (m_pDatabase) m_pDatabase->m_recordsets.erase(this);
}

bool CRecordset::Open(uint32_t openType, const char* sql, uint32_t options) {
  Close();
  if (!m_pDatabase || !m_pDatabase->IsOpen()) throw CDBException(kDbErrNoConnection);
  SQLHDBC dbc = m_pDatabase->m_hdbc;

  std::string_view text = Trimmed(sql ? std::string_view(sql) : std::string_view());
  if (StartsWithWord(text, "SELECT") || StartsWithWord(text, "CALL") || (!text.empty() && text[0] == '{'))
    m_strSQL = std::string(text);
  else
    m_strSQL = "SELECT * FROM " + std::string(text);
  m_strTableName = StartsWithWord(m_strSQL, "SELECT") ? TableOf(m_strSQL) : std::string();
  m_dwOptions = options;
  m_nOpenType = openType;

  StatementHandle stmt(dbc);
  SQLHSTMT h = stmt.get();
  SQLULEN cursor = SQL_CURSOR_STATIC;
  switch (openType) {
    case dynaset: cursor = SQL_CURSOR_KEYSET_DRIVEN; break;
    case forwardOnly: cursor = SQL_CURSOR_FORWARD_ONLY; break;
    case dynamic: cursor = SQL_CURSOR_DYNAMIC; break;
    default: break;
  }
  const bool readOnlySet = (options & readOnly) || m_pDatabase->IsReadOnly();
  Check(SQLSetStmtAttr(h, SQL_ATTR_CURSOR_TYPE, reinterpret_cast<SQLPOINTER>(cursor), 0), SQL_HANDLE_STMT, h);
  const SQLULEN concurrency = readOnlySet ? SQL_CONCUR_READ_ONLY : SQL_CONCUR_ROWVER;
  Check(SQLSetStmtAttr(h, SQL_ATTR_CONCURRENCY, reinterpret_cast<SQLPOINTER>(concurrency), 0), SQL_HANDLE_STMT, h);
  if (options & useBookmarks)
    Check(SQLSetStmtAttr(h, SQL_ATTR_USE_BOOKMARKS, reinterpret_cast<SQLPOINTER>(SQL_UB_VARIABLE), 0),
          SQL_HANDLE_STMT, h);
  SQLSetStmtAttr(h, SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(kTimeoutSeconds), 0);
  SQLSetStmtAttr(h, SQL_ATTR_ROW_STATUS_PTR, &m_state->rowStatus, 0);

  std::string driverText = ToDriver(m_strSQL);
  SQLCHAR* textPtr = reinterpret_cast<SQLCHAR*>(driverText.data());
  if (options & executeDirect) {
    Check(SQLExecDirect(h, textPtr, SQL_NTS), SQL_HANDLE_STMT, h, true);
  } else {
    Check(SQLPrepare(h, textPtr, SQL_NTS), SQL_HANDLE_STMT, h);
    Check(SQLExecute(h), SQL_HANDLE_STMT, h, true);
  }

  SQLSMALLINT columns = 0;
  Check(SQLNumResultCols(h, &columns), SQL_HANDLE_STMT, h);
  if (columns <= 0) throw CDBException(kDbErrNoResult);
  m_columns.assign(static_cast<std::size_t>(columns), CODBCFieldInfo{});
  for (SQLSMALLINT i = 0; i < columns; ++i) {
    SQLCHAR name[256];
    SQLSMALLINT nameLength = 0, type = 0, scale = 0, nullable = 0;
    SQLULEN size = 0;
    Check(SQLDescribeCol(h, static_cast<SQLUSMALLINT>(i + 1), name, sizeof name, &nameLength, &type, &size, &scale,
                         &nullable),
          SQL_HANDLE_STMT, h);
    CODBCFieldInfo& info = m_columns[static_cast<std::size_t>(i)];
    info.m_strName = FromDriver(std::string_view(reinterpret_cast<const char*>(name),
                                                 std::min<std::size_t>(nameLength > 0 ? nameLength : 0, 255)));
    info.m_nSQLType = Odbc2Type(type);
    info.m_nPrecision = size;
    info.m_nScale = scale;
    info.m_nNullability = nullable;
  }

  const SQLULEN gotCursor = StatementNumber(h, SQL_ATTR_CURSOR_TYPE);
  const SQLULEN gotConcurrency = StatementNumber(h, SQL_ATTR_CONCURRENCY);
  SQLUINTEGER positioned = 0;
  SQLGetInfo(dbc, SQL_POS_OPERATIONS, &positioned, sizeof positioned, nullptr);
  const bool canPosition = !readOnlySet && gotConcurrency != SQL_CONCUR_READ_ONLY && !m_strTableName.empty() &&
                           (CursorAttributes(dbc, gotCursor) & SQL_CA1_POS_UPDATE);
  m_bUpdatable = canPosition && !(options & appendOnly);
  m_bAppendable = canPosition && (positioned & SQL_POS_ADD);

  m_state->hstmt = stmt.release();
  m_pDatabase->m_recordsets.insert(this);
  try {
    m_nFields = 0;
    PreBindFields();
    AllocStatusArrays();
    Exchange(CFieldExchange::BindFieldToColumn);
    m_lRecordCount = 0;
    m_lCurrentRecord = -1;
    m_bBOF = m_bEOF = false;
    Fetch(SQL_FETCH_NEXT, 0);
    if (m_bEOF) m_bBOF = true;
  } catch (...) {
    Close();
    throw;
  }
  return true;
}

void CRecordset::Close() {
  if (m_state->hstmt) {
    SQLCloseCursor(m_state->hstmt);
    SQLFreeHandle(SQL_HANDLE_STMT, m_state->hstmt);
    m_state->hstmt = SQL_NULL_HSTMT;
  }
  Detach();
  m_state->onRecord = false;
  m_bBOF = m_bEOF = true;
  m_bDeleted = false;
  m_nEditMode = 0;
}

uint32_t CRecordset::CanBookmark() const {
  if (!(m_dwOptions & useBookmarks)) return 0;
  if (m_nOpenType == forwardOnly && !(m_dwOptions & useExtendedFetch)) return 0;
  const uint32_t persistence = m_pDatabase ? m_pDatabase->GetBookmarkPersistence() : 0;
  return persistence & SQL_BP_SCROLL;
}

void CRecordset::AllocStatusArrays() { m_state->slots.assign(m_nFields, FieldSlot{}); }

bool CRecordset::IsFieldStatusNull(uint32_t field) const {
  return field >= m_state->slots.size() || m_state->slots[field].null;
}

void CRecordset::GetODBCFieldInfo(int16_t index, CODBCFieldInfo& info) const {
  if (index < 0 || static_cast<std::size_t>(index) >= m_columns.size()) {
    info = CODBCFieldInfo{};
    return;
  }
  info = m_columns[static_cast<std::size_t>(index)];
}

void CRecordset::DoFieldExchange(CFieldExchange*) {}
void CRecordset::PreBindFields() {}

void CRecordset::Exchange(CFieldExchange::Operation op) {
  CFieldExchange fx(op, this);
  DoFieldExchange(&fx);
  if (op != CFieldExchange::BindFieldToColumn) return;
  // Columns that no field exchanges are bound to a scratch buffer all the same: some drivers
  // position and update rows only when every column is bound.
  SQLHSTMT h = m_state->hstmt;
  for (std::size_t i = 0; i < m_state->slots.size(); ++i) {
    FieldSlot& slot = m_state->slots[i];
    if (slot.bound) continue;
    slot.buffer.assign(16, 0);
    Check(SQLBindCol(h, static_cast<SQLUSMALLINT>(i + 1), SQL_C_BINARY, slot.buffer.data(),
                     static_cast<SQLLEN>(slot.buffer.size()), &slot.indicator),
          SQL_HANDLE_STMT, h);
    slot.bound = true;
  }
}

void CRecordset::Fetch(int16_t orientation, int64_t offset) {
  if (!IsOpen()) throw CDBException(kDbErrNotOpen);
  SQLHSTMT h = m_state->hstmt;
  const bool forward = orientation == SQL_FETCH_NEXT || (orientation == SQL_FETCH_RELATIVE && offset > 0);
  // A forward-only set that stands on its first record is already where a MoveFirst goes.
  if (m_nOpenType == forwardOnly && orientation == SQL_FETCH_FIRST && m_state->onRecord && m_lCurrentRecord == 0)
    return;
  if (m_nOpenType == forwardOnly && orientation != SQL_FETCH_NEXT) throw CDBException(kDbErrForwardOnly);
  if (orientation == SQL_FETCH_NEXT && m_bEOF) throw CDBException(kDbErrPastEnd);
  if (orientation == SQL_FETCH_PRIOR && m_bBOF) throw CDBException(kDbErrBeforeStart);

  m_nEditMode = 0;
  m_bDeleted = false;
  m_state->onRecord = false;
  const SQLRETURN rc = SQLFetchScroll(h, orientation, static_cast<SQLLEN>(offset));
  if (rc == SQL_NO_DATA) {
    switch (orientation) {
      case SQL_FETCH_PRIOR: m_bBOF = true; m_bEOF = false; m_lCurrentRecord = -1; break;
      case SQL_FETCH_FIRST:
      case SQL_FETCH_LAST: m_bBOF = m_bEOF = true; m_lCurrentRecord = -1; break;
      case SQL_FETCH_ABSOLUTE: {
        const bool before = offset <= 0;
        m_bBOF = before;
        m_bEOF = !before;
        m_lCurrentRecord = -1;
        break;
      }
      default:
        if (forward) {
          m_bEOF = true;
        } else {
          m_bBOF = true;
          m_lCurrentRecord = -1;
        }
        break;
    }
    Exchange(CFieldExchange::Fixup);
    return;
  }
  Check(rc, SQL_HANDLE_STMT, h);
  m_state->onRecord = true;
  m_bBOF = m_bEOF = false;
  m_bDeleted = m_state->rowStatus == SQL_ROW_DELETED;
  switch (orientation) {
    case SQL_FETCH_NEXT: ++m_lCurrentRecord; break;
    case SQL_FETCH_PRIOR: --m_lCurrentRecord; break;
    case SQL_FETCH_FIRST: m_lCurrentRecord = 0; break;
    case SQL_FETCH_RELATIVE: m_lCurrentRecord += offset; break;
    case SQL_FETCH_ABSOLUTE:
      if (offset > 0) {
        m_lCurrentRecord = offset - 1;
        break;
      }
      [[fallthrough]];
    default: {
      const SQLULEN row = StatementNumber(h, SQL_ATTR_ROW_NUMBER);
      m_lCurrentRecord = row > 0 ? static_cast<int64_t>(row) - 1 : -1;
      break;
    }
  }
  if (m_lCurrentRecord >= m_lRecordCount) m_lRecordCount = static_cast<int32_t>(m_lCurrentRecord + 1);
  Exchange(CFieldExchange::Fixup);
}

void CRecordset::Move(int32_t rows, uint16_t fetchType) {
  if (fetchType == kFetchRelative && rows == 0) {
    RequireRecord();
    return;
  }
  Fetch(static_cast<int16_t>(fetchType), rows);
}

void CRecordset::RequireRecord() const {
  if (!IsOpen()) throw CDBException(kDbErrNotOpen);
  if (!m_state->onRecord || m_bDeleted) throw CDBException(kDbErrNoCurrentRecord);
}

void CRecordset::Edit() {
  if (!IsOpen()) throw CDBException(kDbErrNotOpen);
  if (!m_bUpdatable) throw CDBException(kDbErrNotUpdatable);
  RequireRecord();
  // An edit during an add gives the add up: the current record's values come back first. An
  // edit during an edit keeps the copy of the first, so what was changed since stays changed.
  if (m_nEditMode == 2) Exchange(CFieldExchange::RestoreField);
  if (m_nEditMode != 1) Exchange(CFieldExchange::SaveField);
  m_nEditMode = 1;
}

void CRecordset::AddNew() {
  if (!IsOpen()) throw CDBException(kDbErrNotOpen);
  if (!m_bAppendable) throw CDBException(kDbErrNotAppendable);
  if (m_nEditMode == 0) Exchange(CFieldExchange::SaveField);
  Exchange(CFieldExchange::SetFieldNull);
  m_nEditMode = 2;
}

void CRecordset::CancelUpdate() {
  if (!IsOpen()) throw CDBException(kDbErrNotOpen);
  if (m_nEditMode == 0) throw CDBException(kDbErrNoEdit);
  Exchange(CFieldExchange::RestoreField);
  m_nEditMode = 0;
}

bool CRecordset::Update() {
  if (!IsOpen()) throw CDBException(kDbErrNotOpen);
  if (m_nEditMode == 0) throw CDBException(kDbErrNoEdit);
  Exchange(CFieldExchange::MarkForUpdate);
  bool anyDirty = false;
  for (const FieldSlot& slot : m_state->slots) anyDirty |= slot.dirty;
  const bool adding = m_nEditMode == 2;
  if (!anyDirty) return false;  // nothing written; the edit or add goes on
  for (FieldSlot& slot : m_state->slots) slot.indicator = SQL_COLUMN_IGNORE;
  Exchange(CFieldExchange::PrepareWrite);
  SQLHSTMT h = m_state->hstmt;
  Check(SQLSetPos(h, 1, adding ? SQL_ADD : SQL_UPDATE, SQL_LOCK_NO_CHANGE), SQL_HANDLE_STMT, h);
  for (FieldSlot& slot : m_state->slots) slot.dirty = false;
  if (adding) Exchange(CFieldExchange::RestoreField);
  m_nEditMode = 0;
  return true;
}

void CRecordset::Delete() {
  if (!IsOpen()) throw CDBException(kDbErrNotOpen);
  if (!m_bUpdatable) throw CDBException(kDbErrNotUpdatable);
  RequireRecord();
  SQLHSTMT h = m_state->hstmt;
  Check(SQLSetPos(h, 1, SQL_DELETE, SQL_LOCK_NO_CHANGE), SQL_HANDLE_STMT, h);
  m_bDeleted = true;
  m_nEditMode = 0;
}

void CRecordset::GetBookmark(CDBVariant& bookmark) {
  if (!CanBookmark()) throw CDBException(kDbErrNoBookmarks);
  RequireRecord();
  unsigned char buffer[64] = {0};
  SQLLEN length = 0;
  SQLHSTMT h = m_state->hstmt;
  Check(SQLGetData(h, 0, SQL_C_VARBOOKMARK, buffer, sizeof buffer, &length), SQL_HANDLE_STMT, h);
  int64_t value = 0;
  bool fits = false;
  if (length == 4) {
    int32_t v32 = 0;
    std::memcpy(&v32, buffer, 4);
    value = v32;
    fits = true;
  } else if (length == 8) {
    std::memcpy(&value, buffer, 8);
    fits = value >= INT32_MIN && value <= INT32_MAX;
  }
  if (fits) {
    bookmark.SetType(DBVT_LONG);
    bookmark.m_lVal = static_cast<int32_t>(value);
    return;
  }
  bookmark.SetType(DBVT_BINARY);
  const std::size_t n = length > 0 ? std::min<std::size_t>(static_cast<std::size_t>(length), sizeof buffer) : 0;
  bookmark.m_pbinary->m_data.assign(buffer, buffer + n);
  bookmark.m_pbinary->m_dwDataLength = n;
}

void CRecordset::SetBookmark(const CDBVariant& bookmark) {
  if (!CanBookmark()) throw CDBException(kDbErrNoBookmarks);
  if (!IsOpen()) throw CDBException(kDbErrNotOpen);
  if (bookmark.m_dwType != DBVT_LONG) throw CDBException(kDbErrNoBookmarks);
  SQLHSTMT h = m_state->hstmt;
  m_state->bookmark = bookmark.m_lVal;  // little-endian: a 4-byte bookmark reads the low half
  Check(SQLSetStmtAttr(h, SQL_ATTR_FETCH_BOOKMARK_PTR, &m_state->bookmark, 0), SQL_HANDLE_STMT, h);
  Fetch(SQL_FETCH_BOOKMARK, 0);
  if (!m_state->onRecord) throw CDBException(kDbErrNoCurrentRecord);
}
