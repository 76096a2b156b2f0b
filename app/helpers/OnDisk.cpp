// What the file system holds at a path: a link or not, and the name in the case it stands in.
#include "app/Helpers.h"
#include "zqplatform/codepage.h"
#include "zqplatform/files.h"

LinkKind LinkAt(std::string_view path) {
  const DWORD attributes = GetFileAttributesA(std::string(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return LinkKind::None;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? LinkKind::ToFolder : LinkKind::ToOther;
}

std::string NameOnDisk(std::string_view path) {
  DWORD error = 0;
  const std::string posix = zq::fs::ResolvePath(path, &error);
  if (posix.empty()) return std::string(path.substr(path.find_last_of("\\/") + 1));
  return zq::text::Utf8ToAnsi(posix.substr(posix.find_last_of('/') + 1));
}
