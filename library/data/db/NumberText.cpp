#include "data/db/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace zqv::db {

namespace {
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

int32_t ParseLong(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > int64_t{INT32_MAX} + 1) break;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

double ParseDouble(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const bool digitFollows = i < text.size() && (IsDigit(text[i]) ||
                                                (text[i] == '.' && i + 1 < text.size() && IsDigit(text[i + 1])));
  if (!digitFollows) return 0;
  double value = 0;
  const char* first = text.data() + i;
  const char* last = text.data() + text.size();
  const auto result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large gives infinity, too small 0: the exponent's sign tells which.
    const std::string_view number(first, static_cast<std::size_t>(result.ptr - first));
    const std::size_t e = number.find_first_of("eE");
    const bool small = e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
    value = small ? 0.0 : std::numeric_limits<double>::infinity();
  } else if (result.ec != std::errc()) {
    value = 0;
  }
  return negative ? -value : value;
}

std::string FormatInteger(int64_t value) {
  char buf[24];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, end);
}

std::string FormatFixed(double value) {
  char buf[400];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 6);
  return ec == std::errc() ? std::string(buf, end) : std::string();
}

int64_t Truncate(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 9223372036854775807.0) return INT64_MAX;
  if (value <= -9223372036854775808.0) return INT64_MIN;
  return static_cast<int64_t>(value);
}

int32_t TruncateLong(double value) {
  const int64_t v = Truncate(value);
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

float ToSingle(double value) {
  constexpr double kMax = std::numeric_limits<float>::max();
  if (value > kMax) return std::numeric_limits<float>::infinity();
  if (value < -kMax) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(value);
}

}  // namespace zqv::db
