// Lists and combos over a queue: rows built from the records, and the row chosen.
#include <algorithm>

#include "windows/WindowImpl.h"
#include "zqruntime/picture.h"

namespace zq::rt {

namespace {

bool IsListKind(zq::ui::Kind k) { return k == zq::ui::Kind::List || k == zq::ui::Kind::Combo; }

zq::ui::Row RowOf(const RecordRef& r, const std::vector<ColumnDef>& columns) {
  zq::ui::Row row;
  if (columns.empty()) {
    row.cells.push_back(r.Text(1));
    return row;
  }
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const ColumnDef& col = columns[i];
    uint32_t field = col.field ? col.field : static_cast<uint32_t>(i + 1);
    // A picture the runtime does not format (a text picture) shows the field's own text.
    bool formatted = IsValuePicture(col.picture);
    row.cells.push_back(formatted ? FormatPicture(col.picture, r.Real(field)) : r.Text(field));
    if (col.iconField && row.icon == 0) row.icon = static_cast<int32_t>(r.Whole(col.iconField));
    if (col.levelField && row.indent == 0) row.indent = static_cast<int32_t>(r.Whole(col.levelField));
    if (col.textColourField || col.backColourField || col.selectedTextColourField || col.selectedBackColourField) {
      // A colour field holds a Windows colour value; -1 is the list's own colour.
      auto colour = [&](uint32_t field) {
        return field ? static_cast<COLORREF>(r.Whole(field)) : zq::ui::kDefaultColour;
      };
      row.colours.resize(i + 1);
      row.colours[i] = zq::ui::CellColours{colour(col.textColourField), colour(col.backColourField),
                                           colour(col.selectedTextColourField),
                                           colour(col.selectedBackColourField)};
    }
  }
  return row;
}

}  // namespace

bool Window::From(int32_t control, const Queue& queue) {
  ControlState* c = impl_->Find(control);
  if (!c || !IsListKind(c->def.kind)) return false;
  c->queue = &queue;
  return Refresh(control);
}

bool Window::Refresh(int32_t control) {
  ControlState* c = impl_->Find(control);
  if (!c || !c->queue) return false;
  std::vector<zq::ui::Row> rows;
  uint32_t n = c->queue->Records();
  rows.reserve(n);
  for (uint32_t i = 1; i <= n; ++i) {
    if (auto r = c->queue->Peek(i)) rows.push_back(RowOf(*r, c->def.columns));
  }
  int32_t count = static_cast<int32_t>(rows.size());
  if (c->selection >= count) c->selection = count - 1;
  int32_t selection = c->selection;
  const bool updated = zq::ui::Update(c->hwnd, [&](zq::ui::WindowState& s) {
    s.rows = std::move(rows);
    s.value = selection;
  });
  if (updated && c->def.kind == zq::ui::Kind::Combo && c->def.readOnly) impl_->ChooseRowOfText(*c);
  return updated;
}

uint32_t Window::Choice(int32_t control) const {
  const ControlState* c = impl_->Find(control);
  return c && c->selection >= 0 ? static_cast<uint32_t>(c->selection) + 1 : 0;
}

bool Window::Select(int32_t control, uint32_t row) {
  ControlState* c = impl_->Find(control);
  if (!c || !IsListKind(c->def.kind)) return false;
  auto s = zq::ui::Snapshot(c->hwnd);
  if (!s || row > s->rows.size()) return false;
  impl_->SetModelValue(*c, static_cast<int32_t>(row) - 1);
  return true;
}

uint32_t Window::MouseDownRow(int32_t control) const {
  const ControlState* c = impl_->Find(control);
  return c ? c->mouseRow : 0;
}

int32_t Window::MouseDownColumn(int32_t control) const {
  const ControlState* c = impl_->Find(control);
  return c ? c->mouseColumn : 0;
}

int32_t Window::ColumnCount(int32_t control) const {
  const ControlState* c = impl_->Find(control);
  return c && IsListKind(c->def.kind) ? static_cast<int32_t>(c->def.columns.size()) : 0;
}

std::optional<ColumnDef> Window::Column(int32_t control, int32_t column) const {
  if (column < 1 || column > ColumnCount(control)) return std::nullopt;
  return impl_->Find(control)->def.columns[static_cast<std::size_t>(column) - 1];
}

bool Window::SetCellSelection(int32_t control, bool on) {
  ControlState* c = impl_->Find(control);
  if (!c || !IsListKind(c->def.kind) || (on && c->def.columns.empty())) return false;
  impl_->SetColumn(*c, on ? std::max(c->column, 1) : 0);
  return true;
}

int32_t Window::HighlightedColumn(int32_t control) const {
  const ControlState* c = impl_->Find(control);
  return c ? c->column : 0;
}

bool Window::HighlightColumn(int32_t control, int32_t column) {
  ControlState* c = impl_->Find(control);
  if (!c || c->column == 0 || column < 1 || column > static_cast<int32_t>(c->def.columns.size())) return false;
  impl_->SetColumn(*c, column);
  return true;
}

bool Window::SetIcon(int32_t control, int32_t index, HICON icon) {
  ControlState* c = impl_->Find(control);
  if (!c || !IsListKind(c->def.kind) || index < 1 || index > 256) return false;
  return zq::ui::Update(c->hwnd, [&](zq::ui::WindowState& s) {
    if (s.icons.size() < static_cast<std::size_t>(index)) s.icons.resize(static_cast<std::size_t>(index));
    s.icons[static_cast<std::size_t>(index) - 1] = icon;
  });
}

}  // namespace zq::rt
