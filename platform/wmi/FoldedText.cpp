#include "FoldedText.h"

#include <algorithm>

#include "../text/UnicodeCase.h"
#include "../text/Utf8.h"

namespace zq::wmi {

std::u32string Fold(std::string_view utf8) {
  std::u32string folded;
  folded.reserve(utf8.size());
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  std::size_t at = 0;
  while (at < utf8.size()) {
    std::size_t len = text::utf8::SequenceLength(p + at, utf8.size() - at);
    if (len == 0) {
      folded += static_cast<char32_t>(0xDC00 + p[at]);
      ++at;
      continue;
    }
    folded += text::UnicodeLower(text::utf8::Decode(p + at, len));
    at += len;
  }
  return folded;
}

int CompareNoCase(std::string_view a, std::string_view b) {
  // ASCII texts fold byte by byte, without a copy.
  auto ascii = [](std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  };
  if (ascii(a) && ascii(b)) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
      char x = lower(a[i]), y = lower(b[i]);
      if (x != y) return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() == b.size() ? 0 : 1;
  }
  std::u32string fa = Fold(a), fb = Fold(b);
  return fa < fb ? -1 : fa == fb ? 0 : 1;
}

}  // namespace zq::wmi
