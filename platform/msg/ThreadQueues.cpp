// Thread numbers and the per-thread queues behind the message calls.
#include <atomic>
#include <memory>
#include <unordered_map>

#include "MessageQueue.h"

namespace zq::msg {

namespace {

using QueuePtr = std::shared_ptr<MessageQueue>;

// Every live thread's queue by thread number. Never destroyed, so threads that end while
// the process exits can still unregister.
class QueueTable {
 public:
  static QueueTable& Get() {
    static auto* table = new QueueTable;
    return *table;
  }
  void Add(DWORD id, QueuePtr q) {
    std::lock_guard g(lock_);
    queues_[id] = std::move(q);
  }
  void Remove(DWORD id) {
    std::lock_guard g(lock_);
    queues_.erase(id);
  }
  QueuePtr Find(DWORD id) {
    std::lock_guard g(lock_);
    auto it = queues_.find(id);
    return it == queues_.end() ? nullptr : it->second;
  }

 private:
  std::mutex lock_;
  std::unordered_map<DWORD, QueuePtr> queues_;
};

// The queue of a thread whose own has been freed (at its end, or the main thread's at exit):
// closed, so posts to it fail and a get answers WM_QUIT at once.
MessageQueue& EndedQueue() {
  static auto* ended = [] {
    auto* q = new MessageQueue;
    q->Close();
    return q;
  }();
  return *ended;
}

thread_local bool ownQueueFreed = false;

// The calling thread's queue, made on first use and closed when the thread ends.
class OwnQueue {
 public:
  ~OwnQueue() {
    ownQueueFreed = true;
    if (!queue_) return;
    QueueTable::Get().Remove(GetCurrentThreadId());
    queue_->Close();
  }
  MessageQueue& Get() {
    if (ownQueueFreed) return EndedQueue();
    if (!queue_) {
      queue_ = std::make_shared<MessageQueue>();
      QueueTable::Get().Add(GetCurrentThreadId(), queue_);
    }
    return *queue_;
  }

 private:
  QueuePtr queue_;
};

thread_local OwnQueue ownQueue;

DWORD NextThreadId() {
  static std::atomic<DWORD> counter{0};
  DWORD id;
  do {
    id = ++counter;
  } while (id == 0 || id == kThreadOnly);
  return id;
}

std::atomic<WindowOwner> windowOwner{nullptr};
std::atomic<WindowMatcher> windowMatcher{nullptr};

DWORD OwnerOf(HWND hwnd) {
  WindowOwner owner = windowOwner.load();
  return owner && hwnd != 0 ? owner(hwnd) : 0;
}

}  // namespace

bool WindowMatches(HWND filter, HWND target) {
  WindowMatcher matches = windowMatcher.load();
  return matches ? matches(filter, target) : filter == target;
}

void SetWindowMatcher(WindowMatcher matcher) { windowMatcher.store(matcher); }

void SetWindowOwner(WindowOwner owner) { windowOwner.store(owner); }

namespace {
MSG Stamped(const MSG& msg) {
  MSG stamped = msg;
  if (stamped.time == 0) stamped.time = MessageTime();
  return stamped;
}
}  // namespace

bool PostToThread(DWORD threadId, const MSG& msg) {
  QueuePtr q = QueueTable::Get().Find(threadId);
  return q && q->Post(Stamped(msg));
}

bool PostToThreadOnce(DWORD threadId, const MSG& msg) {
  QueuePtr q = QueueTable::Get().Find(threadId);
  return q && q->PostOnce(Stamped(msg));
}

bool CallOnThread(DWORD threadId, std::function<void()> call) {
  QueuePtr q = QueueTable::Get().Find(threadId);
  return q && q->Call(std::move(call));
}

}  // namespace zq::msg

using zq::msg::Filter;

DWORD GetCurrentThreadId() {
  thread_local const DWORD id = zq::msg::NextThreadId();
  return id;
}

void EnsureMessageQueue() { zq::msg::ownQueue.Get(); }

bool PostThreadMessage(DWORD threadId, uint32_t message, WPARAM wParam, LPARAM lParam) {
  return zq::msg::PostToThread(threadId, MSG{0, message, wParam, lParam, 0, {0, 0}});
}

bool PostMessage(HWND hwnd, uint32_t message, WPARAM wParam, LPARAM lParam) {
  DWORD owner = zq::msg::OwnerOf(hwnd);
  return owner != 0 && zq::msg::PostToThread(owner, MSG{hwnd, message, wParam, lParam, 0, {0, 0}});
}

int GetMessage(MSG* msg, HWND hwnd, uint32_t min, uint32_t max) {
  if (!msg) return -1;
  *msg = zq::msg::ownQueue.Get().Wait(Filter{hwnd, min, max});
  return msg->message == WM_QUIT ? 0 : 1;
}

bool PeekMessage(MSG* msg, HWND hwnd, uint32_t min, uint32_t max, uint32_t removeFlags) {
  auto found = zq::msg::ownQueue.Get().Take(Filter{hwnd, min, max}, (removeFlags & PM_REMOVE) != 0);
  if (!found) return false;
  if (msg) *msg = *found;
  return true;
}

bool WaitMessageFor(DWORD timeoutMs) {
  return zq::msg::ownQueue.Get().WaitAny(std::chrono::milliseconds(timeoutMs), timeoutMs == INFINITE);
}

void PostQuitMessage(int exitCode) { zq::msg::ownQueue.Get().Quit(exitCode); }
