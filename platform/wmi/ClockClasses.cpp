// Win32_LocalTime and Win32_UTCTime: the clock's present moment in parts.
#include <time.h>

#include <chrono>

#include "ClassDef.h"

namespace zq::wmi {

namespace {

constexpr PropertyDef kProperties[] = {
    {"Day", CIM_UINT32},          {"DayOfWeek", CIM_UINT32}, {"Hour", CIM_UINT32},
    {"Milliseconds", CIM_UINT32}, {"Minute", CIM_UINT32},    {"Month", CIM_UINT32},
    {"Quarter", CIM_UINT32},      {"Second", CIM_UINT32},    {"WeekInMonth", CIM_UINT32},
    {"Year", CIM_UINT32},
};

Record Parts(const ClassDef& self, bool utc) {
  time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  struct tm t {};
  if (utc) gmtime_r(&now, &t);
  else localtime_r(&now, &t);
  auto u = [](int n) { return static_cast<uint32_t>(n); };
  Record r = self.NewRecord();
  self.Set(r, "Year", u(t.tm_year + 1900));
  self.Set(r, "Month", u(t.tm_mon + 1));
  self.Set(r, "Day", u(t.tm_mday));
  self.Set(r, "DayOfWeek", u(t.tm_wday));  // 0 is Sunday
  self.Set(r, "Hour", u(t.tm_hour));
  self.Set(r, "Minute", u(t.tm_min));
  self.Set(r, "Second", u(t.tm_sec));
  self.Set(r, "Quarter", u(t.tm_mon / 3 + 1));
  // Weeks start on Sunday; the week holding the 1st is week 1.
  int firstWeekday = ((t.tm_wday - (t.tm_mday - 1)) % 7 + 7) % 7;
  self.Set(r, "WeekInMonth", u((t.tm_mday - 1 + firstWeekday) / 7 + 1));
  return r;
}

std::vector<Record> ReadLocal(const SystemFiles&, const ClassDef& self) { return {Parts(self, false)}; }
std::vector<Record> ReadUtc(const SystemFiles&, const ClassDef& self) { return {Parts(self, true)}; }

}  // namespace

const ClassDef kLocalTimeClass{"Win32_LocalTime", kProperties, ReadLocal};
const ClassDef kUtcTimeClass{"Win32_UTCTime", kProperties, ReadUtc};

}  // namespace zq::wmi
