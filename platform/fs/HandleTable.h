// The handles of the file layer: each names one open object (a file, a search).
#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "zqplatform/handles.h"

namespace zq::fs {

// An object behind a handle; its destruction closes what it holds.
class HandleObject {
 public:
  virtual ~HandleObject() = default;
};

class HandleTable {
 public:
  static HandleTable& Instance();

  HANDLE Add(std::shared_ptr<HandleObject> object);
  // The object of a handle when it is of type T, else null.
  template <class T>
  std::shared_ptr<T> Get(HANDLE handle) {
    return std::dynamic_pointer_cast<T>(Find(handle));
  }
  // Removes the handle; the object closes when its last user lets go. False when unknown.
  bool Remove(HANDLE handle);

 private:
  std::shared_ptr<HandleObject> Find(HANDLE handle);
  std::mutex lock_;
  std::unordered_map<uintptr_t, std::shared_ptr<HandleObject>> objects_;
  uintptr_t next_ = 4;
};

}  // namespace zq::fs
