// RA exports: loading and saving a whole array.
#include <string>

#include "arrays/ArrayExport.h"
#include "zqvantor/arrays.h"

namespace {

// The host's path up to its length (and first NUL byte), without the blanks that pad it.
std::string FilePath(int32_t length, const char* path) {
  std::string_view name = zqv::ToNul(zqv::HostText(length, path));
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  return std::string(name);
}

template <class Transfer>
int32_t OnFile(int32_t h, int32_t length, const char* path, Transfer&& transfer) {
  return zqv::Export(zqv::kMemoryExhausted, [&]() -> int32_t {
    if (!path) return zqv::kArrayNullPath;  // before the handle is looked at
    int32_t code = 0;
    RevArray* array = zqv::FindArray(h, &code);
    if (!array) return code;
    return transfer(*array, FilePath(length, path));
  });
}

}  // namespace

ZQV_API int32_t RAReadFromFile(int32_t h, int32_t pathLength, const char* path, int32_t count,
                               int32_t offset, uint32_t access, uint32_t share,
                               uint32_t disposition, uint32_t flags) {
  return OnFile(h, pathLength, path, [&](RevArray& array, const std::string& name) {
    return array.ReadFromFile(name.c_str(), count, offset, access, share, disposition, flags);
  });
}

ZQV_API int32_t RAWriteToFile(int32_t h, int32_t pathLength, const char* path, int32_t count,
                              int32_t offset, uint32_t access, uint32_t share,
                              uint32_t disposition, uint32_t flags) {
  return OnFile(h, pathLength, path, [&](RevArray& array, const std::string& name) {
    return array.WriteToFile(name.c_str(), count, offset, access, share, disposition, flags);
  });
}
