// The timer registry's operations, and the switch that keeps unloading from waiting long.
#include "frame/CVantor.h"
#include "timers/ZQTimer.h"

int32_t CVantor::CreateTimer() { return timers.Create(); }

ZQTimer* CVantor::LookupTimer(int32_t h, int32_t* code) { return timers.Lookup(h, code); }

// A ticker's callback may call the TM exports, which take the registry's lock, so the
// ticker ends before the lock is taken: the destroy never waits for a thread waiting for it.
int32_t CVantor::DestroyTimer(int32_t h) {
  int32_t code = 0;
  if (ZQTimer* timer = timers.Lookup(h, &code)) timer->EndTicker();
  return timers.Destroy(h);
}

namespace {
// Made after the application object, so destroyed before it: by the time the unload deletes
// the timers still registered, their stops wait only briefly for ticker threads.
struct UnloadWatch {
  UnloadWatch() { CVantor::App(); }
  ~UnloadWatch() { ZQThread::SetUnloading(); }
} unloadWatch;
}  // namespace
