#include "WindowLayout.h"

#include <algorithm>

#include "DialogAnswers.h"
#include "zqplatform/uiinput.h"
#include "zqplatform/uimodel.h"

namespace orvid::test {

namespace {

struct Placed {
  int32_t id = 0;
  RECT rect{};
};

bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

bool Within(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
         inner.bottom <= outer.bottom;
}

bool Intersect(const RECT& a, const RECT& b) {
  return std::max(a.left, b.left) < std::min(a.right, b.right) && std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

std::string Text(const Placed& p) {
  return std::to_string(p.id) + " at " + std::to_string(p.rect.left) + "," + std::to_string(p.rect.top) + "-" +
         std::to_string(p.rect.right) + "," + std::to_string(p.rect.bottom);
}

std::vector<Placed> VisibleControls(HWND window) {
  std::vector<Placed> placed;
  for (HWND c : zq::ui::Children(window)) {
    auto s = zq::ui::Snapshot(c);
    if (s && s->visible && !Empty(s->rect)) placed.push_back({s->id, s->rect});
  }
  return placed;
}

// Every control's rectangle, as numbers.
std::vector<int32_t> Layout(HWND window) {
  std::vector<int32_t> numbers;
  for (HWND c : zq::ui::Children(window)) {
    RECT r = zq::ui::Snapshot(c).value_or(zq::ui::WindowState{}).rect;
    numbers.insert(numbers.end(), {r.left, r.top, r.right, r.bottom});
  }
  return numbers;
}

}  // namespace

std::vector<std::string> Overlaps(HWND window) {
  std::vector<std::string> found;
  Size size = InnerSize(window);
  RECT inner{0, 0, size.width, size.height};
  std::vector<Placed> controls = VisibleControls(window);
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const Placed& a = controls[i];
    if (!Within(a.rect, inner)) found.push_back(Text(a) + " outside 0,0-" + std::to_string(size.width) + "," +
                                                std::to_string(size.height));
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      const Placed& b = controls[j];
      if (Intersect(a.rect, b.rect) && !Within(a.rect, b.rect) && !Within(b.rect, a.rect)) {
        found.push_back(Text(a) + " over " + Text(b));
      }
    }
  }
  return found;
}

Size InnerSize(HWND window) {
  RECT r = zq::ui::Snapshot(window).value_or(zq::ui::WindowState{}).rect;
  return {r.right - r.left, r.bottom - r.top};
}

bool ReadyToSize(HWND window) {
  if (!WaitFor([&] { return zq::ui::Snapshot(window).value_or(zq::ui::WindowState{}).minWidth > 0; })) return false;
  SendMessage(window, WM_NULL, 0, 0);
  return true;
}

bool SizedTo(HWND window, Size size) {
  auto s = zq::ui::Snapshot(window);
  if (!s) return false;
  std::vector<int32_t> before = Layout(window);
  RECT to{s->rect.left, s->rect.top, s->rect.left + size.width, s->rect.top + size.height};
  if (!zq::ui::input::MovedTo(window, to)) return false;
  // The loop places every control in one go once it has the resize; a call sent to its thread
  // then returns after it.
  if (!WaitFor([&] { return Layout(window) != before; })) return false;
  SendMessage(window, WM_NULL, 0, 0);
  return true;
}

}  // namespace orvid::test
