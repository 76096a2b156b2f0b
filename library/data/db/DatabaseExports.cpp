// The DB family.
#include "data/db/DbCodes.h"
#include "data/db/ExportSupport.h"
#include "frame/Exports.h"
#include "zqvantor/data.h"

using namespace zqv::db;

namespace {
// Runs body(database) after the look-up; the look-up code on failure.
template <class Body>
int32_t WithDatabase(int32_t handle, Body&& body) {
  return zqv::Export<int32_t>(zqv::kMemoryExhausted, [&]() -> int32_t {
    int32_t code = 0;
    CLASQL* db = LookupDatabase(handle, &code);
    return db ? body(*db) : code;
  });
}

template <class Text>
BSTR DatabaseText(int32_t handle, int32_t* err, Text&& text) {
  zqv::ModuleStateGuard state;
  try {
    int32_t code = 0;
    CLASQL* db = LookupDatabase(handle, &code);
    if (!db) return zqv::Fail(err, code);
    return zqv::TextResult(text(*db));
  } catch (...) {
    return zqv::Fail(err, zqv::kMemoryExhausted);
  }
}
}  // namespace

ZQV_API int32_t DBCreate(void) {
  return zqv::Export<int32_t>(zqv::kMemoryExhausted, [] { return CVantor::App().CreateDatabase(); });
}

ZQV_API int32_t DBDestroy(int32_t db) {
  return zqv::Export<int32_t>(zqv::kMemoryExhausted, [&] { return CVantor::App().DestroyDatabase(db); });
}

ZQV_API int32_t DBOpen(int32_t db, int32_t dsnLen, const char* dsn, int32_t readOnly, int32_t connectLen,
                       const char* connect, int32_t useCursorLib) {
  return zqv::Export<int32_t>(zqv::kMemoryExhausted, [&]() -> int32_t {
    const std::string name(zqv::HostText(dsnLen, dsn));
    const std::string text(zqv::HostText(connectLen, connect));
    if (name.empty() && text.empty()) return kBothTextsEmpty;
    int32_t code = 0;
    CLASQL* database = LookupDatabase(db, &code);
    if (!database) return code;
    if (database->IsOpen()) return kAlreadyConnected;
    database->m_bUseCursorLib = useCursorLib != 0;
    const std::string trimmedName = TrimBlanks(name);
    const std::string trimmedText = TrimBlanks(text);
    // An open without a connection string never shows a message box.
    const int32_t opened =
        trimmedText.empty()
            ? database->Open(trimmedName.c_str(), false, readOnly != 0, nullptr, database->m_bUseCursorLib, false)
            : database->Open(trimmedName.c_str(), false, readOnly != 0, trimmedText.c_str(),
                             database->m_bUseCursorLib, database->m_bDbMessages);
    return opened ? 0 : kOpenFailed;
  });
}

ZQV_API int32_t DBClose(int32_t db) {
  return WithDatabase(db, [](CLASQL& database) {
    database.Close();
    return 0;
  });
}

ZQV_API int32_t DBSQL(int32_t db, int32_t sqlLen, const char* sql) {
  return zqv::Export<int32_t>(zqv::kMemoryExhausted, [&]() -> int32_t {
    if (!sql || zqv::HostText(sqlLen, sql).empty()) return kNoStatement;
    int32_t code = 0;
    CLASQL* database = LookupDatabase(db, &code);
    if (!database) return code;
    if (!database->IsOpen()) return kNotConnected;
    const std::string statement = TrimBlanks(zqv::HostText(sqlLen, sql));
    return database->ExecuteSQL(statement.c_str(), database->m_bDbMessages) ? 0 : kStatementFailed;
  });
}

ZQV_API int32_t DBSetDebug(int32_t db, int32_t flags) {
  return WithDatabase(db, [&](CLASQL& database) {
    database.m_bDbMessages = (flags & 1) != 0;
    database.m_bRsMessages = (flags & 2) != 0;
    return 0;
  });
}

ZQV_API int32_t DBIsOpen(int32_t db) {
  return WithDatabase(db, [](CLASQL& database) { return database.IsOpen() ? 1 : 0; });
}

ZQV_API int32_t DBCanTransact(int32_t db) {
  return WithDatabase(db, [](CLASQL& database) { return database.CanTransact() ? 1 : 0; });
}

ZQV_API int32_t DBGetBookmarkPersistence(int32_t db) {
  return WithDatabase(db, [](CLASQL& database) { return static_cast<int32_t>(database.GetBookmarkPersistence()); });
}

ZQV_API BSTR DBGetConnect(int32_t db, int32_t* err) {
  return DatabaseText(db, err, [](CLASQL& database) { return database.GetConnect(); });
}

ZQV_API BSTR DBGetDatabaseName(int32_t db, int32_t* err) {
  return DatabaseText(db, err, [](CLASQL& database) { return database.GetDatabaseName(); });
}
