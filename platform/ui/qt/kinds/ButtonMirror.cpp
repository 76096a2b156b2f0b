// Push buttons, check boxes and radio buttons: a click is the model's click; the model's value
// is the checked state.
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "../KeysAndText.h"
#include "../MirrorLook.h"
#include "../WidgetMirror.h"
#include "KindMirror.h"
#include "SetIfDifferent.h"
#include "zqplatform/uiinput.h"

namespace zq::ui::qt {

namespace {

template <class Widget>
QWidget* Make(QWidget* parent, const WindowState&) {
  return new Widget(parent);
}

void Connect(QWidget* w, HWND h, const WidgetMirror& mirror) {
  QObject::connect(static_cast<QAbstractButton*>(w), &QAbstractButton::clicked, [&mirror, h] {
    if (!mirror.Syncing()) input::Click(h);
  });
}

void ApplyText(QWidget* w, const WindowState& s) { SetIfDifferent(static_cast<QAbstractButton*>(w), FromAnsi(s.text)); }

// A push button shows its icon (from the program's icons) before its text.
void ApplyButton(QWidget* w, const WindowState& s) {
  ApplyText(w, s);
  auto* b = static_cast<QPushButton*>(w);
  if (s.icon != b->property("zqIcon").toUInt()) {
    b->setIcon(IconOf(s.icon));
    b->setProperty("zqIcon", s.icon);
  }
}

void ApplyChecked(QWidget* w, const WindowState& s) {
  ApplyText(w, s);
  static_cast<QAbstractButton*>(w)->setChecked(s.value != 0);
}

}  // namespace

const KindMirror kButtonMirror{
    .make = Make<QPushButton>, .connect = Connect, .apply = ApplyButton, .spaceByModel = true};
const KindMirror kCheckMirror{.make = Make<QCheckBox>, .connect = Connect, .apply = ApplyChecked, .spaceByModel = true};
const KindMirror kRadioMirror{.make = Make<QRadioButton>, .connect = Connect, .apply = ApplyChecked};

}  // namespace zq::ui::qt
