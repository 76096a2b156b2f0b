#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <future>
#include <string>
#include <thread>

#include "files/FileCodes.h"
#include "zqtest/HostCalls.h"
#include "zqvantor/files.h"

using namespace zqv::files;

namespace {

using zqtest::Len;

constexpr uint32_t kReadWrite = 4;

std::string ViewName(const char* what) { return std::string("zqviewtest ") + what + " " + std::to_string(getpid()); }
struct FileHandle {
  int32_t h = FICreate();
  ~FileHandle() { FIDestroy(h); }
};

// One line of a pipe between the two processes, to take turns.
struct Turns {
  int toChild[2];
  int toParent[2];
  Turns() {
    EXPECT_EQ(pipe(toChild), 0);
    EXPECT_EQ(pipe(toParent), 0);
  }
  ~Turns() {
    for (int fd : {toChild[0], toChild[1], toParent[0], toParent[1]}) close(fd);
  }
  static void Say(int fd, char c) { EXPECT_EQ(write(fd, &c, 1), 1); }
  static char Hear(int fd) {
    char c = 0;
    return read(fd, &c, 1) == 1 ? c : 0;
  }
};

TEST(Views, TwoProcessesPassTextsThroughThePipeAndThePointer) {
  std::string name = ViewName("pipe");
  FileHandle f;
  ASSERT_EQ(FIMemCreateView(f.h, Len(name), name.c_str(), 100, kReadWrite), 0);
  Turns turns;
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // The second process: its own file object on the same name.
    int32_t h = FICreate();
    bool ok = FIMemCreateView(h, Len(name), name.c_str(), 100, kReadWrite) == 1;
    ok = ok && FIMemWritePipe(h, 10, "0123456789", -1) == 10;
    Turns::Say(turns.toParent[1], ok ? 'w' : 'x');
    // Then a text by pointer, under the mutex.
    Turns::Hear(turns.toChild[0]);
    int32_t code = -1;
    auto* start = static_cast<char*>(FIMemGetPointer(h, &code));
    ok = ok && start && code == 0 && FIMemLock(h) == 1;
    if (ok) {
      const char text[] = "by pointer";
      std::memcpy(start + 4, text, sizeof text - 1);
      int32_t len = sizeof text - 1;
      std::memcpy(start, &len, 4);
      ok = FIMemUnlock(h) == 1;
    }
    Turns::Say(turns.toParent[1], ok ? 'p' : 'x');
    Turns::Hear(turns.toChild[0]);
    FIMemCloseView(h);
    _exit(ok ? 0 : 1);
  }
  ASSERT_EQ(Turns::Hear(turns.toParent[0]), 'w');
  EXPECT_EQ(FIMemDataLen(f.h), 10);
  EXPECT_EQ(FIMemWritePipe(f.h, 3, "abc", -1), kViewHoldsData);
  char buf[100];
  EXPECT_EQ(FIMemReadPipe(f.h, 4, buf, -1), 4);
  EXPECT_EQ(std::string(buf, 4), "0123");
  EXPECT_EQ(FIMemDataLen(f.h), 6);
  EXPECT_EQ(FIMemReadPipe(f.h, 100, buf, 100), 6);
  EXPECT_EQ(std::string(buf, 6), "456789");
  EXPECT_EQ(FIMemReadPipe(f.h, 100, buf, -1), 0);
  EXPECT_EQ(FIMemWritePipe(f.h, 3, "abc", 3), 3);
  EXPECT_EQ(FIMemBufReset(f.h), 0);

  Turns::Say(turns.toChild[1], 'g');
  ASSERT_EQ(Turns::Hear(turns.toParent[0]), 'p');
  ASSERT_EQ(FIMemLock(f.h), 1);
  int32_t code = -1;
  auto* start = static_cast<const char*>(FIMemGetPointer(f.h, &code));
  ASSERT_NE(start, nullptr);
  int32_t len = 0;
  std::memcpy(&len, start, 4);
  EXPECT_EQ(std::string(start + 4, static_cast<std::size_t>(len)), "by pointer");
  EXPECT_EQ(FIMemUnlock(f.h), 1);
  EXPECT_EQ(FIMemDataLen(f.h), 10);
  Turns::Say(turns.toChild[1], 'e');
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(Views, OneObjectsViewRules) {
  std::string name = ViewName("rules");
  FileHandle f;
  char buf[200];
  std::memset(buf, 'z', sizeof buf);
  int32_t code = 0;
  const std::pair<const char*, int32_t> noView[] = {
      {"close", FIMemCloseView(f.h)},        {"lock", FIMemLock(f.h)},
      {"unlock", FIMemUnlock(f.h)},          {"length", FIMemDataLen(f.h)},
      {"reset", FIMemBufReset(f.h)},         {"read", FIMemReadPipe(f.h, 10, buf, -1)},
      {"write", FIMemWritePipe(f.h, 10, buf, -1)},
  };
  for (auto& [what, result] : noView) EXPECT_EQ(result, kNoView) << what;
  EXPECT_EQ(FIMemGetPointer(f.h, &code), nullptr);
  EXPECT_EQ(code, kNoView);
  EXPECT_EQ(FIMemOpenView(f.h, Len(name), name.c_str(), 100), kOpenMappingFailed);

  ASSERT_EQ(FIMemCreateView(f.h, Len(name), name.c_str(), 100, kReadWrite), 0);
  EXPECT_EQ(FIMemCreateView(f.h, Len(name), name.c_str(), 100, kReadWrite), kHasView);
  EXPECT_EQ(FIMemOpenView(f.h, Len(name), name.c_str(), 100), kHasView);
  EXPECT_EQ(FIMemWritePipe(f.h, 150, buf, -1), 100);  // as much as the view holds
  EXPECT_EQ(FIMemDataLen(f.h), 100);
  EXPECT_EQ(FIMemReadPipe(f.h, 10, buf, 0), kBadCount);
  EXPECT_EQ(FIMemWritePipe(f.h, 10, buf, -7), kBadCount);
  EXPECT_EQ(FIMemUnlock(f.h), 0);  // not held by this thread
  EXPECT_EQ(FIMemLock(f.h), 1);
  EXPECT_EQ(FIMemLock(f.h), 1);  // taken again by its holder
  EXPECT_EQ(FIMemUnlock(f.h), 1);
  EXPECT_EQ(FIMemUnlock(f.h), 1);

  // A second object opens the same view; blanks around the name do not count.
  FileHandle g;
  std::string padded = "  " + name + " ";
  EXPECT_EQ(FIMemOpenView(g.h, Len(padded), padded.c_str(), 101), kMapViewFailed);  // larger than the creator's
  ASSERT_EQ(FIMemOpenView(g.h, Len(padded), padded.c_str(), 50), 0);
  EXPECT_EQ(FIMemDataLen(g.h), 100);
  EXPECT_EQ(FIMemReadPipe(g.h, 200, buf, -1), 50);
  EXPECT_EQ(FIMemDataLen(f.h), 50);

  // A thread that ends holding the mutex leaves it to the next taker.
  std::thread([&] { EXPECT_EQ(FIMemLock(g.h), 1); }).join();
  EXPECT_EQ(FIMemLock(f.h), 1);
  EXPECT_EQ(FIMemUnlock(f.h), 1);

  EXPECT_EQ(FIMemCloseView(f.h), 0);
  EXPECT_EQ(FIMemCloseView(f.h), kNoView);
  EXPECT_EQ(FIMemCloseView(g.h), 0);
  // After the last close a new create starts from an empty block.
  ASSERT_EQ(FIMemCreateView(f.h, Len(name), name.c_str(), 100, kReadWrite), 0);
  EXPECT_EQ(FIMemDataLen(f.h), 0);
  EXPECT_EQ(FIMemCloseView(f.h), 0);
  // A protection without write access gives a view that cannot be mapped; the object stays usable.
  EXPECT_EQ(FIMemCreateView(f.h, Len(name), name.c_str(), 100, 2), kMapViewFailed);
  EXPECT_EQ(FIMemCreateView(f.h, Len(name), name.c_str(), 100, kReadWrite), 0);
}

TEST(Views, AMutexHeldElsewhereRefusesLockAndPipe) {
  std::string name = ViewName("held");
  FileHandle f, g;
  ASSERT_EQ(FIMemCreateView(f.h, Len(name), name.c_str(), 16, kReadWrite), 0);
  ASSERT_EQ(FIMemOpenView(g.h, Len(name), name.c_str(), 16), 0);
  std::promise<void> taken, done;
  std::thread holder([&] {
    EXPECT_EQ(FIMemLock(g.h), 1);
    taken.set_value();
    done.get_future().wait();
    EXPECT_EQ(FIMemUnlock(g.h), 1);
  });
  taken.get_future().wait();
  char buf[4] = {'a', 'b', 'c', 'd'};
  struct Case {
    const char* what;
    int32_t result, expected;
  };
  const Case cases[] = {
      {"lock", FIMemLock(f.h), 0},
      {"write", FIMemWritePipe(f.h, 4, buf, -1), kViewTimeout},
      {"read", FIMemReadPipe(f.h, 4, buf, -1), kViewTimeout},
  };
  done.set_value();
  holder.join();
  for (const Case& c : cases) EXPECT_EQ(c.result, c.expected) << c.what;
  EXPECT_EQ(FIMemDataLen(f.h), 0);
  EXPECT_EQ(FIMemWritePipe(f.h, 4, buf, -1), 4);  // free again
}

TEST(Views, AHostileLengthWordIsKeptInsideTheView) {
  std::string name = ViewName("hostile");
  FileHandle f;
  ASSERT_EQ(FIMemCreateView(f.h, Len(name), name.c_str(), 16, kReadWrite), 0);
  int32_t code = 0;
  auto* start = static_cast<char*>(FIMemGetPointer(f.h, &code));
  int32_t huge = 1 << 30;
  std::memcpy(start, &huge, 4);
  char buf[64];
  EXPECT_EQ(FIMemReadPipe(f.h, 64, buf, -1), 16);
  EXPECT_EQ(FIMemDataLen(f.h), 0);
}

}  // namespace
