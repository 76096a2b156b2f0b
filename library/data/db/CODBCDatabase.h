// The library's general database: the framework's connection with a context name, a
// last-error record and the capture of the framework's exceptions.
#pragma once
#include "data/db/LastError.h"
#include "zqplatform/database.h"

class CODBCDatabase : public CDatabase {
 public:
  CODBCDatabase();
  ~CODBCDatabase() override;

  void SetContext(const char* name) { m_error.SetContext(name); }
  // connect null: no connection string. 1 on success, 0 on failure.
  int32_t Open(const char* dsn, bool exclusive, bool readOnly, const char* connect, bool useCursorLib,
               bool showMessages);
  int32_t ExecuteSQL(const char* sql, bool showMessages);

  const zqv::db::LastError& LastErrorRecord() const { return m_error; }

 private:
  bool m_bOpened = false;
  zqv::db::LastError m_error;
};
