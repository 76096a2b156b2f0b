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

void MLIST(std::string_view path, std::string_view name, MediaCategory category, MediumType kind) {
  zq::rt::Record& r = MFQ.Buffer();
  r.Clear();
  const std::string extension = GETEXT(name);
  MFQF.DIR.Set(r, WithoutTrailingBlanks(path));
  MFQF.DNAME.Set(r, GETSUBDIR(path));
  MFQF.MNAME.Set(r, WithoutTrailingBlanks(name));
  MFQF.EXTENSION.Set(r, extension);
  MFQF.SCAT.Set(r, CategoryLetter(category));
  const std::string full = CHECKPATH(path) + std::string(name);
  double size = 0;
  MediumType type = MediumType::Unknown;
  if (kind == MediumType::BdRip || kind == MediumType::DvdRip) {
    size = GETDIRSIZE(full);
    type = kind;
  } else {
    FILEIO file;
    size = file.GETFILESIZE(full);
    if (kind == MediumType::VideoFile && IsDiscImage(extension)) {
      type = size >= kBluRayImage ? MediumType::BdRip : MediumType::DvdRip;
    } else if (kind == MediumType::VideoFile || kind == MediumType::MusicFile) {
      type = kind;
    }
  }
  MFQF.MTYPE.Set(r, type);
  MFQF.STYPE.Set(r, MediumTypeText(type));
  MFQF.RSIZE.Set(r, size);
  MFQF.HRSIZE.Set(r, HRSIZE(size));
  MFQ.Add();
}
