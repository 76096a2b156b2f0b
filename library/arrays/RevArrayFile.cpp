// Loading and saving an array as a file of its text form.
#include "arrays/RevArray.h"

namespace {
constexpr int32_t kEmptyPath = -62;
}

int32_t RevArray::WriteToFile(const char* path, int32_t count, int32_t offset, uint32_t access,
                              uint32_t share, uint32_t disposition, uint32_t flags) {
  if (!path || !*path) return kEmptyPath;
  Get(0, 0, 0);
  return result_.WriteToFile(path, count, offset, access, share, disposition, flags);
}

int32_t RevArray::ReadFromFile(const char* path, int32_t count, int32_t offset, uint32_t access,
                               uint32_t share, uint32_t disposition, uint32_t flags) {
  if (!path || !*path) return kEmptyPath;
  XSObject text;
  int32_t read = text.ReadFromFile(path, count, offset, access, share, disposition, flags);
  if (read >= 0) Set(0, 0, 0, text.ToNul());
  return read;
}
