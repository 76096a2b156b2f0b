// Refuses the user's input to disabled top-level windows (a window below a nested window of
// its thread), as Windows does: the window keeps its look, but no click, key or wheel reaches
// it or anything inside it. Installed on the application, so the parts of widgets that the
// mirror does not watch (scroll bars, a spin box's edit line) are refused as well.
#pragma once
#include <QObject>
#include <set>

class QWidget;

namespace zq::ui::qt {

class InputBlock : public QObject {
 public:
  InputBlock();
  ~InputBlock() override;
  void SetBlocked(const QWidget* topLevel, bool blocked);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::set<const QWidget*> blocked_;
};

}  // namespace zq::ui::qt
