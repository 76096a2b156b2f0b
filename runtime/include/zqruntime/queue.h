// Queues: in-memory lists of typed records with one record buffer, numbered from 1.
// Getting and putting by position are O(1); records are moved as pointers when the queue
// sorts or inserts. Every operation sets the queue's error code (0 when it succeeded).
// Threads may share a queue: each operation is whole (the record list is locked while it
// runs); the record buffer is shared as it is.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include "zqruntime/record.h"

namespace zq::rt {

// The runtime's error codes of queue operations.
constexpr int32_t kQueueOk = 0;
constexpr int32_t kQueueNoMemory = 8;
constexpr int32_t kQueueEntryNotFound = 30;  // no record at that position
constexpr int32_t kQueueBadField = 75;       // an order text names an unknown field or a group

// An order procedure of two records: negative, 0 or positive.
using RecordOrder = std::function<int(const RecordRef& a, const RecordRef& b)>;

class Queue {
 public:
  explicit Queue(std::shared_ptr<const RecordLayout> layout);
  explicit Queue(const RecordLayout& layout);
  Queue(const Queue&) = delete;
  Queue& operator=(const Queue&) = delete;

  const RecordLayout& Layout() const { return *layout_; }
  // The record buffer every operation reads from or writes to.
  Record& Buffer() { return buffer_; }
  const Record& Buffer() const { return buffer_; }
  // A copy of the record at a position (1..Records()) without touching the buffer; nothing
  // outside.
  std::optional<Record> Peek(uint32_t position) const;

  uint32_t Records() const;
  // The position of the entry last fetched, added or put (0 when there is none).
  uint32_t Position() const;
  int32_t Error() const;

  bool Get(uint32_t position);
  // Adds the buffer at the end, or before the record at position (Records() + 1: at the end).
  bool Add();
  bool Add(uint32_t position);
  // Stores the buffer as the current entry.
  bool Put();
  // Stores a record of the caller's (of the queue's layout) at a position, the buffer and the
  // current entry untouched: a thread that works on copies (Peek) writes back this way.
  bool Put(uint32_t position, const RecordRef& record);
  // Deletes the current entry; the position then names the entry that followed it.
  bool Delete();
  bool Delete(uint32_t position);
  // Empties the queue (the buffer keeps its content).
  void Free();
  void ClearBuffer() { buffer_.Clear(); }

  // Sorts by an order text of field names, each with "+" (ascending, also when no sign is
  // given) or "-", separated by ",": "+SCat,-Dir". Names match in any letter case. Texts
  // compare byte by byte without trailing blanks, numbers by value. Fails with
  // kQueueBadField (the queue unchanged) for an empty order or an unknown or group field.
  bool Sort(std::string_view order);
  bool Sort(const RecordOrder& order);

 private:
  using Storage = std::unique_ptr<std::byte[]>;
  Storage Copy(const RecordRef& record) const;
  RecordRef View(uint32_t position) const;
  bool Fail(int32_t code);
  bool Done();

  std::shared_ptr<const RecordLayout> layout_;
  mutable std::recursive_mutex lock_;  // an order procedure may read the queue
  Record buffer_;
  std::vector<Storage> records_;
  uint32_t position_ = 0;
  int32_t error_ = kQueueOk;
};

}  // namespace zq::rt
