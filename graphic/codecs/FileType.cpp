// Which format a name or a file's first bytes stand for.
#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "codecs/Codecs.h"

namespace zq::gr {
namespace {

struct Extension {
  std::string_view name;
  Format format;
};
constexpr std::array kExtensions{
    Extension{"jpg", Format::Jpeg}, Extension{"jpeg", Format::Jpeg}, Extension{"jpe", Format::Jpeg},
    Extension{"png", Format::Png},  Extension{"bmp", Format::Bmp},   Extension{"aai", Format::Aai},
};

}  // namespace

Format FormatOfExtension(std::string_view extension) {
  std::string lower(extension);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  for (const Extension& e : kExtensions)
    if (e.name == lower) return e.format;
  return Format::None;
}

Format FormatOfContent(std::span<const uint8_t> bytes) {
  static constexpr uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) return Format::Jpeg;
  if (bytes.size() >= 8 && std::memcmp(bytes.data(), kPng, 8) == 0) return Format::Png;
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return Format::Bmp;
  return Format::None;
}

}  // namespace zq::gr
