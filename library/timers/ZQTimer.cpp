#include "timers/ZQTimer.h"

#include <chrono>

namespace {
constexpr uint32_t kTimerStopTimeoutMs = 10000;
constexpr int32_t kDefaultInterval = 100;
constexpr int32_t kShortestInterval = 5;
constexpr double kFrequency = 1e9;  // counts per second: the counter counts nanoseconds
}  // namespace

ZQTimer::ZQTimer() : ZQThread(kTimerStopTimeoutMs, 0) {}

ZQTimer::~ZQTimer() { EndTicker(); }

uint64_t ZQTimer::Now() {
  auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(since).count());
}

uint32_t ZQTimer::ToMs(uint64_t counts) {
  double ms = static_cast<double>(counts) / kFrequency * 1000.0;
  return static_cast<uint32_t>(static_cast<uint64_t>(ms));
}

void ZQTimer::StartTimer() {
  started_ = true;
  accumulatedCount_ = 0;
  suspended_ = false;
  startCount_ = Now();
}

uint32_t ZQTimer::GetElapsedTime() const {
  if (!started_) return 0;
  return ToMs(suspended_ ? accumulatedCount_ : accumulatedCount_ + Now() - startCount_);
}

uint32_t ZQTimer::SuspendTimer() {
  if (started_ && !suspended_) {
    accumulatedCount_ += Now() - startCount_;
    suspended_ = true;
  }
  return ToMs(accumulatedCount_);
}

void ZQTimer::ResumeTimer() {
  if (!suspended_) return;
  startCount_ = Now();
  suspended_ = false;
}

void ZQTimer::SetWait(uint32_t ms) {
  waitLength_ = ms;
  waitFlag_ = true;
  waitStartCount_ = Now();
}

bool ZQTimer::GetWait() {
  if (waitLength_ != 0 && waitFlag_ && ToMs(Now() - waitStartCount_) <= waitLength_) return true;
  waitLength_ = 0;
  waitFlag_ = false;
  return false;
}

int32_t ZQTimer::TickerOn(int32_t length, char* buffer, int32_t width, int32_t mode, int32_t messageLength,
                          int32_t interval, int32_t message, int32_t threadId, TickerCallback callback) {
  if (tickerFlag_) return 0;
  if (length < 1 || !buffer) return -1;
  if (messageLength < 1) messageLength = length;
  if (width < 1) width = messageLength;
  if (messageLength > length || width > length) return -1;
  if (interval <= kShortestInterval) interval = kDefaultInterval;
  if (message == 0 || threadId == 0) {
    message = 0;
    threadId = 0;
    callback = nullptr;
  }
  // Everything is in place before the thread runs: its first callback may already stop it.
  ticker_ = std::make_shared<Ticker>(
      TickerSettings{length, buffer, width, mode, messageLength, interval, message, threadId, callback});
  tickerFlag_ = true;
  if (Start(false, 0, 0) != 1) {
    ticker_.reset();
    tickerFlag_ = false;
    return -1;
  }
  return 0;
}

int32_t ZQTimer::TickerOff() {
  if (!tickerFlag_) return 0;
  Stop(false);
  ticker_->Release(true);
  ticker_.reset();
  tickerFlag_ = false;
  return 0;
}

void ZQTimer::EndTicker() {
  Stop(false);
  if (ticker_) ticker_->Release(false);
  ticker_.reset();
  tickerFlag_ = false;
}

int32_t ZQTimer::ThreadCore() {
  // The thread keeps its own references: after a stop that timed out it may outlive the timer.
  std::shared_ptr<Ticker> ticker = ticker_;
  std::shared_ptr<ThreadControl> control = CurrentControl();
  return ticker->Run(*control);
}
