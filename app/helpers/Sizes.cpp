// Size texts and folder sizes.
#include "app/Helpers.h"
#include "hostlib/Procedures.h"
#include "zqplatform/files.h"
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
  double total = 0;
  for (const FolderEntry& entry : ListFolder(base)) {
    if (entry.folder) {
      // A folder link could lead back up the tree; a name Windows cannot hold would reach
      // another folder.
      if (!entry.link && zq::fs::HoldsExactly(entry.name)) total += GETDIRSIZE(base + entry.name);
    } else {
      total += entry.size;
    }
  }
  return total;
}
