// A value that several threads share: each read takes a copy and each change is made under the
// value's own lock, so no thread ever sees it half written.
#pragma once
#include <mutex>
#include <utility>

template <class T>
class Guarded {
 public:
  Guarded() = default;
  Guarded(const Guarded&) = delete;
  Guarded& operator=(const Guarded&) = delete;

  T Get() const {
    std::lock_guard hold(lock_);
    return value_;
  }
  void Set(T value) {
    std::lock_guard hold(lock_);
    value_ = std::move(value);
  }
  // change(T&) under the lock, for a change that reads what it changes.
  template <class Changer>
  void Change(Changer&& change) {
    std::lock_guard hold(lock_);
    change(value_);
  }

 private:
  mutable std::mutex lock_;
  T value_{};
};
