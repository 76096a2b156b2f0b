#include "zqplatform/dbvariant.h"

CDBVariant::~CDBVariant() { Clear(); }

void CDBVariant::Clear() {
  switch (m_dwType) {
    case DBVT_DATE: delete m_pdate; break;
    case DBVT_STRING:
    case DBVT_ASCII:
    case DBVT_WSTRING: delete m_pstring; break;
    case DBVT_BINARY: delete m_pbinary; break;
    default: break;
  }
  m_dwType = DBVT_NULL;
  m_dblVal = 0;
}

void CDBVariant::SetType(uint32_t type) {
  Clear();
  switch (type) {
    case DBVT_DATE: m_pdate = new zq::db::TIMESTAMP_STRUCT{}; break;
    case DBVT_STRING:
    case DBVT_ASCII:
    case DBVT_WSTRING: m_pstring = new std::string(); break;
    case DBVT_BINARY: m_pbinary = new CLongBinary(); break;
    default: break;
  }
  m_dwType = type;
}
