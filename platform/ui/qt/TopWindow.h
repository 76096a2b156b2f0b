// The widget of a top-level window: its close button, and every move and size of the user or
// the window system, go to the model as input. The platform's answers to the mirror's own
// placements are no input while a newer placement waits for its answer (an earlier answer may
// come after newer placements); once none waits, the window's geometry, wherever the user,
// the window system or its rules put it, is the model's. A place the window system chose as
// it showed the window, before the user saw it, is asked back to the model's once.
#pragma once
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <deque>

#include "zqplatform/uimodel.h"

namespace zq::ui::qt {

class WidgetMirror;

class TopWindow : public QWidget {
 public:
  TopWindow(HWND hwnd, const WidgetMirror& mirror);

  HWND Handle() const { return hwnd_; }
  // Places the window where the model has it.
  void Place(const QRect& r);

 protected:
  void closeEvent(QCloseEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  using Clock = std::chrono::steady_clock;
  struct Asked {
    QRect rect;
    Clock::time_point at;
  };

  void Report(const QEvent& e);
  // Forgets the placements no answer came for in time; true when none waits any more.
  bool AnswersDone();
  // The window's geometry to the model once no placement waits.
  void Settle();
  void MovedTo(const QRect& f);

  // How long a placement waits for its answer: the platform may answer none (a placement
  // the window holds already, one made before the window system managed the window).
  static constexpr std::chrono::milliseconds kAnswerTime{500};
  static constexpr size_t kMostAsked = 64;
  HWND hwnd_;
  const WidgetMirror& mirror_;
  std::deque<Asked> asked_;  // placements the platform has not answered yet, oldest first
  QRect lastAnswer_;         // one answer comes as a resize and a move
  bool reasked_ = false;     // the place asked for again since the window showed
  QTimer settle_;
};

// Top-level windows are announced to the accessibility interface as windows or dialogs
// (TopWindowAccessible.cpp); installed once, before the first window shows.
void AnnounceTopWindows();

}  // namespace zq::ui::qt
