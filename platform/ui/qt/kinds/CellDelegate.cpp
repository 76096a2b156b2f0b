#include "CellDelegate.h"

#include <QColor>

#include "ListModel.h"

namespace zq::ui::qt {

void CellDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  if (!(option->state & QStyle::State_Selected)) return;
  // With cell selection only the highlighted cell of the chosen row is drawn as selected.
  int cellColumn = index.data(kCellColumnRole).toInt();
  if (cellColumn >= 0 && index.column() != cellColumn) {
    option->state &= ~QStyle::State_Selected;
    return;
  }
  // The selected row itself marks the current row; a focus frame would tint its colours.
  option->state &= ~QStyle::State_HasFocus;
  const QVariant text = index.data(kSelectedTextRole), back = index.data(kSelectedBackRole);
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    if (text.isValid()) option->palette.setColor(group, QPalette::HighlightedText, text.value<QColor>());
    if (back.isValid()) option->palette.setColor(group, QPalette::Highlight, back.value<QColor>());
  }
}

}  // namespace zq::ui::qt
