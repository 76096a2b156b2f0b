// One field of a record set: a tagged value typed from its column, with every conversion
// between its own type and the types the exports read and write.
#pragma once
#include <cstdint>
#include <string>

#include "zqplatform/dbvariant.h"
#include "zqplatform/oledate.h"
#include "zqplatform/recordset.h"

class CDBField : public CDBVariant {
 public:
  CDBField() = default;

  // Sets a cleared field's value type from the column's SQL type.
  void SetTypeFromColumn(const CODBCFieldInfo& info);

  bool AsBool() const;
  unsigned char AsChar() const;
  int16_t AsShort() const;
  int32_t AsLong() const;
  float AsFloat() const;
  double AsDouble() const;
  COleDateTime AsDate() const;
  std::string AsString() const;

  void SetChar(unsigned char c);
  void SetShort(int16_t s);
  void SetLong(int32_t l);  // also the true/false setter
  void SetFloat(float f);
  void SetDouble(double d);
  void SetString(const std::string& text);
  void SetDate(const COleDateTime& date);

  bool m_bNull = true;
  std::string m_strName;
  bool m_bReadOnly = false;

 private:
  bool Settable() const;
  void SetNumber(double value, bool single);
  void SetTimestamp(const COleDateTime& date);
};

// The ODBC C type of a column's SQL type (0 for a type the fields do not exchange).
int16_t SqlTypeToCType(int16_t sqlType);
