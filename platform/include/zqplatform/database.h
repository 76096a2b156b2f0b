// A connection to an ODBC data source (the unixODBC driver manager underneath).
//
// Open takes a data source name and/or a connection string. The string may begin with "ODBC;"
// (either case), which is dropped; without one, the data source name alone connects
// ("DSN=<name>"); with both, "DSN=<name>;" goes in front of a string that names no DSN of its
// own; with neither a name nor a string it fails. There is no prompt: missing values fail as a CDBException, so Open returns true or
// throws. The login and query time-outs are 15 seconds.
#pragma once
#include <cstdint>
#include <set>
#include <string>

#include "zqplatform/dbexcept.h"

class CRecordset;

class CDatabase {
 public:
  CDatabase();
  virtual ~CDatabase();
  CDatabase(const CDatabase&) = delete;
  CDatabase& operator=(const CDatabase&) = delete;

  // connect may be null. Throws CDBException or CMemoryException.
  virtual bool Open(const char* dsn, bool exclusive, bool readOnly, const char* connect,
                    bool useCursorLib);
  // Closes every record set still open on the connection, then disconnects.
  virtual void Close();
  // Runs one statement; throws CDBException when it fails.
  void ExecuteSQL(const char* sql);

  bool IsOpen() const { return m_hdbc != nullptr; }
  bool CanTransact() const { return m_bTransactions; }
  bool IsReadOnly() const { return m_bReadOnly; }
  uint32_t GetBookmarkPersistence() const { return m_dwBookmarkPersistence; }
  // "ODBC;" and the connection string the driver completed; empty before an open.
  const std::string& GetConnect() const { return m_strConnect; }
  // The name the driver reports; empty when there is none or no connection.
  std::string GetDatabaseName() const;

  // The connection handle (an ODBC SQLHDBC); null when not connected.
  void* m_hdbc = nullptr;

 private:
  friend class CRecordset;
  void ReadInfo();

  std::string m_strConnect;
  bool m_bTransactions = false;
  bool m_bReadOnly = false;
  uint32_t m_dwBookmarkPersistence = 0;
  std::set<CRecordset*> m_recordsets;  // open on this connection
};
