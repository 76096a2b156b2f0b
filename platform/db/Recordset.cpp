#include <cstring>
#include <optional>

#include "RecordsetState.h"
#include "RowWriter.h"
#include "SqlText.h"
#include "TableAccess.h"

using namespace zq::db;

namespace {

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

// Runs the statement with the record set's cursor and options.
void Execute(SQLHSTMT h, const std::string& sql, uint32_t openType, uint32_t options, SQLUSMALLINT* rowStatus) {
  SQLULEN cursor = SQL_CURSOR_STATIC;
  switch (openType) {
    case CRecordset::dynaset: cursor = SQL_CURSOR_KEYSET_DRIVEN; break;
    case CRecordset::forwardOnly: cursor = SQL_CURSOR_FORWARD_ONLY; break;
    case CRecordset::dynamic: cursor = SQL_CURSOR_DYNAMIC; break;
    default: break;
  }
  Check(SQLSetStmtAttr(h, SQL_ATTR_CURSOR_TYPE, reinterpret_cast<SQLPOINTER>(cursor), 0), SQL_HANDLE_STMT, h);
  if (options & CRecordset::useBookmarks)
    Check(SQLSetStmtAttr(h, SQL_ATTR_USE_BOOKMARKS, reinterpret_cast<SQLPOINTER>(SQL_UB_VARIABLE), 0),
          SQL_HANDLE_STMT, h);
  SQLSetStmtAttr(h, SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(kTimeoutSeconds), 0);
  SQLSetStmtAttr(h, SQL_ATTR_ROW_STATUS_PTR, rowStatus, 0);

  std::string driverText = ToDriver(sql);
  SQLCHAR* textPtr = reinterpret_cast<SQLCHAR*>(driverText.data());
  if (options & CRecordset::executeDirect) {
    Check(SQLExecDirect(h, textPtr, SQL_NTS), SQL_HANDLE_STMT, h, true);
  } else {
    Check(SQLPrepare(h, textPtr, SQL_NTS), SQL_HANDLE_STMT, h);
    Check(SQLExecute(h), SQL_HANDLE_STMT, h, true);
  }
}

// The statement with the identifying columns behind its own.
std::string WithColumns(const std::string& sql, const std::vector<std::string>& names, const std::string& quote) {
  const std::size_t from = ColumnListEnd(sql);
  std::string columns;
  for (const std::string& name : names) columns += ", " + QuoteIdentifier(name, quote);
  return std::string(Trimmed(sql.substr(0, from))) + columns + " " + sql.substr(from);
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

  // Rows are written back through statements of their own, so the record set can change its
  // table when it reads the rows of one table and may write. Forward-only sets only read.
  const bool readOnlySet = (options & readOnly) || m_pDatabase->IsReadOnly();
  const bool writable = !readOnlySet && !m_strTableName.empty() && openType != forwardOnly;
  RecordsetState& state = *m_state;
  std::vector<std::string> rowId = writable ? RowIdentifierColumns(dbc, m_strTableName) : std::vector<std::string>();
  std::optional<StatementHandle> stmt;
  if (!rowId.empty()) {
    try {
      stmt.emplace(dbc);
      Execute(stmt->get(), WithColumns(m_strSQL, rowId, InfoText(dbc, SQL_IDENTIFIER_QUOTE_CHAR)), openType, options,
              &state.rowStatus);
    } catch (const CDBException&) {
      stmt.reset();
      rowId.clear();  // the rows are then found by their values
    }
  }
  if (!stmt) {
    stmt.emplace(dbc);
    Execute(stmt->get(), m_strSQL, openType, options, &state.rowStatus);
  }
  SQLHSTMT h = stmt->get();

  SQLSMALLINT allColumns = 0;
  Check(SQLNumResultCols(h, &allColumns), SQL_HANDLE_STMT, h);
  const SQLSMALLINT columns = static_cast<SQLSMALLINT>(allColumns - static_cast<SQLSMALLINT>(rowId.size()));
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

  state.table = writable ? m_strTableName : std::string();
  state.columns = writable ? TableColumns(dbc, h, columns) : std::vector<TableColumn>();
  state.rowId.assign(rowId.size(), RowIdColumn{});
  for (std::size_t i = 0; i < rowId.size(); ++i)
    BindRowIdColumn(dbc, h, static_cast<SQLUSMALLINT>(columns + 1 + static_cast<SQLSMALLINT>(i)), rowId[i],
                    state.rowId[i]);
  state.keepFetched = writable && rowId.empty();
  state.deletedRecords.clear();
  state.writtenRecords.clear();
  m_bUpdatable = writable && !(options & appendOnly);
  m_bAppendable = writable;

  state.hstmt = stmt->release();
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
  // The cursor may still show a row that this record set deleted.
  if (m_lCurrentRecord >= 0 && m_state->deletedRecords.count(m_lCurrentRecord)) m_bDeleted = true;
  ShowWritten(*m_state, m_lCurrentRecord);
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
  Exchange(CFieldExchange::PrepareWrite);
  const RowChange write = adding ? InsertStatement(*m_state) : UpdateStatement(*m_state);
  ChangeOneRow(m_pDatabase->m_hdbc, m_pDatabase->CanTransact(), write);
  if (!adding) RememberWritten(*m_state, m_lCurrentRecord);
  if (adding) {
    for (FieldSlot& slot : m_state->slots) slot.dirty = false;
    Exchange(CFieldExchange::RestoreField);
  } else {
    Exchange(CFieldExchange::Written);
  }
  m_nEditMode = 0;
  return true;
}

void CRecordset::Delete() {
  if (!IsOpen()) throw CDBException(kDbErrNotOpen);
  if (!m_bUpdatable) throw CDBException(kDbErrNotUpdatable);
  RequireRecord();
  const RowChange write = DeleteStatement(*m_state);
  ChangeOneRow(m_pDatabase->m_hdbc, m_pDatabase->CanTransact(), write);
  m_bDeleted = true;
  if (m_lCurrentRecord >= 0) m_state->deletedRecords.insert(m_lCurrentRecord);
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
