// Unloading the library with tickers still running: one ends at once, one is stuck in its
// host's callback. The unload must not wait for the stuck one, and no buffer is written after it.
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <string>

#include "frame/CVantor.h"
#include "timers/ZQThread.h"
#include "zqvantor/timers.h"

namespace {

std::promise<void> entered;
std::shared_future<void> release = std::promise<void>().get_future().share();
std::promise<void> releaser;
std::atomic<bool> returned{false};

int32_t Stuck(int32_t, int32_t) {
  static bool first = true;
  if (first) {
    first = false;
    entered.set_value();
    release.wait();
    returned = true;
  }
  return 0;
}

TEST(Unload, DeletesTimersWithoutWaitingForStuckTickers) {
  release = releaser.get_future().share();
  char stuckBuffer[] = "ABCDEF";
  char freeBuffer[] = "ABCDEF";
  int32_t stuck = TMCreate();
  int32_t running = TMCreate();
  ASSERT_EQ(TMTickerOn(stuck, 6, stuckBuffer, 3, 0, 6, 6, 0x400, 1, Stuck), 0);
  ASSERT_EQ(TMTickerOn(running, 6, freeBuffer, 3, 0, 6, 6, 0, 0, nullptr), 0);
  entered.get_future().wait();

  ZQThread::SetUnloading();
  CVantor::App().ExitInstance();
  EXPECT_FALSE(returned.load());  // the unload did not wait for the stuck callback
  const std::string stuckLeft(stuckBuffer), freeLeft(freeBuffer);

  releaser.set_value();
  while (!returned.load()) std::this_thread::yield();
  TMSleep(30);
  EXPECT_EQ(std::string(stuckBuffer), stuckLeft);
  EXPECT_EQ(std::string(freeBuffer), freeLeft);
}

}  // namespace
