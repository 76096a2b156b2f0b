#include "app/TextParts.h"

#include "hostlib/Procedures.h"

namespace orvid::text {

std::string Trimmed(std::string_view text) { return std::string(text.substr(0, static_cast<size_t>(TLEN(text)))); }

std::string Lower(std::string_view text) {
  std::string lower = Trimmed(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

std::string Upper(std::string_view text) {
  std::string upper = Trimmed(text);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

}  // namespace orvid::text
