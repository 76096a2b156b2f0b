// A text read as a whole number the way a typed value is: the text between its blanks and tabs,
// one optional sign and decimal digits; 0 for any other text or a value beyond 32 bits.
#pragma once
#include <cstdint>
#include <limits>
#include <string_view>

#include "zqplatform/numbers.h"

namespace hostlib::detail {

inline int32_t WholeNumber(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  text = first == std::string_view::npos ? std::string_view() : text.substr(first, text.find_last_not_of(" \t") + 1 - first);
  const int64_t n = zq::text::ReadWholeInteger(text).value_or(0);
  return n >= std::numeric_limits<int32_t>::min() && n <= std::numeric_limits<int32_t>::max() ? static_cast<int32_t>(n) : 0;
}

}  // namespace hostlib::detail
