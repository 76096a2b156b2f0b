#include <gtest/gtest.h>

#include "TrayHarness.h"

// These tests run on the Qt presenter (offscreen).
const bool kQtPresenter = zq::ui::UsePresenter("qt");

namespace {

// The offscreen platform has no notification area: the icon is refused and nothing is left.
TEST(TrayOnQt, WithoutANotificationAreaCreateFails) {
  ASSERT_EQ(zq::ui::PresenterName(), "qt");
  traytest::Host host;
  ASSERT_FALSE(zq::ui::TrayAvailable());
  EXPECT_EQ(host.Create(), -5);
  EXPECT_EQ(UTDestroyTrayIcon(), -9);
  EXPECT_EQ(zq::ui::WindowsOfThread(GetCurrentThreadId()).size(), 1u);
}

}  // namespace
