// The date type and the OLE date conversions.
#include <ctime>

#include "DateMath.h"
#include "DateText.h"
#include "zqplatform/codepage.h"
#include "zqplatform/oledate.h"

using zq::db::DecodeDate;
using zq::db::EncodeDate;

extern "C" HRESULT VarBstrFromDate(DATE date, LCID, uint32_t, BSTR* out) {
  if (!out) return E_INVALIDARG;
  *out = nullptr;
  SYSTEMTIME st{};
  if (!DecodeDate(date, st)) return E_INVALIDARG;
  *out = zq::text::AllocBstr(zq::db::FormatUsDate(st));
  return *out ? S_OK : E_OUTOFMEMORY;
}

extern "C" int32_t SystemTimeToVariantTime(const SYSTEMTIME* st, DATE* date) {
  if (!st || !date) return 0;
  if (st->wMonth < 1 || st->wMonth > 12 || st->wDay < 1 || st->wDay > 31 || st->wYear < 100 ||
      st->wYear > 9999)
    return 0;
  // A day past the month's end carries into the next month.
  const int64_t days = zq::db::DayNumber(st->wYear, st->wMonth, st->wDay);
  int year = 0, month = 0, day = 0;
  zq::db::CivilFromDay(days, year, month, day);
  return EncodeDate(year, month, day, st->wHour, st->wMinute, st->wSecond, *date) ? 1 : 0;
}

extern "C" int32_t VariantTimeToSystemTime(DATE date, SYSTEMTIME* st) {
  if (!st) return 0;
  SYSTEMTIME parts{};
  if (!DecodeDate(date, parts)) return 0;
  *st = parts;
  return 1;
}

COleDateTime::COleDateTime(DATE date) : m_dt(date) {
  SYSTEMTIME st{};
  m_status = DecodeDate(date, st) ? valid : invalid;
}

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second) {
  SetDateTime(year, month, day, hour, minute, second);
}

COleDateTime COleDateTime::FromTimeValue(int64_t seconds) {
  COleDateTime result;
  constexpr int64_t kLastSecond = 32535215999;  // 31 December 3000 23:59:59 UTC
  std::tm local{};
  const std::time_t t = static_cast<std::time_t>(seconds);
  if (seconds < 0 || seconds > kLastSecond || !localtime_r(&t, &local)) {
    result.m_dt = 0;
    result.m_status = invalid;
    return result;
  }
  result.SetDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                     local.tm_min, local.tm_sec);
  return result;
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
  if (EncodeDate(year, month, day, hour, minute, second, m_dt)) {
    m_status = valid;
    return 1;
  }
  m_dt = 0;
  m_status = invalid;
  return 0;
}

bool COleDateTime::Parts(SYSTEMTIME& st) const { return m_status == valid && DecodeDate(m_dt, st); }

int COleDateTime::GetYear() const {
  SYSTEMTIME st{};
  return Parts(st) ? st.wYear : kError;
}
int COleDateTime::GetMonth() const {
  SYSTEMTIME st{};
  return Parts(st) ? st.wMonth : kError;
}
int COleDateTime::GetDay() const {
  SYSTEMTIME st{};
  return Parts(st) ? st.wDay : kError;
}
int COleDateTime::GetHour() const {
  SYSTEMTIME st{};
  return Parts(st) ? st.wHour : kError;
}
int COleDateTime::GetMinute() const {
  SYSTEMTIME st{};
  return Parts(st) ? st.wMinute : kError;
}
int COleDateTime::GetSecond() const {
  SYSTEMTIME st{};
  return Parts(st) ? st.wSecond : kError;
}
int COleDateTime::GetDayOfWeek() const {
  SYSTEMTIME st{};
  return Parts(st) ? st.wDayOfWeek + 1 : kError;
}

bool COleDateTime::ParseDateTime(std::string_view text, uint32_t, LCID) {
  DATE parsed = 0;
  if (zq::db::ParseUsDate(text, parsed)) {
    m_dt = parsed;
    m_status = valid;
    return true;
  }
  m_dt = 0;
  m_status = invalid;
  return false;
}

std::string COleDateTime::Format(uint32_t, LCID) const {
  if (m_status == null) return {};
  SYSTEMTIME st{};
  if (!Parts(st)) return "Invalid DateTime";
  return zq::db::FormatUsDate(st);
}
