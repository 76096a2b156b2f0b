// A folder's entries read out of the runtime's listing queue.
#include "app/Helpers.h"
#include "zqruntime/dirlist.h"

namespace {

// The name as listed: read as text, a field loses its trailing blanks, which on disk are part
// of a name ("Twin " beside "Twin").
std::string ListedName(const zq::rt::Record& r) {
  const zq::rt::RecordLayout& layout = r.Layout();
  const zq::rt::Field& name = *layout.At(layout.Find("NAME"));
  const std::string_view bytes = r.Bytes().substr(name.offset, name.size);
  return std::string(bytes.substr(0, bytes.find('\0')));
}

}  // namespace

std::vector<FolderEntry> ListFolder(const std::string& folder) {
  zq::rt::Queue listing(zq::rt::DirectoryLayout());
  zq::rt::ListDirectory(folder + "*.*", listing);
  const zq::rt::DirectoryFields& f = zq::rt::DirectoryView();
  std::vector<FolderEntry> entries;
  entries.reserve(listing.Records());
  for (uint32_t i = 1; i <= listing.Records(); ++i) {
    const zq::rt::Record r = *listing.Peek(i);
    entries.push_back({ListedName(r), f.SIZE(r), (f.ATTRIB(r) & zq::rt::kAttrDirectory) != 0, f.ISLINK(r) != 0});
  }
  return entries;
}
