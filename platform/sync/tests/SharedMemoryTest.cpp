#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <latch>
#include <string>
#include <thread>
#include <vector>

#include "zqplatform/sync.h"

using zq::sync::NamedMutex;
using zq::sync::SharedMemory;
using Status = SharedMemory::Status;

namespace {

// A name of this test run alone.
std::string Name(const char* what) { return std::string("zqsynctest_") + what + "_" + std::to_string(getpid()); }

TEST(SharedMemory, CreateOpenAndLifetime) {
  std::string name = Name("life");
  auto first = SharedMemory::Create(name, 100, zq::sync::PAGE_READWRITE);
  ASSERT_EQ(first.status, Status::Created);
  ASSERT_EQ(first.memory->size(), 100u);
  auto* bytes = static_cast<unsigned char*>(first.memory->data());
  for (std::size_t i = 0; i < 100; ++i) ASSERT_EQ(bytes[i], 0) << i;
  std::memcpy(bytes, "shared", 6);

  auto second = SharedMemory::Create(name, 100, zq::sync::PAGE_READWRITE);
  ASSERT_EQ(second.status, Status::Existed);
  EXPECT_EQ(std::memcmp(second.memory->data(), "shared", 6), 0);
  auto opened = SharedMemory::Open(name, 50);
  ASSERT_EQ(opened.status, Status::Existed);
  EXPECT_EQ(std::memcmp(opened.memory->data(), "shared", 6), 0);
  EXPECT_EQ(SharedMemory::Open(name, 101).status, Status::MapFailed);  // larger than the block
  EXPECT_EQ(SharedMemory::Create(name, 200, zq::sync::PAGE_READWRITE).status, Status::MapFailed);

  first.memory.reset();
  second.memory.reset();
  opened.memory.reset();
  EXPECT_EQ(SharedMemory::Open(name, 10).status, Status::OpenFailed);  // gone with its last user
  auto fresh = SharedMemory::Create(name, 100, zq::sync::PAGE_READWRITE);
  ASSERT_EQ(fresh.status, Status::Created);
  EXPECT_EQ(static_cast<unsigned char*>(fresh.memory->data())[0], 0);
}

TEST(SharedMemory, ProtectionsAndNames) {
  struct Case {
    uint32_t protection;
    Status status;
  };
  const Case cases[] = {
      {zq::sync::PAGE_READWRITE, Status::Created},   {zq::sync::PAGE_EXECUTE_READWRITE, Status::Created},
      {zq::sync::PAGE_WRITECOPY, Status::Created},   {zq::sync::PAGE_READONLY, Status::MapFailed},
      {zq::sync::PAGE_EXECUTE_READ, Status::MapFailed}, {0x1234, Status::CreateFailed},
  };
  for (const Case& c : cases) {
    auto made = SharedMemory::Create(Name("prot") + "/a\\b%c", 16, c.protection);
    EXPECT_EQ(made.status, c.status) << c.protection;
    EXPECT_EQ(made.memory != nullptr, c.status == Status::Created) << c.protection;
  }
  EXPECT_EQ(SharedMemory::Open(Name("never"), 10).status, Status::OpenFailed);
}

TEST(NamedMutex, RecursiveOwnedAndAbandoned) {
  DWORD error = 0;
  auto m = NamedMutex::CreateOrOpen(Name("mutex"), &error);
  ASSERT_TRUE(m);
  auto same = NamedMutex::CreateOrOpen(Name("mutex"), &error);
  ASSERT_TRUE(same);
  EXPECT_FALSE(m->Unlock());  // not held
  ASSERT_TRUE(m->Lock(1000));
  ASSERT_TRUE(same->Lock(1000));  // the same thread may take it again
  bool other = true;
  std::thread([&] { other = same->Lock(20); }).join();
  EXPECT_FALSE(other);
  EXPECT_TRUE(same->Unlock());
  EXPECT_TRUE(m->Unlock());
  EXPECT_FALSE(m->Unlock());

  std::thread([&] { EXPECT_TRUE(m->Lock(1000)); }).join();  // ends holding it
  EXPECT_TRUE(same->Lock(1000));
  EXPECT_TRUE(same->Unlock());
}

TEST(NamedMutex, MadeByManyThreadsAtOnceItStillSerialisesThem) {
  constexpr int kThreads = 8, kRounds = 50;
  for (int trial = 0; trial < 40; ++trial) {
    std::string name = Name("race") + "_" + std::to_string(trial);
    std::latch start(kThreads);
    std::atomic<bool> ok{true};
    int counter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
      threads.emplace_back([&] {
        start.arrive_and_wait();
        DWORD error = 0;
        auto m = NamedMutex::CreateOrOpen(name, &error);
        for (int i = 0; m && i < kRounds; ++i) {
          if (!m->Lock(5000)) break;
          int v = counter;
          std::this_thread::yield();
          counter = v + 1;
          m->Unlock();
        }
        if (!m) ok = false;
      });
    for (std::thread& t : threads) t.join();
    ASSERT_TRUE(ok) << trial;
    ASSERT_EQ(counter, kThreads * kRounds) << trial;
  }
}

TEST(NamedMutex, SerialisesTwoProcesses) {
  std::string name = Name("procs");
  DWORD error = 0;
  auto m = NamedMutex::CreateOrOpen(name, &error);
  auto block = SharedMemory::Create(name + "_data", sizeof(int), zq::sync::PAGE_READWRITE);
  ASSERT_TRUE(m && block.memory);
  int* counter = static_cast<int*>(block.memory->data());
  constexpr int kRounds = 2000;
  pid_t child = fork();
  ASSERT_GE(child, 0);
  auto work = [&](NamedMutex& mutex, int* c) {
    for (int i = 0; i < kRounds; ++i) {
      if (!mutex.Lock(5000)) return false;
      int v = *c;
      *c = v + 1;
      mutex.Unlock();
    }
    return true;
  };
  if (child == 0) {
    DWORD e = 0;
    auto cm = NamedMutex::CreateOrOpen(name, &e);
    auto cb = SharedMemory::Open(name + "_data", sizeof(int));
    bool ok = cm && cb.memory && work(*cm, static_cast<int*>(cb.memory->data()));
    _exit(ok ? 0 : 1);
  }
  EXPECT_TRUE(work(*m, counter));
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(*counter, 2 * kRounds);
}

}  // namespace
