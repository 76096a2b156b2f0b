#include "timers/ZQThread.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <system_error>

#include "zqplatform/msgbox.h"

namespace {
std::atomic<bool> unloading{false};
constexpr uint32_t kUnloadStopWaitMs = 200;
thread_local std::shared_ptr<ThreadControl> currentControl;
}  // namespace

ZQThread::ZQThread(uint32_t stopTimeout, int32_t /*priority*/) : stopTimeout_(stopTimeout) {}

ZQThread::~ZQThread() { Stop(false); }

void ZQThread::SetUnloading() { unloading = true; }

std::shared_ptr<ThreadControl> ZQThread::CurrentControl() { return currentControl; }

int32_t ZQThread::ThreadCore() {
  MessageBoxA(0, "No Derived ThreadCore() function in your Class !", "ZQ_Vantor", MB_OK);
  return -1;
}

bool ZQThread::IsAlive() const {
  if (!thread_.joinable() || !control_) return false;
  std::lock_guard hold(control_->lock_);
  return control_->state_ == ThreadControl::State::Starting ||
         control_->state_ == ThreadControl::State::Running;
}

int32_t ZQThread::Start(bool suspended, HWND window, uint32_t message) {
  if (IsAlive()) return 0;
  CloseHandle();
  // Created held at the start gate, so the object is complete before the body runs; once
  // resumed, the body may stop its own thread at once, so only a local reference is used.
  auto control = std::make_shared<ThreadControl>();
  control_ = control;
  try {
    thread_ = std::thread(&ZQThread::ThreadProc, control, this, window, message);
  } catch (const std::system_error&) {
    control_.reset();
    return 0;
  }
  if (!suspended) {
    std::lock_guard hold(control->lock_);
    control->resumed_ = true;
    control->changed_.notify_all();
  }
  return 1;
}

void ZQThread::ThreadProc(std::shared_ptr<ThreadControl> control, ZQThread* object, HWND window,
                          uint32_t message) {
  using State = ThreadControl::State;
  currentControl = control;
  {
    std::unique_lock hold(control->lock_);
    control->changed_.wait(hold, [&] { return control->resumed_ || control->state_ == State::Terminated; });
    if (control->state_ == State::Terminated) return;
    control->state_ = State::Running;
  }
  try {
    object->ThreadCore();
  } catch (...) {
    // A body's failure ends its thread like a return.
  }
  // The object may be gone by now if the thread was given up on; only the control is used.
  std::lock_guard hold(control->lock_);
  if (control->state_ == State::Terminated) return;
  if (window != 0 && message != 0) PostMessage(window, message, 0, 0);
  control->state_ = State::Ended;
  control->changed_.notify_all();
}

void ZQThread::Stop(bool noWait) {
  if (IsAlive()) {
    OnStop();
    {
      std::lock_guard hold(control_->lock_);
      control_->stop_ = 1;
      control_->resumed_ = true;
    }
    control_->changed_.notify_all();
    if (noWait) return;
    uint32_t timeout = unloading ? std::min(stopTimeout_, kUnloadStopWaitMs) : stopTimeout_;
    // A body that stops its own thread cannot wait for itself.
    bool self = thread_.get_id() == std::this_thread::get_id();
    if (self || !WaitForEnd(timeout)) Terminate();
  } else if (noWait) {
    return;
  }
  CloseHandle();
}

bool ZQThread::WaitForEnd(uint32_t timeoutMs) {
  using State = ThreadControl::State;
  std::unique_lock hold(control_->lock_);
  return control_->changed_.wait_for(hold, std::chrono::milliseconds(timeoutMs),
                                     [this] { return control_->state_ == State::Ended; });
}

void ZQThread::Terminate() {
  using State = ThreadControl::State;
  std::lock_guard hold(control_->lock_);
  if (control_->state_ != State::Ended) control_->state_ = State::Terminated;
  control_->changed_.notify_all();
}

void ZQThread::CloseHandle() {
  if (thread_.joinable()) {
    bool ended;
    {
      std::lock_guard hold(control_->lock_);
      ended = control_->state_ == ThreadControl::State::Ended;
    }
    if (ended) {
      thread_.join();
    } else {
      thread_.detach();
    }
  }
  control_.reset();
}
