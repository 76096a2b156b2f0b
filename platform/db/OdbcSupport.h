// What the database classes share over the ODBC C API: the environment, errors, texts.
#pragma once
#include <sql.h>
#include <sqlext.h>

#include <string>
#include <string_view>

namespace zq::db {

// The process's ODBC environment (ODBC 3), held while any connection needs it.
SQLHENV AcquireEnvironment();
void ReleaseEnvironment();

// Throws a CDBException from the handle's diagnostic records.
[[noreturn]] void ThrowDiag(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle);
// Throws when rc is neither success nor success with information (nor no data, when allowed).
void Check(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle, bool noDataOk = false);

// Answers of SQLGetInfo: 0 or an empty text when the driver has none.
SQLUSMALLINT InfoShort(SQLHDBC dbc, SQLUSMALLINT type);
SQLUINTEGER InfoNumber(SQLHDBC dbc, SQLUSMALLINT type);
std::string InfoText(SQLHDBC dbc, SQLUSMALLINT type);

// Texts go to the driver in UTF-8 and come back into the ANSI code page.
std::string ToDriver(std::string_view ansi);
std::string FromDriver(std::string_view utf8);

// A statement handle freed on every path.
class StatementHandle {
 public:
  explicit StatementHandle(SQLHDBC dbc);
  ~StatementHandle();
  StatementHandle(const StatementHandle&) = delete;
  StatementHandle& operator=(const StatementHandle&) = delete;
  SQLHSTMT get() const { return handle_; }
  SQLHSTMT release();

 private:
  SQLHSTMT handle_ = SQL_NULL_HSTMT;
};

constexpr SQLULEN kTimeoutSeconds = 15;

}  // namespace zq::db
