// One record of the media list.
#include "app/Helpers.h"
#include "app/Scan.h"
#include "app/State.h"
#include "app/Text.h"
#include "hostlib/Procedures.h"
#include "hostlib/Wrappers.h"

namespace {

constexpr double kBluRayImage = 8589934592.0;  // an image of 8 GiB or more is a Blu-ray


// "ISO" or "IMG" in any letter case.
bool IsDiscImage(std::string_view extension) {
  const std::string trimmed = TRIM(extension);
  return SameWordNC(trimmed, "ISO") || SameWordNC(trimmed, "IMG");
}

}  // namespace

void MLIST(std::string_view path, std::string_view name, uint8_t category, uint8_t kind) {
  zq::rt::Record& r = MFQ.Buffer();
  r.Clear();
  const std::string extension = GETEXT(name);
  r.SetText("DIR", WithoutTrailingBlanks(path));
  r.SetText("DNAME", GETSUBDIR(path));
  r.SetText("MNAME", WithoutTrailingBlanks(name));
  r.SetText("EXTENSION", extension);
  r.SetText("SCAT", category == 1 ? "V" : category == 2 ? "A" : "U");
  const std::string full = CHECKPATH(path) + std::string(name);
  double size = 0;
  if (kind == 1 || kind == 2) {
    size = GETDIRSIZE(full);
    r.SetWhole("MTYPE", kind);
    r.SetText("STYPE", kind == 1 ? "BD-Rip" : "DVD-Rip");
  } else {
    FILEIO file;
    size = file.GETFILESIZE(full);
    if (kind == 3 && IsDiscImage(extension)) {
      const bool bluRay = size >= kBluRayImage;
      r.SetWhole("MTYPE", bluRay ? 1 : 2);
      r.SetText("STYPE", bluRay ? "BD-Rip" : "DVD-Rip");
    } else if (kind == 3) {
      r.SetWhole("MTYPE", 3);
      r.SetText("STYPE", "Video-File");
    } else if (kind == 4) {
      r.SetWhole("MTYPE", 4);
      r.SetText("STYPE", "Music-File");
    } else {
      r.SetWhole("MTYPE", 0);
      r.SetText("STYPE", "Unknown");
    }
  }
  r.SetReal("RSIZE", size);
  r.SetText("HRSIZE", HRSIZE(size));
  MFQ.Add();
}
