// How top-level windows are announced to the accessibility interface: as windows with their
// titles, a window with an owner or one that asks the user a question as a dialog.
#include <QAccessibleWidget>
#include <algorithm>

#include "TopWindow.h"
#include "zqplatform/questions.h"

namespace zq::ui::qt {

namespace {

class TopWindowAccessible : public QAccessibleWidget {
 public:
  explicit TopWindowAccessible(TopWindow* w) : QAccessibleWidget(w, QAccessible::Window), hwnd_(w->Handle()) {}

  QAccessible::Role role() const override {
    auto s = Snapshot(hwnd_);
    std::vector<Question> open = OpenQuestions();
    bool asks = std::any_of(open.begin(), open.end(),
                            [&](const Question& q) { return q.kind == QuestionKind::Window && q.owner == hwnd_; });
    return (s && s->owner != 0) || asks ? QAccessible::Dialog : QAccessible::Window;
  }

 private:
  HWND hwnd_;
};

QAccessibleInterface* Announce(const QString&, QObject* object) {
  auto* top = dynamic_cast<TopWindow*>(object);
  return top ? new TopWindowAccessible(top) : nullptr;
}

}  // namespace

void AnnounceTopWindows() {
  static const bool installed = [] {
    QAccessible::installFactory(Announce);
    return true;
  }();
  (void)installed;
}

}  // namespace zq::ui::qt
