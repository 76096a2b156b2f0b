// The totals of the media list counted record by record, so that a pass over the list that
// does more (writing it) counts them on the way.
#pragma once
#include <string>

#include "app/State.h"

namespace medialist {

class TotalsCounter {
 public:
  // Adds one record to the count and size of its kind; its folder names the disk.
  void Count(const zq::rt::RecordRef& r);
  // The totals of the records counted, with the size, used and free space of the disk that
  // holds the last one's folder (0 where the disk cannot be asked).
  MEDIATOTALS Finish() const;

 private:
  MEDIATOTALS totals_;
  std::string lastDir_;
};

}  // namespace medialist
