// Push buttons, check boxes and radio buttons: a click is the model's click; the model's value
// is the checked state.
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "../KeysAndText.h"
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

void ApplyChecked(QWidget* w, const WindowState& s) {
  ApplyText(w, s);
  static_cast<QAbstractButton*>(w)->setChecked(s.value != 0);
}

}  // namespace

const KindMirror kButtonMirror{.make = Make<QPushButton>, .connect = Connect, .apply = ApplyText, .spaceByModel = true};
const KindMirror kCheckMirror{.make = Make<QCheckBox>, .connect = Connect, .apply = ApplyChecked, .spaceByModel = true};
const KindMirror kRadioMirror{.make = Make<QRadioButton>, .connect = Connect, .apply = ApplyChecked};

}  // namespace zq::ui::qt
