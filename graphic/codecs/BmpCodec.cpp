// BMP, the common forms: 24-bit, and 32-bit plain (its fourth byte unused) or with byte
// masks (alpha where a mask names it); bottom-up or top-down. Written as 24-bit, or as 32-bit
// with an alpha mask when the picture has alpha.
#include <cstring>
#include <new>
#include <optional>
#include <vector>

#include "codecs/ByteOrder.h"
#include "codecs/Codecs.h"

namespace zq::gr {
namespace {

constexpr uint32_t kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;
constexpr std::size_t kFileHeader = 14;

// The byte a mask selects within a 32-bit pixel (0 to 3); none for other masks.
std::optional<int> ByteOfMask(uint32_t mask) {
  for (int i = 0; i < 4; ++i)
    if (mask == 0xFFu << (8 * i)) return i;
  return std::nullopt;
}

}  // namespace

Decoded ReadBmp(std::span<const uint8_t> bytes) {
  if (bytes.size() < kFileHeader + 40 || bytes[0] != 'B' || bytes[1] != 'M') return {Status::Corrupt, {}};
  const uint32_t dataAt = Le32(bytes, 10);
  const uint32_t infoSize = Le32(bytes, 14);
  if (infoSize < 40 || infoSize > bytes.size() - kFileHeader) return {Status::Format, {}};
  const auto width = static_cast<int32_t>(Le32(bytes, 18));
  const auto rawHeight = static_cast<int32_t>(Le32(bytes, 22));
  const uint32_t bits = Le16(bytes, 28), compression = Le32(bytes, 30);
  const bool topDown = rawHeight < 0;
  const int64_t height = topDown ? -int64_t{rawHeight} : rawHeight;
  if (!SizeAllowed(width, height)) return {Status::Size, {}};
  // Where B, G, R and A stand in a pixel; alpha none for opaque forms.
  int b = 0, g = 1, r = 2;
  std::optional<int> a;
  if (bits == 24 && compression == kRgb) {
  } else if (bits == 32 && compression == kRgb) {
  } else if (bits == 32 && (compression == kBitFields || compression == kAlphaBitFields)) {
    // Masks: inside a V4/V5 header, else right after the 40-byte header.
    const std::size_t masksAt = kFileHeader + 40;
    const bool alphaMask = infoSize >= 56 || compression == kAlphaBitFields;
    if (bytes.size() < masksAt + (alphaMask ? 16 : 12)) return {Status::Corrupt, {}};
    auto rb = ByteOfMask(Le32(bytes, masksAt)), gb = ByteOfMask(Le32(bytes, masksAt + 4)),
         bb = ByteOfMask(Le32(bytes, masksAt + 8));
    if (!rb || !gb || !bb) return {Status::Format, {}};
    r = *rb, g = *gb, b = *bb;
    if (alphaMask && Le32(bytes, masksAt + 12) != 0) {
      a = ByteOfMask(Le32(bytes, masksAt + 12));
      if (!a) return {Status::Format, {}};
    }
  } else {
    return {Status::Format, {}};
  }
  const std::size_t step = bits / 8;
  const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
  if (dataAt > bytes.size() || (bytes.size() - dataAt) / stride < static_cast<std::size_t>(height))
    return {Status::Corrupt, {}};
  Decoded result;
  try {
    result.image = MakeImage(width, static_cast<int32_t>(height), a.has_value());
  } catch (const std::bad_alloc&) {
    return {Status::Memory, {}};
  }
  for (int32_t y = 0; y < result.image.height; ++y) {
    const int64_t fileRow = topDown ? y : height - 1 - y;
    const uint8_t* from = bytes.data() + dataAt + stride * static_cast<std::size_t>(fileRow);
    uint8_t* to = result.image.Row(y);
    for (int32_t x = 0; x < width; ++x, from += step, to += 4) {
      to[0] = from[b];
      to[1] = from[g];
      to[2] = from[r];
      to[3] = a ? from[*a] : 255;
    }
  }
  return result;
}

bool WriteBmp(const Image& image, Bytes& out) {
  const bool alpha = image.alpha;
  const uint32_t infoSize = alpha ? 108 : 40;
  const uint32_t bits = alpha ? 32 : 24;
  const std::size_t stride = (static_cast<std::size_t>(image.width) * bits + 31) / 32 * 4;
  const uint64_t dataSize = uint64_t{stride} * image.height;
  const uint32_t dataAt = static_cast<uint32_t>(kFileHeader) + infoSize;
  if (dataSize + dataAt > 0xFFFFFFFFu) return false;
  try {
    out.assign(dataAt + dataSize, 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  uint8_t* header = out.data();
  header[0] = 'B';
  header[1] = 'M';
  PutLe32(&header[2], static_cast<uint32_t>(dataAt + dataSize));
  PutLe32(&header[10], dataAt);
  uint8_t* info = &header[kFileHeader];
  PutLe32(info, infoSize);
  PutLe32(info + 4, static_cast<uint32_t>(image.width));
  PutLe32(info + 8, static_cast<uint32_t>(image.height));  // bottom-up
  PutLe16(info + 12, 1);
  PutLe16(info + 14, bits);
  PutLe32(info + 16, alpha ? kBitFields : kRgb);
  PutLe32(info + 20, static_cast<uint32_t>(dataSize));
  PutLe32(info + 24, 2835);  // 72 dots per inch
  PutLe32(info + 28, 2835);
  if (alpha) {
    PutLe32(info + 40, 0x00FF0000);
    PutLe32(info + 44, 0x0000FF00);
    PutLe32(info + 48, 0x000000FF);
    PutLe32(info + 52, 0xFF000000);
    PutLe32(info + 56, 0x73524742);  // "sRGB"
  }
  uint8_t* row = header + dataAt;
  for (int32_t y = image.height - 1; y >= 0; --y, row += stride) {
    const uint8_t* from = image.Row(y);
    if (alpha) {
      std::memcpy(row, from, image.Stride());
    } else {
      uint8_t* to = row;
      for (int32_t x = 0; x < image.width; ++x, from += 4, to += 3) std::memcpy(to, from, 3);
    }
  }
  return true;
}

}  // namespace zq::gr
