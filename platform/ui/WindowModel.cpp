#include "WindowModel.h"

#include <algorithm>

#include "Presenter.h"

namespace zq::ui::detail {

Model& Model::Get() {
  // Never destroyed: threads may still post while the process exits.
  static Model* model = new Model;
  return *model;
}

Model::Model() {
  zq::msg::SetWindowOwner(&OwnerOf);
  zq::msg::SetWindowMatcher(&FilterMatches);
}

Entry* Model::Find(HWND hwnd) {
  auto it = windows.find(hwnd);
  return it == windows.end() ? nullptr : &it->second;
}

HWND Model::NewWindowHandle() {
  // Handles rise (skipping live ones once they wrap) and never take the special places of
  // SetWindowPos.
  HWND h;
  do {
    h = nextWindow_;
    nextWindow_ = nextWindow_ >= 0xFFFFFF00u ? 0x100 : nextWindow_ + 2;
  } while (windows.count(h) != 0);
  return h;
}

uint32_t Model::NewNumber() { return nextNumber_++; }

void Model::Unlink(HWND hwnd) {
  std::erase(zorder, hwnd);
  if (foreground == hwnd) foreground = 0;
  if (focus == hwnd) focus = 0;
}

void Model::Raise(HWND hwnd) {
  Entry* e = Find(hwnd);
  if (!e) return;
  std::erase(zorder, hwnd);
  auto at = zorder.begin();
  if (!e->state.topmost) {
    at = std::find_if(zorder.begin(), zorder.end(), [this](HWND w) {
      Entry* other = Find(w);
      return other && !other->state.topmost;
    });
  }
  zorder.insert(at, hwnd);
}

void Model::SendToBack(HWND hwnd) {
  std::erase(zorder, hwnd);
  zorder.push_back(hwnd);
}

HWND Model::TopLevelOf(HWND hwnd) {
  Entry* e = Find(hwnd);
  while (e && e->state.parent != 0) {
    hwnd = e->state.parent;
    e = Find(hwnd);
  }
  return e ? hwnd : 0;
}

bool Model::IsSelfOrDescendant(HWND ancestor, HWND hwnd) {
  for (Entry* e = Find(hwnd); e; e = Find(e->state.parent)) {
    if (e->state.hwnd == ancestor) return true;
  }
  return false;
}

DWORD OwnerOf(HWND hwnd) {
  Model& m = Model::Get();
  std::lock_guard hold(m.lock);
  Entry* e = m.Find(hwnd);
  return e ? e->state.thread : 0;
}

bool FilterMatches(HWND filter, HWND target) {
  if (filter == target) return true;
  Model& m = Model::Get();
  std::lock_guard hold(m.lock);
  return m.IsSelfOrDescendant(filter, target);
}

void Notify(HWND hwnd) { ThePresenter().Changed(hwnd); }

std::optional<Target> TargetOf(HWND hwnd) {
  Model& m = Model::Get();
  std::lock_guard hold(m.lock);
  Entry* e = m.Find(hwnd);
  if (!e) return std::nullopt;
  return Target{e->proc, e->state.thread};
}

}  // namespace zq::ui::detail

namespace zq::ui {

using detail::Model;

std::optional<WindowState> Snapshot(HWND hwnd) {
  Model& m = Model::Get();
  std::lock_guard hold(m.lock);
  detail::Entry* e = m.Find(hwnd);
  if (!e) return std::nullopt;
  return e->state;
}

RECT WithinLimits(const WindowState& s, RECT rect) {
  auto keep = [](int32_t size, int32_t low, int32_t high) {
    if (high > 0) size = std::min(size, high);
    return std::max(size, low);
  };
  rect.right = rect.left + keep(rect.right - rect.left, s.minWidth, s.maxWidth);
  rect.bottom = rect.top + keep(rect.bottom - rect.top, s.minHeight, s.maxHeight);
  return rect;
}

bool Update(HWND hwnd, const std::function<void(WindowState&)>& change) {
  {
    Model& m = Model::Get();
    std::lock_guard hold(m.lock);
    detail::Entry* e = m.Find(hwnd);
    if (!e) return false;
    WindowState& s = e->state;
    const WindowState kept = s;
    change(s);
    s.hwnd = kept.hwnd;
    s.thread = kept.thread;
    s.parent = kept.parent;
    s.kind = kept.kind;
    if (s.topmost != kept.topmost && s.parent == 0) m.Raise(hwnd);
  }
  detail::Notify(hwnd);
  return true;
}

std::vector<HWND> Children(HWND parent) {
  Model& m = Model::Get();
  std::lock_guard hold(m.lock);
  if (parent == 0) return m.zorder;
  std::vector<HWND> out;
  for (const auto& [h, e] : m.windows) {
    if (e.state.parent == parent) out.push_back(h);
  }
  std::sort(out.begin(), out.end());  // handles grow with creation
  return out;
}

std::vector<HWND> WindowsOfThread(DWORD thread) {
  Model& m = Model::Get();
  std::lock_guard hold(m.lock);
  std::vector<HWND> out;
  for (HWND h : m.zorder) {
    if (m.windows.at(h).state.thread == thread) out.push_back(h);
  }
  return out;
}

}  // namespace zq::ui
