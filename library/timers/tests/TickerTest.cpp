#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <future>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "zqplatform/messages.h"
#include "zqvantor/timers.h"

namespace {

constexpr int32_t kFastInterval = 6;

// Collects what the buffer shows at each notification; the callback runs on the ticker's
// thread right after the step, so reading the buffer there is safe.
struct Recorder {
  const char* buffer = nullptr;
  size_t width = 0;
  size_t wanted = 0;
  std::vector<std::string> frames;
  std::promise<void> done;
  std::function<void()> onFrame;
};

std::mutex recordersLock;
std::map<int32_t, Recorder*> recorders;  // by message number

int32_t Record(int32_t message, int32_t /*threadId*/) {
  Recorder* r;
  {
    std::lock_guard g(recordersLock);
    r = recorders.at(message);
  }
  if (r->frames.size() < r->wanted) {
    r->frames.emplace_back(r->buffer, r->width);
    if (r->onFrame) r->onFrame();
    if (r->frames.size() == r->wanted) r->done.set_value();
  }
  return 0;
}

class Ticking {
 public:
  Ticking(int32_t message, Recorder& r) : message_(message) {
    std::lock_guard g(recordersLock);
    recorders[message] = &r;
  }
  ~Ticking() {
    TMDestroy(h);
    std::lock_guard g(recordersLock);
    recorders.erase(message_);
  }
  const int32_t h = TMCreate();

 private:
  int32_t message_;
};

struct ScrollCase {
  const char* name;
  const char* message;
  int32_t width;
  int32_t mode;
  std::vector<std::string> frames;  // what the window shows after each tick
};

TEST(Ticker, ScrollsAsMarqueeOrBouncingWindow) {
  const std::vector<ScrollCase> cases = {
      {"marquee", "ABCDEF", 3, 0, {"BCD", "CDE", "DEF", "EFA", "FAB", "ABC", "BCD"}},
      {"marquee as wide as its window", "ABC", 3, 0, {"BC ", "C  ", "   ", "  A", " AB", "ABC", "BC ", "C  "}},
      {"bouncing window", "ABCDEF", 3, 1, {"ABC", "BCD", "CDE", "DEF", "CDE", "BCD", "ABC", "BCD"}},
      {"bouncing message narrower than its window", "AB", 4, 2, {"AB  ", "AB  "}},
  };
  int32_t message = WM_USER + 100;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = std::string(c.message) + "xyz";
    std::vector<char> buffer(text.begin(), text.end());
    Recorder r;
    r.buffer = buffer.data();
    r.width = static_cast<size_t>(c.width);
    r.wanted = c.frames.size();
    Ticking t(++message, r);
    ASSERT_EQ(TMTickerOn(t.h, static_cast<int32_t>(buffer.size()), buffer.data(), c.width, c.mode,
                         static_cast<int32_t>(std::strlen(c.message)), kFastInterval, message, 1, Record),
              0);
    r.done.get_future().wait();
    ASSERT_EQ(TMTickerOff(t.h), 0);
    EXPECT_EQ(r.frames, c.frames);
    EXPECT_EQ(std::string(buffer.begin(), buffer.end()), text);  // put back, bytes past the width too
    EXPECT_EQ(TMTickerOff(t.h), 0);
  }
}

TEST(Ticker, SecondTickerOnKeepsTheRunningOne) {
  char first[] = "ABCDEF";
  char second[] = "zzzzzz";
  Recorder r;
  r.buffer = first;
  r.width = 3;
  r.wanted = 3;
  Ticking t(WM_USER + 200, r);
  ASSERT_EQ(TMTickerOn(t.h, 6, first, 3, 0, 6, kFastInterval, WM_USER + 200, 1, Record), 0);
  EXPECT_EQ(TMTickerOn(t.h, 6, second, 2, 1, 6, 500, WM_USER + 201, 1, nullptr), 0);
  r.done.get_future().wait();
  TMTickerOff(t.h);
  EXPECT_EQ(r.frames, (std::vector<std::string>{"BCD", "CDE", "DEF"}));
  EXPECT_STREQ(second, "zzzzzz");
  EXPECT_STREQ(first, "ABCDEF");
}

TEST(Ticker, RefusesBuffersItCannotScrollSafely) {
  char buffer[] = "ABCDEF";
  struct Refusal {
    const char* name;
    int32_t length;
    char* buffer;
    int32_t width;
    int32_t messageLength;
  };
  const std::vector<Refusal> cases = {
      {"null buffer", 6, nullptr, 3, 6},     {"length 0", 0, buffer, 3, 6},
      {"negative length", -6, buffer, 3, 6}, {"width beyond the buffer", 6, buffer, 7, 6},
      {"message beyond the buffer", 6, buffer, 3, 7},
  };
  int32_t h = TMCreate();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TMTickerOn(h, c.length, c.buffer, c.width, 0, c.messageLength, kFastInterval, 0, 0, nullptr), -1);
  }
  EXPECT_STREQ(buffer, "ABCDEF");
  TMDestroy(h);
}

TEST(Ticker, PostsToTheThreadWithoutCallback) {
  EnsureMessageQueue();
  char buffer[] = "ABCDEF";
  int32_t h = TMCreate();
  ASSERT_EQ(TMTickerOn(h, 6, buffer, 3, 0, 0, kFastInterval, WM_USER + 300,
                       static_cast<int32_t>(GetCurrentThreadId()), nullptr),
            0);
  MSG m;
  ASSERT_EQ(GetMessage(&m, 0, WM_USER + 300, WM_USER + 300), 1);
  EXPECT_EQ(m.hwnd, 0u);
  EXPECT_EQ(m.wParam, 0u);
  EXPECT_EQ(m.lParam, 0);
  TMTickerOff(h);
  EXPECT_STREQ(buffer, "ABCDEF");
  TMDestroy(h);
  while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
  }
}

TEST(Ticker, NotifiesNobodyWithoutMessageOrThreadAndDestroyLeavesBufferAlone) {
  // A ticker that reports its frames paces the ones that must stay silent.
  char paced[] = "ABCDEF";
  Recorder pace;
  pace.buffer = paced;
  pace.width = 3;
  pace.wanted = 10;
  Ticking pacer(WM_USER + 400, pace);
  std::atomic<int> silentCalls{0};
  static std::atomic<int>* calls;
  calls = &silentCalls;
  auto silentCallback = [](int32_t, int32_t) -> int32_t { return ++*calls; };

  char noMessage[] = "ABCDEF";
  char noThread[] = "ABCDEF";
  int32_t a = TMCreate();
  int32_t b = TMCreate();
  ASSERT_EQ(TMTickerOn(a, 6, noMessage, 3, 0, 6, kFastInterval, 0, 1, silentCallback), 0);
  ASSERT_EQ(TMTickerOn(b, 6, noThread, 3, 0, 6, kFastInterval, WM_USER + 401, 0, silentCallback), 0);
  ASSERT_EQ(TMTickerOn(pacer.h, 6, paced, 3, 0, 6, kFastInterval, WM_USER + 400, 1, Record), 0);
  pace.done.get_future().wait();
  EXPECT_EQ(TMDestroy(a), 0);
  EXPECT_EQ(TMDestroy(b), 0);
  EXPECT_EQ(silentCalls.load(), 0);
  // Destroying does not put the buffer back, and nothing writes to it afterwards.
  std::string left(noMessage);
  EXPECT_NE(left, "ABCDEF");
  TMSleep(5 * kFastInterval);
  EXPECT_EQ(std::string(noMessage), left);
}

TEST(Ticker, CallbackMayStopItsOwnTicker) {
  char buffer[] = "ABCDEF";
  Recorder r;
  r.buffer = buffer;
  r.width = 3;
  r.wanted = 2;
  Ticking t(WM_USER + 500, r);
  std::atomic<int32_t> offResult{-7};
  r.onFrame = [&] {
    if (r.frames.size() == 2) offResult = TMTickerOff(t.h);
  };
  ASSERT_EQ(TMTickerOn(t.h, 6, buffer, 3, 0, 6, kFastInterval, WM_USER + 500, 1, Record), 0);
  r.done.get_future().wait();
  EXPECT_EQ(offResult.load(), 0);
  EXPECT_STREQ(buffer, "ABCDEF");
  TMSleep(5 * kFastInterval);
  EXPECT_STREQ(buffer, "ABCDEF");
  EXPECT_EQ(r.frames.size(), 2u);
}

// A callback that reads its own timer, while the timer is destroyed from the host's thread
// or from that callback: the destroy ends the ticker without waiting on a thread that waits
// for it, and every reading the callback took named a live timer.
TEST(Ticker, DestroyEndsTickerWhoseCallbackUsesItsTimer) {
  struct Use {
    int32_t h = 0;
    bool destroyInCallback = false;
    std::mutex lock;
    std::vector<int32_t> readings;
    int32_t destroyed = -7;
    bool inCallback = false;
    std::promise<void> enough;
  };
  static Use* use;
  auto callback = [](int32_t, int32_t) -> int32_t {
    std::lock_guard g(use->lock);
    use->inCallback = true;
    use->readings.push_back(TMGetElapsedTime(use->h));
    if (use->readings.size() == 3) {
      if (use->destroyInCallback) {
        use->destroyed = TMDestroy(use->h);
        use->enough.set_value();
      } else {
        // The host destroys the timer meanwhile; the callback still reads it.
        use->enough.set_value();
        TMSleep(20);
        use->readings.push_back(TMGetElapsedTime(use->h));
      }
    }
    use->inCallback = false;
    return 0;
  };
  for (bool inCallback : {false, true}) {
    SCOPED_TRACE(inCallback ? "destroyed by its callback" : "destroyed by the host");
    Use u;
    use = &u;
    u.destroyInCallback = inCallback;
    char buffer[] = "ABCDEF";
    u.h = TMCreate();
    ASSERT_EQ(TMStartTimer(u.h), 0);
    ASSERT_EQ(TMTickerOn(u.h, 6, buffer, 3, 0, 6, kFastInterval, WM_USER + 600, 1, callback), 0);
    u.enough.get_future().wait();
    if (!inCallback) u.destroyed = TMDestroy(u.h);
    TMSleep(5 * kFastInterval);
    std::lock_guard g(u.lock);
    EXPECT_EQ(u.destroyed, 0);
    EXPECT_FALSE(u.inCallback);
    EXPECT_EQ(TMGetElapsedTime(u.h), -1);  // gone
    for (int32_t reading : u.readings) EXPECT_GE(reading, 0);
    // Destroyed by the callback, it stops at once; by the host, after the read in between.
    if (inCallback) {
      EXPECT_EQ(u.readings.size(), 3u);
    } else {
      EXPECT_GE(u.readings.size(), 4u);
    }
  }
}

}  // namespace
