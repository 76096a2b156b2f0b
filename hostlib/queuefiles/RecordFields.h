// The fields of a record that a queue file holds.
#pragma once
#include <cstdint>

#include "zqruntime/record.h"

namespace hostlib::detail {

// Counts the fields from the first up to the first without a name (trailing blanks do not
// make a name): 0, kQueueFileGroup when one of them is a group or a reference, or
// kQueueFileNoField when there is none.
int32_t CountFields(const zq::rt::RecordLayout& layout, uint32_t& fields);

}  // namespace hostlib::detail
