// Storing a text into a multivalue array at an address, as Set and Insert do; parsing a whole
// text is the store at field 0.
#pragma once
#include <cstdint>
#include <string_view>

#include "arrays/ArrayModel.h"

namespace zqv {

// Every position is -1 or more. Field 0 replaces every field by the parse of the text (no
// fields for the empty text); Insert makes a new element at every level it passes through.
void StoreFields(ArrayFields& fields, const Delimiters& delims, int32_t field, int32_t value,
                 int32_t subvalue, std::string_view text, bool insert);

}  // namespace zqv
