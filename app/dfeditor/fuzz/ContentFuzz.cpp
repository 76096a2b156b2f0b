// Fuzzes the editor's content reader and its save: any bytes read into a content that an
// untouched save gives back byte for byte; a value changed (key and value taken from the input)
// reads back as it was set where its block is written, and every other line of no key stays,
// in its order.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "FolderFileContent.h"

namespace {

// The lines of no key that hold more than blanks, in their order.
std::vector<std::string> OtherLines(const FolderFileContent& content) {
  std::vector<std::string> lines;
  for (const FolderFileContent::Line& line : content.lines) {
    std::string_view value;
    if (line.bytes.find_first_not_of(" \t") != std::string::npos && !FolderFileKeyOf(line.bytes, &value)) {
      lines.push_back(line.bytes);
    }
  }
  return lines;
}

// A value as a user types it into the form: no line end, no NUL, no outer blank.
std::string LineValue(std::string_view text) {
  std::string value;
  for (char c : text.substr(0, 40)) {
    if (c != '\r' && c != '\n' && c != '\0') value += c;
  }
  const size_t first = value.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return value.substr(first, value.find_last_not_of(' ') - first + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  FolderFileContent content = FolderFileContentOf(bytes);
  if (FolderFileContentBytes(content) != bytes) std::abort();
  if (size < 2) return 0;

  const FolderFileKey& key = FolderFileKeys()[data[0] % FolderFileKeys().size()];
  SetFolderValue(content.record, key, LineValue(bytes.substr(1)));
  const FolderFileContent saved = FolderFileContentOf(FolderFileContentBytes(content));
  DUNEFILE written = content.record;
  DUNEFILEDEFAULTS(written, key.block);
  const bool changed = FolderValue(content.asRead, key) != FolderValue(content.record, key);
  if (changed && HasBlock(DUNEFILEBLOCKS(written), key.block) && FolderLineWritten(written, key) &&
      FolderValue(saved.record, key) != FolderValue(written, key)) {
    std::abort();
  }
  if (OtherLines(saved) != OtherLines(content)) std::abort();
  return 0;
}
