// Numbers to text and back as the C runtime's conversions do, independent of the locale.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace zqv::db {

// Leading white space, an optional sign, digits; 0 when there are none; clamped to 32 bits.
int32_t ParseLong(std::string_view text);
// Leading white space, then a decimal floating-point number (no hex, infinity or NaN); 0 when none.
double ParseDouble(std::string_view text);
// "%ld" / "%hd".
std::string FormatInteger(int64_t value);
// "%f": six decimals.
std::string FormatFixed(double value);
// Toward zero, saturated at the 64-bit limits; NaN gives 0.
int64_t Truncate(double value);
// Toward zero, saturated at the 32-bit limits.
int32_t TruncateLong(double value);
// To single precision, saturated at the largest finite values of the type to infinity.
float ToSingle(double value);

}  // namespace zqv::db
