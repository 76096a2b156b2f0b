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

void MLIST(std::string_view path, std::string_view name, uint8_t category, MediumType kind) {
  zq::rt::Record& r = MFQ.Buffer();
  r.Clear();
  const std::string extension = GETEXT(name);
  MFQF.DIR.Set(r, WithoutTrailingBlanks(path));
  MFQF.DNAME.Set(r, GETSUBDIR(path));
  MFQF.MNAME.Set(r, WithoutTrailingBlanks(name));
  MFQF.EXTENSION.Set(r, extension);
  MFQF.SCAT.Set(r, category == 1 ? "V" : category == 2 ? "A" : "U");
  const std::string full = CHECKPATH(path) + std::string(name);
  double size = 0;
  if (kind == MediumType::BdRip || kind == MediumType::DvdRip) {
    size = GETDIRSIZE(full);
    MFQF.MTYPE.Set(r, kind);
    MFQF.STYPE.Set(r, kind == MediumType::BdRip ? "BD-Rip" : "DVD-Rip");
  } else {
    FILEIO file;
    size = file.GETFILESIZE(full);
    if (kind == MediumType::VideoFile && IsDiscImage(extension)) {
      const bool bluRay = size >= kBluRayImage;
      MFQF.MTYPE.Set(r, bluRay ? MediumType::BdRip : MediumType::DvdRip);
      MFQF.STYPE.Set(r, bluRay ? "BD-Rip" : "DVD-Rip");
    } else if (kind == MediumType::VideoFile) {
      MFQF.MTYPE.Set(r, MediumType::VideoFile);
      MFQF.STYPE.Set(r, "Video-File");
    } else if (kind == MediumType::MusicFile) {
      MFQF.MTYPE.Set(r, MediumType::MusicFile);
      MFQF.STYPE.Set(r, "Music-File");
    } else {
      MFQF.MTYPE.Set(r, MediumType::Unknown);
      MFQF.STYPE.Set(r, "Unknown");
    }
  }
  MFQF.RSIZE.Set(r, size);
  MFQF.HRSIZE.Set(r, HRSIZE(size));
  MFQ.Add();
}
