#include "ini/ProfileFile.h"

#include "zqplatform/files.h"

namespace zq::rt::ini {
namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool Open() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return h_; }
  bool Close() {
    if (!Open()) return true;
    const bool ok = CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE h_;
};

constexpr DWORD kChunk = 1 << 16;

bool WriteAll(HANDLE h, std::string_view content) {
  while (!content.empty()) {
    const DWORD n = content.size() > kChunk ? kChunk : static_cast<DWORD>(content.size());
    DWORD written = 0;
    if (!WriteFile(h, content.data(), n, &written) || written != n) return false;
    content.remove_prefix(n);
  }
  return FlushFileBuffers(h);
}

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

bool ReplaceWholeFile(std::string_view path, std::string_view content) {
  const std::string target(path);
  const std::string temporary = target + ".new~";
  FileHandle file(
      CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL));
  if (!file.Open()) return false;
  const bool written = WriteAll(file.Get(), content);
  if (!file.Close() || !written ||
      !MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileA(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace zq::rt::ini
