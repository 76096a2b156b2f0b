#include "ErrorMap.h"

#include <sys/stat.h>

#include <cerrno>

namespace zq::fs {
namespace {

struct Mapping {
  int err;
  DWORD code;
};

constexpr Mapping kTable[] = {
    {ENOTDIR, ERROR_PATH_NOT_FOUND},
    {EACCES, ERROR_ACCESS_DENIED},
    {EPERM, ERROR_ACCESS_DENIED},
    {EISDIR, ERROR_ACCESS_DENIED},
    {EROFS, ERROR_WRITE_PROTECT},
    {ENOTEMPTY, ERROR_DIR_NOT_EMPTY},
    {EXDEV, ERROR_NOT_SAME_DEVICE},
    {ENOSPC, ERROR_DISK_FULL},
    {EDQUOT, ERROR_DISK_FULL},
    {EFBIG, ERROR_DISK_FULL},
    {ENAMETOOLONG, ERROR_FILENAME_EXCED_RANGE},
    {EBADF, ERROR_INVALID_HANDLE},
    {EINVAL, ERROR_INVALID_PARAMETER},
    {EBUSY, ERROR_SHARING_VIOLATION},
    {ETXTBSY, ERROR_SHARING_VIOLATION},
    {EMFILE, ERROR_TOO_MANY_OPEN_FILES},
    {ENFILE, ERROR_TOO_MANY_OPEN_FILES},
    {ENOMEM, ERROR_NOT_ENOUGH_MEMORY},
    {EIO, ERROR_IO_DEVICE},
    {ELOOP, ERROR_CANT_RESOLVE_FILENAME},
    {ENXIO, ERROR_NOT_READY},
    {ENODEV, ERROR_NOT_READY},
    {EOPNOTSUPP, ERROR_NOT_SUPPORTED},
    {EAGAIN, ERROR_LOCK_VIOLATION},
};

bool ParentExists(const std::string& posixPath) {
  std::size_t slash = posixPath.find_last_of('/');
  if (slash == std::string::npos) return true;  // relative to the current folder
  std::string parent = slash == 0 ? std::string("/") : posixPath.substr(0, slash);
  struct stat st {};
  return stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

DWORD WinError(int err, FsOp op, const std::string& posixPath) {
  if (err == ENOENT) return ParentExists(posixPath) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
  if (err == EEXIST) {
    switch (op) {
      case FsOp::CreateDir:
      case FsOp::Move: return ERROR_ALREADY_EXISTS;
      case FsOp::RemoveDir: return ERROR_DIR_NOT_EMPTY;
      default: return ERROR_FILE_EXISTS;
    }
  }
  if (err == ENOTDIR && op == FsOp::RemoveDir) return ERROR_DIRECTORY;
  for (const Mapping& m : kTable)
    if (m.err == err) return m.code;
  return ERROR_INVALID_FUNCTION;
}

bool FailErrno(int err, FsOp op, const std::string& posixPath) { return Fail(WinError(err, op, posixPath)); }

bool Fail(DWORD error) {
  SetLastError(error);
  return false;
}

}  // namespace zq::fs
