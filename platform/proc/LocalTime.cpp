#include "zqplatform/localtime.h"

#include <time.h>

#include <cstdint>

namespace {
constexpr int64_t kTicksPerSecond = 10'000'000;
constexpr int64_t kEpochSeconds = 11'644'473'600;  // 1601-01-01 to 1970-01-01
}  // namespace

bool FileTimeToLocalFileTime(const FILETIME* utc, FILETIME* local) {
  if (!utc || !local) return false;
  const uint64_t ticks = (uint64_t{utc->dwHighDateTime} << 32) | utc->dwLowDateTime;
  const time_t seconds =
      static_cast<time_t>(static_cast<int64_t>(ticks / kTicksPerSecond) - kEpochSeconds);
  struct tm parts {};
  int64_t offset = 0;
  if (localtime_r(&seconds, &parts)) offset = parts.tm_gmtoff;
  const uint64_t shifted = ticks + static_cast<uint64_t>(offset * kTicksPerSecond);
  local->dwLowDateTime = static_cast<DWORD>(shifted);
  local->dwHighDateTime = static_cast<DWORD>(shifted >> 32);
  return true;
}
