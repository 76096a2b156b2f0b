#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <set>
#include <thread>
#include <vector>

#include "zqplatform/messages.h"

namespace {

// Runs body on a new thread that has a queue, and returns that thread's number once the
// queue exists; the thread ends when body returns.
class QueueThread {
 public:
  explicit QueueThread(std::function<void()> body) {
    std::promise<DWORD> ready;
    auto id = ready.get_future();
    thread_ = std::thread([&ready, body = std::move(body)] {
      EnsureMessageQueue();
      ready.set_value(GetCurrentThreadId());
      body();
    });
    id_ = id.get();
  }
  ~QueueThread() { Join(); }
  void Join() {
    if (thread_.joinable()) thread_.join();
  }
  DWORD Id() const { return id_; }

 private:
  std::thread thread_;
  DWORD id_ = 0;
};

void Drain() {
  MSG m;
  while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
  }
}

TEST(ThreadIds, NonZeroStableAndDistinct) {
  DWORD mine = GetCurrentThreadId();
  EXPECT_NE(mine, 0u);
  EXPECT_EQ(mine, GetCurrentThreadId());
  std::set<DWORD> seen{mine};
  for (int i = 0; i < 8; ++i) {
    DWORD other = 0;
    std::thread([&] { other = GetCurrentThreadId(); }).join();
    EXPECT_NE(other, 0u);
    EXPECT_TRUE(seen.insert(other).second);
  }
}

TEST(PostThreadMessage, FailsWithoutQueueAndAfterThreadEnds) {
  std::atomic<DWORD> noQueue{0};
  std::promise<void> posted;
  std::thread t([&] {
    noQueue = GetCurrentThreadId();
    posted.get_future().wait();
  });
  while (noQueue.load() == 0) std::this_thread::yield();
  EXPECT_FALSE(PostThreadMessage(noQueue, WM_USER, 0, 0));
  posted.set_value();
  t.join();

  QueueThread ended([] {});
  ended.Join();
  EXPECT_FALSE(PostThreadMessage(ended.Id(), WM_USER, 0, 0));
  EXPECT_FALSE(zq::msg::PostToThread(ended.Id(), MSG{7, WM_USER, 0, 0, 0, {0, 0}}));
  EXPECT_FALSE(PostThreadMessage(0, WM_USER, 0, 0));
}

// Destroyed after the thread's queue: its queue calls come too late.
struct LateCaller {
  int* getResult = nullptr;
  bool* postResult = nullptr;
  ~LateCaller() {
    MSG m;
    *getResult = GetMessage(&m, 0, 0, 0);
    *postResult = PostThreadMessage(GetCurrentThreadId(), WM_USER, 0, 0);
  }
};
thread_local LateCaller lateCaller;

TEST(GetMessage, QueueCallsAfterTheQueueIsFreedFindItClosed) {
  int getResult = 99;
  bool postResult = true;
  std::thread([&] {
    lateCaller.getResult = &getResult;
    lateCaller.postResult = &postResult;
    EnsureMessageQueue();
  }).join();
  EXPECT_EQ(getResult, 0);
  EXPECT_FALSE(postResult);
}

TEST(GetMessage, PostedInOrderWithWholeMessage) {
  EnsureMessageQueue();
  Drain();
  DWORD me = GetCurrentThreadId();
  ASSERT_TRUE(PostThreadMessage(me, WM_USER + 1, 10, -1));
  ASSERT_TRUE(zq::msg::PostToThread(me, MSG{42, WM_USER + 2, 20, 30, 0, {5, 6}}));
  MSG m{};
  ASSERT_EQ(GetMessage(&m, 0, 0, 0), 1);
  EXPECT_EQ(m.hwnd, 0u);
  EXPECT_EQ(m.message, WM_USER + 1);
  EXPECT_EQ(m.wParam, 10u);
  EXPECT_EQ(m.lParam, -1);
  ASSERT_EQ(GetMessage(&m, 0, 0, 0), 1);
  EXPECT_EQ(m.hwnd, 42u);
  EXPECT_EQ(m.message, WM_USER + 2);
  EXPECT_EQ(m.pt.x, 5);
  EXPECT_EQ(m.pt.y, 6);
  EXPECT_FALSE(PeekMessage(&m, 0, 0, 0, PM_REMOVE));
  EXPECT_EQ(GetMessage(nullptr, 0, 0, 0), -1);
}

struct FilterCase {
  const char* name;
  HWND hwnd;
  uint32_t min, max;
  std::vector<uint32_t> expected;  // messages taken, in order
};

TEST(PeekMessage, FiltersByWindowAndRange) {
  // Queue: thread WM_USER, window 7 WM_USER+1, window 8 WM_USER+2, thread WM_APP.
  const std::vector<FilterCase> cases = {
      {"any", 0, 0, 0, {WM_USER, WM_USER + 1, WM_USER + 2, WM_APP}},
      {"window 7", 7, 0, 0, {WM_USER + 1}},
      {"thread only", kThreadOnly, 0, 0, {WM_USER, WM_APP}},
      {"range", 0, WM_USER + 1, WM_USER + 2, {WM_USER + 1, WM_USER + 2}},
      {"single message", 0, WM_APP, WM_APP, {WM_APP}},
      {"reversed range", 0, WM_APP, WM_USER, {WM_USER, WM_APP}},
      {"window and range", 8, WM_USER, WM_USER + 1, {}},
  };
  EnsureMessageQueue();
  DWORD me = GetCurrentThreadId();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Drain();
    PostThreadMessage(me, WM_USER, 0, 0);
    zq::msg::PostToThread(me, MSG{7, WM_USER + 1, 0, 0, 0, {0, 0}});
    zq::msg::PostToThread(me, MSG{8, WM_USER + 2, 0, 0, 0, {0, 0}});
    PostThreadMessage(me, WM_APP, 0, 0);
    MSG m;
    ASSERT_EQ(PeekMessage(&m, c.hwnd, c.min, c.max, PM_NOREMOVE), !c.expected.empty());
    std::vector<uint32_t> taken;
    while (PeekMessage(&m, c.hwnd, c.min, c.max, PM_REMOVE)) taken.push_back(m.message);
    EXPECT_EQ(taken, c.expected);
  }
  Drain();
}

TEST(PostQuitMessage, ComesAfterPostedMessagesAndPassesAnyRange) {
  EnsureMessageQueue();
  Drain();
  PostQuitMessage(3);
  PostThreadMessage(GetCurrentThreadId(), WM_USER, 0, 0);
  MSG m;
  ASSERT_EQ(GetMessage(&m, 0, 0, 0), 1);
  EXPECT_EQ(m.message, WM_USER);
  ASSERT_TRUE(PeekMessage(&m, 0, WM_APP, WM_APP, PM_NOREMOVE));
  EXPECT_EQ(m.message, WM_QUIT);
  ASSERT_EQ(GetMessage(&m, 0, WM_APP, WM_APP), 0);
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 3u);
  EXPECT_FALSE(PeekMessage(&m, 0, 0, 0, PM_REMOVE));
}

TEST(WaitMessageFor, TimesOutEmptyAndWakesOnPost) {
  EnsureMessageQueue();
  Drain();
  EXPECT_FALSE(WaitMessageFor(0));
  EXPECT_FALSE(WaitMessageFor(20));
  DWORD me = GetCurrentThreadId();
  std::thread poster([me] { PostThreadMessage(me, WM_USER, 0, 0); });
  EXPECT_TRUE(WaitMessageFor(INFINITE));
  poster.join();
  Drain();
}

std::atomic<DWORD> windowSevenOwner{0};

TEST(PostMessage, GoesToTheOwningThreadWithItsWindow) {
  EXPECT_FALSE(PostMessage(7, WM_USER, 0, 0));  // no window model yet
  zq::msg::SetWindowOwner([](HWND hwnd) -> DWORD { return hwnd == 7 ? windowSevenOwner.load() : 0; });
  std::promise<MSG> got;
  QueueThread owner([&] {
    MSG m;
    GetMessage(&m, 7, 0, 0);
    got.set_value(m);
  });
  windowSevenOwner = owner.Id();
  EXPECT_FALSE(PostMessage(8, WM_USER, 0, 0));
  ASSERT_TRUE(PostMessage(7, WM_USER + 5, 1, 2));
  MSG m = got.get_future().get();
  EXPECT_EQ(m.hwnd, 7u);
  EXPECT_EQ(m.message, WM_USER + 5);
  EXPECT_EQ(m.wParam, 1u);
  EXPECT_EQ(m.lParam, 2);
  owner.Join();
  EXPECT_FALSE(PostMessage(7, WM_USER, 0, 0));  // its thread has ended
  zq::msg::SetWindowOwner(nullptr);
}

TEST(CallOnThread, RunsOnTargetInsideGetMessage) {
  std::atomic<DWORD> ranOn{0};
  QueueThread target([&] {
    MSG m;
    while (GetMessage(&m, 0, 0, 0) > 0) {
    }
  });
  std::promise<void> done;
  ASSERT_TRUE(zq::msg::CallOnThread(target.Id(), [&] {
    ranOn = GetCurrentThreadId();
    done.set_value();
  }));
  done.get_future().wait();
  EXPECT_EQ(ranOn.load(), target.Id());
  PostThreadMessage(target.Id(), WM_QUIT, 0, 0);
  target.Join();
  EXPECT_FALSE(zq::msg::CallOnThread(target.Id(), [] {}));
}

TEST(CallOnThread, PendingCallIsDestroyedUnrunWhenThreadEnds) {
  std::promise<void> release;
  QueueThread target([&] { release.get_future().wait(); });
  std::promise<int> result;
  auto future = result.get_future();
  ASSERT_TRUE(zq::msg::CallOnThread(target.Id(), [r = std::make_shared<std::promise<int>>(std::move(result))] {
    r->set_value(1);
  }));
  release.set_value();
  target.Join();
  EXPECT_THROW(future.get(), std::future_error);
}

TEST(PostThreadMessage, ManyPostersNothingLostOrDuplicatedOrderKeptPerSender) {
  constexpr int kSenders = 8;
  constexpr int kPerSender = 5000;
  std::vector<std::vector<LPARAM>> received(kSenders);
  QueueThread receiver([&] {
    MSG m;
    while (GetMessage(&m, 0, 0, 0) > 0) received[m.wParam].push_back(m.lParam);
  });
  std::vector<std::thread> senders;
  for (int s = 0; s < kSenders; ++s) {
    senders.emplace_back([s, id = receiver.Id()] {
      for (int i = 0; i < kPerSender; ++i) ASSERT_TRUE(PostThreadMessage(id, WM_USER, s, i));
    });
  }
  for (auto& t : senders) t.join();
  PostThreadMessage(receiver.Id(), WM_QUIT, 0, 0);
  receiver.Join();
  for (int s = 0; s < kSenders; ++s) {
    ASSERT_EQ(received[s].size(), static_cast<size_t>(kPerSender)) << "sender " << s;
    for (int i = 0; i < kPerSender; ++i) ASSERT_EQ(received[s][i], i) << "sender " << s;
  }
}

}  // namespace

namespace {

TEST(PostToThreadOnce, MergesOnlyIntoTheNewestEqualMessageForTheSameWindow) {
  EnsureMessageQueue();
  DWORD self = GetCurrentThreadId();
  auto post = [&](HWND hwnd, uint32_t message, LPARAM lParam) {
    EXPECT_TRUE(zq::msg::PostToThreadOnce(self, MSG{hwnd, message, 1, lParam, 0, {0, 0}}));
  };
  post(0, WM_USER + 0x10, 0);
  post(0, WM_USER + 0x10, 0);  // merged
  post(5, WM_USER + 0x10, 0);  // another window: its own
  post(0, WM_USER + 0x10, 7);  // other data
  post(0, WM_USER + 0x10, 0);  // the newest thread message differs: posted
  post(0, WM_USER + 0x10, 0);  // merged
  std::vector<std::pair<HWND, LPARAM>> got;
  MSG m;
  while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) got.emplace_back(m.hwnd, m.lParam);
  EXPECT_EQ(got, (std::vector<std::pair<HWND, LPARAM>>{{0, 0}, {5, 0}, {0, 7}, {0, 0}}));
  post(0, WM_USER + 0x10, 0);  // nothing waits now: posted again
  EXPECT_TRUE(PeekMessage(&m, 0, 0, 0, PM_REMOVE));
  EXPECT_FALSE(PeekMessage(&m, 0, 0, 0, PM_REMOVE));
}

}  // namespace
