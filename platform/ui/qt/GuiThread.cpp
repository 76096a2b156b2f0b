#include "GuiThread.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>
#include <condition_variable>
#include <mutex>

namespace zq::ui::qt {

namespace {
int argc = 1;
char appName[] = "zqplatform";
char* argv[] = {appName, nullptr};

// Paints each kind of widget once, so that Qt's own lazily made statics exist before the
// presenter registers the stop of this thread for the exit, which then runs before they go.
void WarmUp() {
  QWidget w(nullptr, Qt::Window | Qt::FramelessWindowHint);
  w.resize(64, 64);
  new QLabel("x", &w);
  new QTextEdit("x", &w);
  new QPushButton("x", &w);
  new QComboBox(&w);
  new QProgressBar(&w);
  new QTreeWidget(&w);
  w.show();
  w.grab();
  QCoreApplication::processEvents();
  w.hide();
}
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
    WarmUp();
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
    atEnd();  // widgets go before the application
  });
  std::unique_lock hold(lock);
  ready.wait(hold, [&] { return started; });
  return gui;
}

GuiThread::~GuiThread() { Stop(); }

void GuiThread::Stop() {
  if (!thread_.joinable()) return;
  running_ = false;
  if (OnGuiThread()) {
    thread_.detach();
    return;
  }
  // exit, not quit: quit asks every window to close, and a window of the model refuses.
  QMetaObject::invokeMethod(context_, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
  thread_.join();
}

void GuiThread::Post(std::function<void()> f) {
  if (!running_) return;
  QMetaObject::invokeMethod(context_, std::move(f), Qt::QueuedConnection);
}

void GuiThread::Call(const std::function<void()>& f) {
  if (OnGuiThread()) {
    f();
    return;
  }
  if (!running_) return;
  QMetaObject::invokeMethod(context_, [&f] { f(); }, Qt::BlockingQueuedConnection);
}

bool GuiThread::OnGuiThread() const { return std::this_thread::get_id() == id_; }

}  // namespace zq::ui::qt
