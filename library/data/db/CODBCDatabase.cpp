#include "data/db/CODBCDatabase.h"

#include "data/db/DbCodes.h"

using namespace zqv::db;

namespace {
constexpr OperationTexts kOpenTexts{"DB-Open", "CDB Exception in Open Database :\n\n", false,
                                    "Memory Exception in Open Database.", false, "CDatabase::Open"};
constexpr OperationTexts kExecuteTexts{"DB-ExecuteSQL", "CDB Exception in Execute SQL :\n\n", true,
                                       "Memory Exception in CDatabase::ExecuteSQL :\n\nWith SQL SELECT :\n\n", true,
                                       "CDatabase::ExecuteSQL"};
}  // namespace

CODBCDatabase::CODBCDatabase() { SetContext("DB-Constructor"); }

CODBCDatabase::~CODBCDatabase() = default;

int32_t CODBCDatabase::Open(const char* dsn, bool exclusive, bool readOnly, const char* connect, bool useCursorLib,
                            bool showMessages) {
  if (m_bOpened) {
    SetContext(kOpenTexts.context);
    m_error.RecordOwn(kErrAlreadyOpened, "Database is already opened.", false);
    return 0;
  }
  const bool opened = RunOperation(m_error, kOpenTexts, showMessages, {}, false, [&] {
    return CDatabase::Open(dsn, exclusive, readOnly, connect, useCursorLib);
  });
  if (opened) m_bOpened = true;
  return opened ? 1 : 0;
}

int32_t CODBCDatabase::ExecuteSQL(const char* sql, bool showMessages) {
  if (!m_bOpened) {
    SetContext(kExecuteTexts.context);
    m_error.RecordOwn(kErrNotOpened, "Database has not been opened.", false);
    return 0;
  }
  return RunOperation(m_error, kExecuteTexts, showMessages, sql ? sql : "", false, [&] {
           CDatabase::ExecuteSQL(sql);
           return true;
         })
             ? 1
             : 0;
}
