// A conversion up to its write: the target file's bytes made in memory, and how the source
// stood when it was read, so that a later write can tell whether they still are what a
// conversion made then would make.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

#include "Image.h"
#include "codecs/Codecs.h"

namespace zq::gr {

struct Encoded {
  Status status = Status::Ok;
  Bytes bytes;  // the target's file when status is Ok
};

// What Gr_Convert does before it writes (source and target POSIX paths): the checks of the
// names, mode, size and filter, the target's format, the source read and fitted, encoded.
Encoded EncodeConversion(const std::string& source, const std::string& target, uint8_t mode, Size size,
                         uint8_t filter);

// How a file stands: a regular file or not, its size and its last change.
struct FileStamp {
  bool file = false;
  uintmax_t size = 0;
  std::filesystem::file_time_type changed{};
  bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const std::string& path);

}  // namespace zq::gr
