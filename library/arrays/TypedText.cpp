#include "arrays/TypedText.h"

#include <charconv>
#include <limits>

namespace zqv {

namespace {

template <class T, class... Format>
std::string ToText(T number, Format... format) {
  char buffer[64];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, number, format...);
  return error == std::errc() ? std::string(buffer, end) : std::string();
}

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Skips leading white space and one sign; true when the sign was a minus.
bool TakeSign(std::string_view& text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  return negative;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether a decimal number text whose parse is out of range is too large (rather than too
// small): its first significant digit stands at a non-negative power of ten.
bool TooLarge(std::string_view text) {
  long magnitude = 0;  // power of ten of the first significant digit, plus one
  std::size_t i = 0;
  bool seen = false;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    if (text[i] != '0') seen = true;
    if (seen) ++magnitude;
  }
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && IsDigit(text[i]); ++i) {
      if (seen) continue;
      if (text[i] != '0') seen = true; else --magnitude;
    }
  }
  long exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::string_view rest = text.substr(i + 1);
    bool negative = TakeSign(rest);
    for (std::size_t j = 0; j < rest.size() && IsDigit(rest[j]) && exponent < 100000; ++j) {
      exponent = exponent * 10 + (rest[j] - '0');
    }
    if (negative) exponent = -exponent;
  }
  return magnitude + exponent > 0;
}

}  // namespace

std::string FormatSigned(int32_t number) { return ToText(number); }

std::string FormatUnsigned(uint32_t number) { return ToText(number); }

std::string FormatDouble(double number) { return ToText(number, std::chars_format::general, 6); }

int32_t ReadInteger(std::string_view text) {
  bool negative = TakeSign(text);
  uint32_t number = 0;
  for (char c : text) {
    if (!IsDigit(c)) break;
    number = number * 10u + static_cast<uint32_t>(c - '0');
  }
  if (negative) number = 0u - number;
  return static_cast<int32_t>(number);
}

double ReadDouble(std::string_view text) {
  bool negative = TakeSign(text);
  if (text.empty() || text.front() == '-' || text.front() == '+') return 0.0;
  double number = 0.0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error == std::errc::invalid_argument) return 0.0;
  if (error == std::errc::result_out_of_range) {
    number = TooLarge(text) ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -number : number;
}

}  // namespace zqv
