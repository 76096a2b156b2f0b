// Paints a list's cells with the colours its model gives for a selected row, without a focus frame.
#pragma once
#include <QStyledItemDelegate>

namespace zq::ui::qt {

class CellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

}  // namespace zq::ui::qt
