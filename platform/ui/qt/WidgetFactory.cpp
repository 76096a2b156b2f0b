// Makes the widget that mirrors a window or control: a top-level window of its own, or the
// kind's widget inside its parent, watched for input.
#include <QAbstractScrollArea>

#include "TopWindow.h"
#include "WidgetMirror.h"
#include "kinds/KindMirror.h"
#include "zqplatform/uiinput.h"

namespace zq::ui::qt {

namespace {

constexpr char kHandle[] = "zqHwnd";

}  // namespace

HWND HandleOf(const QObject* o) { return o ? o->property(kHandle).toUInt() : 0; }

void WidgetMirror::Watch(QWidget* part, HWND hwnd) {
  part->setProperty(kHandle, hwnd);
  part->installEventFilter(this);
}

QWidget* WidgetMirror::Make(const WindowState& s) {
  const KindMirror& kind = MirrorOf(s.kind);
  QWidget* w = s.kind == Kind::Window && s.parent == 0 ? new TopWindow(s.hwnd, *this)
                                                      : kind.make(s.parent ? Find(s.parent) : nullptr, s);
  Watch(w, s.hwnd);
  if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) Watch(area->viewport(), s.hwnd);
  if (kind.parts) {
    for (QWidget* part : kind.parts(w)) Watch(part, s.hwnd);
  }
  if (kind.connect) kind.connect(w, s.hwnd, *this);
  widgets_[s.hwnd] = Mirrored{w, &kind};
  return w;
}

}  // namespace zq::ui::qt
