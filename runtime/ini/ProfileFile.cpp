#include "ini/ProfileFile.h"

#include <filesystem>
#include <system_error>

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
  FileHandle file(CreateFileA(p.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
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
  const DWORD attributes = GetFileAttributesA(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
    return false;
  }
  const std::string temporary = target + ".new~";
  DWORD error = 0;
  const std::string targetPosix = zq::fs::ResolvePath(target, &error);
  if (targetPosix.empty()) return false;
  const std::string temporaryPosix = zq::fs::ResolvePath(temporary, &error);
  if (temporaryPosix.empty()) return false;

  FileHandle file(
      CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL));
  if (!file.Open()) return false;
  const bool written = WriteAll(file.Get(), content);
  if (!file.Close() || !written) {
    DeleteFileA(temporary.c_str());
    return false;
  }
  std::error_code ec;
  std::filesystem::rename(temporaryPosix, targetPosix, ec);
  if (ec) {
    DeleteFileA(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace zq::rt::ini
