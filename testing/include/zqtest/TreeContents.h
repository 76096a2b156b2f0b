// Every regular file below a folder with its bytes, to compare a user's tree before and after
// a job: symbolic links are not followed, large (sparse) media are taken by their size and
// their first and last MiB. Tree gives every entry, links and folders too, in short;
// EntriesOf the names in one folder.
#pragma once
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>

namespace zqtest {

inline std::map<std::string, std::string> Contents(const std::filesystem::path& root) {
  namespace fs = std::filesystem;
  std::map<std::string, std::string> files;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
    if (it->is_symlink() || !it->is_regular_file()) continue;
    const uintmax_t size = it->file_size();
    std::ifstream in(it->path(), std::ios::binary);
    std::string bytes;
    if (size <= (64u << 20)) {
      std::stringstream s;
      s << in.rdbuf();
      bytes = s.str();
    } else {
      std::string head(1 << 20, '\0'), tail(1 << 20, '\0');
      in.read(head.data(), static_cast<std::streamsize>(head.size()));
      in.seekg(-static_cast<std::streamoff>(tail.size()), std::ios::end);
      in.read(tail.data(), static_cast<std::streamsize>(tail.size()));
      bytes = std::to_string(size) + head + tail;
    }
    files[fs::relative(it->path(), root).string()] = std::move(bytes);
  }
  return files;
}

// A file as Tree gives it: its size and a checksum of its bytes.
inline std::string FileInTree(const std::string& bytes) {
  return std::to_string(bytes.size()) + " bytes, sum " + std::to_string(std::hash<std::string>{}(bytes));
}

// Every entry below root, links not followed: folders as "folder", links as "link to " and
// where they lead, files as FileInTree gives their bytes from Contents. Nothing when root is
// gone.
inline std::map<std::string, std::string> Tree(const std::filesystem::path& root) {
  namespace fs = std::filesystem;
  std::map<std::string, std::string> entries;
  if (!fs::is_directory(fs::symlink_status(root))) return entries;
  for (const auto& [relative, bytes] : Contents(root)) entries[relative] = FileInTree(bytes);
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
    const std::string relative = it->path().lexically_relative(root).string();  // a link's own place
    if (it->is_symlink()) entries[relative] = "link to " + fs::read_symlink(it->path()).string();
    else if (it->is_directory()) entries[relative] = "folder";
  }
  return entries;
}

// The names of a folder's own entries.
inline std::set<std::string> EntriesOf(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) names.insert(e.path().filename().string());
  return names;
}

}  // namespace zqtest
