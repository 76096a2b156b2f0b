#include "zqplatform/charset.h"

#include <algorithm>
#include <array>

#include "UnicodeCase.h"
#include "Utf8.h"
#include "zqplatform/codepage.h"

namespace zq::text {
namespace {

using Table = std::array<unsigned char, 256>;

// 1252: a to z, the accented letters 0xE0..0xFE (not 0xF7), and the pairs 9A/8A, 9C/8C,
// 9E/8E, FF/9F.
constexpr Table MakeUpperTable() {
  Table t{};
  for (unsigned i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i);
  for (unsigned i = 'a'; i <= 'z'; ++i) t[i] = static_cast<unsigned char>(i - 0x20);
  for (unsigned i = 0xE0; i <= 0xFE; ++i) {
    if (i != 0xF7) t[i] = static_cast<unsigned char>(i - 0x20);
  }
  t[0x9A] = 0x8A;
  t[0x9C] = 0x8C;
  t[0x9E] = 0x8E;
  t[0xFF] = 0x9F;
  return t;
}

constexpr Table MakeLowerTable() {
  Table upper = MakeUpperTable();
  Table t{};
  for (unsigned i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i);
  for (unsigned i = 0; i < 256; ++i) {
    if (upper[i] != i) t[upper[i]] = static_cast<unsigned char>(i);
  }
  return t;
}

constexpr Table kUpper1252 = MakeUpperTable();
constexpr Table kLower1252 = MakeLowerTable();

unsigned char AsciiLower(unsigned char b) { return b >= 'A' && b <= 'Z' ? b + 0x20 : b; }

const unsigned char* Bytes(std::string_view text) {
  return reinterpret_cast<const unsigned char*>(text.data());
}

std::size_t Utf8UnitLen(std::string_view text, std::size_t pos) {
  std::size_t len = utf8::SequenceLength(Bytes(text) + pos, text.size() - pos);
  return len == 0 ? 1 : len;
}

// Maps every unit of a UTF-8 text whose other case has the same length.
void MapUtf8(char* text, std::size_t len, char32_t (*map)(char32_t), const Table& ascii) {
  auto* p = reinterpret_cast<unsigned char*>(text);
  for (std::size_t i = 0; i < len;) {
    if (p[i] < 0x80) {
      p[i] = ascii[p[i]];
      ++i;
      continue;
    }
    std::size_t unit = utf8::SequenceLength(p + i, len - i);
    if (unit == 0) {
      ++i;
      continue;
    }
    char32_t mapped = map(utf8::Decode(p + i, unit));
    if (utf8::EncodedLength(mapped) == unit) utf8::Encode(mapped, p + i);
    i += unit;
  }
}

constexpr Table MakeAsciiTable(bool upper) {
  Table t{};
  for (unsigned i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i);
  for (unsigned i = 'a'; i <= 'z'; ++i) {
    if (upper) t[i] = static_cast<unsigned char>(i - 0x20);
    else t[i - 0x20] = static_cast<unsigned char>(i);
  }
  return t;
}

constexpr Table kAsciiUpper = MakeAsciiTable(true);
constexpr Table kAsciiLower = MakeAsciiTable(false);

// The bytes of a text folded unit by unit, one at a time.
class FoldedBytes {
 public:
  explicit FoldedBytes(std::string_view text) : text_(text) {}

  // The next folded byte, or -1 at the end.
  int Next() {
    if (bufPos_ < bufLen_) return buf_[bufPos_++];
    if (pos_ >= text_.size()) return -1;
    unsigned char b = Bytes(text_)[pos_];
    if (b < 0x80 || IsSingleByteCodePage()) {
      ++pos_;
      return AsciiLower(b);
    }
    std::size_t unit = utf8::SequenceLength(Bytes(text_) + pos_, text_.size() - pos_);
    if (unit == 0) {
      ++pos_;
      return b;
    }
    char32_t cp = utf8::Decode(Bytes(text_) + pos_, unit);
    char32_t lower = UnicodeLower(cp);
    if (utf8::EncodedLength(lower) != unit) lower = cp;
    bufLen_ = utf8::Encode(lower, buf_);
    bufPos_ = 1;
    pos_ += unit;
    return buf_[0];
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  unsigned char buf_[4] = {};
  std::size_t bufLen_ = 0;
  std::size_t bufPos_ = 0;
};

}  // namespace

bool IsSingleByteCodePage() { return GetACP() == CP_1252; }

std::size_t CharLen(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return 0;
  return IsSingleByteCodePage() ? 1 : Utf8UnitLen(text, pos);
}

bool IsLeadByte(std::string_view text, std::size_t pos) { return CharLen(text, pos) > 1; }

std::size_t CharPrev(std::string_view text, std::size_t pos) {
  if (pos == 0) return 0;
  pos = std::min(pos, text.size());
  if (IsSingleByteCodePage()) return pos - 1;
  std::size_t last = pos - 1;
  // The unit holding the byte before pos starts at most three bytes earlier.
  for (std::size_t q = last >= 3 ? last - 3 : 0; q < last; ++q) {
    if (utf8::SequenceLength(Bytes(text) + q, text.size() - q) > last - q) return q;
  }
  return last;
}

bool IsCharStart(std::string_view text, std::size_t pos) {
  if (pos == 0 || IsSingleByteCodePage()) return true;
  if (pos > text.size()) return false;
  if (pos < text.size() && !utf8::IsTrail(Bytes(text)[pos])) return true;
  return CharPrev(text, pos) + CharLen(text, CharPrev(text, pos)) == pos;
}

bool IsSingleUnit(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return false;
  if (IsSingleByteCodePage() || Bytes(text)[pos] < 0x80) return true;
  return CharLen(text, pos) == 1 && IsCharStart(text, pos);
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t len = utf8::SequenceLength(Bytes(text) + pos, text.size() - pos);
    if (len == 0) return false;
    pos += len;
  }
  return true;
}

void MakeUpper(char* text, std::size_t len) {
  if (!text) return;
  if (IsSingleByteCodePage()) {
    std::transform(text, text + len, text, [](char c) { return static_cast<char>(kUpper1252[static_cast<unsigned char>(c)]); });
    return;
  }
  MapUtf8(text, len, UnicodeUpper, kAsciiUpper);
}

void MakeLower(char* text, std::size_t len) {
  if (!text) return;
  if (IsSingleByteCodePage()) {
    std::transform(text, text + len, text, [](char c) { return static_cast<char>(kLower1252[static_cast<unsigned char>(c)]); });
    return;
  }
  MapUtf8(text, len, UnicodeLower, kAsciiLower);
}

int CompareNoCase(std::string_view a, std::string_view b) {
  FoldedBytes left(a), right(b);
  for (;;) {
    int x = left.Next();
    int y = right.Next();
    if (x != y) return x < y ? -1 : 1;
    if (x < 0) return 0;
  }
}

}  // namespace zq::text
