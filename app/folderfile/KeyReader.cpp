// One key's value out of a folder file's text.
#include "app/FolderFile.h"
#include "app/Helpers.h"
#include "app/Text.h"
#include "hostlib/Procedures.h"

namespace {

std::string_view Skip(std::string_view text, std::string_view blanks) {
  const size_t first = text.find_first_not_of(blanks);
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

// Blanks and tabs may stand around a key.
std::string_view SkipSpace(std::string_view text) { return Skip(text, " \t"); }

std::string_view TrimBlanks(std::string_view text) {
  text = Skip(text, " ");
  const size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

}  // namespace

std::string_view WithoutByteOrderMark(std::string_view text) {
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  return text.starts_with(kMark) ? text.substr(kMark.size()) : text;
}

bool FolderKeyLine(std::string_view line, std::string_view key, std::string_view* value) {
  line = SkipSpace(line);
  if (line.size() < key.size() || !SameWordNC(line.substr(0, key.size()), key)) return false;
  line = SkipSpace(line.substr(key.size()));
  if (line.empty() || line.front() != '=') return false;
  *value = TrimBlanks(line.substr(1));
  return true;
}

std::optional<size_t> FolderFileKeyOf(std::string_view line, std::string_view* value) {
  const std::span<const FolderFileKey> keys = FolderFileKeys();
  for (size_t i = 0; i < keys.size(); ++i) {
    if (FolderKeyLine(line, keys[i].key, value)) return i;
  }
  return std::nullopt;
}

std::string RDFI(std::string_view text, std::string_view key) {
  key = key.substr(0, static_cast<size_t>(TLEN(key)));
  if (key.empty()) return {};
  for (const TextLine& line : SplitLines(WithoutByteOrderMark(text))) {
    std::string_view value;
    if (FolderKeyLine(line.text, key, &value)) return std::string(value);
  }
  return {};
}
