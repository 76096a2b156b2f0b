// What the pass's procedures share: the layout row buffer.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/Helpers.h"
#include "app/Pass.h"
#include "app/Text.h"
#include "hostlib/Dialogs.h"

namespace orvid::pass {

// The layout row buffer: row n of the table when it has one, else the row read last.
class LayoutRows {
 public:
  explicit LayoutRows(const std::vector<LAYOUTROW>& rows) : rows_(rows) {}
  LAYOUTROW& At(int64_t level) {
    if (level >= 1 && static_cast<size_t>(level) <= rows_.size()) row_ = rows_[static_cast<size_t>(level - 1)];
    return row_;
  }

 private:
  const std::vector<LAYOUTROW>& rows_;
  LAYOUTROW row_;
};

}  // namespace orvid::pass
