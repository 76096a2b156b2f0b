// Which presenter shows the model, and the model's calls that go straight to it.
#include "Presenter.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <string>


namespace zq::ui::detail {

namespace {

bool Set(const char* name) {
  const char* v = std::getenv(name);
  return v && *v;
}

std::mutex choiceLock;
std::string requested;  // from UsePresenter
Presenter* chosen = nullptr;

std::unique_ptr<Presenter> Choose() {
  const char* wanted = std::getenv("ZQ_PRESENTER");
  std::string choice = !requested.empty() ? requested : wanted ? wanted : "";
  bool display = Set("QT_QPA_PLATFORM") || Set("DISPLAY") || Set("WAYLAND_DISPLAY");
  if (choice == "null" || (choice != "qt" && !display)) return MakeNullPresenter();
  auto qt = MakeQtPresenter();
  return qt ? std::move(qt) : MakeNullPresenter();
}

}  // namespace

Presenter& ThePresenter() {
  // Never destroyed: the GUI thread may outlive the static objects at exit.
  static Presenter* presenter = [] {
    std::lock_guard hold(choiceLock);
    chosen = Choose().release();
    return chosen;
  }();
  return *presenter;
}

}  // namespace zq::ui::detail

namespace zq::ui {

std::string_view PresenterName() { return detail::ThePresenter().Name(); }

bool UsePresenter(std::string_view name) {
  {
    std::lock_guard hold(detail::choiceLock);
    if (!detail::chosen) {
      detail::requested = std::string(name);
      return true;
    }
  }
  return detail::ThePresenter().Name() == name;
}

RECT WorkArea() { return detail::ThePresenter().WorkAreas().front(); }

std::vector<RECT> WorkAreas() { return detail::ThePresenter().WorkAreas(); }

bool OnAWorkArea(const RECT& r, const std::vector<RECT>& workAreas) {
  return std::any_of(workAreas.begin(), workAreas.end(), [&](const RECT& area) {
    return std::max(r.left, area.left) < std::min(r.right, area.right) &&
           std::max(r.top, area.top) < std::min(r.bottom, area.bottom);
  });
}

void Flush() { detail::ThePresenter().Flush(); }

bool GrabWindow(HWND hwnd, const std::string& pngFile) {
  if (!IsWindowVisible(hwnd)) return false;
  return detail::ThePresenter().Grab(hwnd, pngFile);
}

std::optional<Image> GrabImage(HWND hwnd) {
  if (!IsWindowVisible(hwnd)) return std::nullopt;
  return detail::ThePresenter().GrabImage(hwnd);
}

}  // namespace zq::ui
