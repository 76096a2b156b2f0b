// The picture-conversion option codes by their names in the settings.
#include <algorithm>

#include "app/Helpers.h"
#include "hostlib/Procedures.h"

namespace {

// The names compared here are plain ASCII words.
bool SameWord(std::string_view text, std::string_view word) {
  const std::string_view t = text.substr(0, static_cast<size_t>(TLEN(text)));
  return std::ranges::equal(t, word, [](char a, char b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return lower(a) == lower(b);
  });
}

}  // namespace

uint8_t GETFILTER(std::string_view name) {
  if (SameWord(name, "Bicubic")) return 2;
  if (SameWord(name, "Bilinear")) return 0;
  return 1;
}

uint8_t GETRESIZE(std::string_view name, uint8_t keepAspect) {
  uint8_t code = 0;
  if (SameWord(name, "Bigger")) code = 1;
  else if (SameWord(name, "Smaller")) code = 2;
  else if (SameWord(name, "Both")) code = 3;
  if (code != 0 && keepAspect != 0) code |= 4;
  return code;
}
