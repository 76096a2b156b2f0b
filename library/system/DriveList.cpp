#include "system/DriveList.h"

#include "zqplatform/numbers.h"

namespace zqv {

namespace {

const char* TypeText(uint32_t type) {
  switch (type) {
    case 1: return "No Root";
    case 2: return "Removable Disk";
    case 3: return "Fixed Disk";
    case 4: return "Network Disk";
    case 5: return "CD-ROM";
    case 6: return "Ram Disk";
    default: return "Unknown Disk";
  }
}

}  // namespace

std::string DriveList(uint32_t mask, uint32_t (*driveType)(const char* root)) {
  std::string list;
  for (uint32_t bit = 0; bit < 32; ++bit) {
    if ((mask & (uint32_t{1} << bit)) == 0) continue;
    const char root[] = {static_cast<char>('A' + bit), ':', '\\', '\0'};
    uint32_t type = driveType(root);
    if (!list.empty()) list += '|';
    list += root;
    list += '@';
    list += zq::text::FormatInteger(static_cast<int32_t>(type));
    list += '@';
    list += TypeText(type);
  }
  return list;
}

}  // namespace zqv
