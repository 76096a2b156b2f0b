#include "TopWindow.h"

#include <QCloseEvent>
#include <QWindow>
#include <algorithm>

#include "WidgetMirror.h"
#include "zqplatform/uiinput.h"

namespace zq::ui::qt {

void TopWindow::Place(const QRect& r) {
  // A hidden window's placements are answered when it shows, the last of them only.
  asked_.push_back(r);
  if (asked_.size() > kMostAsked) asked_.pop_front();
  setGeometry(r);
}

void TopWindow::closeEvent(QCloseEvent* e) {
  e->ignore();
  input::CloseRequest(hwnd_);
}

void TopWindow::moveEvent(QMoveEvent* e) { Report(*e); }
void TopWindow::resizeEvent(QResizeEvent* e) { Report(*e); }

void TopWindow::Report(const QEvent& e) {
  if (mirror_.Syncing() || !isVisible()) return;
  QRect f = geometry();
  if (e.spontaneous()) {
    // From the platform: the whole new geometry, which the widget may not hold all of yet.
    if (windowHandle()) f = windowHandle()->geometry();
    if (f == lastAnswer_) return;
    lastAnswer_ = f;
    if (auto it = std::find(asked_.begin(), asked_.end(), f); it != asked_.end()) {
      asked_.erase(asked_.begin(), it + 1);
      return;
    }
    if (!asked_.empty()) {
      asked_.pop_front();  // placed by the platform's own rules
      return;
    }
  }
  input::MovedTo(hwnd_, RECT{f.left(), f.top(), f.left() + f.width(), f.top() + f.height()});
}

}  // namespace zq::ui::qt
