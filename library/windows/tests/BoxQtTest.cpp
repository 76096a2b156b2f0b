#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "BoxHarness.h"
#include "frame/CVantor.h"
#include "zqtest/ScratchFolder.h"
#include "zqvantor/windows.h"

// These tests run on the Qt presenter (offscreen).
const bool kQtPresenter = zq::ui::UsePresenter("qt");

namespace {

bool Dark(COLORREF c) { return (c & 0xFF) < 90 && ((c >> 8) & 0xFF) < 90 && ((c >> 16) & 0xFF) < 90; }

TEST(BoxOnQt, DefaultColoursAsShown) {
  ASSERT_EQ(zq::ui::PresenterName(), "qt");
  int32_t h = VtorUp(2, "Hi", -1, -1, -1);
  ASSERT_GT(h, 0);
  HWND box = boxtest::BoxWindow();
  zq::ui::Flush();
  auto shot = zq::ui::GrabImage(box);
  ASSERT_TRUE(shot);
  auto edit = boxtest::Edit(box);
  ASSERT_TRUE(edit);
  const RECT e = edit->rect;
  ASSERT_LT(e.right, shot->width);
  ASSERT_LT(e.bottom, shot->height);
  // The frame around the edit: pale yellow (red 255, green 255, blue 147).
  EXPECT_EQ(shot->At(2, 2), 0x93FFFFu);
  EXPECT_EQ(shot->At(shot->width - 3, shot->height / 2), 0x93FFFFu);
  // Inside the edit: white, with black text in the middle.
  EXPECT_EQ(shot->At(e.left + 6, e.top + 6), 0xFFFFFFu);
  int dark = 0;
  for (int32_t y = e.top + 2; y < e.bottom - 2; ++y) {
    for (int32_t x = e.left + 2; x < e.right - 2; ++x) dark += Dark(shot->At(x, y));
  }
  EXPECT_GT(dark, 10);

  const zqtest::ScratchFolder scratch("floating-box");
  const auto png = scratch / "grab.png";
  ASSERT_TRUE(zq::ui::GrabWindow(box, png.string()));
  std::ifstream in(png, std::ios::binary);
  char magic[4] = {};
  in.read(magic, 4);
  EXPECT_EQ(std::string(magic + 1, 3), "PNG");
  EXPECT_EQ(VtorDown(h), 0);
}

TEST(BoxOnQt, SetSizeMovesTheShownWindow) {
  HWND w = CreateWindowExA(0, "Sized", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100, 0, 0, nullptr);
  ASSERT_NE(VTWinSetSize(w, 120, 80, 400, 300), 0);
  zq::ui::Flush();
  int32_t x = 0, y = 0, width = 0, height = 0;
  ASSERT_NE(VTWinGetSize(w, &x, &y, &width, &height), 0);
  EXPECT_EQ((std::array{x, y, width, height}), (std::array{120, 80, 400, 300}));
  auto shot = zq::ui::GrabImage(w);
  ASSERT_TRUE(shot);
  EXPECT_EQ(shot->width, 400);
  EXPECT_EQ(shot->height, 300);
  DestroyWindow(w);
}

// Unloading leaves an open box open, and the process still ends cleanly with it.
TEST(BoxOnQt, UnloadLeavesTheBoxOpen) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        if (VtorUp(4, "Open", -1, -1, -1) <= 0) std::_Exit(2);
        const HWND box = boxtest::BoxWindow();
        CVantor::App().ExitInstance();
        if (!IsWindow(box) || !IsWindowVisible(box)) std::_Exit(3);
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
