// Path and disk procedures.
#include <array>
#include <cstring>

#include "ZQ_Vantor.h"
#include "hostlib/Procedures.h"
#include "wrappers/HostArgs.h"

using namespace hostlib::detail;

std::string CHECKPATH(std::string_view path) {
  std::string checked(path.substr(0, static_cast<size_t>(TLEN(path))));
  if (checked.empty() || checked.back() != '\\') checked += '\\';
  return checked;
}

std::string GETDRIVES() { return FIX(DSKGetDrives()); }

namespace {

// The library's disk record: three counts, each as its low and high 32 bits.
struct DiskPair {
  uint32_t LP;
  uint32_t HP;
  uint64_t Count() const { return static_cast<uint64_t>(HP) << 32 | LP; }
};
struct DiskRecord {
  DiskPair FREEUSER;
  DiskPair TOTALDISK;
  DiskPair FREEDISK;
};
static_assert(sizeof(DiskRecord) == 24);

}  // namespace

int32_t GETDISKINFO(std::string_view path, uint64_t& value, uint8_t selector) {
  DiskRecord record{};
  if (DSKGetDiskInfo(Len(path), Ptr(path), sizeof record, &record) == 0) return 0;
  switch (selector) {
    case kDiskTotal:
      value = record.TOTALDISK.Count();
      break;
    case kDiskFreeUser:
      value = record.FREEUSER.Count();
      break;
    default:
      value = record.FREEDISK.Count();
      break;
  }
  return 1;
}
