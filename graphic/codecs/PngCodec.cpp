// PNG through libpng's simplified interface: palette, grey, 16-bit, transparency and
// interlaced files read as 8-bit B, G, R, A; written as RGB or RGBA.
#include <png.h>

#include <new>

#include "codecs/Codecs.h"

namespace zq::gr {
namespace {

// libpng takes memory for a chunk's declared length before it reads the chunk, so a length
// that runs past the end of the file is refused first: a few hostile bytes could otherwise ask
// for gigabytes. A file that simply ends early is left to libpng, which reports it.
bool ChunksFitTheFile(std::span<const uint8_t> bytes) {
  constexpr std::size_t kSignature = 8, kLengthAndType = 8, kCrc = 4;
  std::size_t at = kSignature;
  while (at + kLengthAndType <= bytes.size()) {
    const uint64_t length = uint64_t{bytes[at]} << 24 | uint64_t{bytes[at + 1]} << 16 |
                            uint64_t{bytes[at + 2]} << 8 | bytes[at + 3];
    const std::size_t left = bytes.size() - at - kLengthAndType;
    if (length > left) return false;
    const bool end = bytes[at + 4] == 'I' && bytes[at + 5] == 'E' && bytes[at + 6] == 'N' && bytes[at + 7] == 'D';
    if (end) return true;
    at += kLengthAndType + length + kCrc;
  }
  return true;
}

}  // namespace

Decoded ReadPng(std::span<const uint8_t> bytes) {
  if (!ChunksFitTheFile(bytes)) return {Status::Corrupt, {}};
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) return {Status::Corrupt, {}};
  struct Release {
    png_image* png;
    ~Release() { png_image_free(png); }
  } release{&png};
  if (!SizeAllowed(png.width, png.height)) return {Status::Size, {}};
  const bool alpha = (png.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  png.format = PNG_FORMAT_BGRA;
  Decoded result;
  try {
    result.image = MakeImage(static_cast<int32_t>(png.width), static_cast<int32_t>(png.height), alpha);
  } catch (const std::bad_alloc&) {
    return {Status::Memory, {}};
  }
  if (!png_image_finish_read(&png, nullptr, result.image.pixels.get(),
                             static_cast<png_int_32>(result.image.Stride()), nullptr))
    return {Status::Corrupt, {}};
  return result;
}

namespace {

// Writes the rows given (format set in png) into out, sized to what the file takes.
bool WriteRows(png_image& png, const void* rows, png_int_32 stride, Bytes& out) {
  try {
    out.resize(PNG_IMAGE_PNG_SIZE_MAX(png));
  } catch (const std::bad_alloc&) {
    return false;
  }
  png_alloc_size_t size = out.size();
  if (!png_image_write_to_memory(&png, out.data(), &size, 0, rows, stride, nullptr)) return false;
  out.resize(size);
  return true;
}

}  // namespace

bool WritePng(const Image& image, Bytes& out) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  if (image.alpha) {
    png.format = PNG_FORMAT_BGRA;
    return WriteRows(png, image.pixels.get(), static_cast<png_int_32>(image.Stride()), out);
  }
  // Without alpha the file is RGB: the pixels are packed into B, G, R rows first.
  std::unique_ptr<uint8_t[]> bgr;
  try {
    bgr = std::make_unique_for_overwrite<uint8_t[]>(static_cast<std::size_t>(image.width) * 3 * image.height);
  } catch (const std::bad_alloc&) {
    return false;
  }
  const uint8_t* from = image.pixels.get();
  uint8_t* to = bgr.get();
  for (std::size_t i = 0, n = static_cast<std::size_t>(image.width) * image.height; i < n; ++i, from += 4, to += 3) {
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
  }
  png.format = PNG_FORMAT_BGR;
  return WriteRows(png, bgr.get(), static_cast<png_int_32>(image.width * 3), out);
}

}  // namespace zq::gr
