#include "Value.h"

#include <charconv>

namespace zq::wmi {

bool Value::Number(long double& n) const {
  if (auto* b = std::get_if<bool>(&data)) n = *b ? 1 : 0;
  else if (auto* i = std::get_if<int64_t>(&data)) n = static_cast<long double>(*i);
  else if (auto* u = std::get_if<uint64_t>(&data)) n = static_cast<long double>(*u);
  else if (auto* d = std::get_if<double>(&data)) n = *d;
  else return false;
  return true;
}

std::string Value::Text() const {
  char buffer[40];
  char* end = buffer;
  if (auto* s = std::get_if<std::string>(&data)) return *s;
  if (auto* b = std::get_if<bool>(&data)) return *b ? "TRUE" : "FALSE";
  if (auto* i = std::get_if<int64_t>(&data)) end = std::to_chars(buffer, buffer + sizeof buffer, *i).ptr;
  else if (auto* u = std::get_if<uint64_t>(&data)) end = std::to_chars(buffer, buffer + sizeof buffer, *u).ptr;
  else if (auto* d = std::get_if<double>(&data))
    end = std::to_chars(buffer, buffer + sizeof buffer, *d, std::chars_format::general, 15).ptr;
  return std::string(buffer, end);
}

}  // namespace zq::wmi
