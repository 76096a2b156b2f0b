#include "FileInfo.h"

namespace zq::fs {

FILETIME FileTimeOf(const struct timespec& t) {
  constexpr int64_t kEpochDiff = 11644473600LL;  // seconds from 1601 to 1970
  uint64_t ticks = static_cast<uint64_t>((t.tv_sec + kEpochDiff) * 10000000LL + t.tv_nsec / 100);
  return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

bool ReadOnlyFile(const struct stat& st) { return S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0; }

DWORD AttributesOf(const struct stat& st) {
  if (S_ISDIR(st.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
  return ReadOnlyFile(st) ? FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE : FILE_ATTRIBUTE_ARCHIVE;
}

}  // namespace zq::fs
