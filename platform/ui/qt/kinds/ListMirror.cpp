// Lists with columns: a tree view over the model's rows (ListModel, painted by CellDelegate).
// The model, not Qt, chooses rows: a press on a row is the model's click.
#include "ListMirror.h"

#include <QHeaderView>
#include <QTreeView>

#include "../WidgetMirror.h"
#include "CellDelegate.h"
#include "KindMirror.h"
#include "ListModel.h"
#include "zqplatform/uiinput.h"

namespace zq::ui::qt {

namespace {

QWidget* Make(QWidget* parent, const WindowState&) {
  auto* v = new QTreeView(parent);
  v->setModel(new ListModel(v));
  v->setItemDelegate(new CellDelegate(v));
  v->setRootIsDecorated(false);
  v->setItemsExpandable(false);
  v->setUniformRowHeights(true);
  v->setSelectionMode(QAbstractItemView::SingleSelection);
  v->setSelectionBehavior(QAbstractItemView::SelectRows);
  return v;
}

void Connect(QWidget* w, HWND h, const WidgetMirror& mirror) {
  // A row becomes current without being chosen when the list gets the focus; only a chosen
  // row is the list's value.
  QItemSelectionModel* chosen = static_cast<QTreeView*>(w)->selectionModel();
  QObject::connect(chosen, &QItemSelectionModel::currentRowChanged, [&mirror, h, chosen](const QModelIndex& at) {
    if (mirror.Syncing() || (at.isValid() && !chosen->isSelected(at))) return;
    input::Choose(h, at.isValid() ? at.row() : -1);
  });
}

void Apply(QWidget* w, const WindowState& s) {
  auto* v = static_cast<QTreeView*>(w);
  auto* model = static_cast<ListModel*>(v->model());
  if (model->Show(s)) {
    for (std::size_t i = 0; i < s.columns.size(); ++i) v->setColumnWidth(static_cast<int>(i), s.columns[i].width);
  }
  v->setHeaderHidden(s.columns.empty());
  bool chosen = s.value >= 0 && s.value < model->rowCount();
  if (v->currentIndex().row() != (chosen ? s.value : -1)) {
    if (chosen) {
      v->setCurrentIndex(model->index(s.value, 0));
    } else {
      v->selectionModel()->clear();
    }
  }
}

std::vector<QWidget*> Parts(QWidget* w) { return {static_cast<QTreeView*>(w)->header()->viewport()}; }

// A left press on a row or on the header marks the row under the mouse (none on the header)
// and becomes the model's click; the model then chooses the row. A press below the last row
// only gives the list the focus (when a click may); the header keeps its own dragging.
bool Press(QWidget* w, QObject* watched, QMouseEvent* press, HWND h) {
  auto* list = static_cast<QTreeView*>(w);
  bool onRows = watched == list->viewport();
  QPoint at = press->position().toPoint();
  QModelIndex cell = list->indexAt(at);
  int row = onRows ? cell.row() : -1;
  int column = onRows ? cell.column() : list->header()->logicalIndexAt(at.x());
  if (!onRows || row >= 0) input::ListPress(h, row, column);
  if (list->focusPolicy() & Qt::ClickFocus) list->setFocus(Qt::MouseFocusReason);
  return onRows;
}

// A right click marks the row and column under the mouse as a left press does, without
// choosing the row.
void RightClick(QWidget* w, QObject* watched, QMouseEvent* release, HWND h) {
  auto* list = static_cast<QTreeView*>(w);
  bool onRows = watched == list->viewport();
  QPoint at = release->position().toPoint();
  QModelIndex cell = list->indexAt(at);
  input::ListPress(h, onRows ? cell.row() : -1, onRows ? cell.column() : list->header()->logicalIndexAt(at.x()), true);
}

// Rows are chosen by the model's clicks only (Qt would press the row again).
bool DoubleClick(QWidget* w, QObject* watched) { return watched == static_cast<QTreeView*>(w)->viewport(); }

}  // namespace

std::optional<RECT> ShownCell(QWidget* w, int32_t row, int32_t column) {
  auto* v = qobject_cast<QTreeView*>(w);
  if (!v || !v->parentWidget() || row >= v->model()->rowCount() || column >= v->model()->columnCount()) {
    return std::nullopt;
  }
  QRect cell = v->visualRect(v->model()->index(row, column));
  if (!cell.isValid()) return std::nullopt;
  QPoint at = v->viewport()->mapTo(v->parentWidget(), cell.topLeft());
  return RECT{at.x(), at.y(), at.x() + cell.width(), at.y() + cell.height()};
}

const KindMirror kListMirror{
    .make = Make, .connect = Connect, .apply = Apply, .parts = Parts, .press = Press, .rightClick = RightClick,
    .doubleClick = DoubleClick};

}  // namespace zq::ui::qt
