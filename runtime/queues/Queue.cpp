#include "zqruntime/queue.h"

#include <cstring>
#include <new>

namespace zq::rt {

Queue::Queue(std::shared_ptr<const RecordLayout> layout)
    : layout_(std::move(layout)), buffer_(layout_) {}

Queue::Queue(const RecordLayout& layout) : Queue(std::make_shared<const RecordLayout>(layout)) {}

bool Queue::Fail(int32_t code) {
  error_ = code;
  return false;
}

bool Queue::Done() {
  error_ = kQueueOk;
  return true;
}

Queue::Storage Queue::Copy(const RecordRef& record) const {
  Storage s(new (std::nothrow) std::byte[layout_->Size() + 1]);
  if (s) std::memcpy(s.get(), record.Bytes().data(), layout_->Size());
  return s;
}

RecordRef Queue::View(uint32_t position) const {
  return RecordRef(*layout_, records_[position - 1].get());
}

std::optional<Record> Queue::Peek(uint32_t position) const {
  std::lock_guard guard(lock_);
  if (position == 0 || position > records_.size()) return std::nullopt;
  std::optional<Record> copy(std::in_place, layout_);
  copy->Assign(View(position));
  return copy;
}

uint32_t Queue::Records() const {
  std::lock_guard guard(lock_);
  return static_cast<uint32_t>(records_.size());
}

uint32_t Queue::Position() const {
  std::lock_guard guard(lock_);
  return position_;
}

int32_t Queue::Error() const {
  std::lock_guard guard(lock_);
  return error_;
}

bool Queue::Get(uint32_t position) {
  std::lock_guard guard(lock_);
  if (position == 0 || position > records_.size()) return Fail(kQueueEntryNotFound);
  buffer_.Assign(View(position));
  position_ = position;
  return Done();
}

bool Queue::Add() {
  std::lock_guard guard(lock_);
  return Add(Records() + 1);
}

bool Queue::Add(uint32_t position) {
  std::lock_guard guard(lock_);
  if (position == 0 || position > records_.size() + 1) return Fail(kQueueEntryNotFound);
  Storage s = Copy(buffer_);
  if (!s) return Fail(kQueueNoMemory);
  try {
    records_.insert(records_.begin() + (position - 1), std::move(s));
  } catch (const std::bad_alloc&) {
    return Fail(kQueueNoMemory);
  }
  position_ = position;
  return Done();
}

bool Queue::Put() {
  std::lock_guard guard(lock_);
  if (position_ == 0 || position_ > records_.size()) return Fail(kQueueEntryNotFound);
  std::memcpy(records_[position_ - 1].get(), buffer_.Bytes().data(), layout_->Size());
  return Done();
}

bool Queue::Put(uint32_t position, const RecordRef& record) {
  std::lock_guard guard(lock_);
  if (position == 0 || position > records_.size()) return Fail(kQueueEntryNotFound);
  View(position).Assign(record);
  return Done();
}

bool Queue::Delete() {
  std::lock_guard guard(lock_);
  return Delete(position_);
}

bool Queue::Delete(uint32_t position) {
  std::lock_guard guard(lock_);
  if (position == 0 || position > records_.size()) return Fail(kQueueEntryNotFound);
  records_.erase(records_.begin() + (position - 1));
  position_ = position;
  return Done();
}

void Queue::Free() {
  std::lock_guard guard(lock_);
  records_.clear();
  records_.shrink_to_fit();
  position_ = 0;
  error_ = kQueueOk;
}

}  // namespace zq::rt
