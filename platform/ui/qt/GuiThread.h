// The Qt presenter's GUI thread: the QApplication lives there, started on first use, and
// every widget is made and changed there.
#pragma once
#include <atomic>
#include <functional>
#include <memory>
#include <shared_mutex>
#include <thread>

class QObject;

namespace zq::ui::qt {

class GuiThread {
 public:
  // The running thread, or null when Qt could not start.
  static std::unique_ptr<GuiThread> Start(std::function<void()> atEnd);
  ~GuiThread();

  // Runs f on the GUI thread later, in the order of posting.
  void Post(std::function<void()> f);
  // Runs f on the GUI thread and waits for it (at once when called there).
  void Call(const std::function<void()>& f);
  bool OnGuiThread() const;
  // Quits the event loop and waits until the thread has destroyed every Qt object; Post and
  // Call do nothing afterwards. Waits for a Call under way on another thread.
  void Stop();

 private:
  GuiThread() = default;
  std::thread thread_;
  std::thread::id id_;
  QObject* context_ = nullptr;
  std::atomic<bool> running_{false};
  std::shared_mutex stopLock_;
};

}  // namespace zq::ui::qt
