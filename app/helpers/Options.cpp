// The picture-conversion option codes by their names in the settings.
#include "app/Helpers.h"
#include "app/Text.h"

namespace {

bool SameWord(std::string_view text, std::string_view word) { return SameWordNC(WithoutTrailingBlanks(text), word); }

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
