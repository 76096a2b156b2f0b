#include <pthread.h>

#include <cerrno>
#include <ctime>

#include "zqplatform/sync.h"

// The mutex is a robust, recursive, process-shared pthread mutex in a shared block of its own.

namespace zq::sync {
namespace {

pthread_mutex_t* MutexOf(const SharedMemory& block) { return static_cast<pthread_mutex_t*>(block.data()); }

bool Init(void* block) {
  auto* m = static_cast<pthread_mutex_t*>(block);
  pthread_mutexattr_t attr;
  if (pthread_mutexattr_init(&attr) != 0) return false;
  bool ok = pthread_mutexattr_setpshared(&attr, PTHREAD_PROCESS_SHARED) == 0 &&
            pthread_mutexattr_setrobust(&attr, PTHREAD_MUTEX_ROBUST) == 0 &&
            pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE) == 0 &&
            pthread_mutex_init(m, &attr) == 0;
  pthread_mutexattr_destroy(&attr);
  return ok;
}

}  // namespace

NamedMutex::NamedMutex(std::unique_ptr<SharedMemory> block) : block_(std::move(block)) {}

std::unique_ptr<NamedMutex> NamedMutex::CreateOrOpen(std::string_view name, DWORD* error) {
  // Only the block's maker initialises the mutex, before any other user can reach it.
  SharedMemory::Outcome made = SharedMemory::Create(name, sizeof(pthread_mutex_t), PAGE_READWRITE, Init);
  if (!made.memory) {
    if (error) *error = made.error;
    return nullptr;
  }
  return std::unique_ptr<NamedMutex>(new NamedMutex(std::move(made.memory)));
}

NamedMutex::~NamedMutex() {
  // A mutex left locked in memory that is unmapped could never be released again.
  while (pthread_mutex_unlock(MutexOf(*block_)) == 0) {
  }
}

bool NamedMutex::Lock(uint32_t timeoutMs) {
  timespec until{};
  clock_gettime(CLOCK_REALTIME, &until);
  until.tv_sec += timeoutMs / 1000;
  until.tv_nsec += static_cast<long>(timeoutMs % 1000) * 1000000L;
  if (until.tv_nsec >= 1000000000L) {
    until.tv_sec += 1;
    until.tv_nsec -= 1000000000L;
  }
  int rc;
  do rc = pthread_mutex_timedlock(MutexOf(*block_), &until);
  while (rc == EINTR);
  if (rc == EOWNERDEAD) {
    pthread_mutex_consistent(MutexOf(*block_));
    return true;  // abandoned by its owner: obtained
  }
  return rc == 0;
}

bool NamedMutex::Unlock() { return pthread_mutex_unlock(MutexOf(*block_)) == 0; }

}  // namespace zq::sync
