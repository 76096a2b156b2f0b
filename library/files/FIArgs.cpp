#include "files/FIArgs.h"

#include "frame/CVantor.h"
#include "frame/Exports.h"

namespace zqv::files {

std::optional<std::string> HostPath(int32_t len, const char* path) {
  if (!path || len < 1) return std::nullopt;
  std::string_view p = HostText(len, path);
  while (!p.empty() && p.front() == ' ') p.remove_prefix(1);
  while (!p.empty() && p.back() == ' ') p.remove_suffix(1);
  return std::string(p);
}

std::optional<int32_t> BufferCount(int32_t bufferLen, const void* buffer, int32_t count) {
  if (!buffer || bufferLen < 1 || count < 0 || count > bufferLen) return std::nullopt;
  return count == 0 ? bufferLen : count;
}

FileIO* LookupFile(int32_t h, int32_t* code) { return CVantor::App().LookupFileIO(h, code); }

}  // namespace zqv::files
