// The object behind the TM exports: a stopwatch on the high-resolution counter that can be
// suspended and resumed, a wait, and the text ticker on the timer's own thread.
#pragma once
#include <cstdint>
#include <memory>

#include "timers/Ticker.h"
#include "timers/ZQThread.h"

class ZQTimer : public ZQThread {
 public:
  ZQTimer();
  ~ZQTimer() override;

  void StartTimer();
  uint32_t GetElapsedTime() const;
  uint32_t SuspendTimer();
  void ResumeTimer();

  void SetWait(uint32_t ms);
  bool GetWait();

  // 0 when started or already running; -1 for a null buffer, a length below 1, a width or
  // message length beyond the buffer, or a thread that cannot start.
  int32_t TickerOn(int32_t length, char* buffer, int32_t width, int32_t mode, int32_t messageLength,
                   int32_t interval, int32_t message, int32_t threadId, TickerCallback callback);
  int32_t TickerOff();
  // Ends a running ticker without giving its buffer back (the timer is about to be deleted).
  void EndTicker();

 protected:
  int32_t ThreadCore() override;

 private:
  static uint64_t Now();
  static uint32_t ToMs(uint64_t counts);

  // Stopwatch; it reads 0 until it is first started.
  bool started_ = false;
  bool suspended_ = false;
  uint64_t startCount_ = 0;
  uint64_t accumulatedCount_ = 0;
  // Wait.
  bool waitFlag_ = false;
  uint32_t waitLength_ = 0;
  uint64_t waitStartCount_ = 0;
  // Ticker: shared with its thread, which may outlive a stop that timed out.
  bool tickerFlag_ = false;
  std::shared_ptr<Ticker> ticker_;
};
