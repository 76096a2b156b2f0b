#include "system/VersionText.h"

#include <array>
#include <vector>

namespace zqv {

namespace {

constexpr std::array<const char*, 12> kKeys = {
    "CompanyName",    "FileDescription", "FileVersion",     "InternalName",
    "LegalCopyright", "OriginalFileName", "ProductName",    "ProductVersion",
    "Comments",       "LegalTrademarks", "PrivateBuild",    "SpecialBuild"};

struct Translation {
  uint16_t language;
  uint16_t codePage;
};

std::vector<Translation> Translations(const zq::sys::VersionResource& resource) {
  std::vector<Translation> table;
  auto value = resource.Query("\\VarFileInfo\\Translation");
  if (!value) return table;
  for (size_t at = 0; at + 4 <= value->size(); at += 4) {
    const auto& v = *value;
    table.push_back({static_cast<uint16_t>(v[at] | v[at + 1] << 8), static_cast<uint16_t>(v[at + 2] | v[at + 3] << 8)});
  }
  return table;
}

// The first entry of the language, else the first of its primary language (low 8 bits).
const Translation* Search(const std::vector<Translation>& table, uint16_t language) {
  for (const auto& t : table) {
    if (t.language == language) return &t;
  }
  for (const auto& t : table) {
    if ((t.language & 0xFF) == (language & 0xFF)) return &t;
  }
  return nullptr;
}

const char kHex[] = "0123456789ABCDEF";

void AppendHex4(std::string& out, uint16_t value) {
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
}

// "\StringFileInfo\<language><code page>\" for the translation that suits the user, or,
// for a resource without a translation table, its first string table.
std::optional<std::string> StringTablePrefix(const zq::sys::VersionResource& resource, uint16_t userLanguage) {
  std::string prefix = "\\StringFileInfo\\";
  auto table = Translations(resource);
  if (table.empty()) {
    auto tables = resource.ChildKeys("\\StringFileInfo");
    if (tables.empty()) return std::nullopt;
    return prefix + tables.front() + "\\";
  }
  const Translation* chosen = nullptr;
  for (uint16_t language : {userLanguage, uint16_t{0}, uint16_t{9}}) {
    if ((chosen = Search(table, language))) break;
  }
  if (!chosen) chosen = &table.front();
  AppendHex4(prefix, chosen->language);
  AppendHex4(prefix, chosen->codePage);
  return prefix + "\\";
}

}  // namespace

std::string VersionSeparator(uint8_t code) {
  if (code == 0) return ";";
  if (code == 255) return "\r\n";
  return std::string(1, static_cast<char>(code));
}

std::string VersionText(const zq::sys::VersionResource& resource, uint16_t userLanguage, const std::string& separator) {
  auto root = resource.Query("\\");
  if (!root || root->empty()) return {};
  std::string text;
  // Without any string table every value is missing: the separators alone remain.
  auto prefix = StringTablePrefix(resource, userLanguage);
  for (size_t i = 0; i < kKeys.size(); ++i) {
    std::optional<std::string> value;
    if (prefix) value = resource.QueryText(*prefix + kKeys[i]);
    if (value) text += *value;
    if (i + 1 < kKeys.size()) text += separator;
  }
  return text;
}

}  // namespace zqv
