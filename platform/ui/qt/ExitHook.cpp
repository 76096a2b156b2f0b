#include "ExitHook.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>

namespace zq::ui::qt {

namespace {

std::mutex hookLock;                 // trivially destroyed
std::function<void()>* hookToRun = nullptr;  // never destroyed: needed until the very end

void RunHook() {
  std::function<void()> hook;
  {
    std::lock_guard hold(hookLock);
    if (!hookToRun || !*hookToRun) return;
    hook = std::move(*hookToRun);
    *hookToRun = nullptr;
  }
  hook();
}

struct MainThreadExit {
  ~MainThreadExit() { RunHook(); }
};
thread_local MainThreadExit mainThreadExit;

bool OnMainThread() { return syscall(SYS_gettid) == getpid(); }

// The library is loaded by the main thread, which then holds the guard.
[[maybe_unused]] const bool armed = [] {
  if (OnMainThread()) static_cast<void>(&mainThreadExit);
  return true;
}();

}  // namespace

void SetExitHook(std::function<void()> hook) {
  {
    std::lock_guard hold(hookLock);
    if (!hookToRun) hookToRun = new std::function<void()>;
    *hookToRun = std::move(hook);
  }
  if (OnMainThread()) static_cast<void>(&mainThreadExit);
  std::atexit(RunHook);
}

}  // namespace zq::ui::qt
