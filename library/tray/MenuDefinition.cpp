#include "tray/MenuDefinition.h"

#include <charconv>
#include <cstdint>

#include "strings/XSObject.h"

namespace zqv {

namespace {

constexpr int32_t kFirstMenuCommand = 1024;

bool IsWhite(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// A decimal number as the C runtime reads one: leading white space, a sign, then digits up
// to the first other byte; 0 when there are none. Values beyond 32 bits saturate.
int32_t ReadNumber(std::string_view s) {
  while (!s.empty() && IsWhite(s.front())) s.remove_prefix(1);
  bool negative = !s.empty() && s.front() == '-';
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) s.remove_prefix(1);
  if (s.empty() || s.front() < '0' || s.front() > '9') return 0;  // one sign only
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
  const XSObject menu(definition);
  if (menu.IsEmpty()) return entries;
  const int32_t items = menu.CountChr('|', 0) + 1;
  for (int32_t i = 1; i <= items; ++i) {
    const XSObject item(menu.GetSubString(i, '|'));
    XSObject text(item.GetSubString(1, ';'));
    text.TrimLeft(' ');
    text.TrimRight(' ');
    int32_t number = ReadNumber(item.GetSubString(2, ';'));
    if (text.CompareNC("-", 0) == 0) {
      entries.push_back(zq::ui::MenuItem{true, 0, {}, false});
    } else if (number >= kFirstMenuCommand) {
      entries.push_back(zq::ui::MenuItem{false, static_cast<uint32_t>(number), text.Text(), false});
    }
  }
  return entries;
}

}  // namespace zqv
