#include "DateMath.h"

#include <cmath>

namespace zq::db {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

namespace {
// Days from 1 January 1970 (proleptic Gregorian calendar).
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}
constexpr int64_t kEpochOffset = 25569;  // 30 December 1899 to 1 January 1970
}  // namespace

int64_t DayNumber(int year, int month, int day) {
  return DaysFromCivil(year, month, 1) + (day - 1) + kEpochOffset;
}

void CivilFromDay(int64_t day, int& year, int& month, int& dayOfMonth) {
  int64_t z = day - kEpochOffset + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  dayOfMonth = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

bool EncodeDate(int year, int month, int day, int hour, int minute, int second, DATE& out) {
  if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
      second < 0 || second > 59)
    return false;
  const int64_t days = DayNumber(year, month, day);
  const double time = (hour * 3600 + minute * 60 + second) / 86400.0;
  out = days >= 0 ? static_cast<double>(days) + time : static_cast<double>(days) - time;
  return true;
}

bool DecodeDate(DATE date, SYSTEMTIME& st) {
  if (!(date >= kMinDate && date <= kMaxDate + 0.5 / 86400)) return false;
  int64_t days = static_cast<int64_t>(std::trunc(date));
  int64_t seconds = std::llround(std::fabs(date - static_cast<double>(days)) * 86400.0);
  if (seconds >= 86400) {
    seconds -= 86400;
    ++days;
  }
  int year = 0, month = 0, dayOfMonth = 0;
  CivilFromDay(days, year, month, dayOfMonth);
  if (year > 9999) return false;
  st.wYear = static_cast<uint16_t>(year);
  st.wMonth = static_cast<uint16_t>(month);
  st.wDay = static_cast<uint16_t>(dayOfMonth);
  // 30 December 1899 was a Saturday.
  st.wDayOfWeek = static_cast<uint16_t>(((days % 7) + 7 + 6) % 7);
  st.wHour = static_cast<uint16_t>(seconds / 3600);
  st.wMinute = static_cast<uint16_t>(seconds / 60 % 60);
  st.wSecond = static_cast<uint16_t>(seconds % 60);
  st.wMilliseconds = 0;
  return true;
}

}  // namespace zq::db
