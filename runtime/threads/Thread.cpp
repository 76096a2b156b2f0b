#include <exception>
#include <future>
#include <iostream>
#include <thread>

#include "zqplatform/messages.h"
#include "zqruntime/threads.h"

namespace zq::rt {

namespace {

void LogEnd(const char* what) {
  std::cerr << "zqruntime: thread " << GetCurrentThreadId() << " ended by an exception: " << what << '\n';
}

}  // namespace

uint32_t StartThread(ThreadProcedure procedure, std::string parameter) {
  if (!procedure) return 0;
  std::promise<uint32_t> started;
  std::future<uint32_t> number = started.get_future();
  try {
    std::thread([procedure, parameter = std::move(parameter),
                 started = std::move(started)]() mutable {
      EnsureMessageQueue();
      started.set_value(GetCurrentThreadId());
      // An escaping exception ends the thread as a return would, its locals destroyed first.
      try {
        procedure(parameter);
      } catch (const std::exception& e) {
        LogEnd(e.what());
      } catch (...) {
        LogEnd("unknown exception");
      }
    }).detach();
  } catch (const std::system_error&) {
    return 0;
  }
  return number.get();
}

uint32_t CurrentThread() { return GetCurrentThreadId(); }

}  // namespace zq::rt
