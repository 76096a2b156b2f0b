#include "zqtest/PeImageBuilder.h"

#include <algorithm>

namespace zqtest::pe {

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(Bytes& b, size_t at, uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}
void Pad4(Bytes& b) {
  while (b.size() % 4) b.push_back(0);
}
void AppendUtf16(Bytes& b, const std::string& ascii) {
  for (char c : ascii) {
    b.push_back(static_cast<uint8_t>(c));
    b.push_back(0);
  }
  b.push_back(0);
  b.push_back(0);
}

// A node: length, value length (units for text, bytes otherwise), type, key, value, children.
Bytes Node(const std::string& key, const Bytes& value, uint16_t valueLength, bool text, const std::vector<Bytes>& children) {
  Bytes b(6, 0);
  AppendUtf16(b, key);
  Pad4(b);
  b.insert(b.end(), value.begin(), value.end());
  for (const auto& child : children) {
    Pad4(b);
    b.insert(b.end(), child.begin(), child.end());
  }
  Put16(b, 0, static_cast<uint32_t>(b.size()));
  Put16(b, 2, valueLength);
  Put16(b, 4, text ? 1 : 0);
  return b;
}

Bytes TextNode(const std::string& key, const std::string& value) {
  Bytes v;
  AppendUtf16(v, value);
  return Node(key, v, static_cast<uint16_t>(value.size() + 1), true, {});
}

}  // namespace

std::vector<uint8_t> VersionBlock(const Version& v) {
  std::vector<Bytes> children;
  if (!v.tables.empty()) {
    std::vector<Bytes> tables;
    for (const auto& t : v.tables) {
      std::vector<Bytes> strings;
      for (const auto& [key, value] : t.values) strings.push_back(TextNode(key, value));
      tables.push_back(Node(t.key, {}, 0, true, strings));
    }
    children.push_back(Node("StringFileInfo", {}, 0, true, tables));
  }
  if (v.translations) {
    Bytes table;
    for (auto [language, codePage] : *v.translations) {
      table.resize(table.size() + 4);
      Put16(table, table.size() - 4, language);
      Put16(table, table.size() - 2, codePage);
    }
    Bytes var = Node("Translation", table, static_cast<uint16_t>(table.size()), false, {});
    children.push_back(Node("VarFileInfo", {}, 0, true, {var}));
  }
  Bytes fixed;
  if (v.rootValue) {
    fixed.assign(52, 0);
    Put32(fixed, 0, 0xFEEF04BD);
    Put32(fixed, 4, 0x00010000);
  }
  return Node("VS_VERSION_INFO", fixed, static_cast<uint16_t>(fixed.size()), false, children);
}

std::vector<uint8_t> PeImage(const std::vector<uint8_t>& versionBlock) {
  constexpr uint32_t kPeAt = 0x40;
  constexpr uint32_t kOptionalSize = 96 + 16 * 8;
  constexpr uint32_t kSectionTable = kPeAt + 4 + 20 + kOptionalSize;
  constexpr uint32_t kRawAt = 0x200;
  constexpr uint32_t kSectionRva = 0x1000;

  // Resource section: three one-entry directories (type 16, name 1, language 0x409), the
  // data entry, then the block.
  Bytes rsrc(3 * 24 + 16, 0);
  auto directory = [&](size_t at, uint32_t id, uint32_t target, bool sub) {
    Put16(rsrc, at + 14, 1);
    Put32(rsrc, at + 16, id);
    Put32(rsrc, at + 20, target | (sub ? 0x80000000u : 0));
  };
  directory(0, 16, 24, true);
  directory(24, 1, 48, true);
  directory(48, 0x409, 72, false);
  Put32(rsrc, 72, kSectionRva + static_cast<uint32_t>(rsrc.size()));
  Put32(rsrc, 76, static_cast<uint32_t>(versionBlock.size()));
  rsrc.insert(rsrc.end(), versionBlock.begin(), versionBlock.end());

  Bytes image(kRawAt, 0);
  image[0] = 'M';
  image[1] = 'Z';
  Put32(image, 0x3C, kPeAt);
  Put32(image, kPeAt, 0x00004550);
  const uint32_t coff = kPeAt + 4;
  Put16(image, coff, 0x14C);
  Put16(image, coff + 2, 1);
  Put16(image, coff + 16, kOptionalSize);
  const uint32_t optional = coff + 20;
  Put16(image, optional, 0x10B);
  Put32(image, optional + 92, 16);
  Put32(image, optional + 96 + 2 * 8, kSectionRva);
  Put32(image, optional + 96 + 2 * 8 + 4, static_cast<uint32_t>(rsrc.size()));
  const char name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
  std::copy(name, name + 8, image.begin() + kSectionTable);
  Put32(image, kSectionTable + 8, static_cast<uint32_t>(rsrc.size()));
  Put32(image, kSectionTable + 12, kSectionRva);
  Put32(image, kSectionTable + 16, static_cast<uint32_t>(rsrc.size()));
  Put32(image, kSectionTable + 20, kRawAt);
  image.resize(kRawAt + rsrc.size());
  std::copy(rsrc.begin(), rsrc.end(), image.begin() + kRawAt);
  return image;
}

}  // namespace zqtest::pe
