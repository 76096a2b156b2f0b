#include <gtest/gtest.h>

#include "zqvantor/timers.h"

namespace {

class Timer {
 public:
  Timer() : h(TMCreate()) {}
  ~Timer() { TMDestroy(h); }
  const int32_t h;
};

TEST(TimerHandles, RegistryCodes) {
  Timer t;
  ASSERT_GT(t.h, 0);
  EXPECT_EQ(TMDestroy(0), 0);
  EXPECT_EQ(TMDestroy(65535), 0);  // in range, never given out
  EXPECT_EQ(TMDestroy(-1), -2);
  EXPECT_EQ(TMDestroy(65536), -2);
  int32_t gone = TMCreate();
  EXPECT_EQ(TMDestroy(gone), 0);
  EXPECT_EQ(TMDestroy(gone), 0);
}

TEST(TimerHandles, BadHandleGivesMinusOneEverywhere) {
  char buffer[4] = "abc";
  for (int32_t h : {0, -5, 65535, 65536}) {
    SCOPED_TRACE(h);
    EXPECT_EQ(TMStartTimer(h), -1);
    EXPECT_EQ(TMGetElapsedTime(h), -1);
    EXPECT_EQ(TMSuspendTimer(h), -1);
    EXPECT_EQ(TMResumeTimer(h), -1);
    EXPECT_EQ(TMSetWait(h, 10), -1);
    EXPECT_EQ(TMGetWait(h), -1);
    EXPECT_EQ(TMTickerOn(h, 3, buffer, 3, 0, 3, 10, 0, 0, nullptr), -1);
    EXPECT_EQ(TMTickerOff(h), -1);
  }
}

TEST(Stopwatch, ReadsZeroBeforeItsFirstStart) {
  Timer t;
  TMSleep(5);
  EXPECT_EQ(TMGetElapsedTime(t.h), 0);
  EXPECT_EQ(TMSuspendTimer(t.h), 0);
  EXPECT_EQ(TMResumeTimer(t.h), 0);
  EXPECT_EQ(TMGetElapsedTime(t.h), 0);
}

TEST(Stopwatch, CountsOnlyWhileRunning) {
  Timer t;
  ASSERT_EQ(TMStartTimer(t.h), 0);
  TMSleep(100);
  EXPECT_GE(TMGetElapsedTime(t.h), 100);
  int32_t atSuspension = TMSuspendTimer(t.h);
  EXPECT_GE(atSuspension, 100);
  TMSleep(100);
  EXPECT_EQ(TMGetElapsedTime(t.h), atSuspension);  // stands still while suspended
  EXPECT_EQ(TMSuspendTimer(t.h), atSuspension);    // a second suspension changes nothing
  ASSERT_EQ(TMResumeTimer(t.h), 0);
  TMSleep(100);
  int32_t resumed = TMGetElapsedTime(t.h);
  EXPECT_GE(resumed, atSuspension + 100);
  // A new start begins again from 0.
  TMStartTimer(t.h);
  EXPECT_LT(TMGetElapsedTime(t.h), resumed);
}

TEST(Wait, TrueWhileRunningThenFalseFromThenOn) {
  Timer t;
  EXPECT_EQ(TMGetWait(t.h), 0);  // none set
  ASSERT_EQ(TMSetWait(t.h, 600000), 0);
  EXPECT_EQ(TMGetWait(t.h), 1);
  EXPECT_EQ(TMGetWait(t.h), 1);
  TMSetWait(t.h, 1);
  TMSleep(20);
  EXPECT_EQ(TMGetWait(t.h), 0);
  EXPECT_EQ(TMGetWait(t.h), 0);
  TMSetWait(t.h, 0);
  EXPECT_EQ(TMGetWait(t.h), 0);
}

}  // namespace
