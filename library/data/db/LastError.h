// The last-error record of the database and record-set classes, and the capture of the
// framework's exceptions around one operation.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace zqv::db {

// The texts of one operation for its context and its message boxes.
struct OperationTexts {
  const char* context;    // "RS-MoveNext"
  const char* dbError;    // followed by the error text
  bool dbWithSql;         // then "\n\n with SQL SELECT : \n\n" and the statement
  const char* memory;     // null: the other-error text stands in
  bool memoryWithSql;     // the statement follows the memory text
  const char* operation;  // "Unknown Exception (%d) in <operation> :\n\n%s"
};

class LastError {
 public:
  // Starts an operation: sets the context name and clears the record.
  void SetContext(const char* name);
  // Records the exception being handled (call inside a catch block only) and, with show,
  // shows its message box. Returns false when it is not one of the framework's exceptions.
  bool RecordCurrent(const OperationTexts& texts, bool show, std::string_view sql);
  // Records a failure of the class itself; shows the error text when show is set.
  void RecordOwn(int32_t code, std::string text, bool show);

  std::string context;
  std::string errorText;
  int32_t nativeCode = 0;
  int32_t errorCode = 0;
  std::string messageText;
  char messageBuffer[50] = {0};
};

// Shows text in the subsystem's message box (stop icon, OK, waits for the user).
void ShowError(const std::string& text);

// Runs fn (returning bool) as one operation: any framework exception is recorded and gives
// false. With catchAll, any other thrown object gives false without a record.
template <class Fn>
bool RunOperation(LastError& err, const OperationTexts& texts, bool show, std::string_view sql, bool catchAll,
                  Fn&& fn) {
  err.SetContext(texts.context);
  try {
    return fn();
  } catch (...) {
    if (!err.RecordCurrent(texts, show, sql) && !catchAll) throw;
    return false;
  }
}

}  // namespace zqv::db
