// The Windows calls on the model's windows.
#include <algorithm>
#include <cstring>

#include "WindowModel.h"

using zq::ui::Kind;
using zq::ui::WindowState;
using zq::ui::detail::Entry;
using zq::ui::detail::Model;
using zq::ui::detail::Notify;

namespace {

HWND Create(uint32_t exStyle, Kind kind, int32_t id, std::string_view text, uint32_t style, RECT rect,
            HWND parent, HWND owner, WNDPROC proc) {
  EnsureMessageQueue();
  Model& m = Model::Get();
  HWND hwnd;
  {
    std::lock_guard hold(m.lock);
    if (parent != 0 && !m.Find(parent)) return 0;
    if (owner != 0 && !m.Find(owner)) return 0;
    hwnd = m.NewWindowHandle();
    Entry e;
    WindowState& s = e.state;
    s.hwnd = hwnd;
    s.thread = GetCurrentThreadId();
    s.kind = kind;
    s.parent = parent;
    s.owner = parent != 0 ? 0 : owner;
    s.id = id;
    s.style = style;
    s.exStyle = exStyle;
    s.text = std::string(text);
    s.rect = rect;
    s.visible = (style & WS_VISIBLE) != 0;
    s.enabled = (style & WS_DISABLED) == 0;
    s.topmost = parent == 0 && (exStyle & WS_EX_TOPMOST) != 0;
    s.frameless = (style & WS_CAPTION) != WS_CAPTION;
    s.maximizeBox = parent == 0 && (style & WS_MAXIMIZEBOX) != 0;
    if (kind == Kind::List || kind == Kind::Combo || kind == Kind::DropList || kind == Kind::Tab) s.value = -1;
    if (parent != 0) s.font = m.Find(parent)->state.font;
    e.proc = std::move(proc);
    const bool activate = s.visible && s.enabled;
    m.windows.emplace(hwnd, std::move(e));
    if (parent == 0) {
      m.Raise(hwnd);
      if (activate) m.foreground = hwnd;
    }
  }
  if (auto t = zq::ui::detail::TargetOf(hwnd); t && t->proc) t->proc(hwnd, WM_CREATE, 0, 0);
  Notify(hwnd);
  return hwnd;
}

// The window and every descendant, children first.
void CollectTree(Model& m, HWND hwnd, std::vector<HWND>& out) {
  for (const auto& [h, e] : m.windows) {
    if (e.state.parent == hwnd) CollectTree(m, h, out);
  }
  out.push_back(hwnd);
}

}  // namespace

HWND CreateWindowExA(uint32_t exStyle, const char* windowName, uint32_t style, int32_t x, int32_t y,
                     int32_t width, int32_t height, HWND parent, HWND owner, WNDPROC proc) {
  std::string_view name = windowName ? windowName : "";
  return Create(exStyle, Kind::Window, 0, name, style, RECT{x, y, x + width, y + height}, parent, owner,
                std::move(proc));
}

namespace zq::ui {
HWND CreateControl(HWND parent, Kind kind, int32_t id, std::string_view text, RECT rect, uint32_t style,
                   WNDPROC proc) {
  if (parent == 0) return 0;
  return Create(0, kind, id, text, style | WS_CHILD, rect, parent, 0, std::move(proc));
}
}  // namespace zq::ui

bool DestroyWindow(HWND hwnd) {
  std::vector<HWND> tree;
  {
    Model& m = Model::Get();
    std::lock_guard hold(m.lock);
    if (!m.Find(hwnd)) return false;
    CollectTree(m, hwnd, tree);
  }
  std::reverse(tree.begin(), tree.end());  // WM_DESTROY goes to the parent first
  // Only the owning thread's procedures hear of it: a send to another thread that is not
  // handling its messages would hold this one for ever.
  for (HWND h : tree) {
    auto t = zq::ui::detail::TargetOf(h);
    if (t && t->thread == GetCurrentThreadId()) SendMessage(h, WM_DESTROY, 0, 0);
  }
  {
    Model& m = Model::Get();
    std::lock_guard hold(m.lock);
    for (HWND h : tree) {
      m.Unlink(h);
      m.windows.erase(h);
    }
  }
  for (HWND h : tree) Notify(h);
  return true;
}

bool IsWindow(HWND hwnd) { return zq::ui::Snapshot(hwnd).has_value(); }

bool IsWindowVisible(HWND hwnd) {
  Model& m = Model::Get();
  std::lock_guard hold(m.lock);
  for (Entry* e = m.Find(hwnd); e; e = m.Find(e->state.parent)) {
    if (!e->state.visible) return false;
    if (e->state.parent == 0) return true;
  }
  return false;
}

bool IsWindowEnabled(HWND hwnd) {
  auto s = zq::ui::Snapshot(hwnd);
  return s && s->enabled;
}

bool EnableWindow(HWND hwnd, bool enable) {
  bool wasDisabled = false;
  zq::ui::Update(hwnd, [&](WindowState& s) {
    wasDisabled = !s.enabled;
    s.enabled = enable;
  });
  return wasDisabled;
}

bool ShowWindow(HWND hwnd, int32_t command) {
  bool was = false;
  bool activate = false;
  bool ok = zq::ui::Update(hwnd, [&](WindowState& s) {
    was = s.visible;
    s.visible = command != SW_HIDE;
    s.minimized = command == SW_SHOWMINIMIZED || command == SW_MINIMIZE;
    activate = s.parent == 0 && s.visible && !s.minimized && command != SW_SHOWNOACTIVATE && s.enabled;
  });
  if (!ok) return false;
  Model& m = Model::Get();
  std::lock_guard hold(m.lock);
  if (command == SW_HIDE && m.foreground == hwnd) m.foreground = 0;
  if (activate) {
    m.Raise(hwnd);
    m.foreground = hwnd;
  }
  return was;
}

bool SetWindowPos(HWND hwnd, HWND insertAfter, int32_t x, int32_t y, int32_t cx, int32_t cy, uint32_t flags) {
  bool ok = zq::ui::Update(hwnd, [&](WindowState& s) {
    if (!(flags & SWP_NOMOVE)) {
      s.rect.right += x - s.rect.left;
      s.rect.bottom += y - s.rect.top;
      s.rect.left = x;
      s.rect.top = y;
    }
    if (!(flags & SWP_NOSIZE)) {
      s.rect.right = s.rect.left + std::max(cx, 0);
      s.rect.bottom = s.rect.top + std::max(cy, 0);
      s.rect = zq::ui::WithinLimits(s, s.rect);
    }
    if (flags & SWP_SHOWWINDOW) s.visible = true;
    if (flags & SWP_HIDEWINDOW) s.visible = false;
    if (!(flags & SWP_NOZORDER) && s.parent == 0) {
      if (insertAfter == HWND_TOPMOST) s.topmost = true;
      if (insertAfter == HWND_NOTOPMOST || insertAfter == HWND_BOTTOM) s.topmost = false;
    }
  });
  if (!ok) return false;
  if (flags & SWP_NOZORDER) return true;
  Model& m = Model::Get();
  std::lock_guard hold(m.lock);
  if (Entry* e = m.Find(hwnd); !e || e->state.parent != 0) return true;  // gone meanwhile, or a child
  if (insertAfter == HWND_BOTTOM) {
    m.SendToBack(hwnd);
  } else if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
    m.Raise(hwnd);
  } else if (Entry* after = m.Find(insertAfter); after && after->state.parent == 0 && insertAfter != hwnd) {
    std::erase(m.zorder, hwnd);
    m.zorder.insert(std::find(m.zorder.begin(), m.zorder.end(), insertAfter) + 1, hwnd);
  }
  return true;
}

bool MoveWindow(HWND hwnd, int32_t x, int32_t y, int32_t width, int32_t height, bool /*repaint*/) {
  return SetWindowPos(hwnd, 0, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool GetWindowRect(HWND hwnd, RECT* rect) {
  if (!rect) return false;
  Model& m = Model::Get();
  std::lock_guard hold(m.lock);
  Entry* e = m.Find(hwnd);
  if (!e) return false;
  RECT r = e->state.rect;
  for (Entry* p = m.Find(e->state.parent); p; p = m.Find(p->state.parent)) {
    r.left += p->state.rect.left;
    r.right += p->state.rect.left;
    r.top += p->state.rect.top;
    r.bottom += p->state.rect.top;
  }
  *rect = r;
  return true;
}

bool SetForegroundWindow(HWND hwnd) {
  if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return false;
  Model& m = Model::Get();
  {
    std::lock_guard hold(m.lock);
    HWND top = m.TopLevelOf(hwnd);
    if (top == 0) return false;
    m.Raise(top);
    m.foreground = top;
    hwnd = top;
  }
  Notify(hwnd);
  return true;
}

HWND GetForegroundWindow() {
  Model& m = Model::Get();
  std::lock_guard hold(m.lock);
  return m.foreground;
}

HWND GetTopWindow(HWND parent) {
  if (parent != 0) {
    auto children = zq::ui::Children(parent);
    return children.empty() ? 0 : children.front();
  }
  Model& m = Model::Get();
  std::lock_guard hold(m.lock);
  for (HWND h : m.zorder) {
    if (m.Find(h)->state.visible) return h;
  }
  return 0;
}

bool FlashWindow(HWND hwnd, bool invert) {
  // A handle that names no window (0 included, which is also "no foreground window") was not active.
  const bool wasActive = GetForegroundWindow() == hwnd;
  return zq::ui::Update(hwnd, [&](WindowState& s) { s.flashing = invert; }) && wasActive;
}

bool SetWindowTextA(HWND hwnd, const char* text) {
  return zq::ui::Update(hwnd, [&](WindowState& s) { s.text = text ? text : ""; });
}

int32_t GetWindowTextA(HWND hwnd, char* buffer, int32_t size) {
  auto s = zq::ui::Snapshot(hwnd);
  if (!s || !buffer || size <= 0) return 0;
  std::size_t n = std::min<std::size_t>(s->text.size(), static_cast<std::size_t>(size) - 1);
  std::memcpy(buffer, s->text.data(), n);
  buffer[n] = '\0';
  return static_cast<int32_t>(n);
}

HWND GetParent(HWND hwnd) {
  auto s = zq::ui::Snapshot(hwnd);
  return s ? (s->parent != 0 ? s->parent : s->owner) : 0;
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId) {
  auto s = zq::ui::Snapshot(hwnd);
  if (processId) *processId = s ? 1 : 0;
  return s ? s->thread : 0;
}

HWND GetDlgItem(HWND dialog, int32_t id) {
  Model& m = Model::Get();
  std::lock_guard hold(m.lock);
  for (const auto& [h, e] : m.windows) {
    if (e.state.parent == dialog && e.state.id == id) return h;
  }
  return 0;
}

HWND SetFocus(HWND hwnd) {
  if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return 0;
  HWND before;
  {
    Model& m = Model::Get();
    std::lock_guard hold(m.lock);
    before = m.focus;
    m.focus = hwnd;
  }
  if (before != 0 && before != hwnd) Notify(before);
  Notify(hwnd);
  return before;
}

HWND GetFocus() {
  Model& m = Model::Get();
  std::lock_guard hold(m.lock);
  return m.focus;
}
