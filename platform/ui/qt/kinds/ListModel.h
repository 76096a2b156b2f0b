// A list control's rows for its Qt view. Each change of the model's rows reaches the view as
// the smallest change Qt knows (rows inserted or removed at the end, a range of rows changed),
// so a long list is never rebuilt for a new selection or a single row.
#pragma once
#include <QAbstractTableModel>
#include <QIcon>
#include <map>
#include <vector>

#include "zqplatform/uimodel.h"

namespace zq::ui::qt {

// Colours of a cell whose row is selected (a QColor, or none for the view's own).
constexpr int kSelectedTextRole = Qt::UserRole + 1;
constexpr int kSelectedBackRole = Qt::UserRole + 2;
// The column highlighted with cell selection (from 0, -1: whole rows), asked of any cell.
constexpr int kCellColumnRole = Qt::UserRole + 3;

class ListModel : public QAbstractTableModel {
 public:
  explicit ListModel(QObject* parent) : QAbstractTableModel(parent) {}

  // Takes the list's columns, rows, icons and line height from its state. True when the
  // columns changed (the view then takes their widths again).
  bool Show(const WindowState& s);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  void ShowRows(const RowList& rows);
  QIcon IconOf(int32_t number) const;
  // The column that draws the rows' icons or tree indents: the first marked, else the first.
  std::size_t MarkedColumn(bool Column::*marked) const;

  std::vector<Column> columns_;
  RowList rows_;
  std::vector<HICON> icons_;
  int32_t lineHeight_ = 0;
  int32_t cellColumn_ = -1;
  mutable std::map<HICON, QIcon> iconCache_;
};

}  // namespace zq::ui::qt
