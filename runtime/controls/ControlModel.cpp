// A control in the window model: made from its definition, and its value read and shown.
#include <algorithm>
#include <cmath>

#include "queues/FieldValue.h"
#include "windows/WindowImpl.h"
#include "zqplatform/charset.h"
#include "zqruntime/picture.h"

namespace zq::rt {

namespace {

using zq::ui::Kind;

std::vector<std::string> Cells(const ControlDef& d) {
  std::vector<std::string> out;
  for (const std::string& c : d.choices) out.push_back(c);
  return out;
}

// The decimal value of a variable's text, 0 when it is not a number or out of a control's range.
double NumberOf(std::string_view text) {
  double v = field::ParseReal(text);
  return std::fabs(v) < 2e9 ? v : 0;
}

}  // namespace

bool Window::Impl::Make(const ControlDef& d) {
  uint32_t style = WS_CHILD;
  if (!d.hidden) style |= WS_VISIBLE;
  if (!d.skip) style |= WS_TABSTOP;
  if (d.vscroll) style |= WS_VSCROLL;
  if (d.hscroll) style |= WS_HSCROLL;
  if (d.kind == Kind::Edit && d.multiLine) style |= WS_BORDER;
  Impl* self = this;
  HWND h = zq::ui::CreateControl(hwnd, d.kind, d.number, d.text, Pixels(d.at), style,
                                 [self](HWND w, uint32_t m, WPARAM wp, LPARAM lp) { return self->Proc(w, m, wp, lp); });
  if (h == 0) return false;
  ControlState c;
  c.def = d;
  c.hwnd = h;
  zq::ui::Font font = FontOf(d);
  // Looked up before the change, which holds the model.
  HICON icon = d.icon.empty() ? 0 : LoadIconA(IconInstance(), d.icon.c_str());
  int32_t dropWidth = d.dropWidth > 0 ? Pixels({0, 0, d.dropWidth, 0}).right : 0;
  zq::ui::Update(h, [&](zq::ui::WindowState& s) {
    s.font = font;
    s.textColour = d.textColour;
    s.backColour = d.backColour;
    s.align = d.align;
    s.readOnly = d.readOnly;
    s.multiLine = d.multiLine;
    s.enabled = !d.disabled;
    s.tip = d.tip;
    s.focusByClick = !d.skip;
    if (d.kind == Kind::Tab) {
      s.tabs = d.choices;
      s.value = s.tabs.empty() ? -1 : 0;
    }
    s.icon = icon;
    s.dropCount = d.dropCount;
    s.dropWidth = dropWidth;
    if (d.kind == Kind::DropList) {
      std::vector<zq::ui::Row>& rows = s.rows.Edit();
      for (const std::string& choice : Cells(d)) rows.emplace_back().cells = {choice};
      s.value = s.rows.empty() ? -1 : 0;
    }
    if (d.kind == Kind::List || d.kind == Kind::Combo) s.value = -1;
    if (d.kind == Kind::Spin || d.kind == Kind::Progress) {
      s.low = static_cast<int32_t>(std::floor(d.low));
      s.high = static_cast<int32_t>(std::ceil(d.high));
      s.value = s.low;
      s.step = d.step;
    }
    for (const ColumnDef& col : d.columns) {
      // Dialog units of the window, as every other measure of the definition.
      int32_t width = Pixels({0, 0, col.width, 0}).right;
      s.columns.push_back(zq::ui::Column{col.header, width, col.align, col.iconField != 0, col.levelField != 0});
    }
  });
  c.selection = d.kind == Kind::DropList && !d.choices.empty() ? 0 : -1;
  c.real = d.low;
  c.hidden = d.hidden;
  controls.push_back(std::move(c));
  ControlState& made = controls.back();
  made.settled = ValueText(made);
  ShowTakenKeys(made);
  if (d.sheet != 0) ShowControl(made);
  return true;
}

bool Window::Impl::Visible(const ControlState& c) const {
  if (c.hidden) return false;
  if (c.def.sheet == 0) return true;
  const ControlState* sheet = Find(c.def.sheet);
  return !sheet || (Visible(*sheet) && ModelValue(*sheet) + 1 == c.def.tab);
}

void Window::Impl::ShowControl(ControlState& c) { ShowWindow(c.hwnd, Visible(c) ? SW_SHOWNOACTIVATE : SW_HIDE); }

void Window::Impl::ShowSheet(const ControlState& sheet) {
  for (ControlState& c : controls) {
    if (c.def.sheet == sheet.def.number) ShowControl(c);
  }
}

void Window::Impl::SetColumn(ControlState& c, int32_t column) {
  c.column = column;
  zq::ui::Update(c.hwnd, [&](zq::ui::WindowState& s) { s.cellColumn = column - 1; });
}

int32_t Window::Impl::ModelValue(const ControlState& c) const {
  auto s = zq::ui::Snapshot(c.hwnd);
  return s ? s->value : 0;
}

void Window::Impl::SetModelValue(ControlState& c, int32_t value) {
  if (c.def.kind == Kind::List || c.def.kind == Kind::Combo || c.def.kind == Kind::DropList) c.selection = value;
  zq::ui::Update(c.hwnd, [&](zq::ui::WindowState& s) { s.value = value; });
  if (c.def.kind == Kind::Tab) ShowSheet(c);
}

void Window::Impl::SetSpin(ControlState& c, double v) {
  if (!std::isfinite(v)) v = c.def.low;
  v = std::clamp(v, c.def.low, c.def.high);
  if (c.def.step > 0) v = c.def.low + std::round((v - c.def.low) / c.def.step) * c.def.step;
  c.real = std::round(v * 1e9) / 1e9;  // no binary noise from the step
  zq::ui::Update(c.hwnd, [&](zq::ui::WindowState& s) {
    s.value = static_cast<int32_t>(std::lround(c.real));
    s.text = RealText(c.real);
  });
}

std::string Window::Impl::ValueText(const ControlState& c) const {
  auto s = zq::ui::Snapshot(c.hwnd);
  if (!s) return {};
  switch (c.def.kind) {
    case Kind::Check: return s->value ? "1" : "0";
    case Kind::Spin: return RealText(c.real);
    case Kind::Progress: return WholeText(s->value);
    case Kind::Tab: return WholeText(s->value + 1);
    case Kind::List: return WholeText(s->value + 1);
    case Kind::DropList:
      return s->value >= 0 && static_cast<std::size_t>(s->value) < s->rows.size() && !s->rows[s->value].cells.empty()
                 ? s->rows[s->value].cells.front()
                 : std::string();
    case Kind::Group: {
      // An option group: the value of its chosen radio.
      auto at = std::find_if(controls.begin(), controls.end(), [&](const ControlState& o) { return &o == &c; });
      for (auto r = at + 1; r != controls.end() && r->def.kind == Kind::Radio; ++r) {
        if (ModelValue(*r)) return WholeText(r->def.value);
      }
      return "0";
    }
    case Kind::Edit:
    case Kind::Combo: return Shown(c.def, s->text);  // what the user typed, as the entry takes it
    default: return s->text;
  }
}

void Window::Impl::ShowValue(ControlState& c, std::string_view text) {
  switch (c.def.kind) {
    case Kind::Check: SetModelValue(c, NumberOf(text) != 0 ? 1 : 0); return;
    case Kind::Spin: SetSpin(c, NumberOf(text)); return;
    case Kind::Progress: SetModelValue(c, static_cast<int32_t>(NumberOf(text))); return;
    case Kind::Tab:
    case Kind::List: SetModelValue(c, static_cast<int32_t>(NumberOf(text)) - 1); return;
    case Kind::DropList: {
      auto s = zq::ui::Snapshot(c.hwnd);
      if (!s) return;
      std::string_view wanted = text;
      while (!wanted.empty() && wanted.back() == ' ') wanted.remove_suffix(1);
      for (std::size_t i = 0; i < s->rows.size(); ++i) {
        if (!s->rows[i].cells.empty() && s->rows[i].cells.front() == wanted) {
          SetModelValue(c, static_cast<int32_t>(i));
          return;
        }
      }
      SetModelValue(c, -1);  // a value that is no choice shows none
      return;
    }
    case Kind::Group: {
      int32_t v = static_cast<int32_t>(NumberOf(text));
      auto at = std::find_if(controls.begin(), controls.end(), [&](const ControlState& o) { return &o == &c; });
      for (auto r = at + 1; r != controls.end() && r->def.kind == Kind::Radio; ++r) {
        SetModelValue(*r, r->def.value == v ? 1 : 0);
      }
      return;
    }
    case Kind::Combo:
      SetWindowTextA(c.hwnd, Shown(c.def, text).c_str());
      if (c.def.readOnly) ChooseRowOfText(c);
      return;
    default:
      SetWindowTextA(c.hwnd, Shown(c.def, text).c_str());
  }
}

void Window::Impl::ChooseRowOfText(ControlState& c) {
  auto s = zq::ui::Snapshot(c.hwnd);
  if (!s) return;
  int32_t row = -1;
  for (std::size_t i = 0; i < s->rows.size() && row < 0; ++i) {
    if (!s->rows[i].cells.empty() && s->rows[i].cells.front() == s->text) row = static_cast<int32_t>(i);
  }
  SetModelValue(c, row);
}

std::string Window::Impl::Shown(const ControlDef& d, std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (d.maxLength > 0) {
    std::size_t at = 0;
    for (int32_t n = 0; n < d.maxLength && at < text.size(); ++n) at += zq::text::CharLen(text, at);
    text = text.substr(0, at);
  }
  std::string t(text);
  if (d.upper) zq::text::MakeUpper(t.data(), t.size());
  return t;
}

}  // namespace zq::rt
