// The text of a folder file, in either form, composed from the record by the key table.
#include "app/FolderFile.h"

std::string FolderFileLine(std::string_view key, std::string_view value, size_t width) {
  std::string line(key);
  if (line.size() < width) line.append(width - line.size(), ' ');
  return line.append(" = ").append(value).append("\r\n");
}

std::string FOLDERFILETEXT(const DUNEFILE& r, const FolderBlocks& blocks, size_t width) {
  std::string text;
  bool blockStarted[3] = {};
  for (const FolderFileKey& key : FolderFileKeys()) {
    if (!HasBlock(blocks, key.block) || (width != kPlainKeys && !key.padded) || !FolderLineWritten(r, key)) continue;
    // A new block starts after an empty line when something stands before it.
    bool& started = blockStarted[static_cast<size_t>(key.block)];
    if (!started && !text.empty()) text.append("\r\n");
    started = true;
    text += FolderFileLine(key.key, FolderValue(r, key), width);
  }
  return text;
}

std::string DUNEFILETEXT(DUNEFILE& r) {
  const FolderBlocks blocks = DUNEFILEBLOCKS(r);
  for (FolderBlock block : {FolderBlock::Icon, FolderBlock::View, FolderBlock::Background}) {
    if (HasBlock(blocks, block)) DUNEFILEDEFAULTS(r, block);
  }
  return FOLDERFILETEXT(r, blocks, kPlainKeys);
}
