// OLE Automation dates: DATE values (days since 30 December 1899, the fraction the time of day,
// counted away from 0 for days before that), SYSTEMTIME records and the date type COleDateTime.
//
// Texts use one fixed user locale, US English: dates are formatted as "3/14/2009 10:20:30 AM"
// (the date alone at midnight, the time alone on 30 December 1899); the parser takes
// month/day/year with "/", "-" or "." between the parts, year-month-day when the first number
// has four digits, month names in full or by their first three letters ("March 14, 2009",
// "14 Mar 2009"), and a time "h:mm[:ss[.fff]]" with an optional AM or PM; a date alone is at
// 00:00:00, a time alone on 30 December 1899. Two-digit years 0 to 29 are 2000 to 2029, 30 to
// 99 are 1930 to 1999. The valid range is 1 January 100 to 31 December 9999.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "zqplatform/hresult.h"
#include "zqplatform/oleauto.h"

extern "C" {
typedef double DATE;
typedef uint32_t LCID;

struct SYSTEMTIME {
  uint16_t wYear;
  uint16_t wMonth;
  uint16_t wDayOfWeek;
  uint16_t wDay;
  uint16_t wHour;
  uint16_t wMinute;
  uint16_t wSecond;
  uint16_t wMilliseconds;
};
}

constexpr LCID LANG_USER_DEFAULT = 0x400;

extern "C" {
// The date as text in the user locale (flags are accepted and ignored); E_INVALIDARG outside
// the valid range.
HRESULT VarBstrFromDate(DATE date, LCID lcid, uint32_t flags, BSTR* out);
// Non-zero on success. Fails on a month outside 1..12, a day outside 1..31, an hour, minute or
// second out of range, or a year outside 100..9999; a day past the month's end carries into the
// next month; the milliseconds and the day of week are ignored.
int32_t SystemTimeToVariantTime(const SYSTEMTIME* st, DATE* date);
// Non-zero on success; rounds to the nearest second, fills the day of week (0 Sunday) and sets
// the milliseconds to 0; fails outside the valid range.
int32_t VariantTimeToSystemTime(DATE date, SYSTEMTIME* st);
}

class COleDateTime {
 public:
  enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };
  // Error value of the part getters on a date that is not valid.
  static constexpr int kError = -1;

  COleDateTime() = default;  // 30 December 1899 00:00:00, valid
  explicit COleDateTime(DATE date);
  COleDateTime(int year, int month, int day, int hour, int minute, int second);
  // Seconds since 1 January 1970 UTC in local time; invalid below 0 and above the year 3000.
  static COleDateTime FromTimeValue(int64_t seconds);

  // Sets the date from its parts; invalid (and 0) when a part is out of range.
  int SetDateTime(int year, int month, int day, int hour, int minute, int second);
  void SetStatus(DateTimeStatus status) { m_status = status; }
  DateTimeStatus GetStatus() const { return m_status; }

  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;
  int GetDayOfWeek() const;  // 1 Sunday .. 7 Saturday

  // Parses text in the user locale; false (and the date invalid) when it does not parse.
  bool ParseDateTime(std::string_view text, uint32_t flags = 0, LCID lcid = LANG_USER_DEFAULT);
  // The text of VarBstrFromDate; empty for a null date, "Invalid DateTime" for an invalid one.
  std::string Format(uint32_t flags = 0, LCID lcid = LANG_USER_DEFAULT) const;

  DATE m_dt = 0;
  DateTimeStatus m_status = valid;

 private:
  bool Parts(SYSTEMTIME& st) const;
};
