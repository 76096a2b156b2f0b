#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <string>

#include "zqplatform/messages.h"
#include "zqruntime/threads.h"

namespace {

using zq::rt::CurrentThread;
using zq::rt::StartThread;

constexpr uint32_t kReport = WM_USER + 1;
constexpr uint32_t kPing = WM_USER + 2;

std::atomic<uint32_t> g_caller{0};
std::string g_received;  // written by the worker before it reports

// Stores its parameter and reports its own number to the caller.
void Receive(std::string_view parameter) {
  g_received.assign(parameter);
  PostThreadMessage(g_caller, kReport, CurrentThread(), 0);
}

// Waits for a posted ping and answers it with the ping's value plus one.
void Echo(std::string_view) {
  MSG msg{};
  if (GetMessage(&msg, kThreadOnly, kPing, kPing) == 1) {
    PostThreadMessage(g_caller, kReport, msg.wParam + 1, 0);
  }
}

void Throw(std::string_view) { throw 1; }

// A job whose guard posts its end event, failing half-way.
void FailingJob(std::string_view) {
  struct EndEvent {
    ~EndEvent() { PostThreadMessage(g_caller, kReport, CurrentThread(), 0); }
  } end;
  throw std::runtime_error("disk gone");
}

MSG WaitReport() {
  MSG msg{};
  EXPECT_EQ(GetMessage(&msg, kThreadOnly, kReport, kReport), 1);
  return msg;
}

TEST(Threads, ParameterCarriesEveryByteAndNumberMatchesThePlatform) {
  g_caller = CurrentThread();
  EnsureMessageQueue();
  const std::string cases[] = {
      std::string(),
      std::string("ROOT\0\0\0\x01\x02\x03\x04", 11),
      std::string(260, '\0'),
      std::string("\xFE\xFD\xFC\xFB plain", 9),
  };
  for (const std::string& parameter : cases) {
    const uint32_t number = StartThread(Receive, parameter);
    ASSERT_NE(number, 0u);
    EXPECT_NE(number, CurrentThread());
    const MSG report = WaitReport();
    EXPECT_EQ(report.wParam, number);
    EXPECT_EQ(g_received, parameter);
  }
}

TEST(Threads, StartedThreadReceivesPostsAtOnce) {
  g_caller = CurrentThread();
  EnsureMessageQueue();
  const uint32_t number = StartThread(Echo);
  ASSERT_NE(number, 0u);
  ASSERT_TRUE(PostThreadMessage(number, kPing, 41, 0));
  EXPECT_EQ(WaitReport().wParam, 42u);
}

TEST(Threads, RefusedAndFailingProcedures) {
  EXPECT_EQ(StartThread(nullptr, "x"), 0u);
  // A procedure that fails ends its thread only; the next start still works.
  EXPECT_NE(StartThread(Throw), 0u);
  g_caller = CurrentThread();
  EnsureMessageQueue();
  const uint32_t number = StartThread(Receive, "after");
  EXPECT_EQ(WaitReport().wParam, number);
  EXPECT_EQ(g_received, "after");
}

TEST(Threads, AnExceptionEndsTheThreadLoggedAfterItsGuardPostedTheEndEvent) {
  g_caller = CurrentThread();
  EnsureMessageQueue();
  testing::internal::CaptureStderr();
  const uint32_t number = StartThread(FailingJob);
  ASSERT_NE(number, 0u);
  EXPECT_EQ(WaitReport().wParam, number);
  // It counts as ended: its queue is gone.
  bool ended = false;
  for (int i = 0; i < 2000 && !ended; ++i) {
    ended = !PostThreadMessage(number, kPing, 0, 0);
    if (!ended) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(ended);
  EXPECT_NE(log.find("thread " + std::to_string(number) + " ended by an exception: disk gone"), std::string::npos) << log;
}

}  // namespace
