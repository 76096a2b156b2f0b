// Fuzzes the number reader against the C runtime in the "C" locale: a real reads as strtod
// reads it (the nearest double, the sign of a zero kept), an integer as strtol clamped to
// 32 bits, and a formatted real reads back as itself.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "zqplatform/numbers.h"

namespace {

bool Same(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return a == b && std::signbit(a) == std::signbit(b);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);  // strtod stops at a NUL

  char* end = nullptr;
  const double theirs = std::strtod(text.c_str(), &end);
  const std::string_view used(text.c_str(), static_cast<std::size_t>(end - text.c_str()));
  // Hexadecimal, infinity and NaN are the C runtime's forms that the reader leaves out.
  if (used.find_first_of("xXiInN") == std::string_view::npos) {
    if (!Same(zq::text::ReadReal(text), theirs)) std::abort();
  }

  const long wide = std::strtol(text.c_str(), nullptr, 10);
  const long clamped = wide > INT32_MAX ? INT32_MAX : wide < INT32_MIN ? INT32_MIN : wide;
  if (zq::text::ReadLong(text) != clamped) std::abort();

  const double value = zq::text::ReadReal(text);
  if (std::isfinite(value) && !Same(zq::text::ReadReal(zq::text::FormatGeneral(value, 17)), value)) std::abort();
  return 0;
}
