// Conversions done ahead: a list of picture conversions, each under a key, decoded, fitted and
// encoded into memory by worker threads in the list's order, a bounded number and size at a
// time. The thread that owns the pool asks for each conversion in turn and writes it itself,
// so what reaches the disk, and in which order, is what GRCONVERT called there would leave.
// The workers only read: what is not asked for is dropped, and nothing of it is written.
#pragma once
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct GrEncoded;

namespace hostlib {

// GRCONVERT's arguments.
struct Conversion {
  std::string source;
  std::string target;
  uint8_t resizeMode = 0;
  int32_t width = 0;
  int32_t height = 0;
  uint8_t filter = 0;
  bool operator==(const Conversion&) const = default;
};

// What the pool holds at a time: the pictures being converted, each by its working size (the
// source file, the decoded and fitted pictures with their buffers and the target's file, as
// Gr_WorkingBytes reads it from the source's header before the picture starts), and those
// converted and not yet asked for, by their files' size. Workers start pictures in the list's
// order, each only while it fits under both limits beside what is held; a picture larger than
// the bytes limit on its own starts once nothing else is held, and is converted alone. So the
// pool's pictures take no more than `bytes` (or the one picture larger than that) on any number
// of workers; a conversion the asking thread does itself comes on top, one at a time.
struct PoolLimits {
  std::size_t pictures = 0;   // 0: twice the workers
  int64_t bytes = 64LL << 20;
};

class ConversionPool {
 public:
  struct Job {
    uint64_t key = 0;  // increasing along the list
    Conversion conversion;
  };
  struct Held {
    std::size_t pictures = 0;   // being converted or converted
    std::size_t converted = 0;  // of those, converted
    int64_t bytes = 0;          // their working sizes, and the converted ones' files
  };

  // Starts the jobs on ConversionThreads() workers (no more than there are jobs).
  explicit ConversionPool(std::vector<Job> jobs, PoolLimits limits = {});
  // Drops what was not asked for and waits for the conversions running (never writing them).
  ~ConversionPool();
  ConversionPool(const ConversionPool&) = delete;
  ConversionPool& operator=(const ConversionPool&) = delete;

  // The conversion as GRCONVERT makes it now, written by the calling thread: GRCONVERT's
  // result. The job of the key gives the picture when it converts the same and its source and
  // names still stand as they did; the calling thread converts itself when there is no such
  // job, it has not started, or it no longer holds. Jobs of lower keys not asked for are
  // dropped.
  int32_t Convert(uint64_t key, const Conversion& now);

  std::size_t Workers() const { return workers_.size(); }
  // Held now, and the most held at once.
  Held Holding() const;
  Held Peak() const;

 private:
  struct Encoding {
    void operator()(GrEncoded* encoded) const;
  };
  using Encoded = std::unique_ptr<GrEncoded, Encoding>;
  // Sizing: taken by a worker that reads its working size and waits until it fits.
  enum class State { Waiting, Sizing, Running, Done, Gone };
  struct Slot {
    Job job;
    State state = State::Waiting;
    bool dropped = false;  // passed over while it ran
    Encoded encoded;
    int64_t bytes = 0;  // held: its working size while it runs, then its file's
  };

  void Work();
  // The next slot a worker may start, or null when none is left; under the lock.
  Slot* Startable();
  // Whether a picture of that working size may start now; under the lock.
  bool Fits(int64_t working) const;
  void Drop(Slot& slot);
  void Release(Slot& slot);

  mutable std::mutex lock_;
  std::condition_variable changed_;
  std::vector<Slot> slots_;
  PoolLimits limits_;
  std::size_t nextStart_ = 0;  // no slot before it is waiting
  std::size_t nextAsked_ = 0;  // no slot before it will be asked for
  Held held_, peak_;
  bool sizing_ = false;  // a worker is sizing the next picture: the others wait behind it
  bool stop_ = false;
  std::vector<std::jthread> workers_;  // last: joined before the rest goes
};

// Worker threads of the pools made from now on; 0 converts on the asking thread only. The
// default is one per core.
void SetConversionThreads(uint32_t threads);
uint32_t ConversionThreads();

}  // namespace hostlib
