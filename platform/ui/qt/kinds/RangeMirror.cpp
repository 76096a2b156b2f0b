// Spin boxes and progress bars: a value between a low and a high bound.
#include <QDoubleSpinBox>
#include <QProgressBar>

#include "../WidgetMirror.h"
#include "KindMirror.h"
#include "zqplatform/uiinput.h"

namespace zq::ui::qt {

namespace {

void ConnectSpin(QWidget* w, HWND h, const WidgetMirror& mirror) {
  auto* sp = static_cast<QDoubleSpinBox*>(w);
  QObject::connect(sp, &QDoubleSpinBox::valueChanged, [&mirror, h, sp](double v) {
    if (!mirror.Syncing()) input::Spun(h, QString::number(v, 'f', sp->decimals()).toStdString());
  });
}

void ApplySpin(QWidget* w, const WindowState& s) {
  auto* sp = static_cast<QDoubleSpinBox*>(w);
  // As many decimals as the step has ("0.1": one).
  QString step = QString::number(s.step, 'g', 15);
  int dot = step.indexOf('.');
  sp->setDecimals(dot < 0 || step.contains('e') ? 0 : static_cast<int>(step.size()) - dot - 1);
  sp->setSingleStep(s.step);
  sp->setRange(s.low, s.high);
  bool exact = false;
  double value = QString::fromStdString(s.text).toDouble(&exact);
  sp->setValue(exact ? value : s.value);
  sp->setReadOnly(s.readOnly);
}

void ApplyProgress(QWidget* w, const WindowState& s) {
  auto* p = static_cast<QProgressBar*>(w);
  p->setRange(s.low, s.high);
  p->setValue(s.value);
}

}  // namespace

const KindMirror kSpinMirror{.make = [](QWidget* parent, const WindowState&) -> QWidget* { return new QDoubleSpinBox(parent); },
                             .connect = ConnectSpin,
                             .apply = ApplySpin};
const KindMirror kProgressMirror{
    .make = [](QWidget* parent, const WindowState&) -> QWidget* { return new QProgressBar(parent); },
    .apply = ApplyProgress};

}  // namespace zq::ui::qt
