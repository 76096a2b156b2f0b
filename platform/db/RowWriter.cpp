#include "RowWriter.h"

#include "zqplatform/dbexcept.h"

namespace zq::db {

namespace {

// A statement handle with the statement prepared and its parameters bound.
class Prepared {
 public:
  Prepared(SQLHDBC dbc, const Statement& statement) : handle_(dbc), lengths_(statement.params.size()) {
    SQLHSTMT h = handle_.get();
    SQLSetStmtAttr(h, SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(kTimeoutSeconds), 0);
    std::string text = ToDriver(statement.text);
    Check(SQLPrepare(h, reinterpret_cast<SQLCHAR*>(text.data()), static_cast<SQLINTEGER>(text.size())),
          SQL_HANDLE_STMT, h);
    for (std::size_t i = 0; i < statement.params.size(); ++i) {
      const Parameter& p = statement.params[i];
      lengths_[i] = p.length;
      const SQLLEN room = p.length > 0 ? p.length : 0;
      Check(SQLBindParameter(h, static_cast<SQLUSMALLINT>(i + 1), SQL_PARAM_INPUT, p.cType, p.sqlType, p.size,
                             p.digits, const_cast<unsigned char*>(p.data), room, &lengths_[i]),
            SQL_HANDLE_STMT, h);
    }
  }
  SQLHSTMT get() const { return handle_.get(); }

 private:
  StatementHandle handle_;
  std::vector<SQLLEN> lengths_;
};

// The number of rows the statement changed.
SQLLEN Run(SQLHDBC dbc, const Statement& statement) {
  Prepared prepared(dbc, statement);
  SQLHSTMT h = prepared.get();
  const SQLRETURN rc = SQLExecute(h);
  if (rc == SQL_NO_DATA) return 0;
  Check(rc, SQL_HANDLE_STMT, h);
  SQLLEN rows = -1;
  Check(SQLRowCount(h, &rows), SQL_HANDLE_STMT, h);
  return rows;
}

SQLLEN Count(SQLHDBC dbc, const Statement& statement) {
  Prepared prepared(dbc, statement);
  SQLHSTMT h = prepared.get();
  Check(SQLExecute(h), SQL_HANDLE_STMT, h);
  SQLBIGINT rows = -1;
  SQLLEN indicator = 0;
  Check(SQLFetch(h), SQL_HANDLE_STMT, h);
  Check(SQLGetData(h, 1, SQL_C_SBIGINT, &rows, 0, &indicator), SQL_HANDLE_STMT, h);
  return static_cast<SQLLEN>(rows);
}

SQLRETURN SetAutoCommit(SQLHDBC dbc, bool on) {
  const SQLULEN value = on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF;
  return SQLSetConnectAttr(dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(value), 0);
}

bool AutoCommitOn(SQLHDBC dbc) {
  SQLULEN value = SQL_AUTOCOMMIT_ON;
  SQLGetConnectAttr(dbc, SQL_ATTR_AUTOCOMMIT, &value, 0, nullptr);
  return value == SQL_AUTOCOMMIT_ON;
}

}  // namespace

void ChangeOneRow(SQLHDBC dbc, bool transactions, const RowChange& write) {
  if (write.unique) {
    if (Run(dbc, write.change) == 0) throw CDBException(kDbErrNotOneRow);
    return;
  }
  // A connection already inside a transaction of its own keeps it: the change is made only
  // after the count allows it.
  if (!transactions || !AutoCommitOn(dbc)) {
    if (Count(dbc, write.count) != 1) throw CDBException(kDbErrNotOneRow);
    if (Run(dbc, write.change) != 1) throw CDBException(kDbErrNotOneRow);
    return;
  }
  Check(SetAutoCommit(dbc, false), SQL_HANDLE_DBC, dbc);
  try {
    if (Run(dbc, write.change) != 1) throw CDBException(kDbErrNotOneRow);
    Check(SQLEndTran(SQL_HANDLE_DBC, dbc, SQL_COMMIT), SQL_HANDLE_DBC, dbc);
  } catch (...) {
    SQLEndTran(SQL_HANDLE_DBC, dbc, SQL_ROLLBACK);
    SetAutoCommit(dbc, true);
    throw;
  }
  SetAutoCommit(dbc, true);
}

}  // namespace zq::db
