// Builds small PE files with a version resource, for tests.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zqtest::pe {

struct StringTable {
  std::string key;  // "040904B0"
  std::vector<std::pair<std::string, std::string>> values;
};

struct Version {
  bool rootValue = true;  // the fixed file information
  std::vector<StringTable> tables;
  std::optional<std::vector<std::pair<uint16_t, uint16_t>>> translations;  // (language, code page)
};

// The VS_VERSIONINFO block.
std::vector<uint8_t> VersionBlock(const Version& v);
// A PE32 image whose one section holds the resource directory, the version block last.
std::vector<uint8_t> PeImage(const std::vector<uint8_t>& versionBlock);

}  // namespace zqtest::pe
