// Size texts and folder sizes.
#include "app/Helpers.h"
#include "hostlib/Procedures.h"
#include "zqruntime/dirlist.h"
#include "zqruntime/picture.h"

std::string HRSIZE(double size) {
  constexpr double kKb = 1024.0, kMb = kKb * 1024, kGb = kMb * 1024;
  std::string text;
  if (size < kKb) {
    text = zq::rt::RealText(size) + " Bs";
  } else {
    const double unit = size < kMb ? kKb : size < kGb ? kMb : kGb;
    const char* name = size < kMb ? " Kb" : size < kGb ? " Mb" : " Gb";
    text = zq::rt::FormatPicture("@N_10,.2", size / unit) + name;
  }
  return text.substr(0, static_cast<size_t>(TLEN(text)));
}

double GETDIRSIZE(std::string_view folder) {
  const std::string base = CHECKPATH(folder);
  zq::rt::Queue listing(zq::rt::DirectoryLayout());
  zq::rt::ListDirectory(base + "*.*", listing);
  const zq::rt::RecordLayout& layout = listing.Layout();
  const zq::rt::TextField name(layout, "NAME");
  const zq::rt::WholeField attributes(layout, "ATTRIB"), link(layout, "ISLINK");
  const zq::rt::RealField bytes(layout, "SIZE");
  double total = 0;
  for (uint32_t i = 1; i <= listing.Records(); ++i) {
    const zq::rt::Record entry = *listing.Peek(i);
    if (attributes(entry) & zq::rt::kAttrDirectory) {
      // A folder link could lead back up the tree; a name Windows cannot hold would reach
      // another folder.
      const std::string n = name(entry);
      if (link(entry) == 0 && IsWindowsName(n)) total += GETDIRSIZE(base + n);
    } else {
      total += bytes(entry);
    }
  }
  return total;
}
