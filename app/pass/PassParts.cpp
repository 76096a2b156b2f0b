#include "PassParts.h"

#include "app/State.h"
#include "hostlib/Dialogs.h"
#include "hostlib/Procedures.h"

namespace orvid::pass {

std::string Trimmed(std::string_view text) { return std::string(text.substr(0, static_cast<size_t>(TLEN(text)))); }

std::string Upper(std::string_view text) {
  std::string upper = Trimmed(text);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

std::string Lower(std::string_view text) {
  std::string lower = Trimmed(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

uint8_t AskUnlessSilenced(bool& silenced, std::string_view message, std::string_view procedure,
                          std::string_view details, int32_t code) {
  if (silenced) return 0;
  const uint8_t answer =
      ERRORMSG(message, procedure, details, static_cast<int16_t>(code), kCancelIgnoreAll, 0, MWHANDLE);
  if (answer == kIgnoreAll) silenced = true;
  return answer;
}

}  // namespace orvid::pass
