// Readers and writers of the picture formats. Readers take the file's bytes and refuse
// hostile data with a status (never more than the picture's own size in memory, bounded by
// kMaxPixels); writers make a whole file's bytes of a picture in memory.
#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Image.h"

namespace zq::gr {

enum class Format : int32_t { None = 0, Jpeg = 1, Png = 2, Bmp = 3, Aai = 4 };

// The format an extension names ("jpg", "PNG"; no dot), None when the library has none.
Format FormatOfExtension(std::string_view extension);
// The format of a file from its first bytes; None when they carry no known signature (AAI
// has none: it is known by its name).
Format FormatOfContent(std::span<const uint8_t> bytes);

// The least size the caller needs of a picture shown at width x height; 0 x 0: full size.
using SizeWanted = std::function<Size(int32_t width, int32_t height)>;

struct Decoded {
  Status status = Status::Ok;
  Image image;
};

// A JPEG decoded at the smallest DCT scale (1/8, 1/4, 1/2, 1) whose sides still give the size
// wanted (sides as shown: after the EXIF orientation, which is applied).
Decoded ReadJpeg(std::span<const uint8_t> bytes, const SizeWanted& wanted = {});
// What ReadJpeg of the same arguments will decode, from the file's headers alone (the bytes up
// to its first scan suffice; fewer fail as Corrupt): the size it is decoded at (before the
// orientation is applied), the size as shown, and the memory libjpeg takes beside the picture.
struct JpegPlan {
  Status status = Status::Corrupt;
  int32_t orientation = 1;
  Size shown;
  Size decoded;
  int64_t libraryBytes = 0;
};
JpegPlan PlanJpeg(std::span<const uint8_t> bytes, const SizeWanted& wanted = {});
Decoded ReadPng(std::span<const uint8_t> bytes);
Decoded ReadBmp(std::span<const uint8_t> bytes);
Decoded ReadAai(std::span<const uint8_t> bytes);

// A file's bytes.
using Bytes = std::vector<uint8_t>;
// Writers: the file of the picture into out (replacing what it held); false when the picture
// cannot be encoded (memory, a size the format cannot hold).
bool WriteAai(const Image& image, Bytes& out);
bool WriteJpeg(const Image& image, Bytes& out);
bool WritePng(const Image& image, Bytes& out);
bool WriteBmp(const Image& image, Bytes& out);
using Writer = bool (*)(const Image&, Bytes&);
// The writer's file of the picture put straight at path (no temporary file), for the build's
// tools and for tests.
bool WriteFileWith(Writer writer, const Image& image, const std::string& path);

// The EXIF orientation (1 to 8) in a JPEG's APP1 segment data, 1 when there is none.
int32_t ExifOrientation(std::span<const uint8_t> app1);
// The picture turned and mirrored from an EXIF orientation to upright.
Image Orient(Image image, int32_t orientation);
// Whether an orientation swaps width and height.
inline bool SwapsSides(int32_t orientation) { return orientation >= 5 && orientation <= 8; }

}  // namespace zq::gr
