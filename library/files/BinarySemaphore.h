// A semaphore of count one: any thread may release it, and releasing a free one changes nothing.
#pragma once
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace zqv {

class BinarySemaphore {
 public:
  // True when taken within the time.
  bool TryAcquireFor(std::chrono::milliseconds wait) {
    std::unique_lock hold(lock_);
    if (!changed_.wait_for(hold, wait, [this] { return free_; })) return false;
    free_ = false;
    return true;
  }
  void Release() {
    {
      std::lock_guard hold(lock_);
      free_ = true;
    }
    changed_.notify_one();
  }

 private:
  std::mutex lock_;
  std::condition_variable changed_;
  bool free_ = true;
};

}  // namespace zqv
