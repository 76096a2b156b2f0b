#include "TopWindow.h"

#include <QCloseEvent>
#include <QWindow>
#include <algorithm>

#include "MirrorLook.h"
#include "WidgetMirror.h"
#include "zqplatform/uiinput.h"

namespace zq::ui::qt {

TopWindow::TopWindow(HWND hwnd, const WidgetMirror& mirror) : hwnd_(hwnd), mirror_(mirror) {
  AnnounceTopWindows();
  settle_.setSingleShot(true);
  QObject::connect(&settle_, &QTimer::timeout, this, [this] { Settle(); });
}

void TopWindow::Place(const QRect& r) {
  // A hidden window's placements are answered when it shows, the last of them only.
  if (!isVisible()) asked_.clear();
  asked_.push_back({r, Clock::now()});
  if (asked_.size() > kMostAsked) asked_.pop_front();
  setGeometry(r);
}

void TopWindow::closeEvent(QCloseEvent* e) {
  e->ignore();
  input::CloseRequest(hwnd_);
}

void TopWindow::showEvent(QShowEvent*) { reasked_ = false; }
void TopWindow::moveEvent(QMoveEvent* e) { Report(*e); }
void TopWindow::resizeEvent(QResizeEvent* e) { Report(*e); }

void TopWindow::Report(const QEvent& e) {
  if (mirror_.Syncing() || !isVisible()) return;
  if (!e.spontaneous()) return MovedTo(geometry());
  // From the platform: the whole new geometry, which the widget may not hold all of yet.
  QRect f = windowHandle() ? windowHandle()->geometry() : geometry();
  if (f == lastAnswer_) return;
  lastAnswer_ = f;
  auto it = std::find_if(asked_.begin(), asked_.end(), [&](const Asked& a) { return a.rect == f; });
  if (it != asked_.end()) {
    asked_.erase(asked_.begin(), it + 1);
  } else {
    if (!asked_.empty()) asked_.pop_front();  // the oldest placement, answered by the platform's own rules
    if (!reasked_ && windowHandle() && !windowHandle()->isExposed()) {
      // Placed by the window system's rules as it shows the window, before the user sees it:
      // the model's place is asked for once more.
      reasked_ = true;
      if (auto s = Snapshot(hwnd_)) Place(RectOf(s->rect));
      return;
    }
  }
  if (AnswersDone()) return MovedTo(f);
  settle_.start(kAnswerTime);
}

bool TopWindow::AnswersDone() {
  Clock::time_point late = Clock::now() - kAnswerTime;
  while (!asked_.empty() && asked_.front().at <= late) asked_.pop_front();
  return asked_.empty();
}

void TopWindow::Settle() {
  if (!isVisible()) return;
  if (!AnswersDone()) return settle_.start(kAnswerTime);
  MovedTo(windowHandle() ? windowHandle()->geometry() : geometry());
}

void TopWindow::MovedTo(const QRect& f) {
  input::MovedTo(hwnd_, RECT{f.left(), f.top(), f.left() + f.width(), f.top() + f.height()});
}

}  // namespace zq::ui::qt
