// The widget of a top-level window: its close button, and the moves and sizes the user makes,
// go to the model as input. The platform's answers to the mirror's own placements are no
// input: they may come after newer placements, or hold a place the platform chose itself.
#pragma once
#include <QRect>
#include <QWidget>
#include <deque>

#include "zqplatform/uimodel.h"

namespace zq::ui::qt {

class WidgetMirror;

class TopWindow : public QWidget {
 public:
  TopWindow(HWND hwnd, const WidgetMirror& mirror) : hwnd_(hwnd), mirror_(mirror) {}

  // Places the window where the model has it.
  void Place(const QRect& r);

 protected:
  void closeEvent(QCloseEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void Report(const QEvent& e);

  static constexpr size_t kMostAsked = 16;
  HWND hwnd_;
  const WidgetMirror& mirror_;
  std::deque<QRect> asked_;  // placements the platform has not answered yet, oldest first
  QRect lastAnswer_;         // one answer comes as a resize and a move
};

}  // namespace zq::ui::qt
