#include "Working.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "Load.h"
#include "codecs/ByteOrder.h"
#include "codecs/Codecs.h"
#include "resize/Fit.h"

namespace zq::gr {
namespace {

constexpr std::size_t kFirstRead = 64 * 1024;
constexpr int64_t kWriterStart = 64 * 1024;  // a writer's first buffer

int64_t PixelBytes(Size size) { return int64_t{size.width} * size.height * 4; }

// The first bytes of a file, at most length of them.
std::vector<uint8_t> Start(const std::string& path, std::size_t length) {
  std::vector<uint8_t> bytes(length);
  std::ifstream in(path, std::ios::binary);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(length));
  bytes.resize(in ? length : static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount())));
  return bytes;
}

// The picture's size from the fixed header of a format other than JPEG; 0 x 0 when it is
// short or refused.
Size HeaderSize(Format format, std::span<const uint8_t> b) {
  int64_t width = 0, height = 0;
  switch (format) {
    case Format::Png:
      if (b.size() >= 24) width = Be32(b, 16), height = Be32(b, 20);
      break;
    case Format::Bmp:
      if (b.size() >= 26) width = int32_t(Le32(b, 18)), height = int32_t(Le32(b, 22));
      break;
    case Format::Aai:
      if (b.size() >= 8) width = Le32(b, 0), height = Le32(b, 4);
      break;
    case Format::Jpeg:
    case Format::None: break;
  }
  height = height < 0 ? -height : height;
  if (!SizeAllowed(width, height)) return {};
  return {static_cast<int32_t>(width), static_cast<int32_t>(height)};
}

}  // namespace

int64_t WorkingBytes(const std::string& source, const std::string& target, uint8_t mode, Size size, uint8_t filter) {
  if (source.empty() || target.empty() || !ValidFit(mode, size) || !ValidFilter(filter)) return 0;
  const Format written = FormatOfExtension(ExtensionOf(target));
  std::error_code error;
  if (written == Format::None || !std::filesystem::is_regular_file(source, error)) return 0;
  const auto fileBytes = static_cast<int64_t>(std::filesystem::file_size(source, error));
  if (error) return 0;

  std::vector<uint8_t> start = Start(source, kFirstRead);
  const Format format = FormatOfPicture(start, ExtensionOf(source));
  Size decoded, shown, fitted;
  int64_t decoder = 0;  // the decoder's buffers, and a turned copy
  if (format == Format::Jpeg) {
    JpegPlan plan;
    const SizeWanted wanted = [&](int32_t w, int32_t h) { return fitted = FitSize({w, h}, mode, size); };
    for (std::size_t length = kFirstRead;; length *= 4) {
      plan = PlanJpeg(start, wanted);
      if (plan.status == Status::Ok || static_cast<int64_t>(start.size()) >= fileBytes) break;
      start = Start(source, length * 4);
    }
    if (plan.status != Status::Ok) return fileBytes;
    decoded = plan.decoded;
    shown = SwapsSides(plan.orientation) ? Size{decoded.height, decoded.width} : decoded;
    decoder = plan.libraryBytes + (plan.orientation != 1 ? PixelBytes(decoded) : 0);
  } else {
    decoded = shown = HeaderSize(format, start);
    if (decoded.width == 0) return fileBytes;
    fitted = FitSize(shown, mode, size);
  }
  int64_t resampler = 0;
  if (!(fitted == shown) && fitted.height > 0) {
    const int64_t rows = 4 * (shown.height / fitted.height + 1) + 4;  // the filter's window, and a few
    resampler = PixelBytes(fitted) + int64_t{fitted.width} * 16 * rows + int64_t{shown.width} * 16;
  }
  const int64_t file = PixelBytes(fitted) + kWriterStart + (written == Format::Png ? PixelBytes(fitted) : 0);
  return std::max({fileBytes + PixelBytes(decoded) + decoder, fileBytes + PixelBytes(shown) + resampler,
                   PixelBytes(fitted) + file});
}

}  // namespace zq::gr
