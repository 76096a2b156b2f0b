#include "hostlib/ConversionPool.h"

#include <algorithm>
#include <atomic>
#include <system_error>

#include "ZQ_Graphic.h"
#include "hostlib/Picture.h"
#include "wrappers/HostArgs.h"

namespace hostlib {
namespace {

using detail::Len;
using detail::Ptr;

std::atomic<uint32_t>& Threads() {
  static std::atomic<uint32_t> threads{std::max(1u, std::thread::hardware_concurrency())};
  return threads;
}

int32_t ConvertHere(const Conversion& c) {
  return GRCONVERT(c.source, c.target, c.resizeMode, c.width, c.height, c.filter);
}

}  // namespace

void SetConversionThreads(uint32_t threads) { Threads() = threads; }
uint32_t ConversionThreads() { return Threads(); }

void ConversionPool::Encoding::operator()(GrEncoded* encoded) const { Gr_FreeEncoded(encoded); }

ConversionPool::ConversionPool(std::vector<Job> jobs, PoolLimits limits) : limits_(limits) {
  slots_.reserve(jobs.size());
  for (Job& job : jobs) {
    Slot& slot = slots_.emplace_back();
    slot.job = std::move(job);
  }
  const std::size_t workers = std::min<std::size_t>(ConversionThreads(), slots_.size());
  if (limits_.pictures == 0) limits_.pictures = std::max<std::size_t>(2, 2 * workers);
  for (std::size_t i = 0; i < workers; ++i) {
    try {
      workers_.emplace_back([this] { Work(); });
    } catch (const std::system_error&) {
      break;  // fewer workers; the asking thread converts what none takes
    }
  }
}

ConversionPool::~ConversionPool() {
  {
    std::lock_guard hold(lock_);
    stop_ = true;
    for (Slot& slot : slots_) Drop(slot);
  }
  changed_.notify_all();
  workers_.clear();
}

ConversionPool::Slot* ConversionPool::Startable() {
  while (nextStart_ < slots_.size() && slots_[nextStart_].state != State::Waiting) ++nextStart_;
  return nextStart_ < slots_.size() ? &slots_[nextStart_] : nullptr;
}

bool ConversionPool::Fits(int64_t working) const {
  if (held_.pictures == 0) return true;  // alone, however large
  return held_.pictures < limits_.pictures && held_.bytes + working <= limits_.bytes;
}

void ConversionPool::Release(Slot& slot) {
  held_.pictures -= 1;
  held_.converted -= 1;
  held_.bytes -= slot.bytes;
  slot.encoded.reset();
  slot.bytes = 0;
  slot.state = State::Gone;
}

void ConversionPool::Drop(Slot& slot) {
  switch (slot.state) {
    case State::Waiting:
    case State::Sizing: slot.state = State::Gone; break;
    case State::Running: slot.dropped = true; break;
    case State::Done: Release(slot); break;
    case State::Gone: break;
  }
}

void ConversionPool::Work() {
  std::unique_lock hold(lock_);
  for (;;) {
    changed_.wait(hold, [this] {
      return stop_ || !Startable() || (!sizing_ && held_.pictures < limits_.pictures);
    });
    Slot* slot = stop_ ? nullptr : Startable();
    if (!slot) return;
    slot->state = State::Sizing;
    sizing_ = true;
    const Conversion c = slot->job.conversion;
    hold.unlock();
    const int64_t working = Gr_WorkingBytes(Len(c.source), Ptr(c.source), Len(c.target), Ptr(c.target),
                                            c.resizeMode, c.width, c.height, c.filter);
    hold.lock();
    changed_.wait(hold, [&] { return stop_ || slot->state != State::Sizing || Fits(working); });
    sizing_ = false;
    changed_.notify_all();
    if (stop_ || slot->state != State::Sizing) continue;  // taken over by the asking thread
    slot->state = State::Running;
    slot->bytes = working;
    held_.pictures += 1;
    held_.bytes += working;
    peak_.pictures = std::max(peak_.pictures, held_.pictures);
    peak_.bytes = std::max(peak_.bytes, held_.bytes);
    hold.unlock();
    Encoded encoded;
    {
      // The job's end, whatever happens: marked under the lock and told to the waiting.
      struct End {
        ConversionPool& pool;
        Slot& slot;
        Encoded& encoded;
        std::unique_lock<std::mutex>& hold;
        ~End() {
          hold.lock();
          slot.state = State::Done;
          pool.held_.bytes -= slot.bytes;
          slot.bytes = Gr_EncodedBytes(encoded.get());
          slot.encoded = std::move(encoded);
          pool.held_.converted += 1;
          pool.held_.bytes += slot.bytes;
          pool.peak_.converted = std::max(pool.peak_.converted, pool.held_.converted);
          pool.peak_.bytes = std::max(pool.peak_.bytes, pool.held_.bytes);
          if (slot.dropped) pool.Release(slot);
          pool.changed_.notify_all();
        }
      } end{*this, *slot, encoded, hold};
      encoded.reset(Gr_Encode(Len(c.source), Ptr(c.source), Len(c.target), Ptr(c.target), c.resizeMode, c.width,
                              c.height, c.filter));
    }
  }
}

int32_t ConversionPool::Convert(uint64_t key, const Conversion& now) {
  std::unique_lock hold(lock_);
  while (nextAsked_ < slots_.size() && slots_[nextAsked_].job.key < key) Drop(slots_[nextAsked_++]);
  Slot* slot = nullptr;
  if (nextAsked_ < slots_.size() && slots_[nextAsked_].job.key == key) slot = &slots_[nextAsked_++];
  if (slot && slot->state != State::Waiting && slot->job.conversion == now) {
    changed_.wait(hold, [slot] { return slot->state != State::Running; });
  }
  Encoded encoded;
  if (slot && slot->state == State::Done && slot->job.conversion == now) encoded = std::move(slot->encoded);
  if (slot) Drop(*slot);
  hold.unlock();
  changed_.notify_all();
  if (encoded && Gr_EncodedCurrent(encoded.get()) == 1) return Gr_WriteEncoded(encoded.get());
  return ConvertHere(now);
}

ConversionPool::Held ConversionPool::Holding() const {
  std::lock_guard hold(lock_);
  return held_;
}

ConversionPool::Held ConversionPool::Peak() const {
  std::lock_guard hold(lock_);
  return peak_;
}

}  // namespace hostlib
