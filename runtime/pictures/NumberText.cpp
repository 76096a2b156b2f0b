#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "zqruntime/picture.h"

namespace zq::rt {

std::string WholeText(int64_t value) {
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, r.ptr);
}

std::string RealText(double value) {
  if (!std::isfinite(value) || value == 0) return "0";
  // 15 significant digits as d.dddddddddddddde±x, then laid out in plain decimal.
  char buf[40];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
  const std::string_view sci(buf, static_cast<size_t>(r.ptr - buf));
  const size_t e = sci.find('e');
  const bool negative = sci.front() == '-';
  std::string digits;
  for (char c : sci.substr(0, e)) {
    if (c >= '0' && c <= '9') digits += c;
  }
  const int exponent = std::atoi(std::string(sci.substr(e + 1)).c_str());
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = negative ? "-" : "";
  const int count = static_cast<int>(digits.size());
  if (exponent < 0) {
    out += "0.";
    out.append(static_cast<size_t>(-exponent - 1), '0');
    out += digits;
  } else if (exponent + 1 >= count) {
    out += digits;
    out.append(static_cast<size_t>(exponent + 1 - count), '0');
  } else {
    out += digits.substr(0, static_cast<size_t>(exponent + 1));
    out += '.';
    out += digits.substr(static_cast<size_t>(exponent + 1));
  }
  return out;
}

}  // namespace zq::rt
