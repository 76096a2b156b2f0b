// Push buttons, check boxes and radio buttons: a click is the model's click; the model's value
// is the checked state, whatever changed it on screen.
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

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

// A check box or radio button checked otherwise than by a click (the accessibility interface's
// toggle, for one) is clicked in the model as well, once a click that may follow the change has
// had its turn; where the model takes no click, the box shows the model's value again.
void ConnectCheckable(QWidget* w, HWND h, const WidgetMirror& mirror) {
  Connect(w, h, mirror);
  auto* b = static_cast<QAbstractButton*>(w);
  QObject::connect(b, &QAbstractButton::toggled, b, [&mirror, h, b](bool on) {
    if (mirror.Syncing() || (!on && qobject_cast<QRadioButton*>(b))) return;  // the other radio's turn
    auto s = Snapshot(h);
    if (!s) return;
    int32_t was = s->value;
    QMetaObject::invokeMethod(
        b,
        [h, b, was] {
          auto now = Snapshot(h);
          if (!now || now->value != was || (now->value != 0) == b->isChecked()) return;
          if (input::Click(h)) return;
          QSignalBlocker quiet(b);
          b->setChecked(now->value != 0);
        },
        Qt::QueuedConnection);
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
const KindMirror kCheckMirror{
    .make = Make<QCheckBox>, .connect = ConnectCheckable, .apply = ApplyChecked, .spaceByModel = true};
const KindMirror kRadioMirror{.make = Make<QRadioButton>, .connect = ConnectCheckable, .apply = ApplyChecked};

}  // namespace zq::ui::qt
