// Fuzzes the folder file's key reader: any text reads into a record whose values hold no line
// end and no outer blank, and the plain form written from that record reads back to the same
// values; a key cut from the text itself is looked up too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/FolderFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  DUNEFILE read;
  DUNEFILEFROMTEXT(read, text);
  for (const FolderFileKey& key : FolderFileKeys()) {
    const std::string value = RDFI(text, key.key);
    if (value.find_first_of("\r\n") != std::string::npos) std::abort();
    if (!value.empty() && (value.front() == ' ' || value.back() == ' ')) std::abort();
  }
  RDFI(text, text.substr(0, text.find('=')));

  DUNEFILE written = read;
  const std::string plain = DUNEFILETEXT(written);
  DUNEFILE again;
  DUNEFILEFROMTEXT(again, plain);
  const FolderBlocks blocks = DUNEFILEBLOCKS(written);
  for (const FolderFileKey& key : FolderFileKeys()) {
    if (!HasBlock(blocks, key.block) || !FolderLineWritten(written, key)) continue;
    if (FolderValue(again, key) != FolderValue(written, key)) std::abort();
  }
  return 0;
}
