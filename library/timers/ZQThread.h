// The library's worker thread: a derived class supplies the body (ThreadCore); the object
// starts it (running or suspended), asks it to stop through the stop flag, waits for it
// with a time-out, and posts a message to a window when the body has returned.
//
// A thread that does not end within the time-out cannot be killed safely here, so it is
// given up on instead: it counts as terminated (no longer alive, its end message is never
// posted), it is detached, and it finishes on its own when its body next looks at the stop
// flag. A body that may outlive its object that way keeps what it uses in shared state,
// reached through CurrentControl() and its own shared members, not through the object.
#pragma once
#include <cstdint>
#include <memory>
#include <thread>

#include "timers/ThreadControl.h"
#include "zqplatform/messages.h"

class ZQThread {
 public:
  // Threads run at the normal priority whatever is asked: raising a thread's priority needs
  // a privilege that desktop users do not hold, and stops wake a waiting body at once anyway.
  ZQThread(uint32_t stopTimeout, int32_t priority);
  virtual ~ZQThread();
  ZQThread(const ZQThread&) = delete;
  ZQThread& operator=(const ZQThread&) = delete;

  // 1 when the thread was created; 0 when one is alive already or creation failed.
  int32_t Start(bool suspended, HWND window, uint32_t message);
  virtual void Stop(bool noWait);
  bool IsAlive() const;

  // From now on stops wait only briefly: the library is being unloaded.
  static void SetUnloading();

 protected:
  virtual int32_t ThreadCore();
  virtual void OnStop() {}
  // The calling worker thread's own control, its stop flag (null on any other thread).
  static std::shared_ptr<ThreadControl> CurrentControl();

 private:
  static void ThreadProc(std::shared_ptr<ThreadControl> control, ZQThread* object, HWND window,
                         uint32_t message);
  bool WaitForEnd(uint32_t timeoutMs);
  void Terminate();
  void CloseHandle();

  uint32_t stopTimeout_;
  std::shared_ptr<ThreadControl> control_;
  std::thread thread_;
};
