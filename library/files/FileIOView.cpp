// The file object's shared-memory view: a length word, then the data, shared by name.
#include <algorithm>
#include <cstdint>
#include <atomic>
#include <chrono>
#include <cstring>
#include <string>

#include "files/FileIO.h"
#include "zqplatform/sync.h"

using namespace zqv::files;

namespace {

constexpr auto kViewWait = std::chrono::milliseconds(1000);
constexpr uint32_t kMutexWaitMs = 1000;

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::atomic_ref<int32_t> Word(int32_t* word) { return std::atomic_ref<int32_t>(*word); }

// The view guard taken for the rest of a call.
class ViewGuard {
 public:
  explicit ViewGuard(zqv::BinarySemaphore& guard) : guard_(guard), held_(guard.TryAcquireFor(kViewWait)) {}
  ~ViewGuard() {
    if (held_) guard_.Release();
  }
  ViewGuard(const ViewGuard&) = delete;
  ViewGuard& operator=(const ViewGuard&) = delete;
  bool Held() const { return held_; }

 private:
  zqv::BinarySemaphore& guard_;
  bool held_;
};

}  // namespace

int32_t FileIO::BlockBytes() const {
  std::size_t bytes = mapping_->size() - 4;  // a creator's view size + 4 always fits 32 bits
  return static_cast<int32_t>(std::min<std::size_t>(bytes, INT32_MAX));
}

int32_t FileIO::MakeView(std::string_view name, int32_t size, uint32_t protection, bool create) {
  using zq::sync::SharedMemory;
  using Status = SharedMemory::Status;
  if (size < 1) return kBadViewSize;
  if (mapping_) return kHasView;
  const ViewGuard guard(viewGuard_);
  if (!guard.Held()) return kViewTimeout;
  if (viewMutex_) return kHasViewMutex;

  std::string base(TrimBlanks(name));
  DWORD error = 0;
  viewMutex_ = zq::sync::NamedMutex::CreateOrOpen(base + "_MU_QUESK", &error);
  if (!viewMutex_) return create ? kMappingFailed : kOpenMappingFailed;
  std::size_t bytes = static_cast<std::size_t>(size) + 4;
  SharedMemory::Outcome made = create ? SharedMemory::Create(base + "_MF_QUESK", bytes, protection)
                                      : SharedMemory::Open(base + "_MF_QUESK", bytes);
  if (!made.memory) {
    viewMutex_.reset();
    SetLastError(made.error);
    if (made.status == Status::MapFailed) return kMapViewFailed;
    return create ? kMappingFailed : kOpenMappingFailed;
  }
  mapping_ = std::move(made.memory);
  lengthWord_ = static_cast<int32_t*>(mapping_->data());
  viewData_ = static_cast<char*>(mapping_->data()) + 4;
  viewSize_ = size;
  return create && made.status == Status::Existed ? 1 : 0;
}

int32_t FileIO::MemCreateView(std::string_view name, int32_t size, uint32_t protection) {
  return MakeView(name, size, protection, true);
}

int32_t FileIO::MemOpenView(std::string_view name, int32_t size) { return MakeView(name, size, 0, false); }

int32_t FileIO::MemCloseView() {
  const ViewGuard guard(viewGuard_);
  if (!guard.Held()) return kViewTimeout;
  if (!mapping_) return kNoView;
  viewMutex_.reset();
  mapping_.reset();
  lengthWord_ = nullptr;
  viewData_ = nullptr;
  viewSize_ = 0;
  return 0;
}

int32_t FileIO::MemReadPipe(void* buffer, int32_t count) {
  if (!mapping_) return kNoView;
  if (count < 1) return kBadCount;
  if (!viewMutex_->Lock(kMutexWaitMs)) return kViewTimeout;
  count = std::min(count, viewSize_);
  // The word is any user's to write: a value beyond the block counts as what it holds.
  int32_t n = std::clamp(Word(lengthWord_).load(), 0, BlockBytes());
  int32_t taken = std::min(count, n);
  if (taken > 0) {
    std::memcpy(buffer, viewData_, static_cast<std::size_t>(taken));
    std::memmove(viewData_, viewData_ + taken, static_cast<std::size_t>(n - taken));
  }
  Word(lengthWord_).store(n - taken);
  viewMutex_->Unlock();
  return taken;
}

int32_t FileIO::MemWritePipe(const void* buffer, int32_t count) {
  if (!mapping_) return kNoView;
  if (count < 1) return kBadCount;
  if (!viewMutex_->Lock(kMutexWaitMs)) return kViewTimeout;
  count = std::min(count, viewSize_);
  if (Word(lengthWord_).load() > 0) {
    viewMutex_->Unlock();
    return kViewHoldsData;
  }
  std::memcpy(viewData_, buffer, static_cast<std::size_t>(count));
  Word(lengthWord_).store(count);
  viewMutex_->Unlock();
  return count;
}

void* FileIO::MemGetPointer(int32_t* code) {
  if (!mapping_) {
    if (code) *code = kNoView;
    return nullptr;
  }
  if (code) *code = 0;
  return lengthWord_;
}

int32_t FileIO::MemLock() {
  if (!mapping_) return kNoView;
  return viewMutex_->Lock(kMutexWaitMs) ? 1 : 0;
}

int32_t FileIO::MemUnlock() {
  if (!mapping_) return kNoView;
  return viewMutex_->Unlock() ? 1 : 0;
}

int32_t FileIO::MemDataLen() {
  if (!mapping_) return kNoView;
  return Word(lengthWord_).load();
}

int32_t FileIO::MemBufReset() {
  if (!mapping_) return kNoView;
  Word(lengthWord_).store(0);
  return 0;
}
