#include "ini/ProfileFile.h"

#include "zqplatform/files.h"

namespace zq::rt::ini {
namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  ~FileHandle() {
    if (Open()) CloseHandle(h_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool Open() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return h_; }

 private:
  HANDLE h_;
};

constexpr DWORD kChunk = 1 << 16;

}  // namespace

std::optional<std::string> ReadWholeFile(std::string_view path) {
  const std::string p(path);
  // A reader never keeps a writer from putting the new file in place.
  FileHandle file(CreateFileA(p.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
  if (!file.Open()) return std::nullopt;
  std::string content;
  char buffer[kChunk];
  while (true) {
    DWORD read = 0;
    if (!ReadFile(file.Get(), buffer, kChunk, &read)) return std::nullopt;
    if (read == 0) break;
    content.append(buffer, read);
  }
  return content;
}

}  // namespace zq::rt::ini
