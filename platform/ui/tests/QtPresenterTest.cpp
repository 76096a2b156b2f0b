// The Qt presenter on the offscreen platform: widgets follow the model, grabs show it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "zqplatform/uimodel.h"

// These tests run on the Qt presenter (offscreen).
const bool kQtPresenter = zq::ui::UsePresenter("qt");

namespace {

TEST(QtPresenter, MirrorsWindowsOfAnyThread) {
  ASSERT_EQ(zq::ui::PresenterName(), "qt");
  HWND w = 0;
  HWND panel = 0;
  std::thread([&] {
    w = CreateWindowExA(0, "Shown", WS_POPUP | WS_VISIBLE, 30, 40, 120, 80, 0, 0, nullptr);
    panel = zq::ui::CreateControl(w, zq::ui::Kind::Panel, 1, "", RECT{10, 10, 50, 50});
  }).join();
  zq::ui::Update(w, [](zq::ui::WindowState& s) { s.backColour = 0x0000FF; });
  zq::ui::Update(panel, [](zq::ui::WindowState& s) { s.backColour = 0x00FF00; });
  zq::ui::Flush();
  auto shot = zq::ui::GrabImage(w);
  ASSERT_TRUE(shot);
  EXPECT_EQ(shot->width, 120);
  EXPECT_EQ(shot->height, 80);
  EXPECT_EQ(shot->At(100, 70), 0x0000FFu);
  EXPECT_EQ(shot->At(30, 30), 0x00FF00u);
  ShowWindow(w, SW_HIDE);
  EXPECT_FALSE(zq::ui::GrabImage(w));
  DestroyWindow(w);
  zq::ui::Flush();
  EXPECT_FALSE(zq::ui::GrabImage(w));
}

// A decoded picture handed to an image control shows as it is, centred, after the picture's
// registration is released.
TEST(QtPresenter, ImageControlsShowRegisteredPictures) {
  HWND w = CreateWindowExA(0, "Picture", WS_POPUP | WS_VISIBLE, 0, 0, 100, 60, 0, 0, nullptr);
  HWND image = zq::ui::CreateControl(w, zq::ui::Kind::Image, 1, "", RECT{0, 0, 100, 60});
  auto picture = std::make_shared<zq::ui::Picture>();
  picture->width = 40;
  picture->height = 20;
  picture->bgra = std::make_unique<uint8_t[]>(40 * 20 * 4);
  for (int i = 0; i < 40 * 20; ++i) {
    const bool left = i % 40 < 20;
    uint8_t* p = &picture->bgra[std::size_t(i) * 4];
    p[0] = left ? 0 : 255, p[1] = 0, p[2] = left ? 255 : 0, p[3] = 255;  // red left, blue right
  }
  const uint32_t number = zq::ui::RegisterPicture(picture);
  ASSERT_GT(number, 0u);
  zq::ui::Update(image, [&](zq::ui::WindowState& s) { s.picture = zq::ui::RegisteredPicture(number); });
  EXPECT_TRUE(zq::ui::ReleasePicture(number));
  EXPECT_FALSE(zq::ui::RegisteredPicture(number));
  picture.reset();
  zq::ui::Flush();
  auto shot = zq::ui::GrabImage(w);
  ASSERT_TRUE(shot);
  EXPECT_EQ(shot->At(35, 30), 0x0000FFu);  // the picture stands at 30..70 x 20..40
  EXPECT_EQ(shot->At(65, 30), 0xFF0000u);
  EXPECT_NE(shot->At(5, 5), 0x0000FFu);
  DestroyWindow(w);
}

TEST(QtPresenter, OffscreenHasNoNotificationArea) { EXPECT_FALSE(zq::ui::TrayAvailable()); }

TEST(QtPresenter, ReportsEveryScreensWorkAreaThePrimaryFirst) {
  std::vector<RECT> areas = zq::ui::WorkAreas();
  ASSERT_FALSE(areas.empty());
  RECT primary = zq::ui::WorkArea();
  EXPECT_EQ((std::vector{areas[0].left, areas[0].top, areas[0].right, areas[0].bottom}),
            (std::vector{primary.left, primary.top, primary.right, primary.bottom}));
  for (const RECT& r : areas) EXPECT_TRUE(r.right > r.left && r.bottom > r.top);
}

TEST(QtPresenter, DialogUnitsFromRealFontMetrics) {
  zq::ui::FontMetrics fm = zq::ui::Measure(zq::ui::Font{"Arial", 15, 400, false});
  EXPECT_GT(fm.averageWidth, 4);
  EXPECT_GT(fm.height, fm.averageWidth);
}

}  // namespace

namespace {

// A window still open at exit, which refuses to close, does not keep the process alive.
TEST(QtPresenterExit, ExitWithAWindowOpen) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        CreateWindowExA(0, "Open", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 80, 0, 0, nullptr);
        zq::ui::Flush();
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
