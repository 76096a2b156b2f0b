#include "data/spell/DictionaryFiles.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "frame/Exports.h"
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
  return !NamesUtf8(DeclaredEncoding(text)) || ValidUtf8(text);
}

bool ValidUtf8(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  for (std::size_t i = 0; i < n;) {
    unsigned char b = p[i];
    std::size_t len;
    uint32_t cp;
    if (b < 0x80) {
      ++i;
      continue;
    } else if (b >= 0xC2 && b <= 0xDF) {
      len = 2, cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      len = 3, cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      len = 4, cp = b & 0x07;
    } else {
      return false;
    }
    if (n - i < len) return false;
    for (std::size_t k = 1; k < len; ++k) {
      if ((p[i + k] & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (p[i + k] & 0x3F);
    }
    if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
    i += len;
  }
  return true;
}

}  // namespace zqv::spell
