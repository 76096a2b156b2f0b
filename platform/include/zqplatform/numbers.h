// Numbers to text and back by the "C" locale's rules, whatever the process locale is.
//
// Reading follows the C runtime's conversions: a real is the nearest double to its decimal
// text (as std::from_chars rounds), infinity beyond the largest finite double and 0 below
// half the smallest subnormal, the sign kept; an integer is read digit by digit up to the
// first other byte. Nothing is ever read as hexadecimal.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zq::text {

// What a real number's text may hold besides digits and a decimal point.
struct RealForm {
  bool exponent = true;   // "e" or "E", an optional sign and digits
  bool specials = false;  // "inf", "infinity" and "nan", in any case
};

struct RealScan {
  double value = 0;
  std::size_t length = 0;  // bytes taken; 0 when no number starts there
};

// The real number at the very start of text: one optional sign, digits with an optional "."
// and fraction (at least one digit in all), then what the form allows.
RealScan ScanReal(std::string_view text, RealForm form = {});

// strtod: white space (IsSpace, charset.h), then the leading real number; 0 when there is none.
double ReadReal(std::string_view text, RealForm form = {});

// strtol with a 32-bit long: white space (IsSpace), one optional sign, digits up to the
// first other byte; 0 when there are none. Values beyond 32 bits saturate.
int32_t ReadLong(std::string_view text);
// The same, taken modulo 2^32: "4294967295" reads as -1, the bits of the unsigned number.
int32_t ReadLongWrapped(std::string_view text);

// The whole text as a 64-bit integer (one optional sign, then digits only); nothing when it
// holds anything else or the value does not fit.
std::optional<int64_t> ReadWholeInteger(std::string_view text);

// "%lld" and "%llu".
std::string FormatInteger(int64_t value);
std::string FormatUnsigned(uint64_t value);
// "%.*g": at most precision significant digits, exponent notation below 1e-4 and from
// 10^precision on ("1e+06"); "inf", "-inf", "nan" for the others.
std::string FormatGeneral(double value, int precision = 6);
// "%.*f": decimals places after the point.
std::string FormatFixed(double value, int decimals = 6);
// At most significant digits in plain decimal, never an exponent, without trailing zeros or
// a trailing point ("1.5", "0.000001234", "123456789012346000"); "0" for zero, infinity
// and NaN.
std::string FormatPlain(double value, int significant = 15);

}  // namespace zq::text
