#include "Encode.h"

#include "Load.h"
#include "resize/Fit.h"

namespace zq::gr {
namespace {

// The writer of a target's format; none for a name that names no format.
Writer WriterOf(std::string_view path) {
  switch (FormatOfExtension(ExtensionOf(path))) {
    case Format::Aai: return WriteAai;
    case Format::Jpeg: return WriteJpeg;
    case Format::Png: return WritePng;
    case Format::Bmp: return WriteBmp;
    case Format::None: break;
  }
  return nullptr;
}

}  // namespace

Encoded EncodeConversion(const std::string& source, const std::string& target, uint8_t mode, Size size,
                         uint8_t filter) {
  if (source.empty() || target.empty() || !ValidFit(mode, size) || !ValidFilter(filter)) return {Status::Argument, {}};
  const Writer writer = WriterOf(target);
  if (!writer) return {Status::Format, {}};
  Loaded loaded = LoadFitted(source, mode, size, static_cast<Filter>(filter));
  if (loaded.status != Status::Ok) return {loaded.status, {}};
  Encoded encoded;
  if (!writer(loaded.image, encoded.bytes)) return {Status::Write, {}};
  return encoded;
}

FileStamp StampOf(const std::string& path) {
  std::error_code error;
  FileStamp stamp;
  if (path.empty() || !std::filesystem::is_regular_file(path, error)) return stamp;
  stamp.file = true;
  stamp.size = std::filesystem::file_size(path, error);
  stamp.changed = std::filesystem::last_write_time(path, error);
  return stamp;
}

}  // namespace zq::gr
