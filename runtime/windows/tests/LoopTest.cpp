#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "TestWindows.h"
#include "zqplatform/uiinput.h"

namespace zq::rt {
namespace {

using test::Seen;

// Runs the Pair window on a thread of its own until OK is accepted; the events it saw.
struct PairThread {
  std::promise<std::pair<HWND, DWORD>> opened;
  std::vector<Seen> seen;
  std::thread thread;

  PairThread() {
    thread = std::thread([this] {
      Window w(test::Load("Pair"));
      ASSERT_TRUE(w.Open());
      opened.set_value({w.Handle(), GetCurrentThreadId()});
      while (w.Accept()) {
        if (test::Interesting(w)) seen.push_back({w.Event(), w.Field()});
        if (w.Event() == kAccepted && w.Field() == 1) w.End();
      }
      w.Close();
    });
  }
};

TEST(WindowLoop, TheSameDefinitionRunsOnTwoThreadsAtOnce) {
  PairThread a, b;
  auto [wa, ta] = a.opened.get_future().get();
  auto [wb, tb] = b.opened.get_future().get();
  EXPECT_NE(wa, wb);
  EXPECT_NE(ta, tb);
  EXPECT_TRUE(Post(0x400, 7, ta));
  EXPECT_TRUE(Post(0x401, 8, tb));
  EXPECT_TRUE(Post(0x410, 0, ta));
  EXPECT_TRUE(zq::ui::input::Click(GetDlgItem(wa, 1)));
  EXPECT_TRUE(zq::ui::input::Click(GetDlgItem(wb, 1)));
  a.thread.join();
  b.thread.join();
  EXPECT_EQ(a.seen, (std::vector<Seen>{{kOpenWindow, 0}, {0x400, 7}, {0x410, 0}, {kAccepted, 1}}));
  EXPECT_EQ(b.seen, (std::vector<Seen>{{kOpenWindow, 0}, {0x401, 8}, {kAccepted, 1}}));
  EXPECT_FALSE(IsWindow(wa));
}

TEST(WindowLoop, ACloseRequestCanBeRefused) {
  Window w(test::Load("Pair"));
  ASSERT_TRUE(w.Open());
  std::vector<Seen> seen;
  int closes = 0;
  zq::ui::input::CloseRequest(w.Handle());
  while (w.Accept()) {
    if (!test::Interesting(w)) continue;
    seen.push_back({w.Event(), w.Field()});
    if (w.Event() == kCloseWindow && ++closes == 1) {
      w.Refuse();
      zq::ui::input::CloseRequest(w.Handle());
    }
  }
  EXPECT_EQ(seen, (std::vector<Seen>{{kOpenWindow, 0}, {kCloseWindow, 0}, {kCloseWindow, 0}}));
  EXPECT_TRUE(w.IsOpen());  // the loop ended; the procedure closes it
  w.Close();
  EXPECT_FALSE(w.IsOpen());
  ASSERT_TRUE(w.Open());  // and the definition opens again
  EXPECT_TRUE(w.Accept());
  EXPECT_EQ(w.Event(), kOpenWindow);
}

TEST(WindowLoop, TimerTicksAndSizeChangesReachTheLoop) {
  Window w(test::Load("Pair"));
  ASSERT_TRUE(w.Open());
  int ticks = 0;
  bool sized = false;
  RECT r{};
  GetWindowRect(w.Handle(), &r);
  while (w.Accept()) {
    if (w.Event() == kOpenWindow) zq::ui::input::MovedTo(w.Handle(), RECT{r.left, r.top, r.right + 40, r.bottom + 20});
    if (w.Event() == kSized) sized = true;
    if (w.Event() == kTimer && ++ticks == 3) w.End();
  }
  EXPECT_TRUE(sized);
  EXPECT_EQ(ticks, 3);
}

TEST(WindowLoop, PositionsComeBackInTheUnitsTheyWereSetIn) {
  Window w(test::Load("Pair"));
  ASSERT_TRUE(w.Open());
  // Enough neighbouring numbers that some of them round down to pixels and some up.
  for (int32_t n = 0; n < 12; ++n) {
    DlgRect at{7 + n, 11 + n, 600 + 13 * n, 300 + 7 * n};
    w.SetPosition(at);
    EXPECT_EQ(w.Position(), at) << n;
  }
}

TEST(WindowLoop, SizeLimitsHoldAfterTheUserResizes) {
  Window w(test::Load("Pair"));
  ASSERT_TRUE(w.Open());
  w.SetMinSize(150, 100);
  w.SetMaxSize(300, 200);
  RECT r{};
  GetWindowRect(w.Handle(), &r);
  zq::ui::input::MovedTo(w.Handle(), RECT{r.left, r.top, r.left + 10, r.top + 10});
  while (w.Accept() && w.Event() != kSized) {
  }
  RECT now{};
  GetWindowRect(w.Handle(), &now);
  RECT limit = zq::ui::DialogUnitsToPixels(w.Definition().font, RECT{0, 0, 150, 100});
  EXPECT_EQ(now.right - now.left, limit.right);
  EXPECT_EQ(now.bottom - now.top, limit.bottom);
}

TEST(WindowLoop, ANestedWindowTakesTheThreadsEventsAndTheOneBelowGetsThemWhenItCloses) {
  std::promise<DWORD> ready;
  std::promise<void> nestedOpen;
  std::vector<Seen> outer, inner;
  std::vector<bool> current;  // whether the window that runs is the thread's current one
  std::thread t([&] {
    Window main(test::Load("Pair"));
    current.push_back(CurrentWindow() == nullptr);
    ASSERT_TRUE(main.Open());
    current.push_back(CurrentWindow() == &main);
    ready.set_value(GetCurrentThreadId());
    while (main.Accept()) {
      if (!test::Interesting(main)) continue;
      outer.push_back({main.Event(), main.Field()});
      if (main.Event() == kOpenWindow) {
        Window nested(test::Load("Keys"));
        nested.Open(main.Handle());
        current.push_back(CurrentWindow() == &nested);
        nestedOpen.set_value();
        while (nested.Accept()) {
          if (!test::Interesting(nested)) continue;
          inner.push_back({nested.Event(), nested.Field()});
          if (nested.Event() == 0x401) nested.End();
        }
        nested.Close();
        current.push_back(CurrentWindow() == &main);
      }
      if (main.Event() == 0x402) main.End();
    }
    main.Close();
    current.push_back(CurrentWindow() == nullptr);
  });
  DWORD thread = ready.get_future().get();
  nestedOpen.get_future().get();
  Post(0x400, 0, thread);
  Post(0x401, 3, thread);
  Post(0x402, 0, thread);
  EXPECT_EQ(CurrentWindow(), nullptr);  // none of this thread's
  t.join();
  EXPECT_EQ(current, std::vector<bool>(5, true));
  EXPECT_EQ(inner, (std::vector<Seen>{{kOpenWindow, 0}, {0x400, 0}, {0x401, 3}}));
  // The job's end events the dialog took reach the window below once, in order, when it closes.
  EXPECT_EQ(outer, (std::vector<Seen>{{kOpenWindow, 0}, {0x400, 0}, {0x401, 3}, {0x402, 0}}));
}

TEST(WindowLoop, EventsPostedToAWindowAndToAControl) {
  Window w(test::Load("Pair"));
  ASSERT_TRUE(w.Open());
  std::thread other([&] {
    w.Post(0x420);
    w.PostAccepted(4, kDoubleClick);
  });
  other.join();
  std::vector<Seen> seen;
  uint32_t key = 0;
  while (w.Accept()) {
    if (!test::Interesting(w)) continue;
    seen.push_back({w.Event(), w.Field()});
    if (w.Event() == kAccepted) {
      key = w.Keycode();
      w.End();
    }
  }
  EXPECT_EQ(seen, (std::vector<Seen>{{kOpenWindow, 0}, {0x420, 0}, {kAccepted, 4}}));
  EXPECT_EQ(key, kDoubleClick);
  w.Close();
  EXPECT_FALSE(w.Post(0x400));
  EXPECT_FALSE(w.Accept());
}

TEST(WindowLoop, TheThreadsQuitEndsTheLoop) {
  Window w(test::Load("Pair"));
  ASSERT_TRUE(w.Open());
  PostQuitMessage(3);
  int events = 0;
  while (w.Accept()) ++events;
  EXPECT_GE(events, 1);  // the opened event came first
  MSG m;
  EXPECT_EQ(GetMessage(&m, 0, 0, 0), 0);  // the quit is kept for the loop outside
}

}  // namespace
}  // namespace zq::rt
