#include <vector>

#include "OdbcSupport.h"
#include "zqplatform/charset.h"
#include "zqplatform/database.h"
#include "zqplatform/recordset.h"

using namespace zq::db;

namespace {

bool StartsNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && zq::text::CompareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

// True when the connection string has a DSN= or DRIVER= key of its own.
bool NamesSource(std::string_view connect) {
  std::size_t start = 0;
  while (start <= connect.size()) {
    std::size_t end = connect.find(';', start);
    if (end == std::string_view::npos) end = connect.size();
    std::string_view item = connect.substr(start, end - start);
    while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
    if (StartsNoCase(item, "DSN=") || StartsNoCase(item, "DRIVER=") || StartsNoCase(item, "FILEDSN="))
      return true;
    start = end + 1;
  }
  return false;
}

std::string ConnectionString(const char* dsn, const char* connect) {
  std::string_view text = connect ? std::string_view(connect) : std::string_view();
  if (StartsNoCase(text, "ODBC;")) text.remove_prefix(5);
  const std::string_view name = dsn ? std::string_view(dsn) : std::string_view();
  if (NamesSource(text)) return std::string(text);
  std::string result = "DSN=";
  result += name;
  if (!text.empty()) {
    result += ';';
    result += text;
  }
  return result;
}

}  // namespace

CDatabase::CDatabase() = default;

CDatabase::~CDatabase() { Close(); }

bool CDatabase::Open(const char* dsn, bool, bool readOnly, const char* connect, bool useCursorLib) {
  Close();
  // Without either the driver manager would pick a default driver of its own choosing.
  if ((!dsn || !*dsn) && (!connect || !*connect)) throw CDBException(kDbErrNoSource);
  const std::string wanted = ToDriver(ConnectionString(dsn, connect));
  SQLHENV env = AcquireEnvironment();
  SQLHDBC dbc = SQL_NULL_HDBC;
  if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc))) {
    ReleaseEnvironment();
    ThrowDiag(SQL_ERROR, SQL_HANDLE_ENV, env);
  }
  try {
    SQLSetConnectAttr(dbc, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(kTimeoutSeconds), 0);
    if (readOnly)
      SQLSetConnectAttr(dbc, SQL_ATTR_ACCESS_MODE, reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_ONLY), 0);
    if (useCursorLib)
      Check(SQLSetConnectAttr(dbc, SQL_ATTR_ODBC_CURSORS, reinterpret_cast<SQLPOINTER>(SQL_CUR_USE_ODBC), 0),
            SQL_HANDLE_DBC, dbc);
    std::vector<SQLCHAR> out(4096);
    SQLSMALLINT outLength = 0;
    const SQLRETURN rc = SQLDriverConnect(
        dbc, nullptr, reinterpret_cast<SQLCHAR*>(const_cast<char*>(wanted.c_str())), SQL_NTS, out.data(),
        static_cast<SQLSMALLINT>(out.size()), &outLength, SQL_DRIVER_NOPROMPT);
    Check(rc, SQL_HANDLE_DBC, dbc);
    const std::size_t got = std::min<std::size_t>(outLength > 0 ? outLength : 0, out.size() - 1);
    m_strConnect = "ODBC;" + FromDriver(std::string_view(reinterpret_cast<const char*>(out.data()), got));
  } catch (...) {
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    ReleaseEnvironment();
    throw;
  }
  m_hdbc = dbc;
  m_bReadOnly = readOnly;
  ReadInfo();
  return true;
}

void CDatabase::ReadInfo() {
  SQLHDBC dbc = m_hdbc;
  m_bTransactions = InfoShort(dbc, SQL_TXN_CAPABLE) != SQL_TC_NONE;
  m_dwBookmarkPersistence = InfoNumber(dbc, SQL_BOOKMARK_PERSISTENCE);
  if (InfoText(dbc, SQL_DATA_SOURCE_READ_ONLY) == "Y") m_bReadOnly = true;
}

void CDatabase::Close() {
  while (!m_recordsets.empty()) {
    CRecordset* rs = *m_recordsets.begin();
    rs->Close();
    rs->m_pDatabase = nullptr;
    m_recordsets.erase(rs);
  }
  if (!m_hdbc) return;
  SQLDisconnect(m_hdbc);
  SQLFreeHandle(SQL_HANDLE_DBC, m_hdbc);
  m_hdbc = nullptr;
  ReleaseEnvironment();
  m_strConnect.clear();
  m_bTransactions = false;
  m_dwBookmarkPersistence = 0;
}

void CDatabase::ExecuteSQL(const char* sql) {
  if (!m_hdbc) throw CDBException(kDbErrNoConnection);
  StatementHandle stmt(m_hdbc);
  SQLSetStmtAttr(stmt.get(), SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(kTimeoutSeconds), 0);
  const std::string text = ToDriver(sql ? sql : "");
  Check(SQLExecDirect(stmt.get(), reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str())), SQL_NTS),
        SQL_HANDLE_STMT, stmt.get(), true);
  // Further results are read and thrown away.
  while (SQL_SUCCEEDED(SQLMoreResults(stmt.get()))) {
  }
}

std::string CDatabase::GetDatabaseName() const {
  return m_hdbc ? InfoText(m_hdbc, SQL_DATABASE_NAME) : std::string();
}
