#include "frame/Registry.h"

namespace zqv {

int32_t HandlePool::Take() {
  if (!freed_.empty()) {
    int32_t handle = *freed_.begin();
    freed_.erase(freed_.begin());
    return handle;
  }
  if (unused_ > highest_) return kNoFreeHandle;
  return unused_++;
}

void HandlePool::Release(int32_t handle) {
  if (handle < 1 || handle >= unused_) return;
  if (handle != unused_ - 1) {
    freed_.insert(handle);
    return;
  }
  --unused_;
  while (!freed_.empty() && *freed_.rbegin() == unused_ - 1) {
    freed_.erase(std::prev(freed_.end()));
    --unused_;
  }
}

void HandlePool::Reset() {
  unused_ = 1;
  freed_.clear();
}

}  // namespace zqv
