// Numbers as the array stores them ("%d", "%u", "%g") and as its typed getters read them,
// independent of the process locale.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace zqv {

std::string FormatSigned(int32_t number);
std::string FormatUnsigned(uint32_t number);
// At most six significant digits, exponent notation below 1e-4 and from 1e6 on.
std::string FormatDouble(double number);

// The text's leading decimal integer (optional white space and sign, then digits; 0 when there
// are none), taken modulo 2^32 so that an unsigned number stored as text reads back the same.
int32_t ReadInteger(std::string_view text);
// The text's leading floating-point number (0.0 when there is none; out of range: infinity
// or 0.0 with the sign kept).
double ReadDouble(std::string_view text);

}  // namespace zqv
