#include "tray/CSystemTray.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "tray/MenuDefinition.h"
#include "tray/TrayCodes.h"
#include "zqplatform/charset.h"
#include "zqplatform/uimodel.h"

namespace {

using namespace zqv::tray;

constexpr uint32_t kTrackReturning = TPM_RETURNCMD | TPM_NONOTIFY;  // 384
constexpr int32_t kFirstCallbackCommand = 1024;

// At most 127 bytes, not cutting a character unit in two.
std::string_view CutTip(std::string_view tip) {
  if (tip.size() <= CSystemTray::kTipLength) return tip;
  std::size_t cut = CSystemTray::kTipLength;
  while (cut > 0 && !zq::text::IsCharStart(tip, cut)) --cut;
  return tip.substr(0, cut);
}

}  // namespace

CSystemTray::CSystemTray() = default;

CSystemTray::~CSystemTray() {
  RemoveIcon();
  DropWindows();  // a refused removal leaves the hidden window, whose procedure is this object's
}

void CSystemTray::SetTip(std::string_view tip) {
  std::string_view cut = CutTip(tip);
  std::memset(data_.szTip, 0, sizeof data_.szTip);
  if (!cut.empty()) std::memcpy(data_.szTip, cut.data(), cut.size());  // an empty view may carry no pointer
}

int32_t CSystemTray::Create(HWND notifyWindow, HINSTANCE instance, const std::string& iconName, std::string_view tip,
                            std::string_view menu, int32_t doubleClickCommand, TRAYCOMMANDPROC callback,
                            int32_t user) {
  std::lock_guard life(life_);
  {
    std::lock_guard hold(lock_);
    if (iconAdded_) return kIconExists;
    wrapper_ = false;
    notifyWindow_ = notifyWindow;
    callback_ = callback;
    user_ = user;
    doubleClickCommand_ = doubleClickCommand;
  }
  HWND hidden = CreateWindowExA(0, "CSystemTray Dummy Window", WS_POPUP, 0, 0, 0, 0, 0, 0,
                                [this](HWND h, uint32_t m, WPARAM w, LPARAM l) { return WindowProc(h, m, w, l); });
  if (hidden == 0) return kHiddenWindowFailed;
  std::unique_lock hold(lock_);
  hiddenWindow_ = hidden;
  if (!IsWindow(notifyWindow)) {
    hold.unlock();
    DropWindows();
    return kNoNotifyWindow;
  }
  wrapper_ = true;
  HICON icon = LoadIconA(instance, iconName.c_str());
  if (icon == 0) {
    hold.unlock();
    DropWindows();
    return kNoSuchIcon;
  }
  icon_ = icon;
  menu_ = std::string(menu);
  data_ = NOTIFYICONDATAA{};
  data_.cbSize = kDataSize;
  data_.hWnd = hidden;
  data_.uID = kIconNumber;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data_.uCallbackMessage = kCallbackMessage;
  data_.hIcon = icon;
  data_.uVersion = kVersion;
  SetTip(tip);
  NOTIFYICONDATAA data = data_;
  hold.unlock();
  bool added = Shell_NotifyIconA(NIM_ADD, &data);
  hold.lock();
  iconAdded_ = added;
  if (!added) {
    hold.unlock();
    DropWindows();
    return kRefused;
  }
  return kDone;
}

void CSystemTray::DropWindows() {
  HWND hidden;
  {
    std::lock_guard hold(lock_);
    wrapper_ = false;
    hidden = hiddenWindow_;
    hiddenWindow_ = 0;
  }
  if (hidden != 0) DestroyWindow(hidden);
}

int32_t CSystemTray::SetIcon(HINSTANCE instance, const std::string& iconName) {
  std::unique_lock hold(lock_);
  if (!iconAdded_) return kNoIconToChange;
  HICON icon = LoadIconA(instance, iconName.c_str());
  if (icon == 0) return kNoSuchIcon;
  data_.uFlags = NIF_ICON;
  data_.hIcon = icon;
  NOTIFYICONDATAA data = data_;
  hold.unlock();
  return Shell_NotifyIconA(NIM_MODIFY, &data) ? kDone : kRefused;
}

int32_t CSystemTray::SetNotification(std::string_view tip, HWND window, int32_t user) {
  std::unique_lock hold(lock_);
  if (!iconAdded_) return kNoIcon;
  if (window != 0) data_.hWnd = window;
  if (user != -1) user_ = user;
  if (!tip.empty()) SetTip(tip);
  data_.cbSize = kDataSize;
  data_.uVersion = kVersion;
  data_.uFlags = NIF_TIP;
  NOTIFYICONDATAA data = data_;
  hold.unlock();
  return Shell_NotifyIconA(NIM_MODIFY, &data) ? kDone : kRefused;
}

int32_t CSystemTray::RemoveIcon() {
  std::lock_guard life(life_);
  std::unique_lock hold(lock_);
  if (!iconAdded_) return kNoIcon;
  data_.uFlags = 0;
  DestroyIcon(icon_);
  NOTIFYICONDATAA data = data_;
  hold.unlock();
  if (!Shell_NotifyIconA(NIM_DELETE, &data)) return kRemoveRefused;
  HWND hidden;
  {
    std::lock_guard again(lock_);
    wrapper_ = false;
    iconAdded_ = false;
    hidden = hiddenWindow_;
    hiddenWindow_ = 0;
  }
  return DestroyWindow(hidden) ? kDone : kHiddenWindowStays;
}

void CSystemTray::ShowNotifyWindow(bool show) {
  HWND window;
  {
    std::lock_guard hold(lock_);
    if (!wrapper_) return;
    hidden_ = !show;
    window = notifyWindow_;
  }
  if (show) {
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
  } else {
    ShowWindow(window, SW_HIDE);
  }
}

bool CSystemTray::Hidden() const {
  std::lock_guard hold(lock_);
  return hidden_;
}

LRESULT CSystemTray::WindowProc(HWND hwnd, uint32_t message, WPARAM wParam, LPARAM lParam) {
  if (message == kCallbackMessage) return OnTrayIconMessage(wParam, lParam);
  return DefWindowProc(hwnd, message, wParam, lParam);
}

LRESULT CSystemTray::OnTrayIconMessage(WPARAM wParam, LPARAM lParam) {
  if (wParam != kIconNumber) return 0;
  const uint32_t mouse = static_cast<uint32_t>(lParam) & 0xFFFF;
  if (mouse == WM_LBUTTONDBLCLK) {
    int32_t command;
    TRAYCOMMANDPROC callback;
    int32_t user;
    bool hidden;
    {
      std::lock_guard hold(lock_);
      command = doubleClickCommand_;
      callback = callback_;
      user = user_;
      hidden = hidden_;
    }
    if (command >= 0) ShowNotifyWindow(hidden);
    if (command >= kFirstCallbackCommand && callback) callback(command, user);
  } else if (mouse == WM_RBUTTONUP) {
    ShowMenu();
  }
  return 1;
}

void CSystemTray::ShowMenu() {
  std::string definition;
  TRAYCOMMANDPROC callback;
  int32_t user;
  HWND owner;
  {
    std::lock_guard hold(lock_);
    definition = menu_;
    callback = callback_;
    user = user_;
    owner = notifyWindow_;
  }
  if (definition.empty()) return;
  HMENU menu = CreatePopupMenu();
  for (const zq::ui::MenuItem& entry : zqv::ReadMenuDefinition(definition)) {
    if (entry.separator) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuA(menu, MF_STRING, entry.command, entry.text.c_str());
    }
  }
  POINT at{};
  GetCursorPos(&at);
  if (callback) {
    int32_t chosen = TrackPopupMenu(menu, kTrackReturning, at.x, at.y, 0, owner, nullptr);
    if (chosen > 0) callback(chosen, user);
  } else {
    TrackPopupMenu(menu, 0, at.x, at.y, 0, owner, nullptr);
  }
  DestroyMenu(menu);
}
