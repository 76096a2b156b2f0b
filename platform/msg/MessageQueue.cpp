#include "MessageQueue.h"

#include <algorithm>

namespace zq::msg {

namespace {
const auto processStart = std::chrono::steady_clock::now();

bool InRange(uint32_t m, uint32_t min, uint32_t max) {
  if (min == 0 && max == 0) return true;
  // A reversed range accepts everything outside (max, min), as the filter wraps.
  return min <= max ? (m >= min && m <= max) : (m >= min || m <= max);
}
}  // namespace

DWORD MessageTime() {
  auto elapsed = std::chrono::steady_clock::now() - processStart;
  return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

bool Filter::Accepts(const MSG& m) const {
  if (hwnd == kThreadOnly ? m.hwnd != 0 : (hwnd != 0 && !WindowMatches(hwnd, m.hwnd))) return false;
  return m.message == WM_QUIT || InRange(m.message, min, max);
}

bool MessageQueue::Post(const MSG& m) {
  {
    std::lock_guard g(lock_);
    if (closed_) return false;
    posted_.push_back(m);
  }
  arrived_.notify_all();
  return true;
}

bool MessageQueue::PostOnce(const MSG& m) {
  {
    std::lock_guard g(lock_);
    if (closed_) return false;
    // The newest message waiting for the same window (or the thread): merged into when equal,
    // so a merge never moves a message past a different one.
    auto newest = std::find_if(posted_.rbegin(), posted_.rend(), [&](const MSG& q) { return q.hwnd == m.hwnd; });
    if (newest != posted_.rend() && newest->message == m.message && newest->wParam == m.wParam &&
        newest->lParam == m.lParam) {
      return true;
    }
    posted_.push_back(m);
  }
  arrived_.notify_all();
  return true;
}

bool MessageQueue::Call(std::function<void()> call) {
  {
    std::lock_guard g(lock_);
    if (closed_) return false;
    calls_.push_back(std::move(call));
  }
  arrived_.notify_all();
  return true;
}

void MessageQueue::Quit(int exitCode) {
  {
    std::lock_guard g(lock_);
    quit_ = exitCode;
  }
  arrived_.notify_all();
}

void MessageQueue::RunCalls(std::unique_lock<std::mutex>& lock) {
  while (!calls_.empty()) {
    auto call = std::move(calls_.front());
    calls_.pop_front();
    lock.unlock();
    call();
    call = nullptr;  // what it holds goes before the lock is taken again
    lock.lock();
  }
}

std::optional<MSG> MessageQueue::Find(const Filter& f, bool remove) {
  for (auto it = posted_.begin(); it != posted_.end(); ++it) {
    if (!f.Accepts(*it)) continue;
    MSG m = *it;
    if (remove) posted_.erase(it);
    return m;
  }
  if (quit_) {
    MSG m{0, WM_QUIT, static_cast<WPARAM>(*quit_), 0, MessageTime(), {0, 0}};
    if (remove) quit_.reset();
    return m;
  }
  return std::nullopt;
}

std::optional<MSG> MessageQueue::Take(const Filter& f, bool remove) {
  std::unique_lock lock(lock_);
  RunCalls(lock);
  return Find(f, remove);
}

MSG MessageQueue::Wait(const Filter& f) {
  std::unique_lock lock(lock_);
  for (;;) {
    RunCalls(lock);
    if (auto m = Find(f, true)) return *m;
    if (closed_) return MSG{0, WM_QUIT, 0, 0, MessageTime(), {0, 0}};
    arrived_.wait(lock);
  }
}

bool MessageQueue::WaitAny(std::chrono::milliseconds timeout, bool forever) {
  std::unique_lock lock(lock_);
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    RunCalls(lock);
    if (!posted_.empty() || quit_) return true;
    if (closed_) return false;
    if (forever) {
      arrived_.wait(lock);
    } else if (arrived_.wait_until(lock, deadline) == std::cv_status::timeout) {
      RunCalls(lock);
      return !posted_.empty() || quit_.has_value();
    }
  }
}

void MessageQueue::Close() {
  std::deque<MSG> dropped;
  std::deque<std::function<void()>> unrun;
  {
    std::lock_guard g(lock_);
    closed_ = true;
    dropped.swap(posted_);
    unrun.swap(calls_);
  }
}

}  // namespace zq::msg
