// The drive list of DSKGetDrives: "root@type@text" items in letter order joined by "|".
#pragma once
#include <cstdint>
#include <string>

namespace zqv {

// Builds the list from a mask of present drives (bit 0 is A) and the drive-type query.
std::string DriveList(uint32_t mask, uint32_t (*driveType)(const char* root));

}  // namespace zqv
