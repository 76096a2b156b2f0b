#include "CimTime.h"

#include <time.h>

#include <cstdio>

namespace zq::wmi {

namespace {

std::string Format(const struct tm& t, int32_t microseconds, int32_t offsetMinutes) {
  char text[64];
  int32_t offset = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
  std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d.%06d%c%03d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                t.tm_hour, t.tm_min, t.tm_sec, static_cast<int>(microseconds % 1000000),
                offsetMinutes < 0 ? '-' : '+', static_cast<int>(offset % 1000));
  return text;
}

}  // namespace

std::string CimDateTime(int64_t unixSeconds, int32_t microseconds, bool utc) {
  time_t seconds = static_cast<time_t>(unixSeconds);
  struct tm t {};
  if (utc) {
    gmtime_r(&seconds, &t);
    return Format(t, microseconds, 0);
  }
  localtime_r(&seconds, &t);
  return Format(t, microseconds, static_cast<int32_t>(t.tm_gmtoff / 60));
}

std::string CimDate(int32_t year, int32_t month, int32_t day) {
  struct tm t {};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  return Format(t, 0, 0);
}

std::optional<int64_t> BootTime(const SystemFiles& system) {
  auto stat = system.Read("/proc/stat");
  if (!stat) return std::nullopt;
  auto values = KeyValues(*stat, ' ');
  auto it = values.find("btime");
  if (it == values.end()) return std::nullopt;
  auto n = LeadingNumber(it->second);
  if (!n) return std::nullopt;
  return static_cast<int64_t>(*n);
}

int32_t LocalOffsetMinutes(int64_t unixSeconds) {
  time_t seconds = static_cast<time_t>(unixSeconds);
  struct tm t {};
  localtime_r(&seconds, &t);
  return static_cast<int32_t>(t.tm_gmtoff / 60);
}

}  // namespace zq::wmi
