// A window opened while another window of its thread is open is modal on that thread: the
// window below refuses input until it closes (nothing is kept to be replayed), windows of
// other threads go on working, and the program events the nested window took reach the
// window below once it closes. Equal status events merge while they wait; others never do.
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "TestWindows.h"
#include "zqplatform/uiinput.h"

namespace zq::rt {
namespace {

using test::Seen;

// The events the loop sees until the queue is empty (timer ticks and focus left out).
std::vector<Seen> Drain(Window& w) {
  std::vector<Seen> seen;
  w.Post(0x7FF);  // the last event of the batch
  while (w.Accept()) {
    if (!test::Interesting(w)) continue;
    if (w.Event() == 0x7FF) break;
    seen.push_back({w.Event(), w.Field()});
  }
  return seen;
}

class NestedWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(main.Open());
    ASSERT_TRUE(main.Focus(2));
    EXPECT_EQ(Drain(main), (std::vector<Seen>{{kOpenWindow, 0}}));
  }
  Window main{test::Load("Pair")};
};

TEST_F(NestedWindow, InputToTheWindowBelowIsRefusedNotReplayed) {
  {
    Window nested(test::Load("Keys"));
    ASSERT_TRUE(nested.Open(main.Handle()));
    EXPECT_FALSE(IsWindowEnabled(main.Handle()));
    EXPECT_FALSE(zq::ui::input::Click(main.ControlHandle(1)));
    EXPECT_FALSE(zq::ui::input::KeyPress(main.ControlHandle(2), 'A'));
    EXPECT_FALSE(zq::ui::input::DoubleClick(main.ControlHandle(4)));
    EXPECT_FALSE(zq::ui::input::Choose(main.ControlHandle(4), 0));
    EXPECT_FALSE(zq::ui::input::CloseRequest(main.Handle()));
    // The nested window itself takes input.
    EXPECT_TRUE(zq::ui::input::Click(nested.ControlHandle(4)));
    EXPECT_EQ(Drain(nested), (std::vector<Seen>{{kOpenWindow, 0}, {kAccepted, 4}}));
    nested.Close();
  }
  EXPECT_TRUE(IsWindowEnabled(main.Handle()));
  EXPECT_EQ(main.Focused(), 2);  // back where it was
  EXPECT_TRUE(Drain(main).empty());
  EXPECT_TRUE(zq::ui::input::Click(main.ControlHandle(1)));
  EXPECT_EQ(Drain(main), (std::vector<Seen>{{kAccepted, 1}}));
}

TEST_F(NestedWindow, WindowsOfOtherThreadsStayUsable) {
  Window nested(test::Load("Keys"));
  ASSERT_TRUE(nested.Open(main.Handle()));
  std::promise<HWND> opened;
  std::vector<Seen> seen;
  std::thread other([&] {
    Window w(test::Load("Pair"));
    ASSERT_TRUE(w.Open(main.Handle()));  // owned by a window of another thread: not modal to it
    opened.set_value(w.Handle());
    while (w.Accept()) {
      if (!test::Interesting(w)) continue;
      seen.push_back({w.Event(), w.Field()});
      if (w.Event() == kAccepted) w.End();
    }
    w.Close();
  });
  HWND w = opened.get_future().get();
  EXPECT_TRUE(IsWindowEnabled(w));
  EXPECT_TRUE(zq::ui::input::Click(GetDlgItem(w, 1)));
  other.join();
  EXPECT_EQ(seen, (std::vector<Seen>{{kOpenWindow, 0}, {kAccepted, 1}}));
  EXPECT_FALSE(IsWindowEnabled(main.Handle()));
  nested.Close();
  EXPECT_TRUE(IsWindowEnabled(main.Handle()));
}

TEST_F(NestedWindow, AJobsEndEventReachesTheLoopBelowOnceAfterTheNestedWindowCloses) {
  DWORD self = GetCurrentThreadId();
  {
    // A text box that ends on the job's end event and takes it.
    Window box(test::Load("Keys"));
    ASSERT_TRUE(box.Open(main.Handle()));
    ASSERT_TRUE(Post(0x400, 0, self));
    std::vector<Seen> seen;
    while (box.Accept()) {
      if (!test::Interesting(box)) continue;
      seen.push_back({box.Event(), box.Field()});
      if (box.Event() == 0x400) box.End();
    }
    box.Close();
    EXPECT_EQ(seen, (std::vector<Seen>{{kOpenWindow, 0}, {0x400, 0}}));
  }
  {
    // A dialog that ends before reading the event: it waits for the loop below in the queue.
    Window dialog(test::Load("Keys"));
    ASSERT_TRUE(dialog.Open(main.Handle()));
    ASSERT_TRUE(Post(0x401, 0, self));
    dialog.Close();
  }
  EXPECT_EQ(Drain(main), (std::vector<Seen>{{0x400, 0}, {0x401, 0}}));
}

TEST_F(NestedWindow, StatusEventsMergeWhileTheyWaitAndJobEndEventsNever) {
  MergeWhilePending(0x410);
  DWORD self = GetCurrentThreadId();
  std::thread scan([&] {
    for (int i = 0; i < 1000; ++i) {
      Post(0x410, 0, self);
      if (i == 500) {
        Post(0x400, 0, self);
        Post(0x400, 0, self);
      }
    }
    Post(0x410, 9, self);  // with data: never merged
    Post(0x410, 9, self);
  });
  scan.join();
  EXPECT_EQ(Drain(main), (std::vector<Seen>{{0x410, 0}, {0x400, 0}, {0x400, 0}, {0x410, 0}, {0x410, 9}, {0x410, 9}}));
  // Once the loop took it, the next one is posted again.
  Post(0x410, 0, self);
  EXPECT_EQ(Drain(main), (std::vector<Seen>{{0x410, 0}}));
}

}  // namespace
}  // namespace zq::rt
