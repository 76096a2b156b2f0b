// A database object of the registry: the connection, its record sets under handles of their
// own, the message flags, the default date and the edit state its record sets share.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

#include "data/db/CODBCDatabase.h"
#include "frame/Registry.h"
#include "zqplatform/oledate.h"

class CLARS;

class CLASQL : public CODBCDatabase {
 public:
  CLASQL();
  ~CLASQL() override;

  int32_t CreateRecordset();
  // The record set, or null with the code word -22 or -23 (0 on success).
  CLARS* LookupRecordset(int32_t handle, int32_t* code);
  // As LookupRecordset, after the connection test (-9) and before the open test (-67).
  CLARS* GetOpenRecordset(int32_t handle, int32_t* code);
  // GetOpenRecordset, then an edit unless one is under way: -65 not updatable, -52 failed.
  CLARS* GetRecordsetForUpdate(int32_t handle, int32_t* code);
  int32_t DestroyRecordset(int32_t handle);

  bool m_bDbMessages = false;
  bool m_bRsMessages = false;
  bool m_bUseCursorLib = false;
  COleDateTime m_defaultDate{0, 1, 1, 0, 0, 0};
  bool m_bEditing = false;
  bool m_bAdding = false;

  void ClearEditState() { m_bEditing = m_bAdding = false; }

 private:
  std::mutex m_recordsetLock;
  std::map<uint16_t, std::unique_ptr<CLARS>> m_recordsets;
  zqv::HandlePool m_handles{65535};
};
