#include "zqplatform/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "zqplatform/charset.h"

namespace zq::text {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsSign(char c) { return c == '+' || c == '-'; }

std::string_view SkipSpace(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  return text;
}

// "inf", "infinity" or "nan" (with its optional "(chars)") at the start of text.
RealScan ScanSpecial(std::string_view text) {
  if (text.empty()) return {};
  const char c = text.front();
  if (c != 'i' && c != 'I' && c != 'n' && c != 'N') return {};
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc()) return {};
  return {value, static_cast<std::size_t>(end - text.data())};
}

// Exponents beyond this say no more than it does about the size of a number.
constexpr long long kExponentCap = 1'000'000'000'000'000;

// Takes the decimal exponent at text[i] ("e", optional sign, digits) when there is one.
void ScanExponent(std::string_view text, std::size_t& i, long long& exponent) {
  std::size_t j = i;
  if (j >= text.size() || (text[j] != 'e' && text[j] != 'E')) return;
  ++j;
  const bool negative = j < text.size() && text[j] == '-';
  if (j < text.size() && IsSign(text[j])) ++j;
  if (j >= text.size() || !IsDigit(text[j])) return;
  long long value = 0;
  for (; j < text.size() && IsDigit(text[j]); ++j) {
    if (value < kExponentCap) value = value * 10 + (text[j] - '0');
  }
  exponent = negative ? -value : value;
  i = j;
}

// The integer at the start of text as strtol finds it: its sign and its magnitude modulo
// 2^64, and whether that magnitude is beyond 2^31.
struct LeadingDigits {
  bool negative = false;
  uint64_t magnitude = 0;
  bool beyond32 = false;
};

LeadingDigits ScanLeadingDigits(std::string_view text) {
  text = SkipSpace(text);
  LeadingDigits out;
  if (!text.empty() && IsSign(text.front())) {
    out.negative = text.front() == '-';
    text.remove_prefix(1);
  }
  for (char c : text) {
    if (!IsDigit(c)) break;
    out.magnitude = out.magnitude * 10u + static_cast<uint64_t>(c - '0');
    if (out.magnitude > uint64_t{1} << 31) out.beyond32 = true;
  }
  return out;
}

template <class... Format>
std::string ToText(double value, Format... format) {
  char buffer[400];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, format...);
  return ec == std::errc() ? std::string(buffer, end) : std::string();
}

}  // namespace

RealScan ScanReal(std::string_view text, RealForm form) {
  std::size_t i = 0;
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && IsSign(text.front())) ++i;
  if (form.specials) {
    if (RealScan special = ScanSpecial(text.substr(i)); special.length > 0) {
      return {negative ? -special.value : special.value, i + special.length};
    }
  }
  const std::size_t first = i;
  // The power of ten of the first significant digit, plus one; it tells an overflow from
  // an underflow when the nearest double is out of range.
  long long lead = 0;
  bool significant = false;
  std::size_t digits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
    significant = significant || text[i] != '0';
    if (significant) ++lead;
  }
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
      if (significant) continue;
      if (text[i] != '0') significant = true; else --lead;
    }
  }
  if (digits == 0) return {};
  long long exponent = 0;
  if (form.exponent) ScanExponent(text, i, exponent);

  double value = 0;
  const auto [end, ec] = std::from_chars(text.data() + first, text.data() + i, value);
  if (ec == std::errc::result_out_of_range) {
    value = significant && lead + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (ec != std::errc() || end != text.data() + i) {
    return {};
  }
  return {negative ? -value : value, i};
}

double ReadReal(std::string_view text, RealForm form) { return ScanReal(SkipSpace(text), form).value; }

int32_t ReadLong(std::string_view text) {
  const LeadingDigits d = ScanLeadingDigits(text);
  if (d.negative) {
    return d.beyond32 ? std::numeric_limits<int32_t>::min() : static_cast<int32_t>(-static_cast<int64_t>(d.magnitude));
  }
  if (d.beyond32 || d.magnitude > uint64_t{std::numeric_limits<int32_t>::max()}) {
    return std::numeric_limits<int32_t>::max();
  }
  return static_cast<int32_t>(d.magnitude);
}

int32_t ReadLongWrapped(std::string_view text) {
  const LeadingDigits d = ScanLeadingDigits(text);
  const auto low = static_cast<uint32_t>(d.magnitude);
  return static_cast<int32_t>(d.negative ? 0u - low : low);
}

std::optional<int64_t> ReadWholeInteger(std::string_view text) {
  const std::size_t sign = !text.empty() && IsSign(text.front()) ? 1 : 0;
  if (text.size() == sign || !IsDigit(text[sign])) return std::nullopt;
  if (text.front() == '+') text.remove_prefix(1);
  int64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string FormatInteger(int64_t value) {
  char buffer[24];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, end);
}

std::string FormatUnsigned(uint64_t value) {
  char buffer[24];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, end);
}

std::string FormatGeneral(double value, int precision) {
  return ToText(value, std::chars_format::general, precision);
}

std::string FormatFixed(double value, int decimals) {
  // The largest double has 309 digits before the point.
  std::string out(320 + static_cast<std::size_t>(decimals < 0 ? 0 : decimals), '\0');
  const auto [end, ec] = std::to_chars(out.data(), out.data() + out.size(), value, std::chars_format::fixed, decimals);
  out.resize(ec == std::errc() ? static_cast<std::size_t>(end - out.data()) : 0);
  return out;
}

std::string FormatPlain(double value, int significant) {
  if (!std::isfinite(value) || value == 0) return "0";
  // d.ddd...e±x with the wanted significant digits, then laid out in plain decimal.
  const std::string scientific = ToText(value, std::chars_format::scientific, significant - 1);
  const std::size_t e = scientific.find('e');
  std::string digits;
  for (char c : std::string_view(scientific).substr(0, e)) {
    if (IsDigit(c)) digits += c;
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  const char* exponentText = scientific.data() + e + 1;
  if (*exponentText == '+') ++exponentText;
  int exponent = 0;
  std::from_chars(exponentText, scientific.data() + scientific.size(), exponent);

  std::string out = value < 0 ? "-" : "";
  const int count = static_cast<int>(digits.size());
  if (exponent < 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
  } else if (exponent + 1 >= count) {
    out += digits;
    out.append(static_cast<std::size_t>(exponent + 1 - count), '0');
  } else {
    out += digits.substr(0, static_cast<std::size_t>(exponent + 1));
    out += '.';
    out += digits.substr(static_cast<std::size_t>(exponent + 1));
  }
  return out;
}

}  // namespace zq::text
