// Searches, counting, comparison and the word scanner.
#include <algorithm>
#include <bitset>

#include "strings/Units.h"
#include "strings/XSObject.h"
#include "zqplatform/charset.h"

namespace units = zqv::units;

namespace {

using zqv::units::UpToNul;

int32_t Position(std::size_t at) { return at == zqv::units::npos ? -1 : static_cast<int32_t>(at); }

int32_t Sign(int value) { return value < 0 ? -1 : value > 0 ? 1 : 0; }

}  // namespace

int32_t XSObject::Find(char ch, int32_t start) const {
  if (start < 0 || start >= GetLength()) return -1;
  return Position(units::FindByte(ToNul(), static_cast<std::size_t>(start), ch));
}

int32_t XSObject::Find(std::string_view text, int32_t start) const {
  text = UpToNul(text);
  if (start < 0 || start > GetLength()) return -1;
  std::string_view own = ToNul();
  if (static_cast<std::size_t>(start) > own.size()) return -1;
  if (text.empty()) return start;
  return Position(units::FindText(own, static_cast<std::size_t>(start), text));
}

// A start other than 0 searches the text from there to its next NUL byte, so a start behind
// a NUL byte searches the stretch that follows it.
int32_t XSObject::FindOneOf(std::string_view set, int32_t start) const {
  std::size_t from = start <= 0 ? 0 : static_cast<std::size_t>(start);
  if (from >= text_.size()) return -1;
  std::string_view rest = UpToNul(std::string_view(text_).substr(from));
  units::CharSet chars(UpToNul(set));
  std::size_t at = units::SpanEnd(rest, 0, chars, false);
  return at < rest.size() ? static_cast<int32_t>(from + at) : -1;
}

int32_t XSObject::ReverseFindChr(char ch, int32_t position, int32_t fromEnd) const {
  int64_t length = GetLength();
  int64_t end = length;  // the bytes [0, end) are searched
  if (position >= 0) {
    if (fromEnd != 0) end = std::max<int64_t>(0, length - position);
    else if (position < length) end = int64_t(position) + 1;
  }
  return Position(units::FindLastByte(ToNul(), static_cast<std::size_t>(end), ch));
}

int32_t XSObject::CountChr(char ch, int32_t start) const {
  if (start < 0 || start >= GetLength()) return 0;
  std::string_view text = ToNul();
  int32_t count = 0;
  for (std::size_t at = units::FindByte(text, static_cast<std::size_t>(start), ch); at != units::npos;
       at = units::FindByte(text, at + 1, ch)) {
    ++count;
  }
  return count;
}

int32_t XSObject::CountItems(char ch) const {
  if (text_.empty()) return 0;
  return 1 + static_cast<int32_t>(std::count(text_.begin(), text_.end(), ch));
}

int32_t XSObject::ReverseCount(char ch, int32_t position) const {
  int32_t count = 0;
  for (int32_t at = ReverseFindChr(ch, position, 0); at >= 0; at = ReverseFindChr(ch, at - 1, 0)) {
    ++count;
    if (at - 1 < 0) break;
  }
  return count;
}

bool XSObject::ComparedPart(std::string_view other, int32_t mode, std::string_view& part) const {
  std::size_t n = other.size();
  std::string_view text = text_;
  if (mode == -1) part = text;
  else if (mode == -2) part = text.substr(text.size() - std::min(n, text.size()));
  else if (mode >= 0) part = static_cast<std::size_t>(mode) < text.size() ? text.substr(mode, n) : std::string_view();
  else return false;
  part = UpToNul(part);
  return true;
}

int32_t XSObject::Compare(std::string_view other, int32_t mode) const {
  other = UpToNul(other);
  std::string_view part;
  if (!ComparedPart(other, mode, part)) return -1;
  return Sign(part.compare(other));
}

int32_t XSObject::CompareNC(std::string_view other, int32_t mode) const {
  other = UpToNul(other);
  std::string_view part;
  if (!ComparedPart(other, mode, part)) return -1;
  return zq::text::CompareNoCase(part, other);
}

std::string XSObject::FindWord(int32_t& position, std::string_view wordSet) const {
  std::size_t length = text_.size();
  std::size_t i = position < 0 ? 0 : static_cast<std::size_t>(position);
  std::bitset<256> word;
  for (char c : UpToNul(wordSet)) word.set(static_cast<unsigned char>(c));
  auto inWord = [&](std::size_t at) { return word.test(static_cast<unsigned char>(text_[at])); };
  while (i < length) {
    char c = text_[i];
    if (inWord(i)) {
      std::size_t end = i + 1;
      while (end < length && inWord(end)) ++end;
      position = static_cast<int32_t>(i);
      return text_.substr(i, end - i);
    }
    if (c == '\\' || c == '{') {
      std::size_t end = text_.find_first_of(c == '\\' ? " \n\r" : "}\n\r", i + 1);
      i = end == std::string::npos ? length : end + 1;
    } else {
      ++i;
    }
  }
  position = -1;
  return {};
}
