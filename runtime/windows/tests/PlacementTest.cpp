// Where windows stand and how large they are: the size limits hold for the program's moves as
// for the user's, a stored position that is blank, partial, zero-sized or off every screen
// opens the window at its designed size, centred; and Yield lets calls sent to the thread run
// while the loop's events wait.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "TestWindows.h"
#include "zqplatform/uiinput.h"

namespace zq::rt {
namespace {

RECT Rect(const Window& w) {
  RECT r{};
  GetWindowRect(w.Handle(), &r);
  return r;
}

TEST(Placement, SizeLimitsHoldForTheProgramsMoves) {
  Window w(test::Load("Pair"));
  ASSERT_TRUE(w.Open());
  w.SetMinSize(150, 100);
  w.SetMaxSize(300, 200);
  w.SetPosition({10, 10, 20, 20});
  EXPECT_EQ(w.Position().width, 150);
  EXPECT_EQ(w.Position().height, 100);
  w.SetPosition({10, 10, 900, 900});
  EXPECT_EQ(w.Position().width, 300);
  EXPECT_EQ(w.Position().height, 200);
  w.SetPosition({12, 14, 250, 180});
  EXPECT_EQ(w.Position(), (DlgRect{12, 14, 250, 180}));
  // Limits set after the window grew take it back within them.
  w.SetMaxSize(200, 150);
  EXPECT_EQ(w.Position().width, 200);
  EXPECT_EQ(w.Position().height, 150);
  // The user's drag past them stops at them too.
  RECT r = Rect(w);
  zq::ui::input::MovedTo(w.Handle(), RECT{r.left, r.top, r.left + 5000, r.top + 5000});
  EXPECT_EQ(w.Position().width, 200);
  EXPECT_EQ(w.Position().height, 150);
}

TEST(Placement, AStoredPositionThatCannotBeShownGivesTheDesignedSizeCentred) {
  Window w(test::Load("Pair"));
  ASSERT_TRUE(w.Open());
  RECT designed = Rect(w);  // opened centred on the screen
  RECT screen = zq::ui::WorkArea();
  EXPECT_LE(std::abs((designed.left - screen.left) - (screen.right - designed.right)), 1);
  EXPECT_LE(std::abs((designed.top - screen.top) - (screen.bottom - designed.bottom)), 1);
  const DlgRect stored[] = {
      {0, 0, 0, 0},                  // blank
      {120, 80, 0, 0},               // x and y only
      {120, 80, 300, 0},             // no height
      {-20000, -20000, 200, 120},    // left of and above the screen
      {30000, 30000, 200, 120},      // beyond it
  };
  for (const DlgRect& at : stored) {
    w.SetPosition({5, 5, 60, 40});  // somewhere else first
    w.SetPosition(at);
    RECT r = Rect(w);
    EXPECT_EQ((std::vector{r.left, r.top, r.right, r.bottom}),
              (std::vector{designed.left, designed.top, designed.right, designed.bottom}))
        << at.x << "," << at.y << "," << at.width << "," << at.height;
  }
  // A position partly on the screen stays.
  w.SetPosition({-50, 10, 200, 120});
  EXPECT_EQ(w.Position(), (DlgRect{-50, 10, 200, 120}));
}

// A stored position is kept when it lies at least partly on the work area of any screen, and
// otherwise opens at the designed size centred on the primary screen; the screens are the null
// presenter's, set for each layout (pixels, the primary first).
TEST(Placement, AStoredPositionIsKeptOnTheWorkAreaOfEveryScreen) {
  if (zq::ui::PresenterName() != "null") GTEST_SKIP() << "the screens are set through the null presenter";
  struct Case {
    RECT at;  // where the user left the window (whole dialog units)
    bool kept;
  };
  struct Layout {
    const char* name;
    std::vector<RECT> screens;
    std::vector<Case> cases;
  };
  const RECT onPrimary{100, 99, 900, 699};
  const std::vector<Layout> layouts = {
      {"one screen", {{0, 0, 1920, 1080}}, {{onPrimary, true}, {{2100, 99, 2900, 699}, false}}},
      {"a second screen to the right",
       {{0, 0, 1920, 1040}, {1920, 0, 3200, 1024}},
       {{onPrimary, true},
        {{2100, 99, 2900, 699}, true},     // wholly on the second
        {{1500, 99, 2300, 699}, true},     // across both
        {{3300, 99, 4100, 699}, false},    // right of the second
        {{2100, 1101, 2900, 1701}, false}}},  // below the second, right of the first
      {"a second screen to the left and higher",
       {{0, 0, 1920, 1080}, {-1280, -200, 0, 824}},
       {{onPrimary, true}, {{-1200, -150, -400, 450}, true}, {{-1200, 900, -400, 1500}, false}}},
      {"a second screen below", {{0, 0, 1920, 1080}, {0, 1080, 1920, 2160}}, {{{100, 1200, 900, 1800}, true}}},
  };
  Window w(test::Load("Pair"));
  for (const Layout& layout : layouts) {
    zq::ui::SetNullWorkAreas(layout.screens);
    ASSERT_TRUE(w.Open()) << layout.name;
    RECT designed = Rect(w);  // centred on the primary screen
    for (const Case& c : layout.cases) {
      MoveWindow(w.Handle(), c.at.left, c.at.top, c.at.right - c.at.left, c.at.bottom - c.at.top, true);
      DlgRect stored = w.Position();
      w.SetPosition({5, 5, 60, 40});
      w.SetPosition(stored);
      RECT expected = c.kept ? c.at : designed;
      RECT r = Rect(w);
      EXPECT_EQ((std::vector{r.left, r.top, r.right, r.bottom}),
                (std::vector{expected.left, expected.top, expected.right, expected.bottom}))
          << layout.name << ": " << c.at.left << "," << c.at.top;
    }
    w.Close();
  }
  zq::ui::SetNullWorkAreas({});
}

TEST(Placement, ADefinitionsPositionOffTheScreenOpensCentred) {
  const std::string button = "1 button \"x\" at 1,1,10,10\n";
  ParsedDefinition off = ParseWindowDefinition("window \"Off\" size 100,50 pos 30000,30000\n" + button);
  ParsedDefinition on = ParseWindowDefinition("window \"On\" size 100,50 pos 10,10\n" + button);
  ParsedDefinition centred = ParseWindowDefinition("window \"Centred\" size 100,50\n" + button);
  Window a(*off.window), b(*on.window), c(*centred.window);
  ASSERT_TRUE(a.Open() && b.Open() && c.Open());
  RECT ra = Rect(a), rc = Rect(c);
  EXPECT_EQ((std::vector{ra.left, ra.top, ra.right, ra.bottom}), (std::vector{rc.left, rc.top, rc.right, rc.bottom}));
  EXPECT_EQ(b.Position().x, 10);
  EXPECT_GT(ra.right - ra.left, 0);
}

TEST(Placement, YieldRunsCallsSentToTheThreadAndLeavesItsEvents) {
  Window w(test::Load("Pair"));
  ASSERT_TRUE(w.Open());
  while (w.Accept() && w.Event() != kOpenWindow) {
  }
  w.Post(kUserEvent + 5);
  std::atomic<bool> answered{false};
  HWND target = w.ControlHandle(2);
  std::thread sender([&] {
    SendMessage(target, WM_APP + 7, 0, 0);  // waits until this thread lets it run
    answered = true;
  });
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!answered && std::chrono::steady_clock::now() < until) {
    Yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  sender.join();
  EXPECT_TRUE(answered);
  while (w.Accept() && !test::Interesting(w)) {
  }
  EXPECT_EQ(w.Event(), kUserEvent + 5);
}

}  // namespace
}  // namespace zq::rt
