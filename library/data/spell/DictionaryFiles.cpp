#include "data/spell/DictionaryFiles.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "frame/Exports.h"
#include "zqplatform/charset.h"
#include "zqplatform/files.h"

namespace zqv::spell {

namespace {

bool ReadableFile(const std::string& name) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(name, ec)) return false;
  std::ifstream in(name, std::ios::binary);
  return in.is_open();
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The encoding named by the file's SET line (the first one, as hunspell takes it), or empty.
std::string_view DeclaredEncoding(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a byte-order mark
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    std::string_view line = text.substr(at, end == std::string_view::npos ? end : end - at);
    if (line.size() > 3 && line.substr(0, 3) == "SET" && IsBlank(line[3])) {
      line.remove_prefix(4);
      while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
      std::size_t stop = 0;
      while (stop < line.size() && !IsBlank(line[stop]) && line[stop] != '\r') ++stop;
      return line.substr(0, stop);
    }
    if (end == std::string_view::npos) break;
    at = end + 1;
  }
  return {};
}

bool NamesUtf8(std::string_view encoding) {
  std::string upper;
  for (char c : encoding) upper += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  return upper == "UTF-8" || upper == "UTF8";
}

}  // namespace

std::string HunspellPath(std::string_view path) {
  DWORD error = 0;
  return zq::fs::ResolvePath(ToNul(path), &error);  // empty when the path cannot be resolved
}

bool Readable(const std::string& hunspellPath) {
  return !hunspellPath.empty() && (ReadableFile(hunspellPath) || ReadableFile(hunspellPath + ".hz"));
}

bool AffixUsable(const std::string& hunspellPath) {
  if (!ReadableFile(hunspellPath)) return true;
  std::ifstream in(hunspellPath, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return !NamesUtf8(DeclaredEncoding(text)) || zq::text::IsValidUtf8(text);
}

}  // namespace zqv::spell
