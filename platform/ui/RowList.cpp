// The shared rows of a list: copied only when a copy that shares them is changed.
#include "zqplatform/uimodel.h"

namespace zq::ui {

const std::vector<Row>& RowList::All() const {
  static const std::vector<Row> none;
  return rows_ ? *rows_ : none;
}

std::vector<Row>& RowList::Edit() {
  // Only copies of this one can share its rows, so one owner stays the only one meanwhile.
  if (!rows_) {
    rows_ = std::make_shared<std::vector<Row>>();
  } else if (rows_.use_count() > 1) {
    rows_ = std::make_shared<std::vector<Row>>(*rows_);
  }
  return *rows_;
}

}  // namespace zq::ui
