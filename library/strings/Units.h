// Searching a text by the character units of the ANSI code page.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "zqplatform/charset.h"

namespace zqv::units {

constexpr std::size_t npos = std::string_view::npos;

// The text up to its first NUL byte.
inline std::string_view UpToNul(std::string_view text) {
  std::size_t nul = text.find('\0');
  return nul == npos ? text : text.substr(0, nul);
}

// Length of the unit at pos (< size) and start of the unit before end (> 0); an ASCII byte
// is always a unit by itself.
inline std::size_t UnitLen(std::string_view text, std::size_t pos) {
  return static_cast<unsigned char>(text[pos]) < 0x80 ? 1 : zq::text::CharLen(text, pos);
}
inline std::size_t UnitBefore(std::string_view text, std::size_t end) {
  return static_cast<unsigned char>(text[end - 1]) < 0x80 ? end - 1 : zq::text::CharPrev(text, end);
}

// Position of the first unit at or after pos that is the single byte ch.
std::size_t FindByte(std::string_view text, std::size_t pos, char ch);
// Position of the last unit before end that is the single byte ch.
std::size_t FindLastByte(std::string_view text, std::size_t end, char ch);
// Position of the first occurrence of needle (not empty) at or after pos that starts and
// ends on unit bounds.
std::size_t FindText(std::string_view text, std::size_t pos, std::string_view needle);

// The units of a set of characters.
class CharSet {
 public:
  explicit CharSet(std::string_view set);
  bool Empty() const { return !anySingle_ && multi_.empty(); }
  // Whether the unit of text at pos (of len bytes) is in the set.
  bool Contains(std::string_view text, std::size_t pos, std::size_t len) const;

 private:
  bool single_[256] = {};
  bool anySingle_ = false;
  std::vector<std::string> multi_;
};

// End of the run of units from pos that are (inSet) or are not in the set.
std::size_t SpanEnd(std::string_view text, std::size_t pos, const CharSet& set, bool inSet);

}  // namespace zqv::units
