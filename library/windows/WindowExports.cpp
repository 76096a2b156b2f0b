// The VT window helpers: thin wrappers over the window calls.
#include "frame/Exports.h"
#include "zqplatform/ui.h"
#include "zqvantor/windows.h"

namespace {
constexpr uint32_t kShowInPlace = SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW;  // 67
constexpr uint32_t kInPlace = SWP_NOSIZE | SWP_NOMOVE;                       // 3
}  // namespace

ZQV_API int32_t VTWinOnTop(uint32_t window) {
  return zqv::Export<int32_t>(0, [&] {
    if (!SetForegroundWindow(window)) return 0;
    return SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kShowInPlace) ? 1 : 0;
  });
}

ZQV_API int32_t VTWinOffTop(uint32_t window) {
  return zqv::Export<int32_t>(0, [&] { return SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, kInPlace) ? 1 : 0; });
}

ZQV_API uint32_t VTWinGetTop(void) {
  return zqv::Export<uint32_t>(0, [] { return GetTopWindow(0); });
}

ZQV_API int32_t VTWinGetSize(uint32_t window, int32_t* x, int32_t* y, int32_t* width, int32_t* height) {
  return zqv::Export<int32_t>(0, [&] {
    RECT r;
    if (!GetWindowRect(window, &r)) return 0;
    if (x) *x = r.left;
    if (y) *y = r.top;
    if (width) *width = r.right - r.left;
    if (height) *height = r.bottom - r.top;
    return 1;
  });
}

ZQV_API int32_t VTWinSetSize(uint32_t window, int32_t x, int32_t y, int32_t width, int32_t height) {
  return zqv::Export<int32_t>(0, [&] { return MoveWindow(window, x, y, width, height, true) ? 1 : 0; });
}

ZQV_API int32_t VTFlashWindow(uint32_t window, int32_t invert) {
  return zqv::Export<int32_t>(0, [&] { return FlashWindow(window, zqv::Byte(invert) != 0) ? 1 : 0; });
}
