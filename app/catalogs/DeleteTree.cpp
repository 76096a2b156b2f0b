// Deleting a folder and everything below it. Symbolic links are removed as links, the folder's
// own place included: a link to a folder is never entered, so nothing outside the tree is
// touched.
#include <algorithm>
#include <string>
#include <vector>

#include "CatalogText.h"
#include "app/Catalogs.h"
#include "app/Helpers.h"
#include "hostlib/Dialogs.h"
#include "hostlib/Procedures.h"
#include "hostlib/Wrappers.h"

namespace {

std::vector<FolderEntry> Listing(const std::string& folder) {
  std::vector<FolderEntry> entries = ListFolder(folder);
  std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return entries;
}

// A failure shown unless its kind is quiet; false when the user cancels.
bool GoOn(std::string_view message, const std::string& path, int32_t code, uint8_t& quiet) {
  bool silenced = quiet != 0;
  const uint8_t answer = AskUnlessSilenced(silenced, message, "DeleteTree", path, code);
  quiet = silenced ? 1 : 0;
  return answer != kCancel;
}

}  // namespace

int16_t DELETETREE(std::string_view path, uint8_t quiet) {
  uint8_t quietFiles = quiet, quietFolders = quiet;
  return DELETETREE2(path, quietFiles, quietFolders);
}

int16_t DELETETREE2(std::string_view path, uint8_t& quietFiles, uint8_t& quietFolders) {
  if (TLEN(path) == 0) return -1;
  const std::string folder = CHECKPATH(WithoutTrailingBlanks(path));
  FILEIO file;
  if (const LinkKind link = LinkAt(folder); link != LinkKind::None) {
    const std::string name = folder.substr(0, folder.size() - 1);
    const int32_t result = link == LinkKind::ToFolder ? file.REMOVEDIR(name) : file.DELETE(name);
    if (result != 0) GoOn("Error Removing Folder.", folder, result, quietFolders);
    return static_cast<int16_t>(result);
  }
  const std::vector<FolderEntry> entries = Listing(folder);
  if (entries.empty()) return 0;
  for (const FolderEntry& e : entries) {
    if (e.name == "." || e.name == "..") continue;
    const std::string entry = folder + e.name;
    if (e.folder) {
      const int16_t result = DELETETREE2(entry, quietFiles, quietFolders);
      if (result != 0) return result;
    } else {
      const int32_t result = file.DELETE(entry);
      if (result != 0 && !GoOn("Error Deleting File.", entry, result, quietFiles)) return static_cast<int16_t>(result);
    }
  }
  const int32_t result = file.REMOVEDIR(folder);
  if (result != 0) GoOn("Error Removing Folder.", folder, result, quietFolders);
  return static_cast<int16_t>(result);
}
