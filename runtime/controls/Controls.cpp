// Control properties by number and by ranges of numbers.
#include <algorithm>
#include <cmath>

#include "windows/WindowImpl.h"
#include "zqplatform/charset.h"
#include "zqruntime/picture.h"

namespace zq::rt {

namespace {

// Changes the model's state of a control; false for an unknown number.
bool Change(Window::Impl& d, int32_t control, const std::function<void(zq::ui::WindowState&)>& f) {
  ControlState* c = d.Find(control);
  return c && zq::ui::Update(c->hwnd, f);
}

std::optional<zq::ui::WindowState> State(const Window::Impl& d, int32_t control) {
  const ControlState* c = d.Find(control);
  return c ? zq::ui::Snapshot(c->hwnd) : std::nullopt;
}

int32_t Range(Window::Impl& d, int32_t first, int32_t last, const std::function<void(ControlState&)>& f) {
  int32_t n = 0;
  for (ControlState& c : d.controls) {
    if (c.def.number >= first && c.def.number <= last) {
      f(c);
      ++n;
    }
  }
  return n;
}

// The program's hide state of a range; a sheet's tabs follow their sheet.
int32_t SetHidden(Window::Impl& d, int32_t first, int32_t last, bool hide) {
  return Range(d, first, last, [&](ControlState& c) {
    c.hidden = hide;
    d.ShowControl(c);
    if (c.def.kind == zq::ui::Kind::Tab) d.ShowSheet(c);
  });
}

}  // namespace

HWND Window::ControlHandle(int32_t control) const {
  const ControlState* c = impl_->Find(control);
  return c ? c->hwnd : 0;
}

bool Window::SetText(int32_t control, std::string_view text) {
  ControlState* c = impl_->Find(control);
  if (!c) return false;
  if (c->def.kind == zq::ui::Kind::DropList) return SetChoices(control, text);
  bool set = SetWindowTextA(c->hwnd, Impl::Shown(c->def, text).c_str());
  c->settled = impl_->ValueText(*c);
  return set;
}

std::string Window::Text(int32_t control) const {
  auto s = State(*impl_, control);
  return s ? s->text : std::string();
}

bool Window::SetTextColour(int32_t control, COLORREF colour) {
  return Change(*impl_, control, [&](zq::ui::WindowState& s) { s.textColour = colour; });
}

COLORREF Window::TextColour(int32_t control) const {
  auto s = State(*impl_, control);
  return s ? s->textColour : zq::ui::kDefaultColour;
}

bool Window::SetBackColour(int32_t control, COLORREF colour) {
  return Change(*impl_, control, [&](zq::ui::WindowState& s) { s.backColour = colour; });
}

bool Window::SetFont(int32_t control, const zq::ui::Font& font) {
  ControlState* c = impl_->Find(control);
  if (!c) return false;
  c->def.font = font;
  return zq::ui::Update(c->hwnd, [&](zq::ui::WindowState& s) { s.font = font; });
}

std::optional<zq::ui::Font> Window::Font(int32_t control) const {
  auto s = State(*impl_, control);
  return s ? std::optional(s->font) : std::nullopt;
}

bool Window::SetAlign(int32_t control, zq::ui::Align align) {
  return Change(*impl_, control, [&](zq::ui::WindowState& s) { s.align = align; });
}

bool Window::SetRect(int32_t control, const DlgRect& at) {
  ControlState* c = impl_->Find(control);
  if (!c || at.width < 0 || at.height < 0) return false;
  c->def.at = at;
  RECT p = impl_->Pixels(at);
  return MoveWindow(c->hwnd, p.left, p.top, p.right - p.left, p.bottom - p.top, true);
}

std::optional<DlgRect> Window::Rect(int32_t control) const {
  const ControlState* c = impl_->Find(control);
  return c ? std::optional(c->def.at) : std::nullopt;
}

int32_t Window::Hide(int32_t first, int32_t last) { return SetHidden(*impl_, first, last, true); }
int32_t Window::Unhide(int32_t first, int32_t last) { return SetHidden(*impl_, first, last, false); }

int32_t Window::Disable(int32_t first, int32_t last) {
  return Range(*impl_, first, last, [](ControlState& c) { EnableWindow(c.hwnd, false); });
}

int32_t Window::Enable(int32_t first, int32_t last) {
  return Range(*impl_, first, last, [](ControlState& c) { EnableWindow(c.hwnd, true); });
}

bool Window::IsHidden(int32_t control) const {
  const ControlState* c = impl_->Find(control);
  return c && c->hidden;
}

bool Window::IsDisabled(int32_t control) const {
  const ControlState* c = impl_->Find(control);
  return c && !IsWindowEnabled(c->hwnd);
}

bool Window::Focus(int32_t control) {
  ControlState* c = impl_->Find(control);
  if (!c) return false;
  SetFocus(c->hwnd);
  if (GetFocus() != c->hwnd) return false;
  impl_->CheckFocus();
  return true;
}

bool Window::MarkChanged(int32_t control) {
  ControlState* c = impl_->Find(control);
  if (!c) return false;
  c->changed = true;
  return true;
}

bool Window::SetSelection(int32_t control, int32_t start, int32_t end) {
  ControlState* c = impl_->Find(control);
  if (!c || (c->def.kind != zq::ui::Kind::Edit && c->def.kind != zq::ui::Kind::Combo)) return false;
  return zq::ui::Update(c->hwnd, [&](zq::ui::WindowState& s) {
    // Characters to bytes of the shown text.
    auto bytes = [&](int32_t characters) {
      std::size_t at = 0;
      for (int32_t n = 0; (characters < 0 || n < characters) && at < s.text.size(); ++n) {
        at += zq::text::CharLen(s.text, at);
      }
      return static_cast<int32_t>(std::min(at, s.text.size()));
    };
    s.selStart = bytes(start);
    s.selEnd = bytes(end);
  });
}

int32_t Window::Focused() const {
  ControlState* c = impl_->FindHandle(GetFocus());
  return c ? c->def.number : 0;
}

bool Window::AddAlert(int32_t control, uint32_t keycode) {
  ControlState* c = impl_->Find(control);
  if (!c) return false;
  if (!c->HasKey(keycode)) c->def.keys.push_back(keycode);
  impl_->ShowTakenKeys(*c);
  return true;
}

bool Window::RemoveAlert(int32_t control, uint32_t keycode) {
  ControlState* c = impl_->Find(control);
  if (!c) return false;
  auto& k = c->def.keys;
  k.erase(std::remove(k.begin(), k.end(), keycode), k.end());
  impl_->ShowTakenKeys(*c);
  return true;
}

std::string Window::Tip(int32_t control) const {
  const ControlState* c = impl_->Find(control);
  return c ? c->def.tip : std::string();
}

bool Window::SetTip(int32_t control, std::string_view tip) {
  ControlState* c = impl_->Find(control);
  if (!c) return false;
  c->def.tip = std::string(tip);
  return zq::ui::Update(c->hwnd, [&](zq::ui::WindowState& s) { s.tip = c->def.tip; });
}

bool Window::SetValue(int32_t control, double value) {
  ControlState* c = impl_->Find(control);
  if (!c) return false;
  if (!std::isfinite(value) || std::fabs(value) > 2e9) value = 0;
  if (c->def.kind == zq::ui::Kind::DropList) {
    impl_->SetModelValue(*c, static_cast<int32_t>(value) - 1);
  } else {
    impl_->ShowValue(*c, RealText(value));
  }
  c->settled = impl_->ValueText(*c);
  return true;
}

double Window::Value(int32_t control) const {
  const ControlState* c = impl_->Find(control);
  if (!c) return 0;
  if (c->def.kind == zq::ui::Kind::Spin) return c->real;
  int32_t v = impl_->ModelValue(*c);
  switch (c->def.kind) {
    case zq::ui::Kind::Tab:
    case zq::ui::Kind::DropList:
    case zq::ui::Kind::List:
    case zq::ui::Kind::Combo:
      return v + 1;
    default:
      return v;
  }
}

bool Window::SetRange(int32_t control, double low, double high, double step) {
  ControlState* c = impl_->Find(control);
  if (!c || !ValidRange(low, high, step)) return false;
  c->def.low = low;
  c->def.high = high;
  c->def.step = step;
  zq::ui::Update(c->hwnd, [&](zq::ui::WindowState& s) {
    s.low = static_cast<int32_t>(low);
    s.high = static_cast<int32_t>(high);
    s.step = step;
  });
  if (c->def.kind == zq::ui::Kind::Spin) impl_->SetSpin(*c, c->real);
  c->settled = impl_->ValueText(*c);
  return true;
}

bool Window::SetChoices(int32_t control, std::string_view choicesWithBars) {
  ControlState* c = impl_->Find(control);
  if (!c || c->def.kind != zq::ui::Kind::DropList) return false;
  std::vector<zq::ui::Row> rows(1);
  rows.back().cells.emplace_back();
  for (char ch : choicesWithBars) {
    if (ch == '|') {
      rows.emplace_back();
      rows.back().cells.emplace_back();
    } else {
      rows.back().cells.back() += ch;
    }
  }
  c->selection = 0;
  return zq::ui::Update(c->hwnd, [&](zq::ui::WindowState& s) {
    s.rows = std::move(rows);
    s.value = 0;
  });
}

bool Window::SetPicture(int32_t control, std::string_view file) {
  ControlState* c = impl_->Find(control);
  if (!c || c->def.kind != zq::ui::Kind::Image) return false;
  return zq::ui::Update(c->hwnd, [&](zq::ui::WindowState& s) {
    s.imageFile = std::string(file);
    s.picture = nullptr;
  });
}

bool Window::ShowPicture(int32_t control, uint32_t picture) {
  ControlState* c = impl_->Find(control);
  auto decoded = zq::ui::RegisteredPicture(picture);
  if (!c || c->def.kind != zq::ui::Kind::Image || !decoded) return false;
  return zq::ui::Update(c->hwnd, [&](zq::ui::WindowState& s) {
    s.picture = std::move(decoded);
    s.imageFile.clear();
  });
}

bool Window::Use(int32_t control, Binding binding) {
  ControlState* c = impl_->Find(control);
  if (!c || !binding.read || !binding.write) return false;
  c->binding = std::move(binding);
  return true;
}

void Window::Display(int32_t first, int32_t last) {
  if (first == 0 && last == 0) last = INT32_MAX;
  Range(*impl_, first, last, [&](ControlState& c) {
    if (c.queue) Refresh(c.def.number);
    if (c.binding) impl_->ShowValue(c, c.binding->read());
    c.settled = impl_->ValueText(c);
  });
}

void Window::Take(int32_t first, int32_t last) {
  if (first == 0 && last == 0) last = INT32_MAX;
  Range(*impl_, first, last, [&](ControlState& c) {
    if (c.binding) c.binding->write(impl_->ValueText(c));
  });
}

bool Window::Create(const ControlDef& control) {
  if (impl_->hwnd == 0 || control.number <= 0 || impl_->Find(control.number)) return false;
  return impl_->Make(control);
}

bool Window::Destroy(int32_t control) {
  ControlState* c = impl_->Find(control);
  if (!c) return false;
  DestroyWindow(c->hwnd);
  impl_->controls.erase(impl_->controls.begin() + (c - impl_->controls.data()));
  return true;
}

}  // namespace zq::rt
