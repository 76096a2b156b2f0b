// Calendar arithmetic behind the OLE date functions.
#pragma once
#include <cstdint>

#include "zqplatform/oledate.h"

namespace zq::db {

constexpr DATE kMinDate = -657434.0;                  // 1 January 100
constexpr DATE kMaxDate = 2958465.0 + 86399.0 / 86400;  // 31 December 9999 23:59:59

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// Days from 30 December 1899 to the given day (the month in 1..12, the day may pass its end).
int64_t DayNumber(int year, int month, int day);
// The calendar date of a day number.
void CivilFromDay(int64_t day, int& year, int& month, int& dayOfMonth);

// Encodes parts that are in range; false when one is not.
bool EncodeDate(int year, int month, int day, int hour, int minute, int second, DATE& out);
// Splits a DATE of the valid range into parts, rounded to the nearest second.
bool DecodeDate(DATE date, SYSTEMTIME& st);

}  // namespace zq::db
