// The library's own edits: blank collapsing, case inversion, capitals, replacements, word wrap.
#include "strings/Units.h"
#include "strings/XSObject.h"

namespace units = zqv::units;

namespace {

std::size_t NotBelowZero(int32_t value) { return value < 0 ? 0 : static_cast<std::size_t>(value); }

}  // namespace

void XSObject::TrimAll(char ch) {
  std::string& text = Edit();
  std::size_t kept = 0;
  for (char c : text) {
    if (c == ch && (kept == 0 || text[kept - 1] == ch)) continue;
    text[kept++] = c;
  }
  if (kept > 0 && text[kept - 1] == ch) --kept;
  text.resize(kept);
}

void XSObject::InvertCase() {
  for (char& c : Edit()) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 0x20);
    else if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 0x20);
  }
}

void XSObject::Capitalize() {
  bool start = true;
  for (char& c : Edit()) {
    if (c == ' ') {
      start = true;
    } else if (start) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 0x20);
      start = false;
    }
  }
}

void XSObject::ReplaceRange(int32_t position, int32_t count, std::string_view text) {
  text = units::UpToNul(text);
  std::size_t length = text_.size();
  std::size_t at = NotBelowZero(position);
  std::size_t n = NotBelowZero(count);
  if (at > length) {
    at = length;
    n = 0;
  } else if (n > length - at) {
    n = length - at;
  }
  if (text.empty() && n == 0) return;
  CheckLength(length - n + text.size());
  Edit().replace(at, n, text);
}

int32_t XSObject::ReplaceStr(std::string_view find, std::string_view replacement, int32_t start) {
  find = units::UpToNul(find);
  replacement = units::UpToNul(replacement);
  std::size_t from = NotBelowZero(start);
  if (find.empty() || from >= text_.size()) return 0;
  std::string_view text = text_;
  std::size_t at = units::FindText(text, from, find);
  if (at == units::npos) return 0;
  std::string result;
  result.reserve(text.size());
  result.append(text.substr(0, from));
  int32_t count = 0;
  for (; at != units::npos; at = units::FindText(text, from, find)) {
    result.append(text.substr(from, at - from));
    result.append(replacement);
    CheckLength(result.size());
    from = at + find.size();
    ++count;
  }
  result.append(text.substr(from));
  CheckLength(result.size());
  Edit().swap(result);
  return count;
}

void XSObject::TextFormat(int32_t width, char breakChar) {
  if (width < 1) return;
  TrimAll(' ');
  std::string& text = Edit();
  std::size_t length = text.size();
  std::size_t w = static_cast<std::size_t>(width);
  std::size_t lineStart = 0;
  for (std::size_t i = w; i < length; i = lineStart + w) {
    while (i > lineStart && text[i] != ' ') --i;
    if (i <= lineStart) return;  // a word longer than the width: the rest stays unwrapped
    text[i] = breakChar;
    lineStart = i + 1;
  }
}
