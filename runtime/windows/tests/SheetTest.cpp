// Sheets: the chosen tab's controls are shown and the others hidden, the program's own hide
// state holds on every tab, and the user's choice of a tab reaches the loop.
#include <gtest/gtest.h>

#include "TestWindows.h"
#include "zqplatform/uiinput.h"

namespace zq::rt {
namespace {

using test::Seen;

// The events other than ticks and focus changes until the queue is empty.
std::vector<Seen> Batch(Window& w) {
  std::vector<Seen> seen;
  w.Post(0x7FF);
  while (w.Accept() && w.Event() != 0x7FF) {
    if (test::Interesting(w) && w.Event() != kOpenWindow) seen.push_back({w.Event(), w.Field()});
  }
  return seen;
}

// The controls 2 to 9 shown on screen, as the model holds them.
std::vector<int32_t> Shown(const Window& w) {
  std::vector<int32_t> out;
  for (int32_t n = 2; n <= 9; ++n) {
    if (IsWindowVisible(w.ControlHandle(n))) out.push_back(n);
  }
  return out;
}

struct SheetWindow : ::testing::Test {
  Window w{test::Load("Sheet")};
  void SetUp() override { ASSERT_TRUE(w.Open()); }
};

TEST_F(SheetWindow, TheChosenTabShowsItsControlsAndTheUsersChoiceReachesTheLoop) {
  EXPECT_EQ(w.Value(1), 1);
  EXPECT_EQ(Shown(w), (std::vector<int32_t>{2, 3}));  // 4 is hidden by the definition
  EXPECT_TRUE(IsWindowVisible(w.ControlHandle(11)));

  ASSERT_TRUE(zq::ui::input::Choose(w.ControlHandle(1), 1));
  EXPECT_EQ(Batch(w), (std::vector<Seen>{{kNewSelection, 1}}));
  EXPECT_EQ(w.Value(1), 2);
  EXPECT_EQ(Shown(w), (std::vector<int32_t>{5, 6}));

  ASSERT_TRUE(zq::ui::input::Choose(w.ControlHandle(1), 2));
  EXPECT_EQ(Batch(w), (std::vector<Seen>{{kNewSelection, 1}}));
  EXPECT_EQ(Shown(w), (std::vector<int32_t>{7, 8, 9}));
  EXPECT_TRUE(IsWindowVisible(w.ControlHandle(10)));  // not on the sheet

  // The program's choice shows the tab without an event.
  ASSERT_TRUE(w.SetValue(1, 2));
  EXPECT_EQ(Batch(w), std::vector<Seen>{});
  EXPECT_EQ(Shown(w), (std::vector<int32_t>{5, 6}));
}

TEST_F(SheetWindow, TheProgramsHideStateHoldsOnEveryTab) {
  EXPECT_TRUE(w.IsHidden(4));
  EXPECT_FALSE(w.IsHidden(5));  // on a tab not chosen: not shown, yet not hidden
  w.Hide(3, 3);
  w.Unhide(4, 4);
  EXPECT_EQ(Shown(w), (std::vector<int32_t>{2, 4}));
  w.SetValue(1, 2);
  w.Unhide(3, 3);  // shown again only when its tab is
  EXPECT_FALSE(w.IsHidden(3));
  EXPECT_EQ(Shown(w), (std::vector<int32_t>{5, 6}));
  w.SetValue(1, 1);
  EXPECT_EQ(Shown(w), (std::vector<int32_t>{2, 3, 4}));

  // Hiding the sheet hides its tabs' controls; showing it shows the chosen tab's again.
  w.Hide(1, 1);
  EXPECT_EQ(Shown(w), std::vector<int32_t>{});
  w.Unhide(1, 1);
  EXPECT_EQ(Shown(w), (std::vector<int32_t>{2, 3, 4}));
}

TEST_F(SheetWindow, ABoundSheetTakesTheChosenTab) {
  int32_t tab = 0;
  ASSERT_TRUE(w.Use(1, Bind(tab)));
  zq::ui::input::Choose(w.ControlHandle(1), 2);
  Batch(w);
  EXPECT_EQ(tab, 3);
  tab = 2;
  w.Display(1, 1);
  EXPECT_EQ(w.Value(1), 2);
  EXPECT_EQ(Shown(w), (std::vector<int32_t>{5, 6}));
}

}  // namespace
}  // namespace zq::rt
