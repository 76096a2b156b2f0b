#include "RootFolder.h"

#include <string>

#include "app/Helpers.h"
#include "hostlib/Procedures.h"
#include "zqplatform/files.h"

namespace {

bool OnADrive(const std::string& path) {
  const auto letter = static_cast<unsigned char>(path[0]);
  return path.size() >= 3 && ((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z')) &&
         path[1] == ':' && path[2] == '\\';
}

bool OnAShare(const std::string& path) { return path.starts_with("\\\\") && !GETROOT(path).empty(); }

}  // namespace

uint32_t RootFolderError(std::string_view root) {
  const std::string path = CHECKPATH(root);
  if (!OnADrive(path) && !OnAShare(path)) return ERROR_DIRECTORY;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error != 0 ? error : ERROR_PATH_NOT_FOUND;
  }
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? 0 : ERROR_DIRECTORY;
}
