#include "data/db/CLASQL.h"

#include "data/db/CLARS.h"
#include "data/db/DbCodes.h"

using namespace zqv::db;

CLASQL::CLASQL() = default;

CLASQL::~CLASQL() {
  for (auto& [handle, rs] : m_recordsets) {
    if (rs->IsOpen()) rs->Close();
    rs.reset();
  }
  m_recordsets.clear();
  if (IsOpen()) Close();
}

int32_t CLASQL::CreateRecordset() {
  if (!IsOpen()) return kNotConnected;
  std::lock_guard hold(m_recordsetLock);
  const int32_t handle = m_handles.Take();
  if (handle < 0) return kNoFreeRecordset;
  try {
    m_recordsets.emplace(static_cast<uint16_t>(handle), std::make_unique<CLARS>(this));
  } catch (...) {
    m_handles.Release(handle);
    throw;
  }
  return handle;
}

CLARS* CLASQL::LookupRecordset(int32_t handle, int32_t* code) {
  *code = 0;
  if (static_cast<uint32_t>(handle) - 1u > 65534u) {
    *code = kRecordsetOutOfRange;
    return nullptr;
  }
  std::lock_guard hold(m_recordsetLock);
  auto it = m_recordsets.find(static_cast<uint16_t>(handle));
  if (it == m_recordsets.end()) {
    *code = kRecordsetNotRegistered;
    return nullptr;
  }
  return it->second.get();
}

CLARS* CLASQL::GetOpenRecordset(int32_t handle, int32_t* code) {
  if (!IsOpen()) {
    *code = kNotConnected;
    return nullptr;
  }
  CLARS* rs = LookupRecordset(handle, code);
  if (!rs) return nullptr;
  if (!rs->IsOpen()) {
    *code = kRecordsetNotOpen;
    return nullptr;
  }
  return rs;
}

CLARS* CLASQL::GetRecordsetForUpdate(int32_t handle, int32_t* code) {
  CLARS* rs = GetOpenRecordset(handle, code);
  if (!rs || m_bAdding) return rs;
  if (!m_bEditing) {
    if (!rs->CanUpdate()) {
      *code = kNotUpdatable;
      return nullptr;
    }
    if (!rs->Edit(false)) {
      *code = kEditFailed;
      return nullptr;
    }
  }
  m_bEditing = true;
  return rs;
}

int32_t CLASQL::DestroyRecordset(int32_t handle) {
  if (handle == 0) return 0;
  if (static_cast<uint32_t>(handle) - 1u > 65534u) return kRecordsetOutOfRange;
  std::lock_guard hold(m_recordsetLock);
  auto it = m_recordsets.find(static_cast<uint16_t>(handle));
  if (it == m_recordsets.end()) return kRecordsetNotRegistered;
  if (it->second->IsOpen()) it->second->Close();
  it->second.reset();
  m_recordsets.erase(it);
  m_handles.Release(handle);
  return 0;
}
