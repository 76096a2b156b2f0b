#include "strings/Units.h"

#include <algorithm>
#include <cstring>

#include "zqplatform/charset.h"

namespace zqv::units {
namespace {

// The code page is chosen once for the process.
bool SingleByte() {
  static const bool single = zq::text::IsSingleByteCodePage();
  return single;
}

bool IsTrail(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// True when every occurrence of the byte is a unit of its own.
bool AlwaysAUnit(char ch) {
  auto b = static_cast<unsigned char>(ch);
  return SingleByte() || b < 0x80 || b == 0xC0 || b == 0xC1 || b >= 0xF5;
}

// Whether a unit starts at pos; a byte that is no trail byte always starts one.
bool UnitStart(std::string_view text, std::size_t pos) {
  if (pos == 0 || pos == text.size() || !IsTrail(text[pos])) return true;
  return zq::text::IsCharStart(text, pos);
}

}  // namespace

std::size_t FindByte(std::string_view text, std::size_t pos, char ch) {
  bool plain = AlwaysAUnit(ch);
  while (pos < text.size()) {
    const void* hit = std::memchr(text.data() + pos, ch, text.size() - pos);
    if (!hit) return npos;
    std::size_t at = static_cast<const char*>(hit) - text.data();
    if (plain || zq::text::IsSingleUnit(text, at)) return at;
    pos = at + 1;
  }
  return npos;
}

std::size_t FindLastByte(std::string_view text, std::size_t end, char ch) {
  bool plain = AlwaysAUnit(ch);
  for (std::size_t at = std::min(end, text.size()); at-- > 0;) {
    if (text[at] == ch && (plain || zq::text::IsSingleUnit(text, at))) return at;
  }
  return npos;
}

std::size_t FindText(std::string_view text, std::size_t pos, std::string_view needle) {
  bool plain = SingleByte();
  for (std::size_t at = text.find(needle, pos); at != npos; at = text.find(needle, at + 1)) {
    if (plain || (UnitStart(text, at) && UnitStart(text, at + needle.size()))) return at;
  }
  return npos;
}

CharSet::CharSet(std::string_view set) {
  for (std::size_t pos = 0; pos < set.size();) {
    std::size_t len = UnitLen(set, pos);
    if (len == 1) {
      single_[static_cast<unsigned char>(set[pos])] = true;
      anySingle_ = true;
    } else {
      multi_.emplace_back(set.substr(pos, len));
    }
    pos += len;
  }
}

bool CharSet::Contains(std::string_view text, std::size_t pos, std::size_t len) const {
  if (len == 1) return single_[static_cast<unsigned char>(text[pos])];
  std::string_view unit = text.substr(pos, len);
  for (const std::string& m : multi_) {
    if (m == unit) return true;
  }
  return false;
}

std::size_t SpanEnd(std::string_view text, std::size_t pos, const CharSet& set, bool inSet) {
  while (pos < text.size()) {
    std::size_t len = UnitLen(text, pos);
    if (set.Contains(text, pos, len) != inSet) break;
    pos += len;
  }
  return pos;
}

}  // namespace zqv::units
