#include "InputBlock.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace zq::ui::qt {

namespace {

bool IsUserInput(QEvent::Type t) {
  switch (t) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::Drop:
      return true;
    default:
      return false;
  }
}

}  // namespace

InputBlock::InputBlock() { qApp->installEventFilter(this); }

InputBlock::~InputBlock() {
  if (qApp) qApp->removeEventFilter(this);
}

void InputBlock::SetBlocked(const QWidget* topLevel, bool blocked) {
  if (blocked) {
    blocked_.insert(topLevel);
  } else {
    blocked_.erase(topLevel);
  }
}

bool InputBlock::eventFilter(QObject* watched, QEvent* event) {
  if (blocked_.empty() || !IsUserInput(event->type()) || !watched->isWidgetType()) return false;
  return blocked_.count(static_cast<QWidget*>(watched)->window()) > 0;
}

}  // namespace zq::ui::qt
