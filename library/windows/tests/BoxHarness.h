// Reading a floating box through the window model.
#pragma once
#include <optional>

#include "zqplatform/uimodel.h"

namespace boxtest {

// The box window: the topmost frameless window holding an edit 1004.
inline HWND BoxWindow() {
  for (HWND h : zq::ui::Children(0)) {
    if (GetDlgItem(h, 1004) != 0) return h;
  }
  return 0;
}

inline std::optional<zq::ui::WindowState> Edit(HWND box) { return zq::ui::Snapshot(GetDlgItem(box, 1004)); }

}  // namespace boxtest
