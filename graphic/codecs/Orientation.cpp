// EXIF orientation: the tag read from a JPEG's APP1 segment, and the turn that makes the
// picture upright.
#include <cstring>

#include "codecs/Codecs.h"

namespace zq::gr {

int32_t ExifOrientation(std::span<const uint8_t> app1) {
  static constexpr uint8_t kExif[6] = {'E', 'x', 'i', 'f', 0, 0};
  if (app1.size() < 6 + 8 || std::memcmp(app1.data(), kExif, 6) != 0) return 1;
  std::span<const uint8_t> tiff = app1.subspan(6);
  bool little;
  if (tiff[0] == 'I' && tiff[1] == 'I') little = true;
  else if (tiff[0] == 'M' && tiff[1] == 'M') little = false;
  else return 1;
  auto u16 = [&](std::size_t at) -> uint32_t {
    return little ? tiff[at] | tiff[at + 1] << 8 : tiff[at] << 8 | tiff[at + 1];
  };
  auto u32 = [&](std::size_t at) -> uint32_t {
    return little ? u16(at) | u16(at + 2) << 16 : u16(at) << 16 | u16(at + 2);
  };
  if (u16(2) != 42) return 1;
  std::size_t ifd = u32(4);
  if (ifd > tiff.size() || tiff.size() - ifd < 2) return 1;
  std::size_t count = u16(ifd);
  for (std::size_t i = 0; i < count; ++i) {
    std::size_t entry = ifd + 2 + i * 12;
    if (entry + 12 > tiff.size()) return 1;
    if (u16(entry) == 0x0112 && u16(entry + 2) == 3) {
      uint32_t value = u16(entry + 8);
      return value >= 1 && value <= 8 ? static_cast<int32_t>(value) : 1;
    }
  }
  return 1;
}

Image Orient(Image image, int32_t orientation) {
  if (orientation <= 1 || orientation > 8) return image;
  const int32_t w = image.width, h = image.height;
  const bool swap = SwapsSides(orientation);
  Image out = MakeImage(swap ? h : w, swap ? w : h, image.alpha);
  const auto* in = reinterpret_cast<const uint32_t*>(image.pixels.get());
  auto* to = reinterpret_cast<uint32_t*>(out.pixels.get());
  // For each output pixel, the source pixel: x' = x0 + x * dxx + y * dxy, likewise y'.
  struct Walk { int32_t x0, y0, dxx, dxy, dyx, dyy; };
  Walk walk{};
  switch (orientation) {
    case 2: walk = {w - 1, 0, -1, 0, 0, 1}; break;           // mirrored
    case 3: walk = {w - 1, h - 1, -1, 0, 0, -1}; break;      // turned half round
    case 4: walk = {0, h - 1, 1, 0, 0, -1}; break;           // upside down
    case 5: walk = {0, 0, 0, 1, 1, 0}; break;                // transposed
    case 6: walk = {0, h - 1, 0, 1, -1, 0}; break;           // turned left: turn right
    case 7: walk = {w - 1, h - 1, 0, -1, -1, 0}; break;      // transversed
    case 8: walk = {w - 1, 0, 0, -1, 1, 0}; break;           // turned right: turn left
  }
  for (int32_t y = 0; y < out.height; ++y) {
    int32_t sx = walk.x0 + y * walk.dxy, sy = walk.y0 + y * walk.dyy;
    for (int32_t x = 0; x < out.width; ++x, sx += walk.dxx, sy += walk.dyx)
      *to++ = in[static_cast<std::size_t>(sy) * w + sx];
  }
  return out;
}

}  // namespace zq::gr
