#include "OdbcSupport.h"

#include <algorithm>
#include <mutex>
#include <new>

#include "zqplatform/codepage.h"
#include "zqplatform/dbexcept.h"

namespace zq::db {

namespace {
std::mutex envLock;
SQLHENV environment = SQL_NULL_HENV;
int environmentUsers = 0;

// Splits "[origin][origin]message" into its origin prefixes and the message.
std::string_view StripOrigin(std::string_view message, std::string_view& origin) {
  std::size_t pos = 0;
  while (pos < message.size() && message[pos] == '[') {
    const std::size_t close = message.find(']', pos);
    if (close == std::string_view::npos) break;
    pos = close + 1;
  }
  origin = message.substr(0, pos);
  return message.substr(pos);
}
}  // namespace

SQLHENV AcquireEnvironment() {
  std::lock_guard hold(envLock);
  if (environmentUsers == 0) {
    SQLHENV env = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) throw std::bad_alloc();
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    environment = env;
  }
  ++environmentUsers;
  return environment;
}

void ReleaseEnvironment() {
  std::lock_guard hold(envLock);
  if (environmentUsers > 0 && --environmentUsers == 0) {
    SQLFreeHandle(SQL_HANDLE_ENV, environment);
    environment = SQL_NULL_HENV;
  }
}

void ThrowDiag(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle) {
  std::string error, states;
  SQLCHAR state[6] = {0};
  SQLINTEGER native = 0;
  SQLCHAR message[SQL_MAX_MESSAGE_LENGTH + 1];
  SQLSMALLINT length = 0;
  for (SQLSMALLINT rec = 1; handle && rec <= 32; ++rec) {
    const SQLRETURN got = SQLGetDiagRec(handleType, handle, rec, state, &native, message,
                                        sizeof message, &length);
    if (!SQL_SUCCEEDED(got)) break;
    if (length < 0) length = 0;
    if (length > SQL_MAX_MESSAGE_LENGTH) length = SQL_MAX_MESSAGE_LENGTH;
    std::string_view origin;
    const std::string_view text =
        StripOrigin({reinterpret_cast<const char*>(message), static_cast<std::size_t>(length)}, origin);
    error += FromDriver(text);
    error += '\n';
    states += "State:";
    states += reinterpret_cast<const char*>(state);
    states += ",Native:";
    states += std::to_string(native);
    states += ",Origin:";
    states += FromDriver(origin);
    states += '\n';
  }
  if (error.empty()) error = "The driver reported an error without a message.\n";
  throw CDBException(static_cast<int16_t>(rc), std::move(error), std::move(states));
}

void Check(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle, bool noDataOk) {
  if (SQL_SUCCEEDED(rc) || (noDataOk && rc == SQL_NO_DATA)) return;
  ThrowDiag(rc, handleType, handle);
}

SQLUINTEGER InfoNumber(SQLHDBC dbc, SQLUSMALLINT type) {
  SQLUINTEGER value = 0;
  if (!SQL_SUCCEEDED(SQLGetInfo(dbc, type, &value, sizeof value, nullptr))) return 0;
  return value;
}

SQLUSMALLINT InfoShort(SQLHDBC dbc, SQLUSMALLINT type) {
  SQLUSMALLINT value = 0;
  if (!SQL_SUCCEEDED(SQLGetInfo(dbc, type, &value, sizeof value, nullptr))) return 0;
  return value;
}

std::string InfoText(SQLHDBC dbc, SQLUSMALLINT type) {
  char buffer[512];
  SQLSMALLINT length = 0;
  if (!SQL_SUCCEEDED(SQLGetInfo(dbc, type, buffer, sizeof buffer, &length)) || length <= 0) return {};
  return FromDriver(std::string_view(buffer, std::min<std::size_t>(length, sizeof buffer - 1)));
}

std::string ToDriver(std::string_view ansi) { return zq::text::AnsiToUtf8(ansi); }
std::string FromDriver(std::string_view utf8) { return zq::text::Utf8ToAnsi(utf8); }

StatementHandle::StatementHandle(SQLHDBC dbc) {
  Check(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &handle_), SQL_HANDLE_DBC, dbc);
}

StatementHandle::~StatementHandle() {
  if (handle_) SQLFreeHandle(SQL_HANDLE_STMT, handle_);
}

SQLHSTMT StatementHandle::release() {
  SQLHSTMT h = handle_;
  handle_ = SQL_NULL_HSTMT;
  return h;
}

}  // namespace zq::db
