#include <algorithm>
#include <cstring>
#include <string_view>

#include "zqplatform/dbexcept.h"

namespace {

bool CopyMessage(std::string_view text, char* buffer, uint32_t maxLen) {
  if (!buffer || maxLen == 0) return !text.empty();
  const std::size_t n = std::min<std::size_t>(text.size(), maxLen - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return !text.empty();
}

const char* ClassErrorText(DbClassError code) {
  switch (code) {
    case kDbErrNotOpen: return "The record set is not open.\n";
    case kDbErrNoCurrentRecord: return "There is no current record.\n";
    case kDbErrForwardOnly: return "A forward-only record set moves forward only.\n";
    case kDbErrNotUpdatable: return "The record set cannot be updated.\n";
    case kDbErrNotAppendable: return "The record set cannot be added to.\n";
    case kDbErrNoEdit: return "Update or cancel without an edit or an add.\n";
    case kDbErrNoBookmarks: return "The record set has no bookmarks.\n";
    case kDbErrPastEnd: return "The record set is already past its last record.\n";
    case kDbErrBeforeStart: return "The record set is already before its first record.\n";
    case kDbErrNoConnection: return "The database is not open.\n";
    case kDbErrNoResult: return "The statement returns no columns.\n";
    case kDbErrNoSource: return "No data source name and no connection string.\n";
    case kDbErrNotOneRow: return "The change would not touch exactly one row; nothing was changed.\n";
    case kDbErrNotAColumn: return "A changed field is not a column of the table.\n";
  }
  return "Database error.\n";
}

}  // namespace

bool CException::GetErrorMessage(char* buffer, uint32_t maxLen, uint32_t* helpContext) const {
  if (helpContext) *helpContext = 0;
  return CopyMessage({}, buffer, maxLen);
}

bool CMemoryException::GetErrorMessage(char* buffer, uint32_t maxLen, uint32_t* helpContext) const {
  if (helpContext) *helpContext = 0;
  return CopyMessage("Out of memory.", buffer, maxLen);
}

CDBException::CDBException(int16_t retCode, std::string error, std::string stateNativeOrigin)
    : m_nRetCode(retCode), m_strError(std::move(error)), m_strStateNativeOrigin(std::move(stateNativeOrigin)) {}

CDBException::CDBException(DbClassError code) : m_nRetCode(code), m_strError(ClassErrorText(code)) {}

bool CDBException::GetErrorMessage(char* buffer, uint32_t maxLen, uint32_t* helpContext) const {
  if (helpContext) *helpContext = 0;
  return CopyMessage(m_strError, buffer, maxLen);
}
