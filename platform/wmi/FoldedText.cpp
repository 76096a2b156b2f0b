#include "FoldedText.h"

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
  std::u32string fa = Fold(a), fb = Fold(b);
  return fa < fb ? -1 : fa == fb ? 0 : 1;
}

}  // namespace zq::wmi
