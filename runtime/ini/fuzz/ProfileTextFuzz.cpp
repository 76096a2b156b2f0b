// Fuzzes the profile text: any bytes parse and render; an untouched text renders as it was
// read wherever its lines end alike; a key set reads back, also after the text is read anew.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ini/ProfileText.h"

namespace {

// A name or value from the input's first bytes up to a NUL, as lower-case letters, so that
// it needs no quoting and no trimming.
std::string PlainWord(std::string_view& input, std::size_t most) {
  std::string word;
  while (!input.empty() && word.size() < most) {
    const unsigned char c = static_cast<unsigned char>(input.front());
    input.remove_prefix(1);
    if (c == 0) break;
    word += static_cast<char>('a' + c % 26);
  }
  return word.empty() ? "k" : word;
}

bool LinesEndAlike(std::string_view text) {
  const bool crlf = text.find("\r\n") != std::string_view::npos;
  for (std::size_t i = text.find('\n'); i != std::string_view::npos; i = text.find('\n', i + 1))
    if ((i > 0 && text[i - 1] == '\r') != crlf) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::string section = PlainWord(input, 8), key = PlainWord(input, 8), value = PlainWord(input, 16);

  zq::rt::ini::ProfileText text(input);
  // A final CR without its LF is taken as the line's end.
  if (LinesEndAlike(input) && !input.ends_with('\r') && text.Content() != input) std::abort();
  (void)text.Find(section, key);

  text.Set(section, key, value);
  if (text.Find(section, key) != value) std::abort();
  const zq::rt::ini::ProfileText reread(text.Content());
  if (reread.Find(section, key) != value) std::abort();
  return 0;
}
