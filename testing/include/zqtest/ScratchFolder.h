// A fresh folder of the test's own under the system's temporary folder, removed with the
// object. Its name is unique, so tests running side by side never share one.
#pragma once
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace zqtest {

class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& prefix = "zqtest") {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + ".XXXXXX")).string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a folder from " + pattern);
    path_ = pattern;
  }
  ~ScratchFolder() {
    // Tests may leave read-only entries behind; make them removable first.
    std::error_code ignored;
    namespace fs = std::filesystem;
    for (auto it = fs::recursive_directory_iterator(path_, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored)) {
      if (!it->is_symlink(ignored))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& rel) const { return path_ / rel; }

 private:
  std::filesystem::path path_;
};

}  // namespace zqtest
