// Walks a VS_VERSIONINFO block: nodes of (length, value length, type, key, value, children),
// each aligned to 4 bytes from the block's start.
#include <algorithm>
#include <fstream>
#include <limits>

#include "ByteReader.h"
#include "PeResources.h"
#include "zqplatform/codepage.h"
#include "zqplatform/files.h"
#include "zqplatform/system.h"

namespace zq::sys {

namespace {

constexpr uint64_t kNodeHeaderSize = 6;
constexpr uint16_t kTextValue = 1;

uint64_t Align4(uint64_t at) { return (at + 3) & ~uint64_t{3}; }

struct Node {
  uint64_t at;
  uint64_t end;
  std::u16string key;
  uint64_t valueAt;
  uint64_t valueSize;
  uint64_t childrenAt;
};

// The node at offset at, which must end by limit; nothing when it does not fit.
std::optional<Node> ReadNode(const ByteReader& block, uint64_t at, uint64_t limit) {
  auto length = block.U16(at);
  auto valueLength = block.U16(at + 2);
  auto type = block.U16(at + 4);
  if (!length || !valueLength || !type || *length < kNodeHeaderSize || at + *length > limit) return std::nullopt;
  Node node{at, at + *length, {}, 0, 0, 0};
  uint64_t p = at + kNodeHeaderSize;
  for (;; p += 2) {
    if (p + 2 > node.end) return std::nullopt;
    auto unit = block.U16(p);
    if (*unit == 0) break;
    node.key.push_back(static_cast<char16_t>(*unit));
  }
  node.valueAt = std::min(Align4(p + 2), node.end);
  uint64_t size = *type == kTextValue ? uint64_t{*valueLength} * 2 : *valueLength;
  node.valueSize = std::min(size, node.end - node.valueAt);
  node.childrenAt = std::min(Align4(node.valueAt + node.valueSize), node.end);
  return node;
}

template <class Fn>
void ForEachChild(const ByteReader& block, const Node& parent, Fn&& fn) {
  uint64_t at = parent.childrenAt;
  while (at < parent.end) {
    auto child = ReadNode(block, at, parent.end);
    if (!child) return;
    if (!fn(*child)) return;
    at = Align4(child->end);
  }
}

char16_t FoldAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

bool SameKey(std::u16string_view a, std::u16string_view b) {
  return std::ranges::equal(a, b, [](char16_t x, char16_t y) { return FoldAscii(x) == FoldAscii(y); });
}

std::vector<std::u16string> SplitPath(std::string_view subBlock) {
  std::vector<std::u16string> keys;
  size_t start = 0;
  while (start <= subBlock.size()) {
    size_t end = subBlock.find('\\', start);
    if (end == std::string_view::npos) end = subBlock.size();
    if (end > start) keys.push_back(zq::text::ToWide(subBlock.substr(start, end - start)));
    start = end + 1;
  }
  return keys;
}

std::optional<Node> FindNode(const ByteReader& block, std::string_view subBlock) {
  auto node = ReadNode(block, 0, block.Size());
  for (const auto& key : SplitPath(subBlock)) {
    if (!node) break;
    std::optional<Node> found;
    ForEachChild(block, *node, [&](const Node& child) {
      if (SameKey(child.key, key)) found = child;
      return !found;
    });
    node = found;
  }
  return node;
}

}  // namespace

std::optional<VersionResource> VersionResource::Found(std::optional<std::vector<uint8_t>> block) {
  if (!block || !ReadNode(ByteReader(*block), 0, block->size())) return std::nullopt;
  return VersionResource(std::move(*block));
}

std::optional<VersionResource> VersionResource::FromImage(std::span<const uint8_t> image) {
  return Found(FindVersionResource([image](uint64_t offset, uint64_t count) {
    if (offset >= image.size()) return std::vector<uint8_t>();
    auto part = image.subspan(offset, std::min<uint64_t>(count, image.size() - offset));
    return std::vector<uint8_t>(part.begin(), part.end());
  }));
}

std::optional<VersionResource> VersionResource::FromFile(std::string_view ansiPath) {
  DWORD error = 0;
  std::string path = zq::fs::ResolvePath(ansiPath, &error);
  if (path.empty()) return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  return Found(FindVersionResource([&file](uint64_t offset, uint64_t count) {
    std::vector<uint8_t> bytes;
    file.clear();
    if (offset > static_cast<uint64_t>(std::numeric_limits<std::streamoff>::max()) ||
        !file.seekg(static_cast<std::streamoff>(offset))) {
      return bytes;
    }
    bytes.resize(count);
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<size_t>(file.gcount()));
    return bytes;
  }));
}

std::optional<std::span<const uint8_t>> VersionResource::Query(std::string_view subBlock) const {
  ByteReader block(block_);
  auto node = FindNode(block, subBlock);
  if (!node) return std::nullopt;
  return block.Slice(node->valueAt, node->valueSize);
}

std::optional<std::string> VersionResource::QueryText(std::string_view subBlock) const {
  auto value = Query(subBlock);
  if (!value) return std::nullopt;
  ByteReader bytes(*value);
  std::u16string text;
  for (uint64_t at = 0; at + 2 <= bytes.Size(); at += 2) {
    auto unit = bytes.U16(at);
    if (*unit == 0) break;
    text.push_back(static_cast<char16_t>(*unit));
  }
  return zq::text::ToMulti(text);
}

std::vector<std::string> VersionResource::ChildKeys(std::string_view subBlock) const {
  ByteReader block(block_);
  std::vector<std::string> keys;
  if (auto node = FindNode(block, subBlock)) {
    ForEachChild(block, *node, [&](const Node& child) {
      keys.push_back(zq::text::ToMulti(child.key));
      return true;
    });
  }
  return keys;
}

}  // namespace zq::sys
