#include "timers/ThreadControl.h"

#include <chrono>

bool ThreadControl::SleepUnlessStopped(uint32_t ms) {
  std::unique_lock hold(lock_);
  changed_.wait_for(hold, std::chrono::milliseconds(ms), [this] { return StopRequested(); });
  return StopRequested();
}
