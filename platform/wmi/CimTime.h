// Moments as CIM date-times and the system's clock facts.
#pragma once
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

#include "SystemFiles.h"

namespace zq::wmi {

// "yyyymmddHHMMSS.ffffff" and the offset from UTC in minutes with its sign ("+060"): the
// moment (seconds since 1970 UTC) in local time, or in UTC when utc is set.
std::string CimDateTime(int64_t unixSeconds, int32_t microseconds = 0, bool utc = false);
// A calendar date at midnight, offset "+000" (firmware dates carry no zone).
std::string CimDate(int32_t year, int32_t month, int32_t day);
// The boot time (btime of /proc/stat) in seconds since 1970.
std::optional<int64_t> BootTime(const SystemFiles& system);
// The local time's offset from UTC in minutes at the moment.
int32_t LocalOffsetMinutes(int64_t unixSeconds);

}  // namespace zq::wmi
