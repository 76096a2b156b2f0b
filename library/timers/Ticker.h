// The text ticker: scrolls a message through a caller's buffer, one step per tick, and
// notifies the caller after every step. The ticker thread and the timer share it, so the
// buffer can be taken back from a thread that has not ended yet: once released, the
// thread never writes to it again.
#pragma once
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

#include "timers/ThreadControl.h"
#include "zqvantor/timers.h"

using TickerCallback = TMTICKERPROC;

struct TickerSettings {
  int32_t length = 0;  // of the buffer
  char* buffer = nullptr;
  int32_t width = 0;
  int32_t mode = 0;  // 0 marquee, any other value the bouncing window
  int32_t messageLength = 0;
  int32_t interval = 0;  // milliseconds
  int32_t message = 0;
  int32_t threadId = 0;
  TickerCallback callback = nullptr;
};

class Ticker {
 public:
  explicit Ticker(const TickerSettings& settings);

  // The thread's body: runs until control asks it to stop. Returns 0.
  int32_t Run(ThreadControl& control);
  // Stops every later write; with restore, first puts back the buffer's former content.
  void Release(bool restore);

 private:
  // Writes one step into the buffer: whether the bouncing window has turned, or nothing
  // once the buffer is released.
  std::optional<bool> Step();
  void MarqueeStep();
  bool BounceStep();
  void Notify() const;

  const TickerSettings settings_;
  const std::string saved_;    // the buffer as it was when the ticker started
  const std::string message_;  // its first messageLength bytes
  std::mutex bufferLock_;
  bool released_ = false;
  // The scroll position.
  int32_t position_ = 0;
  bool fits_ = false;
  bool forward_ = true;
};
