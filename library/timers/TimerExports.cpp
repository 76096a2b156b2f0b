// The TM exports.
#include <chrono>
#include <thread>

#include "frame/CVantor.h"
#include "frame/Exports.h"
#include "timers/ZQTimer.h"
#include "zqvantor/timers.h"

namespace {
constexpr int32_t kBadHandle = -1;

// Runs fn on the timer of handle h; -1 when h names none.
template <class Fn>
int32_t WithTimer(int32_t h, Fn&& fn) {
  return zqv::Export(kBadHandle, [&]() -> int32_t {
    int32_t code = 0;
    ZQTimer* timer = CVantor::App().LookupTimer(h, &code);
    return timer ? fn(*timer) : kBadHandle;
  });
}
}  // namespace

ZQV_API int32_t TMCreate(void) {
  return zqv::Export(kBadHandle, [] { return CVantor::App().CreateTimer(); });
}

ZQV_API int32_t TMDestroy(int32_t h) {
  return zqv::Export(kBadHandle, [h] { return CVantor::App().DestroyTimer(h); });
}

ZQV_API int32_t TMStartTimer(int32_t h) {
  return WithTimer(h, [](ZQTimer& t) {
    t.StartTimer();
    return 0;
  });
}

ZQV_API int32_t TMGetElapsedTime(int32_t h) {
  return WithTimer(h, [](ZQTimer& t) { return static_cast<int32_t>(t.GetElapsedTime()); });
}

ZQV_API int32_t TMSuspendTimer(int32_t h) {
  return WithTimer(h, [](ZQTimer& t) { return static_cast<int32_t>(t.SuspendTimer()); });
}

ZQV_API int32_t TMResumeTimer(int32_t h) {
  return WithTimer(h, [](ZQTimer& t) {
    t.ResumeTimer();
    return 0;
  });
}

ZQV_API int32_t TMSetWait(int32_t h, uint32_t ms) {
  return WithTimer(h, [ms](ZQTimer& t) {
    t.SetWait(ms);
    return 0;
  });
}

ZQV_API int32_t TMGetWait(int32_t h) {
  return WithTimer(h, [](ZQTimer& t) { return t.GetWait() ? 1 : 0; });
}

ZQV_API void TMSleep(uint32_t ms) {
  zqv::ModuleStateGuard state;
  if (ms == 0) {
    std::this_thread::yield();
    return;
  }
  if (ms == INFINITE) {
    for (;;) std::this_thread::sleep_for(std::chrono::hours(24));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

ZQV_API int32_t TMTickerOn(int32_t h, int32_t length, char* buffer, int32_t width, int32_t mode,
                           int32_t messageLength, int32_t interval, int32_t message, int32_t threadId,
                           TMTICKERPROC callback) {
  return WithTimer(h, [&](ZQTimer& t) {
    return t.TickerOn(length, buffer, width, mode, messageLength, interval, message, threadId, callback);
  });
}

ZQV_API int32_t TMTickerOff(int32_t h) {
  return WithTimer(h, [](ZQTimer& t) { return t.TickerOff(); });
}
