#include "data/db/CDBField.h"

#include <cmath>

#include "data/db/Narrowing.h"
#include "zqplatform/numbers.h"

using namespace zqv::db;
namespace sqltype = zq::db::sqltype;
namespace ctype = zq::db::ctype;

int16_t SqlTypeToCType(int16_t sqlType) {
  switch (sqlType) {
    case sqltype::kBit: return ctype::kBit;
    case sqltype::kTinyInt: return ctype::kUTinyInt;
    case sqltype::kSmallInt: return ctype::kSShort;
    case sqltype::kInteger: return ctype::kSLong;
    case sqltype::kReal: return ctype::kFloat;
    case sqltype::kFloat:
    case sqltype::kDouble: return ctype::kDouble;
    case sqltype::kDate:
    case sqltype::kTime:
    case sqltype::kTimestamp: return ctype::kTimestamp;
    case sqltype::kChar:
    case sqltype::kNumeric:
    case sqltype::kDecimal:
    case sqltype::kVarChar:
    case sqltype::kBigInt: return ctype::kChar;
    case sqltype::kLongVarChar:
    case sqltype::kBinary:
    case sqltype::kVarBinary:
    case sqltype::kLongVarBinary: return ctype::kBinary;
    case sqltype::kWChar:
    case sqltype::kWVarChar:
    case sqltype::kWLongVarChar: return ctype::kWChar;
    default: return ctype::kNone;
  }
}

void CDBField::SetTypeFromColumn(const CODBCFieldInfo& info) {
  switch (SqlTypeToCType(info.m_nSQLType)) {
    case ctype::kBit: SetType(DBVT_BOOL); break;
    case ctype::kUTinyInt: SetType(DBVT_UCHAR); break;
    case ctype::kSShort: SetType(DBVT_SHORT); break;
    case ctype::kSLong: SetType(DBVT_LONG); break;
    case ctype::kFloat: SetType(DBVT_SINGLE); break;
    case ctype::kDouble: SetType(DBVT_DOUBLE); break;
    case ctype::kTimestamp: SetType(DBVT_DATE); break;
    case ctype::kChar: SetType(DBVT_STRING); break;
    case ctype::kBinary: SetType(DBVT_BINARY); break;
    case ctype::kWChar: SetType(DBVT_WSTRING); break;
    default: break;
  }
}

namespace {
bool IsText(uint32_t type) { return type == DBVT_STRING || type == DBVT_WSTRING; }
bool StartsTrue(const std::string& text) { return !text.empty() && (text[0] == 'T' || text[0] == '1'); }
}  // namespace

bool CDBField::AsBool() const {
  if (m_bNull) return false;
  switch (m_dwType) {
    case DBVT_BOOL: return m_boolVal == 1;
    case DBVT_UCHAR: return m_chVal == 'T' || m_chVal == '1';
    case DBVT_SHORT: return m_iVal != 0;
    case DBVT_LONG: return m_lVal != 0;
    case DBVT_SINGLE: return m_fltVal != 0;
    case DBVT_DOUBLE: return m_dblVal != 0;
    case DBVT_STRING:
    case DBVT_WSTRING: return StartsTrue(*m_pstring);
    default: return false;
  }
}

unsigned char CDBField::AsChar() const {
  if (m_bNull) return ' ';
  switch (m_dwType) {
    case DBVT_BOOL: return m_boolVal == 1 ? 'T' : 'F';
    case DBVT_UCHAR: return m_chVal;
    case DBVT_SHORT: return static_cast<unsigned char>(m_iVal);
    case DBVT_LONG: return static_cast<unsigned char>(m_lVal);
    case DBVT_SINGLE: return static_cast<unsigned char>(Truncate(m_fltVal));
    case DBVT_DOUBLE: return static_cast<unsigned char>(Truncate(m_dblVal));
    case DBVT_STRING:
    case DBVT_WSTRING: return m_pstring->empty() ? ' ' : static_cast<unsigned char>((*m_pstring)[0]);
    default: return ' ';
  }
}

int16_t CDBField::AsShort() const {
  if (m_bNull) return 0;
  switch (m_dwType) {
    case DBVT_BOOL: return m_boolVal == 1 ? 1 : 0;
    case DBVT_UCHAR: return m_chVal;
    case DBVT_SHORT: return m_iVal;
    case DBVT_LONG: return static_cast<int16_t>(m_lVal);
    case DBVT_SINGLE: return static_cast<int16_t>(Truncate(m_fltVal));
    case DBVT_DOUBLE: return static_cast<int16_t>(Truncate(m_dblVal));
    case DBVT_STRING:
    case DBVT_WSTRING: return static_cast<int16_t>(zq::text::ReadLong(*m_pstring));
    default: return 0;
  }
}

int32_t CDBField::AsLong() const {
  if (m_bNull) return 0;
  switch (m_dwType) {
    case DBVT_BOOL: return m_boolVal == 1 ? 1 : 0;
    case DBVT_UCHAR: return m_chVal;
    case DBVT_SHORT: return m_iVal;
    case DBVT_LONG: return m_lVal;
    case DBVT_SINGLE: return TruncateLong(m_fltVal);
    case DBVT_DOUBLE: return TruncateLong(m_dblVal);
    case DBVT_STRING:
    case DBVT_WSTRING: return zq::text::ReadLong(*m_pstring);
    default: return 0;
  }
}

double CDBField::AsDouble() const {
  if (m_bNull) return 0;
  switch (m_dwType) {
    case DBVT_BOOL: return m_boolVal == 1 ? 1 : 0;
    case DBVT_UCHAR: return m_chVal;
    case DBVT_SHORT: return m_iVal;
    case DBVT_LONG: return m_lVal;
    case DBVT_SINGLE: return m_fltVal;
    case DBVT_DOUBLE: return m_dblVal;
    case DBVT_STRING:
    case DBVT_WSTRING: return zq::text::ReadReal(*m_pstring);
    default: return 0;
  }
}

float CDBField::AsFloat() const { return ToSingle(AsDouble()); }

COleDateTime CDBField::AsDate() const {
  COleDateTime date;
  if (m_bNull || m_dwType == DBVT_NULL) {
    date.SetStatus(COleDateTime::null);
    return date;
  }
  switch (m_dwType) {
    case DBVT_SHORT:
    case DBVT_LONG:
    case DBVT_SINGLE:
    case DBVT_DOUBLE: return COleDateTime::FromTimeValue(Truncate(AsDouble()));
    case DBVT_DATE: {
      const zq::db::TIMESTAMP_STRUCT& t = *m_pdate;
      date.SetDateTime(t.year, t.month, t.day, t.hour, t.minute, t.second);
      return date;
    }
    case DBVT_STRING:
    case DBVT_WSTRING: date.ParseDateTime(*m_pstring, 0, LANG_USER_DEFAULT); return date;
    default: date.SetStatus(COleDateTime::invalid); return date;
  }
}

std::string CDBField::AsString() const {
  if (m_bNull) return {};
  switch (m_dwType) {
    case DBVT_BOOL: return m_boolVal == 1 ? "T" : "F";
    case DBVT_UCHAR: return std::string(1, static_cast<char>(m_chVal));
    case DBVT_SHORT: return zq::text::FormatInteger(m_iVal);
    case DBVT_LONG: return zq::text::FormatInteger(m_lVal);
    case DBVT_SINGLE: return zq::text::FormatFixed(m_fltVal);
    case DBVT_DOUBLE: return zq::text::FormatFixed(m_dblVal);
    case DBVT_DATE: return AsDate().Format(0, LANG_USER_DEFAULT);
    case DBVT_STRING:
    case DBVT_WSTRING: return *m_pstring;
    case DBVT_BINARY:
      return std::string(reinterpret_cast<const char*>(m_pbinary->m_data.data()), m_pbinary->m_data.size());
    default: return {};
  }
}

bool CDBField::Settable() const {
  return !m_bReadOnly && m_dwType != DBVT_NULL && m_dwType != DBVT_BINARY && m_dwType != DBVT_ASCII;
}

void CDBField::SetChar(unsigned char c) {
  if (!Settable()) return;
  switch (m_dwType) {
    case DBVT_BOOL: m_boolVal = (c == 'T' || c == '1') ? 1 : 0; break;
    case DBVT_UCHAR: m_chVal = c; break;
    case DBVT_SHORT: m_iVal = c; break;
    case DBVT_LONG: m_lVal = c; break;
    case DBVT_SINGLE: m_fltVal = c; break;
    case DBVT_DOUBLE: m_dblVal = c; break;
    case DBVT_STRING:
    case DBVT_WSTRING: m_pstring->assign(1, static_cast<char>(c)); break;
    default: break;
  }
}

void CDBField::SetShort(int16_t s) {
  if (!Settable()) return;
  switch (m_dwType) {
    case DBVT_BOOL: m_boolVal = s != 0; break;
    case DBVT_UCHAR: m_chVal = static_cast<unsigned char>(s); break;
    case DBVT_SHORT: m_iVal = s; break;
    case DBVT_LONG: m_lVal = s; break;
    case DBVT_SINGLE: m_fltVal = s; break;
    case DBVT_DOUBLE: m_dblVal = s; break;
    case DBVT_STRING:
    case DBVT_WSTRING: *m_pstring = zq::text::FormatInteger(s); break;
    default: break;
  }
}

void CDBField::SetLong(int32_t l) {
  if (!Settable()) return;
  switch (m_dwType) {
    case DBVT_BOOL: m_boolVal = l != 0; break;
    case DBVT_UCHAR: m_chVal = static_cast<unsigned char>(l); break;
    case DBVT_SHORT: m_iVal = static_cast<int16_t>(l); break;
    case DBVT_LONG: m_lVal = l; break;
    case DBVT_SINGLE: m_fltVal = static_cast<float>(l); break;
    case DBVT_DOUBLE: m_dblVal = l; break;
    case DBVT_STRING:
    case DBVT_WSTRING: *m_pstring = zq::text::FormatInteger(l); break;
    default: break;
  }
}

void CDBField::SetNumber(double value, bool single) {
  if (!Settable()) return;
  switch (m_dwType) {
    case DBVT_BOOL: m_boolVal = value == 0 ? 0 : 1; break;
    case DBVT_UCHAR: m_chVal = static_cast<unsigned char>(Truncate(value)); break;
    case DBVT_SHORT: m_iVal = static_cast<int16_t>(Truncate(value)); break;
    case DBVT_LONG: m_lVal = TruncateLong(value); break;
    case DBVT_SINGLE: m_fltVal = ToSingle(value); break;
    case DBVT_DOUBLE: m_dblVal = single ? static_cast<double>(ToSingle(value)) : value; break;
    case DBVT_STRING:
    case DBVT_WSTRING: *m_pstring = zq::text::FormatFixed(value); break;
    default: break;
  }
}

void CDBField::SetFloat(float f) { SetNumber(f, true); }
void CDBField::SetDouble(double d) { SetNumber(d, false); }

void CDBField::SetTimestamp(const COleDateTime& date) {
  zq::db::TIMESTAMP_STRUCT& t = *m_pdate;
  t.year = static_cast<int16_t>(date.GetYear());
  t.month = static_cast<uint16_t>(date.GetMonth());
  t.day = static_cast<uint16_t>(date.GetDay());
  t.hour = static_cast<uint16_t>(date.GetHour());
  t.minute = static_cast<uint16_t>(date.GetMinute());
  t.second = static_cast<uint16_t>(date.GetSecond());
  t.fraction = 0;
}

void CDBField::SetString(const std::string& text) {
  if (!Settable()) return;
  switch (m_dwType) {
    case DBVT_BOOL: m_boolVal = StartsTrue(text) ? 1 : 0; break;
    case DBVT_UCHAR: m_chVal = text.empty() ? 0 : static_cast<unsigned char>(text[0]); break;
    case DBVT_SHORT: m_iVal = static_cast<int16_t>(zq::text::ReadLong(text)); break;
    case DBVT_LONG: m_lVal = zq::text::ReadLong(text); break;
    case DBVT_SINGLE: m_fltVal = ToSingle(zq::text::ReadReal(text)); break;
    case DBVT_DOUBLE: m_dblVal = zq::text::ReadReal(text); break;
    case DBVT_DATE: {
      COleDateTime date;
      date.ParseDateTime(text, 0, LANG_USER_DEFAULT);
      SetTimestamp(date);
      break;
    }
    case DBVT_STRING:
    case DBVT_WSTRING: *m_pstring = text; break;
    default: break;
  }
}

void CDBField::SetDate(const COleDateTime& date) {
  if (!Settable()) return;
  if (m_dwType == DBVT_DATE) SetTimestamp(date);
  else if (IsText(m_dwType)) *m_pstring = date.Format(0, LANG_USER_DEFAULT);
}
