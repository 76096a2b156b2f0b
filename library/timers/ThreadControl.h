// What a worker thread shares with the object that started it: the stop flag, the start
// gate and how the thread ended. It lives as long as either of them, so a thread that was
// given up on can finish without touching its object.
#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

class ThreadControl {
 public:
  bool StopRequested() const { return stop_.load() != 0; }
  // Sleeps up to ms milliseconds; a stop ends the sleep at once. True when a stop was asked.
  bool SleepUnlessStopped(uint32_t ms);

 private:
  friend class ZQThread;
  enum class State { Starting, Running, Ended, Terminated };

  std::atomic<int32_t> stop_{0};
  std::mutex lock_;
  std::condition_variable changed_;
  bool resumed_ = false;
  State state_ = State::Starting;
};
