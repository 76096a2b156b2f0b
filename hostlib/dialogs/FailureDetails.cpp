#include <string>

#include "hostlib/Dialogs.h"
#include "zqplatform/errortext.h"

std::string FailureDetails(std::string_view path, uint32_t systemError) {
  const std::string reason = zq::ErrorReason(systemError);
  std::string details(path);
  if (!reason.empty()) details.append(details.empty() ? "" : " - ").append(reason);
  return details;
}
