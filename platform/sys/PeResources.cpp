#include "PeResources.h"

#include <algorithm>

#include "ByteReader.h"

namespace zq::sys {

namespace {

constexpr uint16_t kDosMagic = 0x5A4D;      // "MZ"
constexpr uint32_t kPeMagic = 0x00004550;   // "PE\0\0"
constexpr uint16_t kPe32 = 0x10B;
constexpr uint16_t kPe32Plus = 0x20B;
constexpr uint32_t kResourceTypeVersion = 16;
constexpr uint32_t kHighBit = 0x80000000;
constexpr uint32_t kResourceDirectoryIndex = 2;
constexpr uint64_t kCoffHeaderSize = 20;
constexpr uint64_t kSectionHeaderSize = 40;
constexpr uint64_t kDirectoryHeaderSize = 16;
constexpr uint64_t kDirectoryEntrySize = 8;
constexpr uint64_t kDataEntrySize = 16;
// A version block's length is a 16-bit count: nothing beyond it is ever needed.
constexpr uint64_t kLargestVersionBlock = 0xFFFF;

struct Section {
  uint32_t virtualAddress;
  uint32_t rawSize;
  uint32_t rawOffset;
};

// Where an address of the loaded image lies in the file, and how many bytes of its section
// the file holds from there on.
struct FileSpan {
  uint64_t offset;
  uint64_t available;
};

std::optional<FileSpan> FileOffset(const std::vector<Section>& sections, uint32_t rva) {
  for (const auto& s : sections) {
    if (rva < s.virtualAddress || rva - s.virtualAddress >= s.rawSize) continue;
    uint64_t within = rva - s.virtualAddress;
    return FileSpan{s.rawOffset + within, s.rawSize - within};
  }
  return std::nullopt;
}

// The resource directory: a tree whose offsets count from its start and stay inside it.
class ResourceTree {
 public:
  ResourceTree(const ReadAt& read, FileSpan span) : read_(read), span_(span) {}

  // The bytes of the tree at offset, all count of them or none.
  std::vector<uint8_t> Bytes(uint64_t offset, uint64_t count) const {
    if (offset > span_.available || count > span_.available - offset) return {};
    auto bytes = read_(span_.offset + offset, count);
    if (bytes.size() != count) bytes.clear();
    return bytes;
  }

  // The target offset of the directory's entry for id (the first entry when id is empty),
  // and whether it is a directory itself.
  std::optional<std::pair<uint32_t, bool>> Entry(uint32_t directory, std::optional<uint32_t> id) const {
    auto header = Bytes(directory, kDirectoryHeaderSize);
    ByteReader h(header);
    auto named = h.U16(12);
    auto ids = h.U16(14);
    if (!named || !ids) return std::nullopt;
    uint64_t count = uint64_t{*named} + *ids;
    auto entries = Bytes(directory + kDirectoryHeaderSize, count * kDirectoryEntrySize);
    ByteReader e(entries);
    for (uint64_t i = 0; i < count; ++i) {
      auto name = e.U32(i * kDirectoryEntrySize);
      auto target = e.U32(i * kDirectoryEntrySize + 4);
      if (!name || !target) return std::nullopt;
      if (id && ((*name & kHighBit) != 0 || *name != *id)) continue;
      return std::pair{*target & ~kHighBit, (*target & kHighBit) != 0};
    }
    return std::nullopt;
  }

 private:
  const ReadAt& read_;
  FileSpan span_;
};

}  // namespace

std::optional<std::vector<uint8_t>> FindVersionResource(const ReadAt& read) {
  auto dos = read(0, 64);
  ByteReader d(dos);
  auto peAt = d.U32(0x3C);
  if (d.U16(0) != kDosMagic || !peAt) return std::nullopt;

  auto headers = read(*peAt, 4 + kCoffHeaderSize + 0xFFFF);
  ByteReader h(headers);
  if (h.U32(0) != kPeMagic) return std::nullopt;
  auto sectionCount = h.U16(4 + 2);
  auto optionalSize = h.U16(4 + 16);
  if (!sectionCount || !optionalSize) return std::nullopt;
  const uint64_t optional = 4 + kCoffHeaderSize;
  auto magic = h.U16(optional);
  if (magic != kPe32 && magic != kPe32Plus) return std::nullopt;
  const uint64_t countAt = optional + (magic == kPe32 ? 92 : 108);
  auto directoryCount = h.U32(countAt);
  const uint64_t entryAt = countAt + 4 + kResourceDirectoryIndex * 8;
  if (!directoryCount || *directoryCount <= kResourceDirectoryIndex || entryAt + 8 > optional + *optionalSize)
    return std::nullopt;
  auto resourceRva = h.U32(entryAt);
  auto resourceSize = h.U32(entryAt + 4);
  if (!resourceRva || !resourceSize || *resourceSize == 0) return std::nullopt;

  auto table = read(*peAt + optional + *optionalSize, *sectionCount * kSectionHeaderSize);
  ByteReader t(table);
  std::vector<Section> sections;
  for (uint64_t at = 0; at < uint64_t{*sectionCount} * kSectionHeaderSize; at += kSectionHeaderSize) {
    auto va = t.U32(at + 12);
    auto rawSize = t.U32(at + 16);
    auto rawOffset = t.U32(at + 20);
    if (!va || !rawSize || !rawOffset) return std::nullopt;
    sections.push_back({*va, *rawSize, *rawOffset});
  }

  // The directory may claim more than its section holds; only what is there is read.
  auto treeAt = FileOffset(sections, *resourceRva);
  if (!treeAt) return std::nullopt;
  treeAt->available = std::min<uint64_t>(treeAt->available, *resourceSize);
  ResourceTree tree(read, *treeAt);

  // Type, then name, then language; each level a directory but the last.
  auto names = tree.Entry(0, kResourceTypeVersion);
  if (!names || !names->second) return std::nullopt;
  auto languages = tree.Entry(names->first, std::nullopt);
  if (!languages || !languages->second) return std::nullopt;
  auto data = tree.Entry(languages->first, std::nullopt);
  if (!data || data->second) return std::nullopt;

  auto entry = tree.Bytes(data->first, kDataEntrySize);
  ByteReader e(entry);
  auto dataRva = e.U32(0);
  auto dataSize = e.U32(4);
  if (!dataRva || !dataSize || *dataSize == 0) return std::nullopt;
  auto dataAt = FileOffset(sections, *dataRva);
  if (!dataAt || dataAt->available < *dataSize) return std::nullopt;
  uint64_t wanted = std::min<uint64_t>(*dataSize, kLargestVersionBlock);
  auto block = read(dataAt->offset, wanted);
  if (block.size() != wanted) return std::nullopt;  // the section claims more than the file has
  return block;
}

}  // namespace zq::sys
