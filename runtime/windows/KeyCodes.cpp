// Key names of the window definitions and their codes.
#include <array>
#include <charconv>
#include <utility>

#include "zqruntime/windef.h"

namespace zq::rt {

namespace {

bool Same(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

constexpr std::array<std::pair<std::string_view, uint32_t>, 22> kNames{{
    {"Esc", VK_ESCAPE},       {"Enter", VK_RETURN},      {"Tab", VK_TAB},
    {"Space", VK_SPACE},      {"Backspace", VK_BACK},    {"Ins", VK_INSERT},
    {"Insert", VK_INSERT},    {"Del", VK_DELETE},        {"Delete", VK_DELETE},
    {"Left", VK_LEFT},        {"Right", VK_RIGHT},       {"Up", VK_UP},
    {"Down", VK_DOWN},        {"Home", VK_HOME},         {"End", VK_END},
    {"PgUp", VK_PRIOR},       {"PgDn", VK_NEXT},         {"LeftClick", kLeftClick},
    {"RightClick", kRightClick}, {"DoubleClick", kDoubleClick}, {"Escape", VK_ESCAPE},
    {"Return", VK_RETURN},
}};

uint32_t BaseKey(std::string_view name) {
  for (auto [n, code] : kNames) {
    if (Same(n, name)) return code;
  }
  if (name.size() == 1) {
    char c = name[0];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<uint32_t>(c);
  }
  if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f')) {
    uint32_t n = 0;
    auto [end, ec] = std::from_chars(name.data() + 1, name.data() + name.size(), n);
    if (ec == std::errc() && end == name.data() + name.size() && n >= 1 && n <= 24) return VK_F1 + n - 1;
  }
  return 0;
}

}  // namespace

uint32_t KeyCode(std::string_view name) {
  uint32_t modifiers = 0;
  for (;;) {
    std::size_t plus = name.find('+');
    if (plus == std::string_view::npos || plus + 1 == name.size()) break;
    std::string_view mod = name.substr(0, plus);
    if (Same(mod, "Shift")) {
      modifiers |= kShiftKey;
    } else if (Same(mod, "Ctrl")) {
      modifiers |= kCtrlKey;
    } else if (Same(mod, "Alt")) {
      modifiers |= kAltKey;
    } else {
      return 0;
    }
    name.remove_prefix(plus + 1);
  }
  uint32_t base = BaseKey(name);
  if (base == 0 || (modifiers != 0 && (base == kLeftClick || base == kRightClick || base == kDoubleClick))) return 0;
  return base | modifiers;
}

}  // namespace zq::rt
