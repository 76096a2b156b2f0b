// The tagged database value and the long binary of the database classes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace zq::db {
// The ODBC timestamp record (same layout as ODBC's).
struct TIMESTAMP_STRUCT {
  int16_t year;
  uint16_t month;
  uint16_t day;
  uint16_t hour;
  uint16_t minute;
  uint16_t second;
  uint32_t fraction;
};
}  // namespace zq::db

// Binary data of any length.
class CLongBinary {
 public:
  std::vector<unsigned char> m_data;
  std::size_t m_dwDataLength = 0;
};

enum DbVariantType : uint32_t {
  DBVT_NULL = 0,
  DBVT_BOOL = 1,
  DBVT_UCHAR = 2,
  DBVT_SHORT = 3,
  DBVT_LONG = 4,
  DBVT_SINGLE = 5,
  DBVT_DOUBLE = 6,
  DBVT_DATE = 7,
  DBVT_STRING = 8,
  DBVT_BINARY = 9,
  DBVT_ASCII = 10,
  DBVT_WSTRING = 11,
};

// A type number and an 8-byte value; dates, texts and binaries live in owned storage.
class CDBVariant {
 public:
  CDBVariant() = default;
  virtual ~CDBVariant();
  CDBVariant(const CDBVariant&) = delete;
  CDBVariant& operator=(const CDBVariant&) = delete;

  // Frees the storage; the type becomes DBVT_NULL.
  void Clear();
  // Clears, then takes the type with fresh storage (an empty text, binary or a zero date).
  void SetType(uint32_t type);

  uint32_t m_dwType = DBVT_NULL;
  union {
    int32_t m_boolVal;
    unsigned char m_chVal;
    int16_t m_iVal;
    int32_t m_lVal;
    float m_fltVal;
    double m_dblVal = 0;
    zq::db::TIMESTAMP_STRUCT* m_pdate;
    std::string* m_pstring;
    CLongBinary* m_pbinary;
  };
};
