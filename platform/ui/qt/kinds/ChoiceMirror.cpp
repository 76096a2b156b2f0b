// Combo boxes (an edit line over a list, or a list only when read-only) and drop lists (a list
// only): the model's rows are the items with their icons, its value the chosen row; the
// dropped-down list shows the model's number of rows at its width.
#include <QAbstractItemView>
#include <QComboBox>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

#include "../KeysAndText.h"
#include "../MirrorLook.h"
#include "../WidgetMirror.h"
#include "EditMirror.h"
#include "KindMirror.h"
#include "zqplatform/uiinput.h"

namespace zq::ui::qt {

namespace {

// A combo box whose closed field, when it is read-only and too narrow for the chosen row's icon
// beside its text, shows the text alone (the dropped-down list keeps the icons).
class ChoiceBox : public QComboBox {
 public:
  using QComboBox::QComboBox;

 protected:
  void paintEvent(QPaintEvent*) override {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    if (!isEditable() && !option.currentIcon.isNull()) {
      const QRect room = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
      const int needed = option.iconSize.width() + 4 + fontMetrics().horizontalAdvance(option.currentText);
      if (needed > room.width()) option.currentIcon = QIcon();
    }
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
  }
};

QWidget* Make(QWidget* parent, const WindowState&) {
  auto* c = new ChoiceBox(parent);
  c->setItemDelegate(new QStyledItemDelegate(c));  // its rows take the size the items ask for
  c->setInsertPolicy(QComboBox::NoInsert);  // the rows are the model's
  return c;
}

// The edit line holds what the user typed: a row's text comes in only when the user picks the
// row (Qt's inline completion would put a matching row's rest into the text as it is typed).
void TypedTextOnly(QComboBox* c) {
  if (c->isEditable() && c->completer()) c->setCompleter(nullptr);
}

// The icon of a row from the control's icon list (0: none).
HICON RowIcon(const WindowState& s, const Row& r) {
  auto at = static_cast<std::size_t>(r.icon);
  return r.icon > 0 && at <= s.icons.size() ? s.icons[at - 1] : 0;
}

// The items: each row's first cell with its icon, as high as the model's row height.
void ApplyItems(QComboBox* c, const WindowState& s) {
  bool same = static_cast<int>(s.rows.size()) == c->count() && c->property("zqLineHeight").toInt() == s.lineHeight;
  for (int i = 0; same && i < c->count(); ++i) {
    const Row& r = s.rows[static_cast<std::size_t>(i)];
    same = c->itemText(i) == (r.cells.empty() ? QString() : FromAnsi(r.cells.front())) &&
           c->itemData(i, Qt::UserRole).toUInt() == RowIcon(s, r);
  }
  if (same) return;
  c->clear();
  for (const Row& r : s.rows) {
    HICON icon = RowIcon(s, r);
    c->addItem(IconOf(icon), r.cells.empty() ? QString() : FromAnsi(r.cells.front()), QVariant::fromValue(icon));
    if (s.lineHeight > 0) c->setItemData(c->count() - 1, QSize(0, s.lineHeight), Qt::SizeHintRole);
  }
  c->setProperty("zqLineHeight", s.lineHeight);
}

void Connect(QWidget* w, HWND h, const WidgetMirror& mirror) {
  auto* c = static_cast<QComboBox*>(w);
  QObject::connect(c, &QComboBox::currentIndexChanged, [&mirror, h](int i) {
    if (!mirror.Syncing()) input::Choose(h, i);
  });
  // The edit line's text, typed or set through the accessibility interface, is the model's, as
  // in an entry.
  QObject::connect(c, &QComboBox::editTextChanged, [&mirror, h](const QString& t) {
    if (!mirror.Syncing()) TextToModel(h, t);
  });
}

void Apply(QWidget* w, const WindowState& s) {
  auto* c = static_cast<QComboBox*>(w);
  bool editable = s.kind == Kind::Combo && !s.readOnly;  // a read-only combo only drops its list down
  if (c->isEditable() != editable) c->setEditable(editable);
  TypedTextOnly(c);
  ApplyItems(c, s);
  if (c->currentIndex() != s.value) c->setCurrentIndex(s.value);
  QString text = FromAnsi(s.text);
  if (editable && c->currentText() != text) c->setEditText(text);
  int rows = s.dropCount > 0 ? s.dropCount : 10;
  if (c->maxVisibleItems() != rows) c->setMaxVisibleItems(rows);
  if (c->view()->minimumWidth() != s.dropWidth) c->view()->setMinimumWidth(s.dropWidth);
  if (c->lineEdit()) ApplySelection(c->lineEdit(), s);
}

}  // namespace

const KindMirror kComboMirror{.make = Make, .connect = Connect, .apply = Apply};
const KindMirror kDropListMirror{.make = Make, .connect = Connect, .apply = Apply};

}  // namespace zq::ui::qt
