// Input into the model: the messages Windows would send for each user action.
#include <algorithm>

#include "WindowModel.h"
#include "zqplatform/uiinput.h"

namespace zq::ui::input {

namespace {

LPARAM Pack(int32_t low, int32_t high) {
  return static_cast<LPARAM>((static_cast<uint32_t>(high) << 16) | (static_cast<uint32_t>(low) & 0xFFFF));
}

// The window or control, when it and every window it lies in take input (a disabled window,
// such as one below a nested window of its thread, refuses its controls' input too).
std::optional<WindowState> Takes(HWND hwnd) {
  auto s = Snapshot(hwnd);
  if (!s || !s->enabled) return std::nullopt;
  for (HWND up = s->parent; up != 0;) {
    auto p = Snapshot(up);
    if (!p || !p->enabled) return std::nullopt;
    up = p->parent;
  }
  return s;
}

void NotifyParent(const WindowState& s, uint32_t code) {
  if (s.parent != 0) {
    PostMessage(s.parent, WM_COMMAND, static_cast<WPARAM>(Pack(s.id, static_cast<int32_t>(code))), s.hwnd);
  }
}

bool IsButtonKind(Kind k) { return k == Kind::Button || k == Kind::Check || k == Kind::Radio; }
bool IsChoiceKind(Kind k) { return k == Kind::List || k == Kind::Combo || k == Kind::DropList; }

// A press of a button on a control; a click on a choice control presses its chosen row.
std::optional<WindowState> Press(HWND hwnd) {
  auto s = Takes(hwnd);
  if (s && IsChoiceKind(s->kind)) {
    Update(hwnd, [](WindowState& w) { w.mouseRow = w.value; });
  }
  return s;
}

bool LeftPress(HWND hwnd, const WindowState& s) {
  PostMessage(hwnd, WM_LBUTTONDOWN, 1, 0);
  PostMessage(hwnd, WM_LBUTTONUP, 0, 0);
  if (s.kind == Kind::Check) {
    Update(hwnd, [](WindowState& w) { w.value = w.value ? 0 : 1; });
  } else if (s.kind == Kind::Radio) {
    for (HWND sibling : Children(s.parent)) {
      auto o = Snapshot(sibling);
      if (o && o->kind == Kind::Radio) Update(sibling, [&](WindowState& w) { w.value = sibling == hwnd; });
    }
  }
  if (IsButtonKind(s.kind)) NotifyParent(s, BN_CLICKED);
  return true;
}

bool RightPress(HWND hwnd) {
  PostMessage(hwnd, WM_RBUTTONDOWN, 2, 0);
  return PostMessage(hwnd, WM_RBUTTONUP, 0, 0);
}

}  // namespace

bool Click(HWND hwnd) {
  auto s = Press(hwnd);
  return s && LeftPress(hwnd, *s);
}

bool RightClick(HWND hwnd) { return Press(hwnd) && RightPress(hwnd); }

bool ListPress(HWND list, int32_t row, int32_t column, bool right) {
  auto s = Takes(list);
  if (!s || !IsChoiceKind(s->kind)) return false;
  Update(list, [&](WindowState& w) {
    w.mouseRow = std::max(row, -1);
    w.mouseColumn = std::max(column, -1);
    if (!right) w.value = w.mouseRow;
  });
  return right ? RightPress(list) : LeftPress(list, *s);
}

bool DoubleClick(HWND hwnd) {
  auto s = Takes(hwnd);
  if (!s) return false;
  PostMessage(hwnd, WM_LBUTTONDBLCLK, 1, 0);
  if (IsButtonKind(s->kind)) NotifyParent(*s, BN_DOUBLECLICKED);
  return true;
}

bool Choose(HWND hwnd, int32_t row) {
  auto s = Takes(hwnd);
  if (!s || (!IsChoiceKind(s->kind) && s->kind != Kind::Tab)) return false;
  Update(hwnd, [&](WindowState& w) { w.value = row < 0 ? -1 : row; });
  uint32_t code = s->kind == Kind::List ? LBN_SELCHANGE : s->kind == Kind::Tab ? TCN_SELCHANGE : CBN_SELCHANGE;
  NotifyParent(*s, code);
  return true;
}

bool Spun(HWND hwnd, std::string_view value) {
  auto s = Takes(hwnd);
  if (!s || s->kind != Kind::Spin) return false;
  Update(hwnd, [&](WindowState& w) { w.text = std::string(value); });
  NotifyParent(*s, EN_CHANGE);
  return true;
}

bool KeyPress(HWND hwnd, uint32_t vk, uint32_t modifiers) {
  if (!Takes(hwnd)) return false;
  LPARAM info = static_cast<LPARAM>(1 | ((modifiers & 0xFF) << 16));
  PostMessage(hwnd, WM_KEYDOWN, vk, info);
  return PostMessage(hwnd, WM_KEYUP, vk, info | (LPARAM{1} << 30));
}

bool CloseRequest(HWND hwnd) {
  auto s = Takes(hwnd);
  if (!s || s->parent != 0) return false;
  return PostMessage(hwnd, WM_SYSCOMMAND, static_cast<WPARAM>(SC_CLOSE), 0);
}

bool MovedTo(HWND hwnd, RECT rect) {
  bool moved = false;
  bool sized = false;
  bool ok = Update(hwnd, [&](WindowState& w) {
    rect = WithinLimits(w, rect);
    moved = w.rect.left != rect.left || w.rect.top != rect.top;
    sized = w.rect.right - w.rect.left != rect.right - rect.left || w.rect.bottom - w.rect.top != rect.bottom - rect.top;
    w.rect = rect;
  });
  if (!ok) return false;
  if (moved) PostMessage(hwnd, WM_MOVE, 0, Pack(rect.left, rect.top));
  if (sized) PostMessage(hwnd, WM_SIZE, 0, Pack(rect.right - rect.left, rect.bottom - rect.top));
  return true;
}

namespace {
bool TrayMouse(uint32_t mouseMessage) {
  TrayState t = Tray();
  if (!t.present) return false;
  return PostMessage(t.hwnd, t.callbackMessage, t.id, static_cast<LPARAM>(mouseMessage));
}
}  // namespace

bool TrayDoubleClick() { return TrayMouse(WM_LBUTTONDBLCLK); }
bool TrayRightClick() { return TrayMouse(WM_RBUTTONUP); }

}  // namespace zq::ui::input
