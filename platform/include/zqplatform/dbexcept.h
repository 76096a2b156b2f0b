// The exceptions of the database classes. They are thrown by value and caught by reference.
//
// CDBException carries an ODBC return code (SQL_ERROR is -1) or, for a refusal of the database
// classes themselves, one of the codes below with its fixed text.
#pragma once
#include <cstdint>
#include <string>

class CException {
 public:
  virtual ~CException() = default;
  // Copies the message (at most maxLen - 1 bytes and a zero) and sets the help context;
  // false when there is no message. A plain exception has none and help context 0.
  virtual bool GetErrorMessage(char* buffer, uint32_t maxLen, uint32_t* helpContext = nullptr) const;
};

class CMemoryException : public CException {
 public:
  // "Out of memory.", help context 0.
  bool GetErrorMessage(char* buffer, uint32_t maxLen, uint32_t* helpContext = nullptr) const override;
};

// Refusals of the database classes (return codes from 1000 up).
enum DbClassError : int16_t {
  kDbErrNotOpen = 1000,          // "The record set is not open."
  kDbErrNoCurrentRecord = 1001,  // "There is no current record."
  kDbErrForwardOnly = 1002,      // "A forward-only record set moves forward only."
  kDbErrNotUpdatable = 1003,     // "The record set cannot be updated."
  kDbErrNotAppendable = 1004,    // "The record set cannot be added to."
  kDbErrNoEdit = 1005,           // "Update or cancel without an edit or an add."
  kDbErrNoBookmarks = 1006,      // "The record set has no bookmarks."
  kDbErrPastEnd = 1007,          // "The record set is already past its last record."
  kDbErrBeforeStart = 1008,      // "The record set is already before its first record."
  kDbErrNoConnection = 1009,     // "The database is not open."
  kDbErrNoResult = 1010,         // "The statement returns no columns."
  kDbErrNoSource = 1011,         // "No data source name and no connection string."
  kDbErrNotOneRow = 1012,        // "The change would not touch exactly one row; nothing was changed."
  kDbErrNotAColumn = 1013,       // "A changed field is not a column of the table."
};

class CDBException : public CException {
 public:
  // From the diagnostic records of an ODBC handle (messages one a line, each ending "\n").
  CDBException(int16_t retCode, std::string error, std::string stateNativeOrigin);
  // A refusal of the database classes, with its fixed text.
  explicit CDBException(DbClassError code);

  bool GetErrorMessage(char* buffer, uint32_t maxLen, uint32_t* helpContext = nullptr) const override;

  int16_t m_nRetCode;
  std::string m_strError;
  std::string m_strStateNativeOrigin;  // "State:...,Native:...,Origin:...\n" per record
};
