// Where a list's cell is: asked of the presenter, which knows the list as shown.
#include <numeric>

#include "Presenter.h"

namespace zq::ui {

namespace detail {

RECT LaidOutCell(const WindowState& list, int32_t row, int32_t column) {
  FontMetrics fm = Measure(list.font);
  int32_t line = list.lineHeight > 0 ? list.lineHeight : fm.height + 2;
  int32_t header = list.columns.empty() ? 0 : fm.height + 4;
  int32_t x = std::accumulate(list.columns.begin(), list.columns.begin() + column, 0,
                              [](int32_t sum, const Column& c) { return sum + c.width; });
  int32_t width = list.columns.empty() ? list.rect.right - list.rect.left : list.columns[column].width;
  int32_t left = list.rect.left + x, top = list.rect.top + header + row * line;
  return RECT{left, top, left + width, top + line};
}

}  // namespace detail

std::optional<RECT> CellRect(HWND list, int32_t row, int32_t column) {
  auto s = Snapshot(list);
  if (!s || s->kind != Kind::List || row < 0 || column < 0) return std::nullopt;
  if (static_cast<std::size_t>(row) >= s->rows.size()) return std::nullopt;
  if (column >= std::max<int32_t>(1, static_cast<int32_t>(s->columns.size()))) return std::nullopt;
  return detail::ThePresenter().CellRect(*s, row, column);
}

}  // namespace zq::ui
