// Window procedures: dispatch, send across threads, the default handling and modal loops.
#include <chrono>
#include <condition_variable>
#include <memory>

#include "WindowModel.h"

using zq::ui::detail::Model;
using zq::ui::detail::TargetOf;

namespace {

// The answer to a message sent to another thread; completed with 0 when the call is
// destroyed unrun (its thread ended).
class Answer {
 public:
  void Set(LRESULT r) {
    std::lock_guard hold(lock_);
    if (done_) return;
    result_ = r;
    done_ = true;
    ready_.notify_all();
  }
  bool WaitFor(std::chrono::milliseconds d) {
    std::unique_lock hold(lock_);
    return ready_.wait_for(hold, d, [this] { return done_; });
  }
  LRESULT Result() {
    std::lock_guard hold(lock_);
    return result_;
  }

 private:
  std::mutex lock_;
  std::condition_variable ready_;
  bool done_ = false;
  LRESULT result_ = 0;
};

struct CompleteOnDestroy {
  explicit CompleteOnDestroy(std::shared_ptr<Answer> a) : answer(std::move(a)) {}
  CompleteOnDestroy(const CompleteOnDestroy&) = delete;
  CompleteOnDestroy& operator=(const CompleteOnDestroy&) = delete;
  ~CompleteOnDestroy() { answer->Set(0); }
  std::shared_ptr<Answer> answer;
};

LRESULT CallProc(const zq::ui::detail::Target& target, HWND hwnd, uint32_t message, WPARAM wParam, LPARAM lParam) {
  if (!target.proc) return DefWindowProc(hwnd, message, wParam, lParam);
  return target.proc(hwnd, message, wParam, lParam);
}

LRESULT CallProc(HWND hwnd, uint32_t message, WPARAM wParam, LPARAM lParam) {
  auto target = TargetOf(hwnd);
  return target ? CallProc(*target, hwnd, message, wParam, lParam) : 0;
}

}  // namespace

LRESULT DispatchMessage(const MSG* msg) {
  if (!msg || msg->hwnd == 0) return 0;
  auto target = TargetOf(msg->hwnd);
  if (!target || target->thread != GetCurrentThreadId()) return 0;
  return CallProc(*target, msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT SendMessage(HWND hwnd, uint32_t message, WPARAM wParam, LPARAM lParam) {
  auto target = TargetOf(hwnd);
  if (!target) return 0;
  if (target->thread == GetCurrentThreadId()) return CallProc(*target, hwnd, message, wParam, lParam);
  auto answer = std::make_shared<Answer>();
  auto guard = std::make_shared<CompleteOnDestroy>(answer);
  bool handed = zq::msg::CallOnThread(target->thread, [guard, hwnd, message, wParam, lParam] {
    guard->answer->Set(CallProc(hwnd, message, wParam, lParam));
  });
  guard.reset();
  if (!handed) return 0;
  // While waiting, run what other threads send to this one, so two threads that send to
  // each other do not deadlock.
  while (!answer->WaitFor(std::chrono::milliseconds(2))) PeekMessage(nullptr, 0, 0, 0, PM_NOREMOVE);
  return answer->Result();
}

LRESULT DefWindowProc(HWND hwnd, uint32_t message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == static_cast<WPARAM>(SC_CLOSE)) SendMessage(hwnd, WM_CLOSE, 0, 0);
      return 0;
    case WM_SETTEXT:
      return SetWindowTextA(hwnd, reinterpret_cast<const char*>(lParam)) ? 1 : 0;
    case WM_GETTEXT:
      return GetWindowTextA(hwnd, reinterpret_cast<char*>(lParam), static_cast<int32_t>(wParam));
    default:
      return 0;
  }
}

bool EndDialog(HWND hwnd, intptr_t result) {
  {
    Model& m = Model::Get();
    std::lock_guard hold(m.lock);
    auto* e = m.Find(hwnd);
    if (!e) return false;
    e->modalEnded = true;
    e->modalResult = result;
  }
  PostMessage(hwnd, WM_NULL, 0, 0);  // wakes the loop
  return true;
}

namespace zq::ui {

intptr_t RunModal(HWND hwnd) {
  Model& m = Model::Get();
  auto ended = [&]() -> std::optional<intptr_t> {
    std::lock_guard hold(m.lock);
    auto* e = m.Find(hwnd);
    if (!e) return -1;
    if (!e->modalEnded) return std::nullopt;
    e->modalEnded = false;
    return e->modalResult;
  };
  {
    std::lock_guard hold(m.lock);
    auto* e = m.Find(hwnd);
    if (!e || e->state.thread != GetCurrentThreadId()) return -1;
  }
  MSG msg;
  for (;;) {
    if (auto r = ended()) return *r;
    if (GetMessage(&msg, 0, 0, 0) == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return -1;
    }
    DispatchMessage(&msg);
  }
}

}  // namespace zq::ui
