// Tab bars: the model's tabs are the titles, its value the current tab; the user's choice of a
// tab is the model's choice.
#include <QTabBar>

#include "../KeysAndText.h"
#include "../WidgetMirror.h"
#include "KindMirror.h"
#include "zqplatform/uiinput.h"

namespace zq::ui::qt {

namespace {

void Connect(QWidget* w, HWND h, const WidgetMirror& mirror) {
  QObject::connect(static_cast<QTabBar*>(w), &QTabBar::currentChanged, [&mirror, h](int i) {
    if (!mirror.Syncing()) input::Choose(h, i);
  });
}

void Apply(QWidget* w, const WindowState& s) {
  auto* t = static_cast<QTabBar*>(w);
  while (t->count() > 0) t->removeTab(0);
  for (const std::string& title : s.tabs) t->addTab(FromAnsi(title));
  t->setCurrentIndex(s.value);
}

}  // namespace

const KindMirror kTabMirror{.make = [](QWidget* parent, const WindowState&) -> QWidget* { return new QTabBar(parent); },
                            .connect = Connect,
                            .apply = Apply};

}  // namespace zq::ui::qt
