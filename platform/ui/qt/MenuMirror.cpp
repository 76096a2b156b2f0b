// Tracked popup menus: shown at the mouse until the user or the model's input chooses.
#include <QCursor>
#include <QMenu>

#include "KeysAndText.h"
#include "WidgetMirror.h"

namespace zq::ui::qt {

uint32_t WidgetMirror::ExecMenu(const TrackedMenu& menu) {
  if (pendingChoice_) {
    uint32_t c = *pendingChoice_;
    pendingChoice_.reset();
    return c;
  }
  QMenu m;
  for (const MenuItem& item : menu.items) {
    if (item.separator) {
      m.addSeparator();
      continue;
    }
    QAction* a = m.addAction(FromAnsi(item.text));
    a->setData(item.command);
    a->setEnabled(!item.grayed);
  }
  openMenu_ = &m;
  chosen_.reset();
  QAction* a = m.exec(QCursor::pos());
  openMenu_ = nullptr;
  if (chosen_) return *chosen_;
  return a ? a->data().toUInt() : 0;
}

void WidgetMirror::Choose(uint32_t command) {
  if (!openMenu_) {
    pendingChoice_ = command;
    return;
  }
  chosen_ = command;
  openMenu_->close();
}

}  // namespace zq::ui::qt
