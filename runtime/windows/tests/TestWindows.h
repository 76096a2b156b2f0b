// The test windows built into the test program, and a recorder of what a loop sees.
#pragma once
#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "zqruntime/window.h"

namespace zq::rt::test {

std::string_view WindowText(std::string_view name);

inline WindowDef Load(std::string_view name) {
  ParsedDefinition p = ParseWindowDefinition(WindowText(name));
  EXPECT_TRUE(p.window) << name << " line " << p.errorLine << ": " << p.error;
  return p.window.value_or(WindowDef{});
}

struct Seen {
  int32_t event;
  int32_t field;
  bool operator==(const Seen&) const = default;
};

inline std::ostream& operator<<(std::ostream& o, const Seen& s) {
  return o << "{0x" << std::hex << s.event << std::dec << ", " << s.field << "}";
}

// Events of the loop without timer ticks and focus changes.
inline bool Interesting(const Window& w) { return w.Event() != kTimer && w.Event() != kFocus; }

}  // namespace zq::rt::test
