// What may stand at a name a job writes in the user's tree, each leading out of it: a symbolic
// link to a file outside, a link leading nowhere, a hard link whose other name lies outside,
// and a link to a folder outside. An outside folder holds what they lead to; a twin tree gets,
// in the link's place, what a job there sees alike: a plain file with the same bytes where the
// name leads to a file, else nothing.
#pragma once
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <system_error>

namespace zqtest {

enum class AtName { LinkToFile, DanglingLink, HardLink, LinkToFolder };

inline constexpr AtName kLinksAtAName[] = {AtName::LinkToFile, AtName::DanglingLink, AtName::HardLink,
                                           AtName::LinkToFolder};

inline std::string NameOf(AtName kind) {
  switch (kind) {
    case AtName::LinkToFile: return "LinkToAFileOutside";
    case AtName::DanglingLink: return "DanglingLink";
    case AtName::HardLink: return "HardLinkWithAnOutsideName";
    case AtName::LinkToFolder: return "LinkToAFolderOutside";
  }
  return {};
}

inline void PrintTo(AtName kind, std::ostream* out) { *out << NameOf(kind); }

// Whether a plain file of one name stands at path: no link, no other name.
inline bool PlainFileAt(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(std::filesystem::symlink_status(path, error)) &&
         std::filesystem::hard_link_count(path, error) == 1 && !error;
}

// The bytes of the outside file the links lead to.
inline const std::string kOutsideBytes = "kept outside the tree\r\n";

// What the links lead to: "kept.bin" and "Folder/keep.txt" in outside.
inline void FillOutside(const std::filesystem::path& outside) {
  std::filesystem::create_directories(outside / "Folder");
  std::ofstream(outside / "kept.bin", std::ios::binary) << kOutsideBytes;
  std::ofstream(outside / "Folder" / "keep.txt", std::ios::binary) << "a file of the outside folder\n";
}

// Puts the kind at target (its folder made), leading into outside.
inline void PlaceAt(AtName kind, const std::filesystem::path& target, const std::filesystem::path& outside) {
  namespace fs = std::filesystem;
  fs::create_directories(target.parent_path());
  switch (kind) {
    case AtName::LinkToFile: fs::create_symlink(outside / "kept.bin", target); break;
    case AtName::DanglingLink: fs::create_symlink(outside / "gone.bin", target); break;
    case AtName::HardLink: fs::create_hard_link(outside / "kept.bin", target); break;
    case AtName::LinkToFolder: fs::create_directory_symlink(outside / "Folder", target); break;
  }
}

// What a twin tree holds in the kind's place.
inline void PlaceTwin(AtName kind, const std::filesystem::path& target) {
  std::filesystem::create_directories(target.parent_path());
  if (kind == AtName::LinkToFile || kind == AtName::HardLink)
    std::ofstream(target, std::ios::binary) << kOutsideBytes;
}

}  // namespace zqtest
