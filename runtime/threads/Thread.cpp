#include <future>
#include <thread>

#include "zqplatform/messages.h"
#include "zqruntime/threads.h"

namespace zq::rt {

uint32_t StartThread(ThreadProcedure procedure, std::string parameter) {
  if (!procedure) return 0;
  std::promise<uint32_t> started;
  std::future<uint32_t> number = started.get_future();
  try {
    std::thread([procedure, parameter = std::move(parameter),
                 started = std::move(started)]() mutable {
      EnsureMessageQueue();
      started.set_value(GetCurrentThreadId());
      try {
        procedure(parameter);
      } catch (...) {
        // An escaping failure ends the thread, as a return would.
      }
    }).detach();
  } catch (const std::system_error&) {
    return 0;
  }
  return number.get();
}

uint32_t CurrentThread() { return GetCurrentThreadId(); }

}  // namespace zq::rt
