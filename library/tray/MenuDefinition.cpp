#include "tray/MenuDefinition.h"

#include <charconv>
#include <cstdint>

namespace zqv {

namespace {

constexpr int32_t kFirstMenuCommand = 1024;

std::string_view Piece(std::string_view item, std::size_t n) {
  for (; n > 0; --n) {
    std::size_t semi = item.find(';');
    if (semi == std::string_view::npos) return {};
    item.remove_prefix(semi + 1);
  }
  return item.substr(0, item.find(';'));
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

bool IsWhite(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// A decimal number as the C runtime reads one: leading white space, a sign, then digits up
// to the first other byte; 0 when there are none. Values beyond 32 bits saturate.
int32_t ReadNumber(std::string_view s) {
  while (!s.empty() && IsWhite(s.front())) s.remove_prefix(1);
  bool negative = !s.empty() && s.front() == '-';
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) s.remove_prefix(1);
  int64_t value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec == std::errc::result_out_of_range) return negative ? INT32_MIN : INT32_MAX;
  if (ec != std::errc()) return 0;
  if (negative) value = -value;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

}  // namespace

std::vector<zq::ui::MenuItem> ReadMenuDefinition(std::string_view definition) {
  std::vector<zq::ui::MenuItem> entries;
  if (definition.empty()) return entries;
  for (;;) {
    std::size_t bar = definition.find('|');
    std::string_view item = definition.substr(0, bar);
    std::string_view text = TrimBlanks(Piece(item, 0));
    int32_t number = ReadNumber(Piece(item, 1));
    if (!text.empty() && text.front() == '-') {
      entries.push_back(zq::ui::MenuItem{true, 0, {}, false});
    } else if (number >= kFirstMenuCommand) {
      entries.push_back(zq::ui::MenuItem{false, static_cast<uint32_t>(number), std::string(text), false});
    }
    if (bar == std::string_view::npos) break;
    definition.remove_prefix(bar + 1);
  }
  return entries;
}

}  // namespace zqv
