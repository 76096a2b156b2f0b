// Turning the platform's messages into the loop's events, and the keys' own actions.
#include <algorithm>

#include "queues/FieldValue.h"
#include "windows/WindowImpl.h"

namespace zq::rt {

using zq::ui::Kind;

bool Focusable(const ControlState& c) {
  switch (c.def.kind) {
    case Kind::Text:
    case Kind::Group:
    case Kind::Panel:
    case Kind::Line:
    case Kind::Region:
    case Kind::Image:
    case Kind::Progress:
      return false;
    default:
      return !c.def.skip && IsWindowVisible(c.hwnd) && IsWindowEnabled(c.hwnd);
  }
}

namespace {

bool IsChoiceKind(Kind k) { return k == Kind::List || k == Kind::Combo || k == Kind::DropList; }

uint32_t KeyOf(WPARAM vk, LPARAM info) {
  uint32_t modifiers = static_cast<uint32_t>((info >> 16) & 7);
  return (static_cast<uint32_t>(vk) & 0xFF) | (modifiers << 8);
}

}  // namespace

bool ControlState::HasKey(uint32_t code) const {
  return std::find(def.keys.begin(), def.keys.end(), code) != def.keys.end();
}

ControlState* Window::Impl::Find(int32_t number) {
  for (ControlState& c : controls) {
    if (c.def.number == number) return &c;
  }
  return nullptr;
}

const ControlState* Window::Impl::Find(int32_t number) const {
  return const_cast<Impl*>(this)->Find(number);
}

ControlState* Window::Impl::FindHandle(HWND h) {
  if (h == 0) return nullptr;
  for (ControlState& c : controls) {
    if (c.hwnd == h) return &c;
  }
  return nullptr;
}

RECT Window::Impl::Pixels(const DlgRect& at) const {
  // Dialog units are 16-bit numbers; larger ones are held at the limits.
  auto unit = [](int32_t v) { return std::clamp(v, -32768, 32767); };
  // Place and size each to the nearest pixel (the conversion takes each number on its own),
  // so that both come back as they were.
  RECT p = zq::ui::DialogUnitsToPixels(def.font, RECT{unit(at.x), unit(at.y), unit(at.width), unit(at.height)});
  return RECT{p.left, p.top, p.left + p.right, p.top + p.bottom};
}

DlgRect Window::Impl::Units(const RECT& p) const {
  zq::ui::FontMetrics m = zq::ui::Measure(def.font);
  int32_t cx = std::max(m.averageWidth, 1);
  int32_t cy = std::max(m.height, 1);
  // To the nearest unit, so that units turned into pixels come back as they were.
  auto nearest = [](int64_t p, int64_t d) { return static_cast<int32_t>(p >= 0 ? (p + d / 2) / d : (p - d / 2) / d); };
  auto ux = [&](int32_t v) { return nearest(int64_t{v} * 4, cx); };
  auto uy = [&](int32_t v) { return nearest(int64_t{v} * 8, cy); };
  return {ux(p.left), uy(p.top), ux(p.right - p.left), uy(p.bottom - p.top)};
}

LRESULT Window::Impl::Proc(HWND h, uint32_t message, WPARAM wParam, LPARAM lParam) {
  ControlState* c = FindHandle(h);
  bool top = h == hwnd;
  if (!top && !c) return DefWindowProc(h, message, wParam, lParam);
  switch (message) {
    case kWindowEventMessage: {
      int32_t event = static_cast<int32_t>(wParam & 0xFFFFFFFF);
      uint32_t key = static_cast<uint32_t>(static_cast<uint64_t>(wParam) >> 32);
      int32_t control = static_cast<int32_t>(lParam);
      ControlState* target = Find(control);
      if (event == kAccepted && target) {
        if (target->binding) target->binding->write(ValueText(*target));
      }
      Push(event, control, key);
      return 0;
    }
    case WM_CLOSE:
      if (top) Push(kCloseWindow);
      return 0;
    case WM_SYSCOMMAND:
      if (top && (wParam & 0xFFF0) == static_cast<WPARAM>(SC_CLOSE)) Push(kCloseWindow);
      return 0;
    case WM_SIZE:
      if (top) {
        PlaceStatusBar();
        // Without immediate resize events, sizes waiting for the loop make one event.
        bool waiting = std::any_of(pending.begin(), pending.end(), [](const PendingEvent& e) { return e.event == kSized; });
        if (immediate || !waiting) Push(kSized);
      }
      return 0;
    case WM_COMMAND: {
      ControlState* from = top ? Find(static_cast<int32_t>(wParam & 0xFFFF)) : nullptr;
      if (!from) return 0;
      uint32_t code = static_cast<uint32_t>(wParam >> 16);
      if (code == BN_CLICKED) Accepted(*from);
      if (code == LBN_SELCHANGE && IsChoiceKind(from->def.kind)) Chosen(*from);
      if (code == TCN_SELCHANGE && from->def.kind == Kind::Tab) TabChosen(*from);
      if (code == EN_CHANGE && from->def.kind == Kind::Spin) Spun(*from);
      return 0;
    }
    case WM_KEYDOWN:
      OnKey(c, KeyOf(wParam, lParam));
      return 0;
    case WM_LBUTTONDOWN:
      if (c && (c->def.kind == Kind::List || c->def.kind == Kind::Combo)) {
        int32_t row = MarkPress(*c);
        if (row != c->selection) SetModelValue(*c, c->selection);  // the click's action waits for its key
        OnKey(c, kLeftClick, row);
      } else {
        OnKey(c, kLeftClick);
      }
      return 0;
    case WM_LBUTTONDBLCLK:
      OnKey(c, kDoubleClick);
      return 0;
    case WM_RBUTTONDOWN:
      if (c && (c->def.kind == Kind::List || c->def.kind == Kind::Combo)) MarkPress(*c);
      OnKey(c, kRightClick);
      return 0;
    default:
      return 0;
  }
}

int32_t Window::Impl::MarkPress(ControlState& c) {
  zq::ui::WindowState s = zq::ui::Snapshot(c.hwnd).value_or(zq::ui::WindowState{});
  int32_t row = s.mouseRow;
  c.mouseRow = row >= 0 ? static_cast<uint32_t>(row) + 1 : 0;
  int32_t columns = static_cast<int32_t>(c.def.columns.size());
  c.mouseColumn = s.mouseColumn >= 0 && s.mouseColumn < columns ? s.mouseColumn + 1 : 0;
  return row;
}

void Window::Impl::TabChosen(ControlState& sheet) {
  ShowSheet(sheet);
  TakeValue(sheet);
  Push(kNewSelection, sheet.def.number);
}

void Window::Impl::OnKey(ControlState* c, uint32_t code, int32_t row) {
  bool alert = (c && c->HasKey(code)) || std::find(keys.begin(), keys.end(), code) != keys.end();
  if (alert) {
    Push(kPreAlertKey, c ? c->def.number : 0, code, row);
  } else {
    KeyAction(c, code, row);
  }
}

void Window::Impl::Accepted(ControlState& c) {
  TakeValue(c);
  if (c.def.kind == Kind::Radio) {
    // The option group above its radios takes the chosen value.
    for (auto at = controls.begin() + (&c - controls.data()); at != controls.begin();) {
      --at;
      if (at->def.kind == Kind::Radio) continue;
      if (at->def.kind == Kind::Group && at->binding) at->binding->write(ValueText(*at));
      break;
    }
  }
  Push(kAccepted, c.def.number);
}

// The user chose another row without a click: a list has a new selection, a combo or drop
// list takes the choice as its accepted value (a combo shows the chosen row's text).
void Window::Impl::Chosen(ControlState& c) {
  int32_t row = ModelValue(c);
  if (row == c.selection) return;
  c.selection = row;
  if (c.def.kind == Kind::List) {
    Push(kNewSelection, c.def.number);
    return;
  }
  if (c.def.kind == Kind::Combo) {
    zq::ui::Update(c.hwnd, [&](zq::ui::WindowState& s) {
      if (row >= 0 && static_cast<std::size_t>(row) < s.rows.size() && !s.rows[row].cells.empty()) {
        s.text = s.rows[row].cells.front();
      }
    });
  }
  Accepted(c);
}

// The user set a spin box's value in the presenter: kept in the range and to the step.
void Window::Impl::Spun(ControlState& c) {
  double before = c.real;
  auto s = zq::ui::Snapshot(c.hwnd);
  SetSpin(c, s ? field::ParseReal(s->text) : before);
  if (c.real != before) Push(kNewSelection, c.def.number);
}

namespace {

// The keys whose action KeyAction gives a control of the kind (and no widget of its own).
std::vector<uint32_t> OwnKeys(Kind kind) {
  switch (kind) {
    case Kind::List: return {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT};
    case Kind::DropList:
    case Kind::Combo:
    case Kind::Spin: return {VK_UP, VK_DOWN};
    default: return {};
  }
}

}  // namespace

void Window::Impl::ShowTakenKeys(ControlState& c) {
  std::vector<uint32_t> taken = OwnKeys(c.def.kind);
  for (const auto* alerts : {&c.def.keys, &keys}) {
    for (uint32_t code : *alerts) {
      if (std::find(taken.begin(), taken.end(), code) == taken.end()) taken.push_back(code);
    }
  }
  zq::ui::Update(c.hwnd, [&](zq::ui::WindowState& s) { s.takenKeys = std::move(taken); });
}

void Window::Impl::ShowTakenKeys() {
  for (ControlState& c : controls) ShowTakenKeys(c);
}

// A key's own action; clicks on buttons are accepted through their notification.
void Window::Impl::KeyAction(ControlState* c, uint32_t code, int32_t row) {
  Kind kind = c ? c->def.kind : Kind::Window;
  auto pushKey = [&](int32_t event) { Push(event, c ? c->def.number : 0, code); };
  switch (code) {
    case VK_ESCAPE:
    case kAltKey | (VK_F1 + 3):
      Push(kCloseWindow, 0, code);
      return;
    case VK_TAB:
    case kShiftKey | VK_TAB:
      MoveFocus(code != VK_TAB);
      return;
    case VK_RETURN: {
      if (kind == Kind::Button || kind == Kind::List) {
        if (c->binding) c->binding->write(ValueText(*c));
        pushKey(kAccepted);
        return;
      }
      for (ControlState& d : controls) {
        if (d.def.isDefault && IsWindowEnabled(d.hwnd) && IsWindowVisible(d.hwnd)) {
          if (c && c != &d) AcceptIfEdited(*c);
          Push(kAccepted, d.def.number, code);
          return;
        }
      }
      if (c) {
        TakeValue(*c);
        pushKey(kAccepted);
      }
      return;
    }
    case VK_SPACE:
      if (kind == Kind::Check) {
        SetModelValue(*c, ModelValue(*c) ? 0 : 1);
        Accepted(*c);
      } else if (kind == Kind::Button) {
        Accepted(*c);
      }
      return;
    case kLeftClick:
      if ((kind == Kind::List || kind == Kind::Combo) && row >= 0) {
        // With cell selection the clicked cell's column becomes the highlighted one.
        bool columnMoves = c->column > 0 && c->mouseColumn > 0 && c->mouseColumn != c->column;
        bool rowMoves = row != c->selection;
        if (columnMoves) SetColumn(*c, c->mouseColumn);
        if (rowMoves) SetModelValue(*c, row);
        if (columnMoves || rowMoves) pushKey(kNewSelection);
      }
      return;
    case kDoubleClick:
      if (kind == Kind::List) {
        if (c->binding) c->binding->write(ValueText(*c));
        pushKey(kAccepted);
      }
      return;
    case VK_LEFT:
    case VK_RIGHT:
      if (kind == Kind::List && c->column > 0) {
        int32_t next = std::clamp(c->column + (code == VK_RIGHT ? 1 : -1), 1, static_cast<int32_t>(c->def.columns.size()));
        if (next != c->column) {
          SetColumn(*c, next);
          pushKey(kNewSelection);
        }
      }
      return;
    case VK_UP:
    case VK_DOWN: {
      int32_t delta = code == VK_DOWN ? 1 : -1;
      if (kind == Kind::List || kind == Kind::DropList || kind == Kind::Combo) {
        zq::ui::WindowState s = zq::ui::Snapshot(c->hwnd).value_or(zq::ui::WindowState{});
        int32_t rows = static_cast<int32_t>(s.rows.size());
        int32_t next = std::clamp(c->selection + delta, 0, std::max(rows - 1, 0));
        if (rows > 0 && next != c->selection) {
          SetModelValue(*c, next);
          pushKey(kNewSelection);
          if (kind == Kind::DropList) Accepted(*c);  // a drop list's choice is its value
        }
      } else if (kind == Kind::Spin) {
        double before = c->real;
        SetSpin(*c, c->real - delta * c->def.step);  // Up raises a spin box's value
        if (c->real != before) pushKey(kNewSelection);
      }
      return;
    }
    default:
      return;
  }
}

void Window::Impl::MoveFocus(bool backwards) {
  if (controls.empty()) return;
  int32_t n = static_cast<int32_t>(controls.size());
  ControlState* now = FindHandle(GetFocus());
  int32_t at = now ? static_cast<int32_t>(now - controls.data()) : (backwards ? 0 : n - 1);
  for (int32_t step = 1; step <= n; ++step) {
    ControlState& next = controls[static_cast<std::size_t>(((at + (backwards ? -step : step)) % n + n) % n)];
    if (Focusable(next)) {
      SetFocus(next.hwnd);
      CheckFocus();
      return;
    }
  }
}

void Window::Impl::CheckFocus() {
  HWND f = GetFocus();
  if (f == lastFocus) return;
  if (ControlState* left = FindHandle(lastFocus)) AcceptIfEdited(*left);
  lastFocus = f;
  if (ControlState* c = FindHandle(f)) Push(kFocus, c->def.number);
}

void Window::Impl::AcceptIfEdited(ControlState& c) {
  bool edits = (c.def.kind == Kind::Edit && !c.def.readOnly) || c.def.kind == Kind::Spin || c.def.kind == Kind::Combo;
  if (edits && (c.changed || ValueText(c) != c.settled)) Accepted(c);
}

void Window::Impl::TakeValue(ControlState& c) {
  c.settled = ValueText(c);
  c.changed = false;
  if (c.binding) c.binding->write(c.settled);
}

void Window::Impl::EnforceLimits() {
  RECT low = Pixels({0, 0, minWidth, minHeight});
  RECT high = Pixels({0, 0, maxWidth, maxHeight});
  zq::ui::Update(hwnd, [&](zq::ui::WindowState& s) {
    s.minWidth = minWidth > 0 ? low.right : 0;
    s.minHeight = minHeight > 0 ? low.bottom : 0;
    s.maxWidth = maxWidth > 0 ? high.right : 0;
    s.maxHeight = maxHeight > 0 ? high.bottom : 0;
    s.rect = zq::ui::WithinLimits(s, s.rect);
  });
}

RECT Window::Impl::Centred(HWND owner) const {
  RECT size = Pixels({0, 0, def.width, def.height});
  int32_t width = size.right;
  int32_t height = size.bottom + (def.statusZones > 0 ? Pixels({0, 0, 0, 10}).bottom : 0);
  RECT o{};
  if (owner == 0 || !GetWindowRect(owner, &o)) o = zq::ui::WorkArea();
  int32_t x = o.left + (o.right - o.left - width) / 2;
  int32_t y = o.top + (o.bottom - o.top - height) / 2;
  return {x, y, x + width, y + height};
}

bool OnScreen(const RECT& r) { return zq::ui::OnAWorkArea(r, zq::ui::WorkAreas()); }

}  // namespace zq::rt
