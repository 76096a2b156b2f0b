// The one way the layer writes a file whole: a new file beside the target, renamed over it.
#pragma once
#include <sys/stat.h>

#include <functional>
#include <optional>
#include <string>

#include "ErrorMap.h"
#include "zqplatform/files.h"

namespace zq::fs {

// The name a replacing write renames its new file over, and the file standing there now.
struct Landing {
  std::string path;               // POSIX
  std::optional<struct stat> old;  // the file replaced; none for a new name or a link replaced
};

// Where a write to the POSIX path lands, or false with the last error set: a folder, a
// read-only file, anything but a regular file, or a file open without delete sharing is
// refused. A link is the landing itself (AtLink::Replace, or a link leading nowhere), or the
// file it leads to (AtLink::Follow).
bool LandingOf(const std::string& posix, AtLink atLink, Landing* landing);

// Makes a new file beside landing.path, lets fill write it (false with errno set), gives it
// mode (else the default mode of a new file) and the old file's owner where allowed, and
// renames it over landing.path (never over an existing name with noReplace). On failure the
// new file is removed, landing.path stays as it was and the last error is set from op.
bool ReplaceAt(const Landing& landing, std::optional<mode_t> mode, bool noReplace, FsOp op,
               const std::function<bool(int fd)>& fill);

}  // namespace zq::fs
