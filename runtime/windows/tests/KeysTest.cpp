#include <gtest/gtest.h>

#include <algorithm>

#include "TestWindows.h"
#include "zqplatform/uiinput.h"

namespace zq::rt {
namespace {

using test::Seen;

// The events the loop sees until the queue is empty (timer ticks and focus left out).
std::vector<Seen> Drain(Window& w, std::vector<uint32_t>* keys = nullptr, bool keep = false) {
  std::vector<Seen> seen;
  w.Post(0x7FF);  // the last event of the batch
  while (w.Accept()) {
    if (!test::Interesting(w)) continue;
    if (w.Event() == 0x7FF) break;
    seen.push_back({w.Event(), w.Field()});
    if (keys) keys->push_back(w.Keycode());
    if (w.Event() == kPreAlertKey && keep) w.KeepKeyAction();
  }
  return seen;
}

class WindowKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.Accept());
    ASSERT_EQ(w.Event(), kOpenWindow);
  }
  Window w{test::Load("Keys")};
};

TEST_F(WindowKeys, WindowAlertKeysWorkWhileEveryControlIsDisabled) {
  EXPECT_EQ(w.Disable(1, 6), 6);
  EXPECT_TRUE(w.IsDisabled(3));
  std::vector<uint32_t> keys;
  zq::ui::input::KeyPress(w.Handle(), VK_F1 + 8);
  zq::ui::input::KeyPress(w.Handle(), '1', zq::ui::input::kAlt);
  EXPECT_EQ(Drain(w, &keys), (std::vector<Seen>{{kPreAlertKey, 0}, {kAlertKey, 0}, {kPreAlertKey, 0}, {kAlertKey, 0}}));
  EXPECT_EQ(keys, (std::vector<uint32_t>{0x78, 0x78, 0x431, 0x431}));
  EXPECT_EQ(w.Enable(1, 6), 6);
  EXPECT_FALSE(w.IsDisabled(3));
}

TEST_F(WindowKeys, AnAlertedEscDoesNotCloseButAnUnalertedOneDoes) {
  zq::ui::input::KeyPress(w.Handle(), VK_ESCAPE);
  EXPECT_EQ(Drain(w), (std::vector<Seen>{{kPreAlertKey, 0}, {kAlertKey, 0}}));
  w.RemoveAlert(uint32_t{VK_ESCAPE});
  zq::ui::input::KeyPress(w.Handle(), VK_ESCAPE);
  EXPECT_EQ(Drain(w), (std::vector<Seen>{{kCloseWindow, 0}}));
}

TEST_F(WindowKeys, APreKeyDecidesWhetherTheKeyKeepsItsOwnAction) {
  // Enter is alerted on the entry; its own action accepts the entry.
  zq::ui::input::KeyPress(w.ControlHandle(2), VK_RETURN);
  EXPECT_EQ(Drain(w), (std::vector<Seen>{{kPreAlertKey, 2}, {kAlertKey, 2}}));
  zq::ui::input::KeyPress(w.ControlHandle(2), VK_RETURN);
  EXPECT_EQ(Drain(w, nullptr, true), (std::vector<Seen>{{kPreAlertKey, 2}, {kAlertKey, 2}, {kAccepted, 2}}));
}

TEST_F(WindowKeys, AnAlertedClickOnAListSelectsOnlyWhenKept) {
  Queue q(RecordLayout{CSTRING("NAME", 20)});
  for (const char* name : {"a", "b", "c"}) {
    q.Buffer().SetText(1, name);
    q.Add();
  }
  ASSERT_TRUE(w.From(3, q));
  // The presenter marks the clicked row before the click arrives.
  auto click = [&](int32_t row) {
    zq::ui::Update(w.ControlHandle(3), [&](zq::ui::WindowState& s) { s.value = row; });
    zq::ui::input::Click(w.ControlHandle(3));
  };
  click(1);
  EXPECT_EQ(Drain(w), (std::vector<Seen>{{kPreAlertKey, 3}, {kAlertKey, 3}}));
  EXPECT_EQ(w.Choice(3), 0u);
  EXPECT_EQ(w.MouseDownRow(3), 2u);
  click(2);
  EXPECT_EQ(Drain(w, nullptr, true), (std::vector<Seen>{{kPreAlertKey, 3}, {kAlertKey, 3}, {kNewSelection, 3}}));
  EXPECT_EQ(w.Choice(3), 3u);
  EXPECT_EQ(w.MouseDownRow(3), 3u);
}

TEST_F(WindowKeys, AnAlertedDownLeavesTheListRowWhereItWas) {
  Queue q(RecordLayout{CSTRING("NAME", 20)});
  for (const char* name : {"a", "b", "c"}) {
    q.Buffer().SetText(1, name);
    q.Add();
  }
  ASSERT_TRUE(w.From(3, q));
  ASSERT_TRUE(w.Select(3, 1));
  ASSERT_TRUE(w.AddAlert(3, uint32_t{VK_DOWN}));
  // The presenter leaves the key to the loop: the list's widget does not move by itself.
  auto taken = zq::ui::Snapshot(w.ControlHandle(3))->takenKeys;
  EXPECT_NE(std::find(taken.begin(), taken.end(), uint32_t{VK_DOWN}), taken.end());
  EXPECT_NE(std::find(taken.begin(), taken.end(), uint32_t{VK_F1 + 8}), taken.end());  // the window's F9
  zq::ui::input::KeyPress(w.ControlHandle(3), VK_DOWN);
  EXPECT_EQ(Drain(w), (std::vector<Seen>{{kPreAlertKey, 3}, {kAlertKey, 3}}));
  EXPECT_EQ(w.Choice(3), 1u);
  EXPECT_EQ(zq::ui::Snapshot(w.ControlHandle(3))->value, 0);
  zq::ui::input::KeyPress(w.ControlHandle(3), VK_DOWN);
  EXPECT_EQ(Drain(w, nullptr, true), (std::vector<Seen>{{kPreAlertKey, 3}, {kAlertKey, 3}, {kNewSelection, 3}}));
  EXPECT_EQ(w.Choice(3), 2u);
  ASSERT_TRUE(w.RemoveAlert(3, uint32_t{VK_DOWN}));
  zq::ui::input::KeyPress(w.ControlHandle(3), VK_DOWN);
  EXPECT_EQ(Drain(w), (std::vector<Seen>{{kNewSelection, 3}}));
  EXPECT_EQ(w.Choice(3), 3u);
}

TEST_F(WindowKeys, ASkippedControlTakesNoFocusByAClick) {
  EXPECT_TRUE(zq::ui::Snapshot(w.ControlHandle(4))->focusByClick);
  EXPECT_FALSE(zq::ui::Snapshot(w.ControlHandle(5))->focusByClick);
}

TEST_F(WindowKeys, AlertsOfAControlChangeAtRunTime) {
  w.Focus(3);
  Drain(w);
  EXPECT_TRUE(w.AddAlert(3, KeyCode("Ctrl+I")));
  EXPECT_TRUE(w.PressKey(KeyCode("Ctrl+I")));
  EXPECT_TRUE(w.RemoveAlert(3, KeyCode("Del")));
  EXPECT_TRUE(w.PressKey(KeyCode("Del")));
  std::vector<uint32_t> keys;
  EXPECT_EQ(Drain(w, &keys), (std::vector<Seen>{{kPreAlertKey, 3}, {kAlertKey, 3}}));
  EXPECT_EQ(keys, (std::vector<uint32_t>{0x249, 0x249}));
  EXPECT_FALSE(w.AddAlert(42, VK_RETURN));
}

TEST_F(WindowKeys, TabWalksTheControlsThatTakeTheFocus) {
  EXPECT_EQ(w.Focused(), 2);  // the window opened with the first control that takes input
  ASSERT_TRUE(w.Focus(2));
  std::vector<int32_t> order;
  for (int i = 0; i < 4; ++i) {
    w.PressKey(VK_TAB);
    Drain(w);
    order.push_back(w.Focused());
  }
  EXPECT_EQ(order, (std::vector<int32_t>{3, 4, 2, 3}));  // lines and the skipped button left out
  w.PressKey(kShiftKey | VK_TAB);
  Drain(w);
  EXPECT_EQ(w.Focused(), 2);
}

TEST_F(WindowKeys, AnEditedEntryIsAcceptedWhenTheFocusLeavesIt) {
  std::string name;
  ASSERT_TRUE(w.Use(2, Bind(name)));
  struct Case {
    const char* typed;  // what the user types into the entry, or null
    const char* written;  // what the program shows in it, or null
    bool marked;
    std::vector<Seen> expected;
    const char* variable;
  };
  const Case cases[] = {
      {"dune", nullptr, false, {{kAccepted, 2}}, "dune"},
      {nullptr, nullptr, false, {}, "dune"},
      {nullptr, nullptr, true, {{kAccepted, 2}}, "dune"},
      {nullptr, "prime", false, {}, "dune"},
      {"center", "prime", false, {}, "dune"},  // the program's text replaced the user's
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(w.Focus(2));
    Drain(w);
    if (c.typed) zq::ui::Update(w.ControlHandle(2), [&](zq::ui::WindowState& s) { s.text = c.typed; });
    if (c.written) w.SetText(2, c.written);
    if (c.marked) w.MarkChanged(2);
    ASSERT_TRUE(w.Focus(3));
    EXPECT_EQ(Drain(w), c.expected) << (c.typed ? c.typed : "-");
    EXPECT_EQ(name, c.variable);
  }
  EXPECT_FALSE(w.MarkChanged(42));
}

TEST(WindowKeysDefault, EnterAcceptsTheEditedEntryBeforeTheDefaultButton) {
  Window w(test::Load("Pair"));
  ASSERT_TRUE(w.Open());
  std::string text;
  w.Use(2, Bind(text));
  ASSERT_TRUE(w.Focus(2));
  Drain(w);
  zq::ui::Update(w.ControlHandle(2), [](zq::ui::WindowState& s) { s.text = "Alien"; });
  w.PressKey(VK_RETURN);
  EXPECT_EQ(Drain(w), (std::vector<Seen>{{kAccepted, 2}, {kAccepted, 1}}));
  EXPECT_EQ(text, "Alien");
}

TEST_F(WindowKeys, FocusChangesAreEvents) {
  ASSERT_TRUE(w.Focus(4));
  ASSERT_TRUE(w.Accept());
  EXPECT_EQ(w.Event(), kFocus);
  EXPECT_EQ(w.Field(), 4);
}

}  // namespace
}  // namespace zq::rt
