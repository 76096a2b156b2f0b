// A small file system of its own (a tmpfs of 64 KiB, or of the size given as mount accepts it,
// "8m", in a fresh folder), so that a full disk, a second volume or a disk nothing else writes
// to can be tested; unmounted and removed with the object. Mounting needs mount
// rights: without them mounted() is false and the test skips itself.
#pragma once
#include <sys/mount.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace zqtest {

class SmallVolume {
 public:
  explicit SmallVolume(const std::string& size = "64k") {
    std::string pattern = (std::filesystem::temp_directory_path() / "zqvol.XXXXXX").string();
    if (!mkdtemp(pattern.data())) return;
    if (mount("tmpfs", pattern.c_str(), "tmpfs", 0, ("size=" + size).c_str()) != 0) {
      rmdir(pattern.c_str());
      return;
    }
    folder_ = pattern;
  }
  ~SmallVolume() {
    if (folder_.empty()) return;
    umount(folder_.c_str());
    rmdir(folder_.c_str());
  }
  SmallVolume(const SmallVolume&) = delete;
  SmallVolume& operator=(const SmallVolume&) = delete;

  bool mounted() const { return !folder_.empty(); }
  const std::string& folder() const { return folder_; }

 private:
  std::string folder_;
};

}  // namespace zqtest
