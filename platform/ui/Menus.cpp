// Popup menus and their tracking.
#include <algorithm>

#include "Presenter.h"
#include "WindowModel.h"
#include "zqplatform/uiinput.h"

using zq::ui::MenuItem;
using zq::ui::TrackedMenu;
using zq::ui::detail::Model;

HMENU CreatePopupMenu() {
  Model& m = Model::Get();
  std::lock_guard hold(m.lock);
  HMENU menu = m.NewNumber();
  m.menus[menu];
  return menu;
}

bool AppendMenuA(HMENU menu, uint32_t flags, uintptr_t id, const char* text) {
  Model& m = Model::Get();
  std::lock_guard hold(m.lock);
  auto it = m.menus.find(menu);
  if (it == m.menus.end()) return false;
  MenuItem item;
  item.separator = (flags & MF_SEPARATOR) != 0;
  item.grayed = (flags & MF_GRAYED) != 0;
  item.command = item.separator ? 0 : static_cast<uint32_t>(id);
  item.text = item.separator || !text ? "" : text;
  it->second.push_back(std::move(item));
  return true;
}

bool DestroyMenu(HMENU menu) {
  Model& m = Model::Get();
  std::lock_guard hold(m.lock);
  return m.menus.erase(menu) != 0;
}

bool GetCursorPos(POINT* point) {
  if (!point) return false;
  *point = POINT{0, 0};  // the model has no pointer of its own; menus open where the presenter's is
  return true;
}

int32_t TrackPopupMenu(HMENU menu, uint32_t flags, int32_t x, int32_t y, int32_t, HWND owner, const RECT*) {
  Model& m = Model::Get();
  TrackedMenu tracked;
  std::optional<uint32_t> armed;
  {
    std::lock_guard hold(m.lock);
    auto it = m.menus.find(menu);
    if (it == m.menus.end() || !m.Find(owner)) return 0;
    tracked = TrackedMenu{true, menu, owner, flags, POINT{x, y}, it->second};
    armed = m.armedChoice;
    m.armedChoice.reset();
    m.tracked = tracked;
  }
  uint32_t choice = armed ? *armed : zq::ui::detail::ThePresenter().TrackMenu(tracked);
  bool offered = std::any_of(tracked.items.begin(), tracked.items.end(), [&](const MenuItem& i) {
    return !i.separator && !i.grayed && i.command == choice;
  });
  if (!offered) choice = 0;
  {
    std::lock_guard hold(m.lock);
    m.tracked.open = false;
  }
  if (flags & TPM_RETURNCMD) return static_cast<int32_t>(choice);
  if (choice != 0) PostMessage(owner, WM_COMMAND, choice, 0);
  return choice != 0 ? 1 : 0;
}

namespace zq::ui {

TrackedMenu LastTrackedMenu() {
  Model& m = Model::Get();
  std::lock_guard hold(m.lock);
  return m.tracked;
}

void input::MenuChoice(uint32_t command) {
  Model& m = Model::Get();
  {
    std::lock_guard hold(m.lock);
    if (!m.tracked.open) {
      m.armedChoice = command;
      return;
    }
  }
  detail::ThePresenter().ChooseInOpenMenu(command);
}

}  // namespace zq::ui
