#include "hostlib/CreateFailure.h"

#include <mutex>

#include "hostlib/Dialogs.h"
#include "wrappers/Created.h"

namespace hostlib {
namespace {

std::mutex reportLock;
CreateFailureReport& Replacement() {
  static CreateFailureReport report;
  return report;
}

}  // namespace

void SetCreateFailureReport(CreateFailureReport report) {
  std::lock_guard hold(reportLock);
  Replacement() = std::move(report);
}

namespace detail {

int32_t Created(int32_t result, const CreateTexts& texts, int32_t& interror) {
  interror = 0;
  if (result > 0) return result;
  const CreateFailure failure{texts.message, texts.procedure, "Close your Application.", result};
  CreateFailureReport report;
  {
    std::lock_guard hold(reportLock);
    report = Replacement();
  }
  if (report) {
    report(failure);
  } else {
    ERRORMSG(failure.message, failure.procedure, failure.details, static_cast<int16_t>(result), kOkOnly, 0, 0);
  }
  interror = result;
  return 0;
}

}  // namespace detail
}  // namespace hostlib
