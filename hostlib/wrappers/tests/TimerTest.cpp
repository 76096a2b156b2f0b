#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "hostlib/Wrappers.h"

namespace {

TEST(Timer, StartElapsedAndWait) {
  TIMER t;
  EXPECT_EQ(t.START(), 0);
  EXPECT_EQ(t.INTERROR, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_GE(t.ELAPSED(), 25);
  EXPECT_EQ(t.INTERROR, 0);
  t.SETWAIT(10000);
  EXPECT_EQ(t.GETWAIT(), 1);
  t.SETWAIT(1);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(t.GETWAIT(), 0);
  EXPECT_EQ(t.INTERROR, 0);
}

TEST(Timer, ABadHandleLeavesMinusOne) {
  TIMER t;
  t.DESTRUCT();
  EXPECT_EQ(t.TMHANDLE, 0);
  EXPECT_EQ(t.START(), -1);
  EXPECT_EQ(t.INTERROR, -1);
  EXPECT_EQ(t.ELAPSED(), -1);
  EXPECT_EQ(t.GETWAIT(), -1);
  t.SETWAIT(5);
  EXPECT_EQ(t.INTERROR, -1);  // untouched
}

}  // namespace
