// The notification-area icon, and icons loaded from an instance's resources.
#include <algorithm>
#include <cstring>

#include "Presenter.h"
#include "WindowModel.h"

using zq::ui::detail::Model;

namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : static_cast<char>(c); });
  return out;
}

std::string TipOf(const NOTIFYICONDATAA& d) {
  return std::string(d.szTip, strnlen(d.szTip, sizeof d.szTip - 1));
}

}  // namespace

bool Shell_NotifyIconA(uint32_t message, const NOTIFYICONDATAA* data) {
  if (!data) return false;
  auto& presenter = zq::ui::detail::ThePresenter();
  if (!presenter.TrayAvailable()) return false;
  {
    Model& m = Model::Get();
    std::lock_guard hold(m.lock);
    zq::ui::TrayState& t = m.tray;
    switch (message) {
      case NIM_ADD:
        if (t.present || !m.Find(data->hWnd)) return false;
        t = zq::ui::TrayState{true, data->hWnd, data->uID, 0, 0, {}};
        break;
      case NIM_MODIFY:
      case NIM_DELETE:
        if (!t.present || t.id != data->uID) return false;
        break;
      default:
        return false;
    }
    if (message == NIM_DELETE) {
      t = zq::ui::TrayState{};
    } else {
      // The icon follows the window the data names.
      if (m.Find(data->hWnd)) t.hwnd = data->hWnd;
      if (data->uFlags & NIF_MESSAGE) t.callbackMessage = data->uCallbackMessage;
      if (data->uFlags & NIF_ICON) t.icon = data->hIcon;
      if (data->uFlags & NIF_TIP) t.tip = TipOf(*data);
    }
  }
  presenter.TrayChanged();
  return true;
}

HICON LoadIconA(HINSTANCE instance, const char* name) {
  if (!name) return 0;
  std::string key = Lower(name);
  Model& m = Model::Get();
  std::lock_guard hold(m.lock);
  for (const auto& [icon, res] : m.icons) {
    if (res.instance == instance && res.name == key) return icon;
  }
  return 0;
}

bool DestroyIcon(HICON icon) {
  Model& m = Model::Get();
  std::lock_guard hold(m.lock);
  return m.icons.count(icon) != 0;  // icons from resources are shared and stay loaded
}

namespace zq::ui {

HINSTANCE CreateInstance() {
  Model& m = Model::Get();
  std::lock_guard hold(m.lock);
  HINSTANCE instance = m.NewNumber();
  m.instances[instance] = true;
  return instance;
}

bool AddIconResource(HINSTANCE instance, std::string_view name, std::string imageBytes) {
  Model& m = Model::Get();
  std::lock_guard hold(m.lock);
  if (!m.instances.count(instance)) return false;
  std::string key = Lower(name);
  for (auto& [icon, res] : m.icons) {
    if (res.instance == instance && res.name == key) {
      res.image = std::move(imageBytes);
      return true;
    }
  }
  m.icons[m.NewNumber()] = detail::IconResource{instance, key, std::move(imageBytes)};
  return true;
}

std::string IconImage(HICON icon) {
  Model& m = Model::Get();
  std::lock_guard hold(m.lock);
  auto it = m.icons.find(icon);
  return it == m.icons.end() ? std::string() : it->second.image;
}

TrayState Tray() {
  Model& m = Model::Get();
  std::lock_guard hold(m.lock);
  return m.tray;
}

bool TrayAvailable() { return detail::ThePresenter().TrayAvailable(); }

}  // namespace zq::ui
