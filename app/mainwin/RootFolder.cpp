#include "RootFolder.h"

#include <algorithm>
#include <string>

#include "app/Helpers.h"
#include "app/Text.h"
#include "hostlib/Procedures.h"
#include "zqplatform/files.h"

namespace {

bool OnADrive(const std::string& path) {
  const auto letter = static_cast<unsigned char>(path[0]);
  return path.size() >= 3 && ((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z')) &&
         path[1] == ':' && path[2] == '\\';
}

bool OnAShare(const std::string& path) { return path.starts_with("\\\\") && !GETROOT(path).empty(); }

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string_view Why(std::string_view name) {
  if (name.back() == ' ') return "ends in a blank";
  if (name.back() == '.') return "ends in a dot";
  for (const unsigned char c : name) {
    if (c < 0x20 || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos)
      return "holds a character Windows forbids in a name";
  }
  return "is longer than a name may be";
}

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

std::string RootOfEntry(std::string_view text) {
  const std::string typed(text);
  const std::string trimmed = WithoutTrailingBlanks(typed);
  return trimmed.size() < typed.size() && !trimmed.empty() && IsFolder(typed + "\\") ? typed : trimmed;
}

std::string NameNotHeld(std::string_view root) {
  const std::string path = std::string(root) + (root.ends_with('\\') ? "" : "\\");  // its last name kept whole
  const std::string top = GETROOT(path);
  size_t start = path.starts_with(top) ? top.size() : 0;
  while (start < path.size()) {
    const size_t end = std::min(path.find('\\', start), path.size());
    const std::string_view name = std::string_view(path).substr(start, end - start);
    if (!name.empty() && name != "." && name != ".." && !zq::fs::HoldsExactly(name))
      return "\"" + std::string(name) + "\" " + std::string(Why(name));
    start = end + 1;
  }
  return {};
}
