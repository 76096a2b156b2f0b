// The field set of the library's record set: building, binding and look-ups.
#include <algorithm>

#include "data/db/CODBCRecordset.h"
#include "data/db/DbCodes.h"
#include "zqplatform/charset.h"
#include "zqplatform/numbers.h"

using namespace zqv::db;

namespace {
std::string UpperCase(std::string text) {
  zq::text::MakeUpper(text.data(), text.size());
  return text;
}
}  // namespace

void CODBCRecordset::PreBindFields() {
  if (!m_bBindOnce) return;
  BuildFieldSet();
  m_bBindOnce = false;
}

void CODBCRecordset::FreeFieldSet() {
  m_fields.reset();
  m_nCapacity = 0;
}

void CODBCRecordset::BuildFieldSet() {
  m_nameMap.clear();
  const int16_t count = GetODBCFieldCount();
  const uint32_t n = count > 0 ? static_cast<uint32_t>(count) : 0;
  m_nFields = n;
  AllocStatusArrays();
  if (m_nCapacity < n) {
    FreeFieldSet();
    m_fields = std::make_unique<CDBField[]>(n);
    m_nCapacity = n;
  }
  m_names.assign(n, std::string());
  m_bSavedReport = m_bReportMissing;
  m_bReportMissing = false;
  for (uint32_t i = 0; i < n; ++i) {
    CDBField& field = m_fields[i];
    field.Clear();
    field.m_bNull = true;
    CODBCFieldInfo info;
    GetODBCFieldInfo(static_cast<int16_t>(i), info);
    field.SetTypeFromColumn(info);
    const std::string upper = UpperCase(info.m_strName);
    std::string key = upper;
    for (int suffix = 2; GetFieldID(key) != kFieldNotFound; ++suffix) key = upper + zq::text::FormatInteger(suffix);
    field.m_strName = key;
    m_names[i] = key;
    m_nameMap[key] = static_cast<int32_t>(i);
  }
  if (m_bSavedReport) m_bReportMissing = true;
}

void CODBCRecordset::DoFieldExchange(CFieldExchange* pFX) {
  pFX->SetFieldType(CFieldExchange::outputColumn);
  for (uint32_t i = 0; i < m_nFields && i < m_nCapacity; ++i) {
    CDBField& field = m_fields[i];
    const std::string name = "[" + GetFieldName(static_cast<int32_t>(i)) + "]";
    switch (field.m_dwType) {
      case DBVT_BOOL: RFX_Bool(pFX, name.c_str(), field.m_boolVal); break;
      case DBVT_UCHAR: RFX_Byte(pFX, name.c_str(), field.m_chVal); break;
      case DBVT_SHORT:
        // Short columns are exchanged as longs.
        field.m_lVal = field.m_iVal;
        field.m_dwType = DBVT_LONG;
        RFX_Long(pFX, name.c_str(), field.m_lVal);
        break;
      case DBVT_LONG: RFX_Long(pFX, name.c_str(), field.m_lVal); break;
      case DBVT_SINGLE: RFX_Single(pFX, name.c_str(), field.m_fltVal); break;
      case DBVT_DOUBLE: RFX_Double(pFX, name.c_str(), field.m_dblVal); break;
      case DBVT_DATE: RFX_Date(pFX, name.c_str(), *field.m_pdate); break;
      case DBVT_STRING:
      case DBVT_WSTRING: {
        CODBCFieldInfo info;
        GetODBCFieldInfo(static_cast<int16_t>(i), info);
        const int32_t maxLength = static_cast<int32_t>(std::min<uint64_t>(info.m_nPrecision, INT32_MAX));
        RFX_Text(pFX, name.c_str(), *field.m_pstring, maxLength, zq::db::sqltype::kVarChar, 0);
        break;
      }
      case DBVT_BINARY: RFX_LongBinary(pFX, name.c_str(), *field.m_pbinary); break;
      default: ++pFX->m_nField; break;  // not exchanged, but it keeps its column
    }
    field.m_bNull = IsFieldStatusNull(i);
  }
}

void CODBCRecordset::FieldFailure(int32_t code, std::string text) {
  m_error.RecordOwn(code, std::move(text), m_bFieldMessages);
}

CDBField& CODBCRecordset::Field(int32_t n) {
  SetContext("RS-Field( int nField )");
  if (m_fields && n >= 0 && n < GetODBCFieldCount() && static_cast<uint32_t>(n) < m_nCapacity) {
    if (IsOpen()) return m_fields[static_cast<uint32_t>(n)];
    FieldFailure(kErrRecordsetNotOpened, "Recordset not Opened.");
  } else {
    FieldFailure(kErrFieldOutOfRange, "CODBCRecordset\nFieldNr. " + zq::text::FormatInteger(n) + " Not Found (Out of Range).");
  }
  return m_spare;
}

int32_t CODBCRecordset::GetFieldID(const std::string& name) {
  SetContext("RS-GetFieldID");
  const auto it = m_nameMap.find(UpperCase(name));
  if (it != m_nameMap.end()) return it->second;
  if (m_bReportMissing)
    FieldFailure(kErrFieldNotFound, "CODBCRecordset - GetFieldID\n\nField '" + name + "' Not Found.");
  return kFieldNotFound;
}

std::string CODBCRecordset::GetFieldName(int32_t n) const {
  if (n < 0 || static_cast<std::size_t>(n) >= m_names.size()) return {};
  return m_names[static_cast<std::size_t>(n)];
}
