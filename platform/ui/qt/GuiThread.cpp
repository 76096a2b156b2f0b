#include "GuiThread.h"

#include <QApplication>
#include <QMetaObject>
#include <condition_variable>
#include <mutex>

namespace zq::ui::qt {

namespace {
int argc = 1;
char appName[] = "zqplatform";
char* argv[] = {appName, nullptr};
}  // namespace

std::unique_ptr<GuiThread> GuiThread::Start(std::function<void()> atEnd) {
  std::unique_ptr<GuiThread> gui(new GuiThread);
  std::mutex lock;
  std::condition_variable ready;
  bool started = false;
  GuiThread* self = gui.get();
  gui->thread_ = std::thread([self, &lock, &ready, &started, atEnd = std::move(atEnd)] {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    QObject context;
    {
      std::lock_guard hold(lock);
      self->context_ = &context;
      self->id_ = std::this_thread::get_id();
      self->running_ = true;
      started = true;
    }
    ready.notify_all();
    app.exec();
    atEnd();  // widgets go before the application, here on their own thread
  });
  std::unique_lock hold(lock);
  ready.wait(hold, [&] { return started; });
  return gui;
}

GuiThread::~GuiThread() { Stop(); }

void GuiThread::Stop() {
  if (!running_.exchange(false)) return;
  if (OnGuiThread()) {
    thread_.detach();
    return;
  }
  // exit, not quit: quit asks every window to close, and a window of the model refuses. It
  // also ends a nested loop (a menu) that a Call waits for; a Call that comes too late is
  // released when its event goes with the thread's objects.
  QMetaObject::invokeMethod(context_, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
  { std::unique_lock hold(stopLock_); }  // every Post and Call that began is over
  thread_.join();
}

void GuiThread::Post(std::function<void()> f) {
  if (OnGuiThread()) {
    QMetaObject::invokeMethod(context_, std::move(f), Qt::QueuedConnection);
    return;
  }
  std::shared_lock hold(stopLock_);
  if (running_) QMetaObject::invokeMethod(context_, std::move(f), Qt::QueuedConnection);
}

void GuiThread::Call(const std::function<void()>& f) {
  if (OnGuiThread()) {
    f();
    return;
  }
  std::shared_lock hold(stopLock_);
  if (running_) QMetaObject::invokeMethod(context_, [&f] { f(); }, Qt::BlockingQueuedConnection);
}

bool GuiThread::OnGuiThread() const { return std::this_thread::get_id() == id_; }

}  // namespace zq::ui::qt
