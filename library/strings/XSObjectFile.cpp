// Whole-file transfer through a file object made for the one call.
#include <algorithm>
#include <limits>
#include <string>

#include "files/FileIO.h"
#include "strings/XSObject.h"

namespace {

constexpr int64_t kMaxText = std::numeric_limits<int32_t>::max();

}  // namespace

// A size query that fails gives -61 whatever the offset; an offset at or past the end reads
// nothing and gives 0. A count of 0 or below reads to the end of the file. The offset goes to
// the file object as it is (-1 the end, other negative values the start of the fresh file).
// After a read the text holds exactly the bytes read; when nothing was read, or on failure,
// it stays as it was.
int32_t XSObject::ReadFromFile(std::string_view name, int32_t count, int32_t offset, uint32_t access,
                               uint32_t share, uint32_t disposition, uint32_t flags) {
  const std::string path(name);
  FileIO io;
  double size = io.CheckFileSize(path.c_str());
  if (size < 0) return zqv::files::kSizeFailed;
  int64_t bytes = static_cast<int64_t>(std::min(size, static_cast<double>(kMaxText)));
  int64_t n = count > 0 ? count : bytes;
  if (n + offset > bytes) n = bytes - offset;
  if (n <= 0) return 0;
  std::string buffer(static_cast<std::size_t>(std::min(n, kMaxText)), '\0');
  int32_t read = io.ReadFile(path.c_str(), buffer.data(), static_cast<int32_t>(buffer.size()), offset, access,
                             share, disposition, flags);
  if (read <= 0) return read;
  buffer.resize(static_cast<std::size_t>(read));
  Edit().swap(buffer);
  return read;
}

// A count of 0, below 0 or beyond the length writes the whole text; an empty text opens no
// file, so an existing one keeps its content.
int32_t XSObject::WriteToFile(std::string_view name, int32_t count, int32_t offset, uint32_t access,
                              uint32_t share, uint32_t disposition, uint32_t flags) const {
  int32_t n = count > 0 && count <= GetLength() ? count : GetLength();
  if (n == 0) return 0;
  const std::string path(name);
  FileIO io;
  return io.WriteToFile(path.c_str(), text_.data(), n, offset, access, share, disposition, flags);
}
