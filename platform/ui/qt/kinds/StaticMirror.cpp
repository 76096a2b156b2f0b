// Kinds that show the model and take no input of their own: plain child windows, texts,
// images, group boxes, panels, lines and regions.
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>

#include "../KeysAndText.h"
#include "../MirrorLook.h"
#include "KindMirror.h"
#include "SetIfDifferent.h"

namespace zq::ui::qt {

namespace {

template <int Style>
QWidget* MakeFrame(QWidget* parent, const WindowState&) {
  auto* f = new QFrame(parent);
  f->setFrameStyle(Style);
  return f;
}

QWidget* MakeLabel(QWidget* parent, const WindowState&) { return new QLabel(parent); }

void ApplyText(QWidget* w, const WindowState& s) {
  auto* l = static_cast<QLabel*>(w);
  SetIfDifferent(l, FromAnsi(s.text));
  l->setAlignment(AlignOf(s.align) | Qt::AlignVCenter);
}

void ApplyImage(QWidget* w, const WindowState& s) {
  auto* l = static_cast<QLabel*>(w);
  l->setPixmap(QPixmap(QString::fromStdString(s.imageFile)));
  l->setScaledContents(true);
}

}  // namespace

const KindMirror kChildWindowMirror{.make = [](QWidget* parent, const WindowState&) { return new QWidget(parent); }};
const KindMirror kTextMirror{.make = MakeLabel, .apply = ApplyText};
const KindMirror kImageMirror{.make = MakeLabel, .apply = ApplyImage};
const KindMirror kGroupMirror{
    .make = [](QWidget* parent, const WindowState&) -> QWidget* { return new QGroupBox(parent); },
    .apply = [](QWidget* w, const WindowState& s) { static_cast<QGroupBox*>(w)->setTitle(FromAnsi(s.text)); }};
const KindMirror kPanelMirror{.make = MakeFrame<QFrame::Panel | QFrame::Raised>};
const KindMirror kLineMirror{.make = MakeFrame<QFrame::HLine | QFrame::Sunken>};
const KindMirror kRegionMirror{.make = MakeFrame<QFrame::Box | QFrame::Plain>};

}  // namespace zq::ui::qt
