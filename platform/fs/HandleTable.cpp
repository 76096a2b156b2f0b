#include "HandleTable.h"

namespace zq::fs {

HandleTable& HandleTable::Instance() {
  static HandleTable* table = new HandleTable;  // outlives every static destructor
  return *table;
}

HANDLE HandleTable::Add(std::shared_ptr<HandleObject> object) {
  std::lock_guard hold(lock_);
  // Values are multiples of 4 that never reach the invalid value; wrapping skips live ones.
  do {
    next_ += 4;
    if (next_ >= (uintptr_t{1} << 40)) next_ = 8;
  } while (objects_.count(next_));
  objects_.emplace(next_, std::move(object));
  return reinterpret_cast<HANDLE>(next_);
}

std::shared_ptr<HandleObject> HandleTable::Find(HANDLE handle) {
  std::lock_guard hold(lock_);
  auto it = objects_.find(reinterpret_cast<uintptr_t>(handle));
  return it == objects_.end() ? nullptr : it->second;
}

bool HandleTable::Remove(HANDLE handle) {
  std::shared_ptr<HandleObject> object;
  {
    std::lock_guard hold(lock_);
    auto it = objects_.find(reinterpret_cast<uintptr_t>(handle));
    if (it == objects_.end()) return false;
    object = std::move(it->second);
    objects_.erase(it);
  }
  return true;  // object closes here, outside the lock, unless a call still uses it
}


}  // namespace zq::fs

bool CloseHandle(HANDLE handle) {
  if (!zq::fs::HandleTable::Instance().Remove(handle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  return true;
}
