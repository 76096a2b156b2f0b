// The system's reason in words for a Windows error number, as a dialog shows it beside a code.
#pragma once
#include <string>

#include "zqplatform/handles.h"

namespace zq {

// A short lower-case reason ("the disk is full", "access denied"); empty for ERROR_SUCCESS,
// "system error N" for a number the layer does not report.
std::string ErrorReason(DWORD error);

}  // namespace zq
