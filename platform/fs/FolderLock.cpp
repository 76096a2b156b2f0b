// The folder lock is flock on a descriptor of the folder, kept open by the object and closed
// on exec, so that programs started meanwhile do not inherit it.
#include "zqplatform/folderlock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "ErrorMap.h"
#include "PathResolver.h"

namespace zq::fs {

std::unique_ptr<FolderLock> FolderLock::Take(const char* path) {
  const std::string posix = ResolveOrFail(path);
  if (posix.empty()) return nullptr;
  const int descriptor = open(posix.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) {
    struct stat st {};
    if (errno == ENOTDIR && stat(posix.c_str(), &st) == 0) Fail(ERROR_DIRECTORY);  // a file, not a folder
    else FailErrno(errno, FsOp::Open, posix);
    return nullptr;
  }
  int result;
  do result = flock(descriptor, LOCK_EX | LOCK_NB);
  while (result != 0 && errno == EINTR);
  if (result != 0) {
    const int cause = errno;
    close(descriptor);
    if (cause == EWOULDBLOCK) Fail(ERROR_LOCK_VIOLATION);
    else FailErrno(cause, FsOp::Open, posix);
    return nullptr;
  }
  return std::unique_ptr<FolderLock>(new FolderLock(descriptor));
}

FolderLock::~FolderLock() { close(descriptor_); }

}  // namespace zq::fs
