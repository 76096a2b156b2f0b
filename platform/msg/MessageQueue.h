// One thread's message queue: posted messages in arrival order, the quit flag, and calls
// other threads hand over to run on the owning thread while it waits for messages.
#pragma once
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>

#include "zqplatform/messages.h"

namespace zq::msg {

// Which messages a get or peek accepts: a window (0 any, kThreadOnly thread messages only)
// and a message range ([0, 0] any).
struct Filter {
  HWND hwnd = 0;
  uint32_t min = 0;
  uint32_t max = 0;
  bool Accepts(const MSG& m) const;
};

class MessageQueue {
 public:
  // False once the queue is closed (its thread has ended).
  bool Post(const MSG& m);
  // Posts unless the newest message queued for the same window (or the thread) is equal
  // (message and both parameters).
  bool PostOnce(const MSG& m);
  bool Call(std::function<void()> call);
  void Quit(int exitCode);

  // Takes (or, with remove false, copies) the first posted message the filter accepts, or
  // the quit message when no posted one matches. Runs handed-over calls first.
  std::optional<MSG> Take(const Filter& f, bool remove);
  // Waits until a message the filter accepts is there and takes it; WM_QUIT once closed.
  MSG Wait(const Filter& f);
  // Waits up to the time-out for any message; true when one is there. No wait once closed.
  bool WaitAny(std::chrono::milliseconds timeout, bool forever);

  // Refuses later posts and drops what is queued (handed-over calls are destroyed unrun).
  void Close();

 private:
  void RunCalls(std::unique_lock<std::mutex>& lock);
  std::optional<MSG> Find(const Filter& f, bool remove);

  std::mutex lock_;
  std::condition_variable arrived_;
  std::deque<MSG> posted_;
  std::deque<std::function<void()>> calls_;
  std::optional<int> quit_;
  bool closed_ = false;
};

// Milliseconds since the process started, the time stamp of posted messages.
DWORD MessageTime();

}  // namespace zq::msg
