// Every regular file below a folder with its bytes, to compare a user's tree before and after
// a job: symbolic links are not followed, large (sparse) media are taken by their size and
// their first and last MiB.
#pragma once
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
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

}  // namespace zqtest
