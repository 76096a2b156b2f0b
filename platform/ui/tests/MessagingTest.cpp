// Window procedures, sends across threads, modal loops and many posting threads.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>
#include <vector>

#include "zqplatform/uimodel.h"

namespace {

constexpr uint32_t kPing = WM_USER + 1;

// A thread that owns one window and runs its message loop until the window is destroyed.
class OwnerThread {
 public:
  explicit OwnerThread(WNDPROC proc) {
    std::atomic<bool> ready{false};
    thread_ = std::thread([&, proc] {
      hwnd_ = CreateWindowExA(0, "owner", WS_POPUP, 0, 0, 10, 10, 0, 0, proc);
      thread_id_ = GetCurrentThreadId();
      ready = true;
      MSG m;
      while (IsWindow(hwnd_) && GetMessage(&m, 0, 0, 0) > 0) DispatchMessage(&m);
    });
    while (!ready) std::this_thread::yield();
  }
  ~OwnerThread() {
    PostMessage(hwnd_, WM_CLOSE, 0, 0);
    thread_.join();
  }
  HWND hwnd() const { return hwnd_; }
  DWORD id() const { return thread_id_; }

 private:
  std::thread thread_;
  HWND hwnd_ = 0;
  DWORD thread_id_ = 0;
};

TEST(Messaging, SendRunsOnTheOwningThread) {
  std::atomic<DWORD> ranOn{0};
  OwnerThread owner([&](HWND h, uint32_t m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == kPing) {
      ranOn = GetCurrentThreadId();
      return static_cast<LRESULT>(w * 2 + l);
    }
    return DefWindowProc(h, m, w, l);
  });
  EXPECT_EQ(SendMessage(owner.hwnd(), kPing, 20, 2), 42);
  EXPECT_EQ(ranOn.load(), owner.id());
  EXPECT_EQ(SendMessage(0x7FFFFF00, kPing, 1, 1), 0);
}

TEST(Messaging, TwoThreadsSendingToEachOtherDoNotDeadlock) {
  HWND mine = CreateWindowExA(0, "mine", WS_POPUP, 0, 0, 10, 10, 0, 0,
                              [](HWND h, uint32_t m, WPARAM w, LPARAM l) -> LRESULT {
                                return m == kPing ? 7 : DefWindowProc(h, m, w, l);
                              });
  OwnerThread owner([mine](HWND h, uint32_t m, WPARAM w, LPARAM l) -> LRESULT {
    // Handling our message, the owner sends back to the waiting thread.
    if (m == kPing) return SendMessage(mine, kPing, 0, 0) + 1;
    return DefWindowProc(h, m, w, l);
  });
  EXPECT_EQ(SendMessage(owner.hwnd(), kPing, 0, 0), 8);
  DestroyWindow(mine);
}

TEST(Messaging, SendToAThreadThatEndsReturnsZero) {
  HWND orphan = 0;
  std::thread([&] { orphan = CreateWindowExA(0, "orphan", WS_POPUP, 0, 0, 1, 1, 0, 0, nullptr); }).join();
  EXPECT_EQ(SendMessage(orphan, kPing, 0, 0), 0);
  DestroyWindow(orphan);
}

TEST(Messaging, ModalLoopEndsOnRequestFromAnotherThread) {
  HWND dlg = CreateWindowExA(0, "dlg", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, 0, 0, nullptr);
  std::thread ender([dlg] { EndDialog(dlg, 17); });
  EXPECT_EQ(zq::ui::RunModal(dlg), 17);
  ender.join();
  // WM_QUIT ends it too, and stays for the outer loop.
  PostQuitMessage(3);
  EXPECT_EQ(zq::ui::RunModal(dlg), -1);
  MSG m;
  EXPECT_EQ(GetMessage(&m, 0, 0, 0), 0);
  DestroyWindow(dlg);
  EXPECT_EQ(zq::ui::RunModal(dlg), -1);
}

TEST(Messaging, PostsFromManyThreadsAllArriveInOrderPerSender) {
  constexpr int kSenders = 8;
  constexpr int kEach = 2000;
  std::map<LPARAM, std::vector<WPARAM>> seen;
  HWND target = CreateWindowExA(0, "target", WS_POPUP, 0, 0, 1, 1, 0, 0,
                                [&](HWND h, uint32_t m, WPARAM w, LPARAM l) -> LRESULT {
                                  if (m == kPing) seen[l].push_back(w);
                                  return DefWindowProc(h, m, w, l);
                                });
  std::vector<std::thread> senders;
  for (int s = 0; s < kSenders; ++s) {
    senders.emplace_back([target, s] {
      for (int i = 0; i < kEach; ++i) ASSERT_TRUE(PostMessage(target, kPing, static_cast<WPARAM>(i), s));
    });
  }
  for (auto& t : senders) t.join();
  MSG m;
  while (PeekMessage(&m, target, 0, 0, PM_REMOVE)) DispatchMessage(&m);
  ASSERT_EQ(seen.size(), static_cast<std::size_t>(kSenders));
  for (auto& [sender, values] : seen) {
    ASSERT_EQ(values.size(), static_cast<std::size_t>(kEach)) << sender;
    for (int i = 0; i < kEach; ++i) ASSERT_EQ(values[i], static_cast<WPARAM>(i)) << sender;
  }
  DestroyWindow(target);
}

TEST(Messaging, DispatchOnlyOnTheOwningThread) {
  int calls = 0;
  HWND w = CreateWindowExA(0, "w", WS_POPUP, 0, 0, 1, 1, 0, 0, [&](HWND, uint32_t, WPARAM, LPARAM) -> LRESULT {
    return ++calls;
  });
  MSG m{w, kPing, 0, 0, 0, {0, 0}};
  std::thread([&] { EXPECT_EQ(DispatchMessage(&m), 0); }).join();
  EXPECT_EQ(DispatchMessage(&m), 1 + 1);  // WM_CREATE was the first call
  EXPECT_EQ(DispatchMessage(nullptr), 0);
  DestroyWindow(w);
}

}  // namespace
