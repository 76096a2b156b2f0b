#include "timers/ZQThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>

namespace {

constexpr HWND kNotifyWindow = 9;
std::atomic<DWORD> notifyWindowOwner{0};

// Routes kNotifyWindow to the test's thread, as the window model would.
class ZQThreadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureMessageQueue();
    notifyWindowOwner = GetCurrentThreadId();
    zq::msg::SetWindowOwner([](HWND hwnd) -> DWORD { return hwnd == kNotifyWindow ? notifyWindowOwner.load() : 0; });
    MSG m;
    while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
    }
  }
  void TearDown() override { zq::msg::SetWindowOwner(nullptr); }
};

// A body that runs until asked to stop, or, when stubborn, until released.
class Worker : public ZQThread {
 public:
  explicit Worker(uint32_t stopTimeout, bool stubborn = false) : ZQThread(stopTimeout, 0), stubborn_(stubborn) {}
  ~Worker() override { Stop(false); }

  std::atomic<int> runs{0};
  std::atomic<int> stopHooks{0};
  std::atomic<bool> bodyDone{false};
  std::promise<void> release;
  std::weak_ptr<ThreadControl> lastControl;
  std::function<void(Worker&)> inBody;

 protected:
  int32_t ThreadCore() override {
    auto control = CurrentControl();
    lastControl = control;
    ++runs;
    if (inBody) inBody(*this);
    if (stubborn_) {
      releaseSeen_.wait();
    } else {
      while (!control->SleepUnlessStopped(1000)) {
      }
    }
    return 7;
  }
  void OnStop() override { ++stopHooks; }

 private:
  bool stubborn_;
  std::shared_future<void> releaseSeen_ = release.get_future().share();
};

// Waits until the worker's last thread has left the library entirely.
void WaitGone(const std::weak_ptr<ThreadControl>& control) {
  while (!control.expired()) std::this_thread::yield();
}

TEST_F(ZQThreadTest, RunsUntilStoppedThenPostsEndMessageToWindow) {
  Worker w(10000);
  ASSERT_EQ(w.Start(false, kNotifyWindow, WM_USER + 3), 1);
  EXPECT_TRUE(w.IsAlive());
  EXPECT_EQ(w.Start(false, kNotifyWindow, WM_USER + 3), 0);  // alive already
  w.Stop(false);
  EXPECT_FALSE(w.IsAlive());
  EXPECT_EQ(w.runs.load(), 1);
  EXPECT_EQ(w.stopHooks.load(), 1);
  MSG m;
  ASSERT_TRUE(PeekMessage(&m, kNotifyWindow, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, WM_USER + 3);
  EXPECT_EQ(m.wParam, 0u);
  EXPECT_EQ(m.lParam, 0);
  EXPECT_FALSE(PeekMessage(&m, 0, 0, 0, PM_REMOVE));
  // Once ended, it can start again.
  ASSERT_EQ(w.Start(false, 0, 0), 1);
  w.Stop(false);
  EXPECT_EQ(w.runs.load(), 2);
  EXPECT_FALSE(PeekMessage(&m, 0, 0, 0, PM_REMOVE));  // no window, no message
}

TEST_F(ZQThreadTest, SuspendedThreadRunsOnlyWhenStopResumesIt) {
  Worker w(10000);
  ASSERT_EQ(w.Start(true, 0, 0), 1);
  EXPECT_TRUE(w.IsAlive());
  EXPECT_EQ(w.runs.load(), 0);
  w.Stop(false);
  EXPECT_FALSE(w.IsAlive());
  EXPECT_EQ(w.runs.load(), 1);  // resumed, saw the flag, returned
}

TEST_F(ZQThreadTest, StopWithoutWaitLeavesThreadToEnd) {
  Worker w(10000);
  ASSERT_EQ(w.Start(false, 0, 0), 1);
  w.Stop(true);
  while (w.IsAlive()) std::this_thread::yield();
  w.Stop(false);  // reaps it
  EXPECT_FALSE(w.IsAlive());
  w.Stop(true);  // nothing alive: nothing happens
  EXPECT_EQ(w.stopHooks.load(), 1);
}

TEST_F(ZQThreadTest, ThreadPastItsTimeOutIsTerminatedAndPostsNothing) {
  Worker w(30, true);
  ASSERT_EQ(w.Start(false, kNotifyWindow, WM_USER + 4), 1);
  while (w.runs.load() == 0) std::this_thread::yield();
  w.Stop(false);
  EXPECT_FALSE(w.IsAlive());
  std::weak_ptr<ThreadControl> stuck = w.lastControl;
  // A new thread can start while the given-up one is still stuck.
  ASSERT_EQ(w.Start(false, 0, 0), 1);
  while (w.runs.load() < 2) std::this_thread::yield();
  w.release.set_value();
  w.Stop(false);
  WaitGone(stuck);
  MSG m;
  EXPECT_FALSE(PeekMessage(&m, 0, 0, 0, PM_REMOVE));
}

TEST_F(ZQThreadTest, BodyThatStopsItsOwnThreadDoesNotWaitForItself) {
  Worker w(10000);
  w.inBody = [](Worker& self) {
    self.Stop(false);
    self.bodyDone = true;
  };
  ASSERT_EQ(w.Start(false, kNotifyWindow, WM_USER + 5), 1);
  while (!w.bodyDone.load()) std::this_thread::yield();
  WaitGone(w.lastControl);
  EXPECT_FALSE(w.IsAlive());
  EXPECT_EQ(w.stopHooks.load(), 1);
  MSG m;
  EXPECT_FALSE(PeekMessage(&m, 0, 0, 0, PM_REMOVE));  // it counts as terminated
}

}  // namespace
