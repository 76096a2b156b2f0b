// A folder's entries read out of the runtime's listing queue.
#include "app/Helpers.h"
#include "zqruntime/dirlist.h"

std::vector<FolderEntry> ListFolder(const std::string& folder) {
  zq::rt::Queue listing(zq::rt::DirectoryLayout());
  zq::rt::ListDirectory(folder + "*.*", listing);
  const zq::rt::DirectoryFields& f = zq::rt::DirectoryView();
  std::vector<FolderEntry> entries;
  entries.reserve(listing.Records());
  for (uint32_t i = 1; i <= listing.Records(); ++i) {
    const zq::rt::Record r = *listing.Peek(i);
    entries.push_back({f.NAME(r), f.SIZE(r), (f.ATTRIB(r) & zq::rt::kAttrDirectory) != 0, f.ISLINK(r) != 0});
  }
  return entries;
}
