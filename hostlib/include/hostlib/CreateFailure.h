// How the wrappers report a failed create of their library object: by default ERRORMSG with
// the object's message, procedure text and details, the create's code, a single OK button,
// no time-out and no owner.
#pragma once
#include <cstdint>
#include <functional>
#include <string_view>

namespace hostlib {

struct CreateFailure {
  std::string_view message;
  std::string_view procedure;
  std::string_view details;
  int32_t code;
};

using CreateFailureReport = std::function<void(const CreateFailure&)>;

// Replaces the error dialog as the report (tests count the reports); empty: the dialog again.
void SetCreateFailureReport(CreateFailureReport report);

}  // namespace hostlib
