// Queues as multivalue-array text and files: record n is field n, the record's field f value
// f, element e of an array field subvalue e (0xFE, 0xFD and 0xFC between them). The record's
// fields count from the first up to the first one without a name; each must be a single
// value or an array of them (text, whole number, real). Elements are written as their text:
// texts without trailing blanks, numbers in plain decimal (reals in their shortest exact
// form), and read back as an assignment of text converts them. A file holds exactly the
// text; an empty queue is an empty file.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "zqruntime/queue.h"

constexpr int32_t kQueueFileNoName = -100;      // the file name is empty or all blanks
constexpr int32_t kQueueFileGroup = -102;       // a counted field is a group (or a reference)
constexpr int32_t kQueueFileNoField = -103;     // the record has no named field
constexpr int32_t kQueueFileRecord = -104;      // reading or adding a record failed
constexpr int32_t kQueueFileReadFailed = -105;  // the file is missing or cannot be read

// The text of records first to the last (fields before first stay empty); error is 0 or a
// code, the text then empty.
std::string GETQUEUE(zq::rt::Queue& q, int32_t& error, int32_t first);
// Empties q and adds a record for each array field from first on; 0 or a code (the records
// added before a failure stay).
int32_t PUTQUEUE(zq::rt::Queue& q, std::string_view text, int32_t first);
// Writes all records of q to the file: the bytes written (0 for an empty queue, which leaves
// an empty file) or a code; the queue is never changed.
int32_t WRITEQUEUE(zq::rt::Queue& q, std::string_view file, int32_t first = 1);
// Replaces the records of q by those of the file: 0 or a code. A file that is missing or
// cannot be read gives kQueueFileReadFailed, leaves q unchanged and is not created.
int32_t READQUEUE(zq::rt::Queue& q, std::string_view file, int32_t first = 1);

// A queue's data file, loaded once at start-up and saved once at the end. A file that is
// there but failed to load is kept as it is at the save, unless the program changed the
// queue since; a missing file is written.
class QueueDataFile {
 public:
  QueueDataFile(zq::rt::Queue& queue, std::string file) : queue_(queue), file_(std::move(file)) {}

  int32_t Load();  // READQUEUE's result
  void Changed() { changed_ = true; }
  bool Keeps() const { return unreadable_ && !changed_; }
  int32_t Save();  // WRITEQUEUE's result, or 0 without writing while the file is kept

 private:
  zq::rt::Queue& queue_;
  std::string file_;
  bool unreadable_ = false;
  bool changed_ = false;
};
