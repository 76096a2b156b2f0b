// AAI, the player's format: width and height (little-endian 32 bits), then B, G, R, A pixels
// top row first. Alpha 254 is opaque: 255 is never written and reads as opaque.
#include <cstring>
#include <new>
#include <vector>

#include "codecs/ByteOrder.h"
#include "codecs/Codecs.h"

namespace zq::gr {

Decoded ReadAai(std::span<const uint8_t> bytes) {
  if (bytes.size() < 8) return {Status::Corrupt, {}};
  const uint32_t width = Le32(bytes, 0), height = Le32(bytes, 4);
  if (!SizeAllowed(width, height)) return {Status::Size, {}};
  const std::size_t count = std::size_t{width} * height;
  if ((bytes.size() - 8) / 4 < count) return {Status::Corrupt, {}};
  Decoded result;
  try {
    result.image = MakeImage(static_cast<int32_t>(width), static_cast<int32_t>(height), false);
  } catch (const std::bad_alloc&) {
    return {Status::Memory, {}};
  }
  const uint8_t* from = bytes.data() + 8;
  uint8_t* to = result.image.pixels.get();
  uint8_t lowest = 255;
  for (std::size_t i = 0; i < count; ++i, from += 4, to += 4) {
    std::memcpy(to, from, 3);
    uint8_t a = from[3] >= 254 ? 255 : from[3];
    to[3] = a;
    lowest = a < lowest ? a : lowest;
  }
  result.image.alpha = lowest < 255;
  return result;
}

bool WriteAai(const Image& image, Bytes& out) {
  try {
    out.resize(8 + image.Stride() * static_cast<std::size_t>(image.height));
  } catch (const std::bad_alloc&) {
    return false;
  }
  PutLe32(out.data(), static_cast<uint32_t>(image.width));
  PutLe32(out.data() + 4, static_cast<uint32_t>(image.height));
  uint8_t* to = out.data() + 8;
  for (int32_t y = 0; y < image.height; ++y, to += image.Stride()) {
    std::memcpy(to, image.Row(y), image.Stride());
    for (std::size_t a = 3; a < image.Stride(); a += 4) {
      if (to[a] == 255 || !image.alpha) to[a] = 254;
    }
  }
  return true;
}

}  // namespace zq::gr
