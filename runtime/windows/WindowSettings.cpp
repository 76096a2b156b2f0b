// Window-level properties read and changed at run time.
#include <algorithm>

#include "windows/WindowImpl.h"

namespace zq::rt {

void Window::SetTitle(std::string_view title) {
  impl_->def.title = std::string(title);
  if (impl_->hwnd != 0) SetWindowTextA(impl_->hwnd, impl_->def.title.c_str());
}

std::string Window::Title() const {
  auto s = zq::ui::Snapshot(impl_->hwnd);
  return s ? s->text : impl_->def.title;
}

DlgRect Window::Position() const {
  RECT r{};
  if (!GetWindowRect(impl_->hwnd, &r)) return {};
  return impl_->Units(r);
}

void Window::SetPosition(const DlgRect& at) {
  RECT p = impl_->Pixels(at);
  if (at.width <= 0 || at.height <= 0 || !OnScreen(p)) p = impl_->Centred(0);
  MoveWindow(impl_->hwnd, p.left, p.top, p.right - p.left, p.bottom - p.top, true);
  impl_->PlaceStatusBar();
}

void Window::Impl::PlaceStatusBar() {
  RECT r{};
  if (statusBar == 0 || !GetWindowRect(hwnd, &r)) return;
  int32_t height = Pixels({0, 0, 0, 10}).bottom;
  int32_t inner = r.bottom - r.top;
  zq::ui::Update(statusBar, [&](zq::ui::WindowState& s) { s.rect = RECT{0, inner - height, r.right - r.left, inner}; });
}

void Window::SetTimer(int32_t hundredths) {
  impl_->timer = std::max(hundredths, 0);
  impl_->nextTick = std::chrono::steady_clock::now() + std::chrono::milliseconds(impl_->timer * 10);
}

void Window::SetImmediateResize(bool on) { impl_->immediate = on; }

void Window::SetMinSize(int32_t width, int32_t height) {
  impl_->minWidth = std::max(width, 0);
  impl_->minHeight = std::max(height, 0);
  impl_->EnforceLimits();
}

void Window::SetMaxSize(int32_t width, int32_t height) {
  impl_->maxWidth = std::max(width, 0);
  impl_->maxHeight = std::max(height, 0);
  impl_->EnforceLimits();
}

void Window::Hide() { ShowWindow(impl_->hwnd, SW_HIDE); }
void Window::Show() { ShowWindow(impl_->hwnd, SW_SHOW); }

bool Window::SetStatus(int32_t zone, std::string_view text) {
  if (impl_->statusBar == 0 || zone != 1) return false;
  std::string t(text);
  return SetWindowTextA(impl_->statusBar, t.c_str());
}

std::string Window::Status(int32_t zone) const {
  if (impl_->statusBar == 0 || zone != 1) return {};
  auto s = zq::ui::Snapshot(impl_->statusBar);
  return s ? s->text : std::string();
}

void Window::AddAlert(uint32_t keycode) {
  auto& k = impl_->keys;
  if (std::find(k.begin(), k.end(), keycode) == k.end()) k.push_back(keycode);
  impl_->ShowTakenKeys();
}

void Window::RemoveAlert(uint32_t keycode) {
  auto& k = impl_->keys;
  k.erase(std::remove(k.begin(), k.end(), keycode), k.end());
  impl_->ShowTakenKeys();
}

std::vector<int32_t> Window::ControlNumbers() const {
  std::vector<int32_t> out;
  for (const ControlState& c : impl_->controls) out.push_back(c.def.number);
  return out;
}

}  // namespace zq::rt
