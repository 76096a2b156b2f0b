#include "frame/Registry.h"

#include <gtest/gtest.h>

#include <exception>
#include <new>
#include <stdexcept>
#include <utility>

namespace {

struct Probe {
  static inline int alive = 0;
  Probe() { ++alive; }
  ~Probe() { --alive; }
};

using Objects = zqv::Registry<Probe, zqv::kObjectRules>;
using Timers = zqv::Registry<Probe, zqv::kTimerRules>;
using Databases = zqv::Registry<Probe, zqv::kDatabaseRules>;

TEST(Registry, HandsOutTheLowestFreeHandle) {
  Objects r;
  EXPECT_EQ(r.Create(), 1);
  EXPECT_EQ(r.Create(), 2);
  EXPECT_EQ(r.Create(), 3);
  EXPECT_EQ(r.Destroy(2), 0);
  EXPECT_EQ(r.Create(), 2);
  EXPECT_EQ(r.Destroy(3), 0);
  EXPECT_EQ(r.Destroy(2), 0);
  EXPECT_EQ(r.Create(), 2);
  EXPECT_EQ(r.Create(), 3);
  EXPECT_EQ(r.Create(), 4);
}

TEST(Registry, LookupCodes) {
  Objects objects;
  Timers timers;
  int32_t h = objects.Create();
  int32_t code = 77;
  EXPECT_NE(objects.Lookup(h, &code), nullptr);
  EXPECT_EQ(code, 0);
  struct Case {
    int32_t handle;
    int32_t code;
  };
  for (Case c : {Case{0, -2}, Case{-1, -2}, Case{65536, -2}, Case{INT32_MIN, -2}, Case{2, -3}, Case{65535, -3}}) {
    code = 77;
    EXPECT_EQ(objects.Lookup(c.handle, &code), nullptr) << c.handle;
    EXPECT_EQ(code, c.code) << c.handle;
  }
  // The timer look-up leaves the code word alone on success.
  h = timers.Create();
  code = 77;
  EXPECT_NE(timers.Lookup(h, &code), nullptr);
  EXPECT_EQ(code, 77);
  EXPECT_EQ(timers.Lookup(65535, &code), nullptr);
  EXPECT_EQ(code, -3);
  // Databases accept one handle more than they give out.
  Databases databases;
  for (Case c : {Case{4096, -3}, Case{4097, -2}, Case{0, -2}}) {
    EXPECT_EQ(databases.Lookup(c.handle, &code), nullptr) << c.handle;
    EXPECT_EQ(code, c.code) << c.handle;
  }
}

TEST(Registry, DestroyCodesDifferByFamily) {
  Objects objects;
  Timers timers;
  Databases databases;
  int32_t s = objects.Create();
  EXPECT_EQ(objects.Destroy(s), 0);
  EXPECT_EQ(objects.Destroy(s), -3);
  int32_t t = timers.Create();
  EXPECT_EQ(timers.Destroy(t), 0);
  EXPECT_EQ(timers.Destroy(t), 0);
  EXPECT_EQ(timers.Destroy(65535), 0);
  EXPECT_EQ(databases.Destroy(4096), 0);
  EXPECT_EQ(databases.Destroy(4097), -2);
  for (int32_t h : {0}) {
    EXPECT_EQ(objects.Destroy(h), 0);
    EXPECT_EQ(timers.Destroy(h), 0);
  }
  for (int32_t h : {-1, 65536}) {
    EXPECT_EQ(objects.Destroy(h), -2);
    EXPECT_EQ(timers.Destroy(h), -2);
  }
}

TEST(Registry, FillsToTheFamilyLimitQuickly) {
  Objects objects;
  for (int32_t i = 1; i <= 65535; ++i) ASSERT_EQ(objects.Create(), i);
  EXPECT_EQ(objects.Create(), -1);
  EXPECT_EQ(objects.Destroy(40000), 0);
  EXPECT_EQ(objects.Create(), 40000);
  EXPECT_EQ(objects.Create(), -1);

  Timers timers;
  for (int32_t i = 1; i <= 65534; ++i) ASSERT_EQ(timers.Create(), i);
  EXPECT_EQ(timers.Create(), -1);

  Databases databases;
  for (int32_t i = 1; i <= 4095; ++i) ASSERT_EQ(databases.Create(), i);
  EXPECT_EQ(databases.Create(), -1);
}

TEST(Registry, OwnsItsObjects) {
  {
    Objects r;
    r.Create();
    r.Create();
    int32_t h = r.Create();
    EXPECT_EQ(Probe::alive, 3);
    r.Destroy(h);
    EXPECT_EQ(Probe::alive, 2);
    r.DeleteAll();
    EXPECT_EQ(Probe::alive, 0);
    EXPECT_EQ(r.Create(), 1);
  }
  EXPECT_EQ(Probe::alive, 0);
}

// Its construction throws while a failure is armed.
struct Fragile {
  static inline std::exception_ptr failure;
  Fragile() {
    if (failure) std::rethrow_exception(std::exchange(failure, nullptr));
  }
};

TEST(Registry, AFailedConstructionLeavesItsHandleFree) {
  zqv::Registry<Fragile, zqv::kObjectRules> r;
  ASSERT_EQ(r.Create(), 1);
  Fragile::failure = std::make_exception_ptr(std::bad_alloc());
  EXPECT_EQ(r.Create(), -1);
  Fragile::failure = std::make_exception_ptr(std::runtime_error("no thread"));
  EXPECT_THROW(r.Create(), std::runtime_error);
  int32_t code = 0;
  EXPECT_EQ(r.Lookup(2, &code), nullptr);
  EXPECT_EQ(code, -3);
  EXPECT_EQ(r.Create(), 2);
}

TEST(HandlePool, ReleaseOutOfOrderKeepsLowestFirst) {
  zqv::HandlePool pool(5);
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(pool.Take(), i);
  EXPECT_EQ(pool.Take(), -1);
  pool.Release(5);
  pool.Release(3);
  pool.Release(4);
  pool.Release(1);
  EXPECT_EQ(pool.Take(), 1);
  EXPECT_EQ(pool.Take(), 3);
  EXPECT_EQ(pool.Take(), 4);
  EXPECT_EQ(pool.Take(), 5);
  EXPECT_EQ(pool.Take(), -1);
}

}  // namespace
