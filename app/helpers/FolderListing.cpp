// A folder's entries read out of the runtime's listing queue.
#include "app/Helpers.h"
#include "zqruntime/dirlist.h"

std::vector<FolderEntry> ListFolder(const std::string& folder) {
  zq::rt::Queue listing(zq::rt::DirectoryLayout());
  zq::rt::ListDirectory(folder + "*.*", listing);
  const zq::rt::RecordLayout& layout = listing.Layout();
  const zq::rt::TextField name(layout, "NAME");
  const zq::rt::WholeField attributes(layout, "ATTRIB"), link(layout, "ISLINK");
  const zq::rt::RealField bytes(layout, "SIZE");
  std::vector<FolderEntry> entries;
  entries.reserve(listing.Records());
  for (uint32_t i = 1; i <= listing.Records(); ++i) {
    const zq::rt::Record r = *listing.Peek(i);
    entries.push_back({name(r), bytes(r), (attributes(r) & zq::rt::kAttrDirectory) != 0, link(r) != 0});
  }
  return entries;
}
