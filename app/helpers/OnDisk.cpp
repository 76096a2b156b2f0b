// What the file system holds at a path: a link or not.
#include "app/Helpers.h"
#include "zqplatform/files.h"

LinkKind LinkAt(std::string_view path) {
  const DWORD attributes = GetFileAttributesA(std::string(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return LinkKind::None;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? LinkKind::ToFolder : LinkKind::ToOther;
}
