// A decoded picture: 8-bit B, G, R, A pixels, top row first, alpha straight (not premultiplied),
// 255 opaque.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

namespace zq::gr {

// Outcomes of the library's steps, as Gr_Convert reports them.
enum class Status : int32_t {
  Ok = 1,
  Argument = 0,
  Open = -2,
  Format = -3,
  Corrupt = -4,
  Size = -5,
  Memory = -6,
  Write = -7,
  Handle = -8,
};

// Decoding refuses pictures beyond these: a side longer than kMaxSide, or more than kMaxPixels
// decoded pixels (a JPEG counts at the scale it is decoded at).
constexpr int64_t kMaxSide = 65535;
constexpr int64_t kMaxPixels = 64LL * 1024 * 1024;
// The largest side the player shows: every result is fitted inside it.
constexpr int32_t kMaxShownSide = 2047;

struct Size {
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const Size&) const = default;
};

struct Image {
  int32_t width = 0;
  int32_t height = 0;
  bool alpha = false;  // whether the picture carries an alpha channel (else every A is 255)
  std::unique_ptr<uint8_t[]> pixels;

  std::size_t Stride() const { return static_cast<std::size_t>(width) * 4; }
  uint8_t* Row(int32_t y) { return pixels.get() + Stride() * y; }
  const uint8_t* Row(int32_t y) const { return pixels.get() + Stride() * y; }
  bool Empty() const { return !pixels; }
  Size Dimensions() const { return {width, height}; }
};

// Whether a picture of that size may be decoded.
inline bool SizeAllowed(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
         width * height <= kMaxPixels;
}

// A picture of that size with uninitialised pixels; throws std::bad_alloc.
inline Image MakeImage(int32_t width, int32_t height, bool alpha) {
  Image image;
  image.width = width;
  image.height = height;
  image.alpha = alpha;
  image.pixels = std::make_unique_for_overwrite<uint8_t[]>(static_cast<std::size_t>(width) * height * 4);
  return image;
}

}  // namespace zq::gr
