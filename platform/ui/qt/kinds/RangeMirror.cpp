// Spin boxes and progress bars: a value between a low and a high bound.
#include <QDoubleSpinBox>
#include <QProgressBar>
#include <cmath>

#include "../WidgetMirror.h"
#include "KindMirror.h"
#include "zqplatform/uiinput.h"

namespace zq::ui::qt {

namespace {

// A spin box that takes "," and "." alike as its decimal point while the user types.
class DecimalSpinBox : public QDoubleSpinBox {
 public:
  using QDoubleSpinBox::QDoubleSpinBox;

  QValidator::State validate(QString& text, int& pos) const override {
    text = WithOwnPoint(text);
    return QDoubleSpinBox::validate(text, pos);
  }
  double valueFromText(const QString& text) const override { return QDoubleSpinBox::valueFromText(WithOwnPoint(text)); }

 private:
  QString WithOwnPoint(QString text) const {
    if (decimals() == 0) return text;
    const QString point = locale().decimalPoint();
    return text.replace(point == "," ? "." : ",", point);
  }
};

void ConnectSpin(QWidget* w, HWND h, const WidgetMirror& mirror) {
  auto* sp = static_cast<QDoubleSpinBox*>(w);
  QObject::connect(sp, &QDoubleSpinBox::valueChanged, [&mirror, h, sp](double v) {
    if (!mirror.Syncing()) input::Spun(h, QString::number(v, 'f', sp->decimals()).toStdString());
  });
}

// Each setter of the spin box rewrites the text being typed, so only what differs is set: the
// model's echo of a value typed ("1" for "1.") leaves the user's text alone, which Qt formats
// when the field is left or Enter pressed.
void ApplySpin(QWidget* w, const WindowState& s) {
  auto* sp = static_cast<QDoubleSpinBox*>(w);
  // As many decimals as the step has ("0.1": one).
  QString step = QString::number(s.step, 'g', 15);
  int dot = step.indexOf('.');
  const int decimals = dot < 0 || step.contains('e') ? 0 : static_cast<int>(step.size()) - dot - 1;
  if (sp->decimals() != decimals) sp->setDecimals(decimals);
  if (sp->singleStep() != s.step) sp->setSingleStep(s.step);
  if (sp->minimum() != s.low || sp->maximum() != s.high) sp->setRange(s.low, s.high);
  bool exact = false;
  double value = QString::fromStdString(s.text).toDouble(&exact);
  if (!exact) value = s.value;
  if (std::abs(sp->value() - value) > 0.5 * std::pow(10.0, -decimals)) sp->setValue(value);
  sp->setReadOnly(s.readOnly);
}

void ApplyProgress(QWidget* w, const WindowState& s) {
  auto* p = static_cast<QProgressBar*>(w);
  p->setRange(s.low, s.high);
  p->setValue(s.value);
}

}  // namespace

const KindMirror kSpinMirror{.make = [](QWidget* parent, const WindowState&) -> QWidget* { return new DecimalSpinBox(parent); },
                             .connect = ConnectSpin,
                             .apply = ApplySpin};
const KindMirror kProgressMirror{
    .make = [](QWidget* parent, const WindowState&) -> QWidget* { return new QProgressBar(parent); },
    .apply = ApplyProgress};

}  // namespace zq::ui::qt
