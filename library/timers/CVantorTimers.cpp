// The timer registry's operations, and the switch that keeps unloading from waiting long.
#include "frame/CVantor.h"
#include "timers/ZQTimer.h"

int32_t CVantor::CreateTimer() { return timers.Create(); }

ZQTimer* CVantor::LookupTimer(int32_t h, int32_t* code) { return timers.Lookup(h, code); }

int32_t CVantor::DestroyTimer(int32_t h) { return timers.Destroy(h); }

namespace {
// Made after the application object, so destroyed before it: by the time the unload deletes
// the timers still registered, their stops wait only briefly for ticker threads.
struct UnloadWatch {
  UnloadWatch() { CVantor::App(); }
  ~UnloadWatch() { ZQThread::SetUnloading(); }
} unloadWatch;
}  // namespace
