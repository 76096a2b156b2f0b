// The line height of a list, combo or drop list, and the cells a list shows: where a cell is,
// and a control placed over one (a control made after the list, as an editor in place is, lies
// above it).
#include "windows/WindowImpl.h"

namespace zq::rt {

namespace {
// Controls that show rows: lists, and combos and drop lists in their dropped-down lists.
bool IsRowKind(zq::ui::Kind k) {
  return k == zq::ui::Kind::List || k == zq::ui::Kind::Combo || k == zq::ui::Kind::DropList;
}
}  // namespace

bool Window::SetLineHeight(int32_t control, int32_t height) {
  ControlState* c = impl_->Find(control);
  if (!c || !IsRowKind(c->def.kind) || height < 0) return false;
  c->lineHeight = height;
  int32_t pixels = height > 0 ? impl_->Pixels({0, 0, 0, height}).bottom : 0;
  return zq::ui::Update(c->hwnd, [&](zq::ui::WindowState& s) { s.lineHeight = pixels; });
}

int32_t Window::LineHeight(int32_t control) const {
  const ControlState* c = impl_->Find(control);
  return c && IsRowKind(c->def.kind) ? c->lineHeight : 0;
}

std::optional<RECT> Window::CellPixels(int32_t control, uint32_t row, int32_t column) const {
  const ControlState* c = impl_->Find(control);
  if (!c || row == 0 || row > 0x7FFFFFFFu || column <= 0) return std::nullopt;
  return zq::ui::CellRect(c->hwnd, static_cast<int32_t>(row) - 1, column - 1);
}

std::optional<DlgRect> Window::CellRect(int32_t control, uint32_t row, int32_t column) const {
  auto p = CellPixels(control, row, column);
  return p ? std::optional(impl_->Units(*p)) : std::nullopt;
}

bool Window::PlaceOverCell(int32_t control, int32_t list, uint32_t row, int32_t column) {
  ControlState* c = impl_->Find(control);
  auto p = CellPixels(list, row, column);
  if (!c || !p || control == list) return false;
  c->def.at = impl_->Units(*p);
  return MoveWindow(c->hwnd, p->left, p->top, p->right - p->left, p->bottom - p->top, true);
}

}  // namespace zq::rt
