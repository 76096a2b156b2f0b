// Doubles narrowed to the field types as the C runtime's conversions do.
#pragma once
#include <cstdint>

namespace zqv::db {

// Toward zero, saturated at the 64-bit limits; NaN gives 0.
int64_t Truncate(double value);
// Toward zero, saturated at the 32-bit limits.
int32_t TruncateLong(double value);
// To single precision, saturated at the largest finite values of the type to infinity.
float ToSingle(double value);

}  // namespace zqv::db
