// The tray object: one icon in the notification area, owned by a hidden window of its own
// whose messages run on the thread that created the icon.
#pragma once
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

#include "zqplatform/ui.h"
#include "zqvantor/tray.h"

class CSystemTray {
 public:
  static constexpr uint32_t kIconNumber = 7777;
  static constexpr uint32_t kCallbackMessage = WM_USER;
  static constexpr uint32_t kDataSize = 488;
  static constexpr uint32_t kVersion = 3;
  static constexpr std::size_t kTipLength = 127;

  CSystemTray();
  virtual ~CSystemTray();
  CSystemTray(const CSystemTray&) = delete;
  CSystemTray& operator=(const CSystemTray&) = delete;

  int32_t Create(HWND notifyWindow, HINSTANCE instance, const std::string& iconName, std::string_view tip,
                 std::string_view menu, int32_t doubleClickCommand, TRAYCOMMANDPROC callback, int32_t user);
  int32_t SetIcon(HINSTANCE instance, const std::string& iconName);
  int32_t SetNotification(std::string_view tip, HWND window, int32_t user);
  int32_t RemoveIcon();
  void ShowNotifyWindow(bool show);
  bool Hidden() const;

  LRESULT WindowProc(HWND hwnd, uint32_t message, WPARAM wParam, LPARAM lParam);
  virtual LRESULT OnTrayIconMessage(WPARAM wParam, LPARAM lParam);

 private:
  void SetTip(std::string_view tip);
  void DropWindows();  // the wrapper and the hidden window of a failed or removed icon
  void ShowMenu();

  std::mutex life_;          // one create or removal at a time
  mutable std::mutex lock_;  // the state; never held while calling out
  bool wrapper_ = false;     // attached to the notification window while an icon exists
  HWND notifyWindow_ = 0;
  TRAYCOMMANDPROC callback_ = nullptr;
  int32_t user_ = 0;
  int32_t doubleClickCommand_ = 0;
  std::string menu_;
  NOTIFYICONDATAA data_{};
  HICON icon_ = 0;
  bool iconAdded_ = false;
  bool hidden_ = false;
  HWND hiddenWindow_ = 0;
};
