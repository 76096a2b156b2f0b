// Drive letters and network shares: which POSIX folder each names.
#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "zqplatform/files.h"

namespace zq::fs {

struct MountEntry {
  std::string device;
  std::string folder;
  std::string fsType;
};

// The entries of a mount table in its text form (fields escaped with \ooo).
std::vector<MountEntry> ParseMountTable(std::string_view text);

// The POSIX folder of a drive letter or of a share ("server\share", case-blind).
std::optional<std::string> DriveFolder(char letter);
std::optional<std::string> ShareFolder(std::string_view serverAndShare);

}  // namespace zq::fs
