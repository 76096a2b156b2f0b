// A lock on a folder that one holder at a time has: one job per folder, between processes.
//
// FolderLock::Take opens the folder that path names (a Windows-view path as the file layer
// resolves it, or a POSIX path) and locks it at once or not at all; it never waits. The lock
// lasts as long as the object that Take returns, and the system drops it when the process
// ends in any way, a kill included, so no lock outlives its holder and nothing is left on
// disk. Every Take is a holder of its own: a second Take of the same folder fails while the
// first object lives, in this process or in another, by whatever path it names the folder.
// The lock binds only those who take it; the folder and its files stay open to everyone. On
// failure Take returns null with the thread's last error set: ERROR_LOCK_VIOLATION while
// another holder has the folder, ERROR_DIRECTORY when the path names a file, else the path's
// own error (ERROR_PATH_NOT_FOUND, ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED ...).
#pragma once
#include <memory>

namespace zq::fs {

class FolderLock {
 public:
  static std::unique_ptr<FolderLock> Take(const char* path);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  explicit FolderLock(int descriptor) : descriptor_(descriptor) {}
  int descriptor_;
};

}  // namespace zq::fs
