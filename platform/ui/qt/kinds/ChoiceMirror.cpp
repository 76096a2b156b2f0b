// Combo boxes (an edit line over a list) and drop lists (a list only): the model's rows are the
// items, its value the chosen row.
#include <QComboBox>

#include "../KeysAndText.h"
#include "../WidgetMirror.h"
#include "EditMirror.h"
#include "KindMirror.h"
#include "zqplatform/uiinput.h"

namespace zq::ui::qt {

namespace {

QWidget* Make(QWidget* parent, const WindowState& s) {
  auto* c = new QComboBox(parent);
  c->setEditable(s.kind == Kind::Combo);
  return c;
}

void Connect(QWidget* w, HWND h, const WidgetMirror& mirror) {
  QObject::connect(static_cast<QComboBox*>(w), &QComboBox::currentIndexChanged, [&mirror, h](int i) {
    if (!mirror.Syncing()) input::Choose(h, i);
  });
}

void Apply(QWidget* w, const WindowState& s) {
  auto* c = static_cast<QComboBox*>(w);
  QStringList items;
  for (const Row& r : s.rows) items << (r.cells.empty() ? QString() : FromAnsi(r.cells.front()));
  bool same = items.size() == c->count();
  for (int i = 0; same && i < items.size(); ++i) same = c->itemText(i) == items[i];
  if (!same) {
    c->clear();
    c->addItems(items);
  }
  if (c->currentIndex() != s.value) c->setCurrentIndex(s.value);
  QString text = FromAnsi(s.text);
  if (s.kind == Kind::Combo && c->currentText() != text) c->setEditText(text);
  if (c->lineEdit()) ApplySelection(c->lineEdit(), s);
}

}  // namespace

const KindMirror kComboMirror{.make = Make, .connect = Connect, .apply = Apply};
const KindMirror kDropListMirror{.make = Make, .connect = Connect, .apply = Apply};

}  // namespace zq::ui::qt
