// The Qt presenter's message boxes and file dialogs, on its GUI thread. Each is modal to the
// owner's top-level window only, so the windows of other threads keep working.
#pragma once
#include <QDialog>
#include <QPointer>
#include <functional>
#include <map>

#include "zqplatform/questions.h"

namespace zq::ui::qt {

class QuestionDialogs {
 public:
  // parent: the owner's top-level widget (none: a window of its own).
  void Show(uint64_t id, const Question& question, QWidget* parent, std::function<void(const Answer&)> done);
  // Takes the dialog down without an answer.
  void End(uint64_t id);

 private:
  std::map<uint64_t, QPointer<QDialog>> shown_;
};

}  // namespace zq::ui::qt
