#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "zqplatform/uimodel.h"
#include "zqvantor/windows.h"

namespace {

struct Window {
  explicit Window(uint32_t style, RECT r = {100, 50, 740, 530})
      : hwnd(CreateWindowExA(0, "w", style, r.left, r.top, r.right - r.left, r.bottom - r.top, 0, 0, nullptr)) {}
  ~Window() { DestroyWindow(hwnd); }
  HWND hwnd;
};

TEST(WindowHelpers, SizeIsTheScreenRectangle) {
  Window w(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  int32_t x = 0, y = 0, width = 0, height = 0;
  ASSERT_NE(VTWinGetSize(w.hwnd, &x, &y, &width, &height), 0);
  EXPECT_EQ((std::array{x, y, width, height}), (std::array{100, 50, 640, 480}));
  ASSERT_NE(VTWinSetSize(w.hwnd, -20, 30, 200, 100), 0);
  ASSERT_NE(VTWinGetSize(w.hwnd, &x, &y, &width, &height), 0);
  EXPECT_EQ((std::array{x, y, width, height}), (std::array{-20, 30, 200, 100}));
  EXPECT_NE(VTWinGetSize(w.hwnd, nullptr, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(VTWinGetSize(0x7FFFFF00, &x, &y, &width, &height), 0);
  EXPECT_EQ(VTWinSetSize(0x7FFFFF00, 1, 2, 3, 4), 0);
}

TEST(WindowHelpers, TopmostAndBottomOfTheZOrder) {
  Window a(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  Window b(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  Window hidden(WS_OVERLAPPEDWINDOW);
  EXPECT_EQ(VTWinGetTop(), b.hwnd);
  // A window that cannot come to the foreground keeps its place.
  const std::vector<HWND> order = zq::ui::Children(0);
  EXPECT_EQ(VTWinOnTop(hidden.hwnd), 0);
  EXPECT_EQ(zq::ui::Children(0), order);
  EXPECT_FALSE(zq::ui::Snapshot(hidden.hwnd)->topmost);
  EXPECT_FALSE(IsWindowVisible(hidden.hwnd));
  EXPECT_EQ(VTWinOnTop(0x7FFFFF00), 0);

  EXPECT_NE(VTWinOnTop(a.hwnd), 0);
  EXPECT_TRUE(zq::ui::Snapshot(a.hwnd)->topmost);
  EXPECT_EQ(VTWinGetTop(), a.hwnd);
  EXPECT_EQ(GetForegroundWindow(), a.hwnd);
  SetForegroundWindow(b.hwnd);  // a topmost window stays above the others
  EXPECT_EQ(VTWinGetTop(), a.hwnd);

  EXPECT_NE(VTWinOffTop(a.hwnd), 0);
  EXPECT_FALSE(zq::ui::Snapshot(a.hwnd)->topmost);
  EXPECT_EQ(VTWinGetTop(), b.hwnd);
  EXPECT_EQ(zq::ui::Children(0).back(), a.hwnd);
}

TEST(WindowHelpers, FlashReportsWhetherTheWindowWasActive) {
  Window a(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  Window b(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  EXPECT_NE(VTFlashWindow(b.hwnd, 1), 0);
  EXPECT_TRUE(zq::ui::Snapshot(b.hwnd)->flashing);
  EXPECT_EQ(VTFlashWindow(a.hwnd, 0x101), 0);  // only the low byte counts: 1
  EXPECT_TRUE(zq::ui::Snapshot(a.hwnd)->flashing);
  EXPECT_EQ(VTFlashWindow(a.hwnd, 0x100), 0);
  EXPECT_FALSE(zq::ui::Snapshot(a.hwnd)->flashing);
}

TEST(WindowHelpers, FlashOfAHandleThatNamesNoWindowWasNotActive) {
  { Window gone(WS_OVERLAPPEDWINDOW | WS_VISIBLE); }
  ASSERT_EQ(GetForegroundWindow(), 0u);
  EXPECT_EQ(VTFlashWindow(0, 1), 0);
  EXPECT_EQ(VTFlashWindow(0x7FFFFF00, 1), 0);
  Window shown(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  ASSERT_EQ(GetForegroundWindow(), shown.hwnd);
  EXPECT_EQ(VTFlashWindow(0, 1), 0);
}

}  // namespace
