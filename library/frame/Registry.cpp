#include "frame/Registry.h"

#include <bit>

namespace zqv {

HandlePool::HandlePool(int32_t highest) : highest_(highest) { Reset(); }

int32_t HandlePool::Take() {
  for (std::size_t s = 0; s < summary_.size(); ++s) {
    if (!summary_[s]) continue;
    std::size_t word = s * 64 + std::countr_zero(summary_[s]);
    int bit = std::countr_zero(free_[word]);
    free_[word] &= free_[word] - 1;
    if (!free_[word]) summary_[s] &= ~(uint64_t{1} << (word % 64));
    return static_cast<int32_t>(word * 64 + bit);
  }
  return kNoFreeHandle;
}

void HandlePool::Release(int32_t handle) {
  if (handle < 1 || handle > highest_) return;
  std::size_t word = static_cast<std::size_t>(handle) / 64;
  free_[word] |= uint64_t{1} << (handle % 64);
  summary_[word / 64] |= uint64_t{1} << (word % 64);
}

void HandlePool::Reset() {
  free_.fill(0);
  summary_.fill(0);
  for (int32_t handle = 1; handle <= highest_; ++handle) Release(handle);
}

}  // namespace zqv
