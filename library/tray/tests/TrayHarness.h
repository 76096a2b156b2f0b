// A host for the tray tests: a notification window on the test thread that records what it
// receives, an instance with two icons, and the callback's record.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "zqplatform/uimodel.h"
#include "zqvantor/tray.h"

namespace traytest {

inline std::vector<std::pair<int32_t, int32_t>> calls;
inline std::vector<MSG> received;

inline void Callback(int32_t command, int32_t user) { calls.emplace_back(command, user); }

// Dispatches everything queued for the test thread.
inline void Pump() {
  MSG m;
  while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) DispatchMessage(&m);
}

struct Host {
  Host() {
    window = CreateWindowExA(0, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, 0, 0,
                             [](HWND h, uint32_t m, WPARAM w, LPARAM l) {
                               received.push_back(MSG{h, m, w, l, 0, {0, 0}});
                               return DefWindowProc(h, m, w, l);
                             });
    instance = zq::ui::CreateInstance();
    zq::ui::AddIconResource(instance, "movie_ico", "");
    zq::ui::AddIconResource(instance, "other_ico", "");
    calls.clear();
    received.clear();
  }
  ~Host() {
    UTDestroyTrayIcon();
    DestroyWindow(window);
  }
  int32_t Create(std::string menu = "", int32_t command = 1073, TRAYCOMMANDPROC callback = &Callback,
                 std::string tip = "Orvid") {
    return UTCreateTrayIcon(window, instance, 9, "movie_ico", static_cast<int32_t>(tip.size()), tip.data(),
                            static_cast<int32_t>(menu.size()), menu.data(), command, callback, 42);
  }
  HWND window = 0;
  HINSTANCE instance = 0;
};

}  // namespace traytest
