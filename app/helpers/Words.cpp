// Plain ASCII words in any letter case.
#include <algorithm>

#include "app/Helpers.h"

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool SameWordNC(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return Lower(x) == Lower(y); });
}

std::string LowerWord(std::string_view word) {
  std::string lower(word);
  std::ranges::transform(lower, lower.begin(), Lower);
  return lower;
}
