#include "timers/Ticker.h"

#include <algorithm>
#include <cstring>

#include "zqplatform/messages.h"

namespace {
constexpr uint32_t kBounceRestMs = 1000;
constexpr char kBlank = ' ';
}  // namespace

Ticker::Ticker(const TickerSettings& settings)
    : settings_(settings),
      saved_(settings.buffer, static_cast<size_t>(settings.length)),
      message_(settings.buffer, static_cast<size_t>(settings.messageLength)) {
  const int32_t l = settings_.messageLength;
  const int32_t w = settings_.width;
  fits_ = w >= l;
  position_ = (fits_ || settings_.mode != 0) ? 0 : w;
}

int32_t Ticker::Run(ThreadControl& control) {
  {
    std::lock_guard hold(bufferLock_);
    if (!released_) {
      std::fill(settings_.buffer + settings_.width, settings_.buffer + settings_.length, kBlank);
    }
  }
  for (;;) {
    if (control.SleepUnlessStopped(static_cast<uint32_t>(settings_.interval))) return 0;
    std::optional<bool> turned = Step();
    if (!turned) return 0;
    Notify();
    if (*turned && control.SleepUnlessStopped(kBounceRestMs)) return 0;
    if (control.StopRequested()) return 0;
  }
}

std::optional<bool> Ticker::Step() {
  std::lock_guard hold(bufferLock_);
  if (released_) return std::nullopt;
  if (settings_.mode != 0) return BounceStep();
  MarqueeStep();
  return false;
}

void Ticker::MarqueeStep() {
  const int32_t l = settings_.messageLength;
  const int32_t w = settings_.width;
  char* buffer = settings_.buffer;
  std::memmove(buffer, buffer + 1, static_cast<size_t>(w - 1));
  buffer[w - 1] = (w == l && fits_) ? kBlank : message_[static_cast<size_t>(position_)];
  if (++position_ >= l) {
    position_ = 0;
    fits_ = !fits_;
  }
}

bool Ticker::BounceStep() {
  const int32_t l = settings_.messageLength;
  const int32_t w = settings_.width;
  char* buffer = settings_.buffer;
  if (fits_) {
    // A message no wider than the window stands still, blanks after it.
    std::memcpy(buffer, message_.data(), static_cast<size_t>(l));
    std::fill(buffer + l, buffer + w, kBlank);
    return false;
  }
  std::memcpy(buffer, message_.data() + position_, static_cast<size_t>(w));
  if (forward_) {
    if (++position_ > l - w) {
      position_ = l - w - 1;
      forward_ = false;
      return true;
    }
  } else if (--position_ < 0) {
    position_ = 1;
    forward_ = true;
    return true;
  }
  return false;
}

void Ticker::Notify() const {
  if (settings_.message == 0) return;
  if (settings_.callback) {
    settings_.callback(settings_.message, settings_.threadId);
  } else {
    PostThreadMessage(static_cast<DWORD>(settings_.threadId), static_cast<uint32_t>(settings_.message), 0, 0);
  }
}

void Ticker::Release(bool restore) {
  std::lock_guard hold(bufferLock_);
  if (released_) return;
  released_ = true;
  if (restore) std::memcpy(settings_.buffer, saved_.data(), saved_.size());
}
