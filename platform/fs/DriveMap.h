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

// The drive letters: C: is "/"; each volume mounted where a user would see it (under /media,
// /mnt, /run/media, /srv) takes the next free letter from D: in mount-point order; configured
// ("M=/srv/media;T=/mnt/t") adds or replaces letters, and its folders take no second letter.
std::map<char, std::string> DriveLetters(const std::vector<MountEntry>& mounts, const char* configured);
// The drive type of a file system type; removable: the block device says so.
uint32_t DriveTypeOf(std::string_view fsType, bool removable);

// The POSIX folder of a drive letter or of a share ("server\share", case-blind).
std::optional<std::string> DriveFolder(char letter);
std::optional<std::string> ShareFolder(std::string_view serverAndShare);

}  // namespace zq::fs
