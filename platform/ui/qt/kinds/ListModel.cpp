#include "ListModel.h"

#include <QColor>
#include <QSize>
#include <algorithm>

#include "../KeysAndText.h"
#include "../MirrorLook.h"

namespace zq::ui::qt {

bool ListModel::Show(const WindowState& s) {
  bool newColumns = s.columns != columns_;
  if (newColumns || s.icons != icons_ || s.lineHeight != lineHeight_) {
    beginResetModel();
    columns_ = s.columns;
    icons_ = s.icons;
    lineHeight_ = s.lineHeight;
    iconCache_.clear();
    rows_ = s.rows;
    cellColumn_ = s.cellColumn;
    endResetModel();
    return newColumns;
  }
  ShowRows(s.rows);
  if (s.cellColumn != cellColumn_) {
    cellColumn_ = s.cellColumn;
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
  }
  return false;
}

std::size_t ListModel::MarkedColumn(bool Column::*marked) const {
  auto at = std::find_if(columns_.begin(), columns_.end(), [&](const Column& c) { return c.*marked; });
  return at == columns_.end() ? 0 : static_cast<std::size_t>(at - columns_.begin());
}

void ListModel::ShowRows(const RowList& rows) {
  if (rows_.Shares(rows)) return;
  const std::vector<Row>& before = rows_.All();
  const std::vector<Row>& after = rows.All();
  std::size_t common = std::min(before.size(), after.size());
  std::size_t first = common, last = 0;
  for (std::size_t i = 0; i < common; ++i) {
    if (before[i] == after[i]) continue;
    first = std::min(first, i);
    last = i;
  }
  int oldCount = static_cast<int>(before.size()), newCount = static_cast<int>(after.size());
  if (newCount < oldCount) {
    beginRemoveRows(QModelIndex(), newCount, oldCount - 1);
    rows_ = rows;
    endRemoveRows();
  } else if (newCount > oldCount) {
    beginInsertRows(QModelIndex(), oldCount, newCount - 1);
    rows_ = rows;
    endInsertRows();
  } else {
    rows_ = rows;
  }
  if (first < common) {
    emit dataChanged(index(static_cast<int>(first), 0),
                     index(static_cast<int>(last), std::max(columnCount() - 1, 0)));
  }
}

int ListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max<int>(1, static_cast<int>(columns_.size()));
}

QVariant ListModel::data(const QModelIndex& at, int role) const {
  if (!at.isValid() || static_cast<std::size_t>(at.row()) >= rows_.size()) return {};
  const Row& row = rows_[static_cast<std::size_t>(at.row())];
  auto column = static_cast<std::size_t>(at.column());
  auto colour = [&](COLORREF CellColours::*which) -> QVariant {
    if (column >= row.colours.size() || row.colours[column].*which == kDefaultColour) return {};
    COLORREF c = row.colours[column].*which;
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  };
  switch (role) {
    case Qt::DisplayRole: {
      if (column >= row.cells.size()) return {};
      QString cell = FromAnsi(row.cells[column]);
      if (row.indent > 0 && column == MarkedColumn(&Column::showsTree)) {
        cell.prepend(QString(row.indent * 2, QChar(' ')));
      }
      return cell;
    }
    case Qt::DecorationRole:
      return row.icon > 0 && column == MarkedColumn(&Column::showsIcon) ? QVariant(IconOf(row.icon)) : QVariant();
    case Qt::TextAlignmentRole: {
      Align a = column < columns_.size() ? columns_[column].align : Align::Left;
      Qt::Alignment h = a == Align::Center ? Qt::AlignHCenter : a == Align::Right ? Qt::AlignRight : Qt::AlignLeft;
      return QVariant::fromValue(h | Qt::AlignVCenter);
    }
    case Qt::ForegroundRole: return colour(&CellColours::text);
    case Qt::BackgroundRole: return colour(&CellColours::back);
    case kSelectedTextRole: return colour(&CellColours::selectedText);
    case kSelectedBackRole: return colour(&CellColours::selectedBack);
    case kCellColumnRole: return cellColumn_;
    case Qt::SizeHintRole:
      if (lineHeight_ <= 0) return {};
      return QSize(column < columns_.size() ? columns_[column].width : 0, lineHeight_);
    default: return {};
  }
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      static_cast<std::size_t>(section) >= columns_.size()) {
    return {};
  }
  return FromAnsi(columns_[static_cast<std::size_t>(section)].header);
}

QIcon ListModel::IconOf(int32_t number) const {
  if (number <= 0 || static_cast<std::size_t>(number) > icons_.size()) return {};
  HICON icon = icons_[static_cast<std::size_t>(number) - 1];
  auto it = iconCache_.find(icon);
  if (it == iconCache_.end()) it = iconCache_.emplace(icon, qt::IconOf(icon)).first;
  return it->second;
}

}  // namespace zq::ui::qt
