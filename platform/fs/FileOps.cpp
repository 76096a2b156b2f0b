// Deleting, moving, copying, folders, attributes and the file-status query, by path.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "ErrorMap.h"
#include "FileInfo.h"
#include "PathResolver.h"
#include "ShareTable.h"
#include "zqplatform/charset.h"
#include "zqplatform/codepage.h"
#include "zqplatform/files.h"

namespace zq::fs {
namespace {

// True when two paths of one file name one folder entry (they differ at most in case), not
// two hard links of it.
bool SameEntry(const std::string& a, const std::string& b) {
  auto split = [](const std::string& p) {
    std::size_t slash = p.find_last_of('/');
    if (slash == std::string::npos) return std::pair<std::string, std::string>(".", p);
    return std::pair<std::string, std::string>(slash == 0 ? "/" : p.substr(0, slash), p.substr(slash + 1));
  };
  auto [folderA, leafA] = split(a);
  auto [folderB, leafB] = split(b);
  struct stat fa {}, fb {};
  return stat(folderA.c_str(), &fa) == 0 && stat(folderB.c_str(), &fb) == 0 && fa.st_dev == fb.st_dev &&
         fa.st_ino == fb.st_ino &&
         zq::text::CompareNoCase(zq::text::Utf8ToAnsi(leafA), zq::text::Utf8ToAnsi(leafB)) == 0;
}

// A symbolic link is removed as a link, never what it leads to, as a Windows link is: a link
// to a folder by RemoveDirectoryA, any other (a dangling one too) by DeleteFileA.
bool IsLinkTo(const std::string& posix, bool folder) {
  struct stat link {};
  if (lstat(posix.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return false;
  struct stat target {};
  const bool toFolder = stat(posix.c_str(), &target) == 0 && S_ISDIR(target.st_mode);
  return toFolder == folder;
}

}  // namespace

bool Stat64(const char* path, FileStatus* status) {
  if (path && EndsInSeparator(path) && !NamesRoot(path)) return Fail(ERROR_FILE_NOT_FOUND);
  std::string posix = ResolveOrFail(path);
  if (posix.empty()) return false;
  struct stat st {};
  if (stat(posix.c_str(), &st) != 0) return FailErrno(errno, FsOp::Query, posix);
  if (status) *status = {AttributesOf(st), S_ISDIR(st.st_mode) ? 0 : static_cast<uint64_t>(st.st_size),
                         FileTimeOf(st.st_mtim)};
  return true;
}

}  // namespace zq::fs

using namespace zq::fs;

bool DeleteFileA(const char* path) {
  std::string posix = MarkedAsFolder(ResolveOrFail(path), path ? path : "");
  if (posix.empty()) return false;
  struct stat st {};
  if (IsLinkTo(posix, false)) return unlink(posix.c_str()) == 0 || FailErrno(errno, FsOp::Delete, posix);
  if (stat(posix.c_str(), &st) != 0) return FailErrno(errno, FsOp::Delete, posix);
  if (S_ISDIR(st.st_mode) || ReadOnlyFile(st)) return Fail(ERROR_ACCESS_DENIED);
  if (!DeleteShared(posix, st)) return Fail(ERROR_SHARING_VIOLATION);
  if (unlink(posix.c_str()) != 0) return FailErrno(errno, FsOp::Delete, posix);
  return true;
}

bool MoveFileA(const char* source, const char* target) {
  return MoveFileExA(source, target, MOVEFILE_COPY_ALLOWED);
}

bool MoveFileExA(const char* source, const char* target, DWORD flags) {
  const bool replace = (flags & MOVEFILE_REPLACE_EXISTING) != 0;
  std::string src = ResolveOrFail(source);
  if (src.empty()) return false;
  std::string dst = ResolveOrFail(target);
  if (dst.empty()) return false;
  struct stat st {};
  if (lstat(src.c_str(), &st) != 0) return FailErrno(errno, FsOp::Move, src);
  struct stat tst {};
  const bool targetExists = lstat(dst.c_str(), &tst) == 0;
  if (targetExists && tst.st_dev == st.st_dev && tst.st_ino == st.st_ino && SameEntry(src, dst)) {
    // Only the case differs: the target keeps the name as written.
    std::string name(target);
    std::size_t cut = name.find_last_of("\\/");
    std::size_t slash = dst.find_last_of('/');
    std::string leaf = zq::text::AnsiToUtf8(cut == std::string::npos ? name : name.substr(cut + 1));
    dst = (slash == std::string::npos ? std::string() : dst.substr(0, slash + 1)) + leaf;
    if (dst == src) return true;
    if (rename(src.c_str(), dst.c_str()) != 0) return FailErrno(errno, FsOp::Move, dst);
    return true;
  }
  if (!S_ISDIR(st.st_mode) && !DeleteShared(src, st)) return Fail(ERROR_SHARING_VIOLATION);
  if (replace && targetExists) {
    if (S_ISDIR(st.st_mode) || S_ISDIR(tst.st_mode) || ReadOnlyFile(tst)) return Fail(ERROR_ACCESS_DENIED);
    if (!DeleteShared(dst, tst)) return Fail(ERROR_SHARING_VIOLATION);
    if (tst.st_dev == st.st_dev && tst.st_ino == st.st_ino) {
      // The target is another name of the same file: only the source's name goes.
      if (unlink(src.c_str()) != 0) return FailErrno(errno, FsOp::Move, src);
      return true;
    }
  }
  const int moved = replace ? rename(src.c_str(), dst.c_str())
                            : renameat2(AT_FDCWD, src.c_str(), AT_FDCWD, dst.c_str(), RENAME_NOREPLACE);
  if (moved == 0) return true;
  if (errno == EXDEV && !S_ISDIR(st.st_mode) && (flags & MOVEFILE_COPY_ALLOWED)) {
    if (!CopyFileA(source, target, !replace)) return false;
    if (unlink(src.c_str()) != 0) return FailErrno(errno, FsOp::Move, src);
    return true;
  }
  return FailErrno(errno, FsOp::Move, errno == ENOENT ? dst : src);
}

bool CreateDirectoryA(const char* path) {
  std::string posix = ResolveOrFail(path);
  if (posix.empty()) return false;
  if (mkdir(posix.c_str(), 0777) != 0) {
    if (errno == ENOENT) return Fail(ERROR_PATH_NOT_FOUND);
    return FailErrno(errno, FsOp::CreateDir, posix);
  }
  return true;
}

bool RemoveDirectoryA(const char* path) {
  std::string posix = ResolveOrFail(path);
  if (posix.empty()) return false;
  struct stat st {};
  if (IsLinkTo(posix, true)) return unlink(posix.c_str()) == 0 || FailErrno(errno, FsOp::RemoveDir, posix);
  if (stat(posix.c_str(), &st) != 0) return FailErrno(errno, FsOp::RemoveDir, posix);
  if (!S_ISDIR(st.st_mode)) return Fail(ERROR_DIRECTORY);
  if (!DeleteShared(posix, st)) return Fail(ERROR_SHARING_VIOLATION);
  if (rmdir(posix.c_str()) != 0) return FailErrno(errno, FsOp::RemoveDir, posix);
  return true;
}

DWORD GetFileAttributesA(const char* path) {
  std::string posix = ResolveOrFail(path);
  if (posix.empty()) return INVALID_FILE_ATTRIBUTES;
  struct stat link {};
  const DWORD linkBit = lstat(posix.c_str(), &link) == 0 && S_ISLNK(link.st_mode) ? FILE_ATTRIBUTE_REPARSE_POINT : 0;
  struct stat st {};
  if (stat(posix.c_str(), &st) != 0) {
    if (linkBit != 0) return FILE_ATTRIBUTE_ARCHIVE | linkBit;  // a link that leads nowhere
    FailErrno(errno, FsOp::Query, posix);
    return INVALID_FILE_ATTRIBUTES;
  }
  return AttributesOf(st) | linkBit;
}

bool SetFileAttributesA(const char* path, DWORD attributes) {
  std::string posix = ResolveOrFail(path);
  if (posix.empty()) return false;
  struct stat st {};
  if (stat(posix.c_str(), &st) != 0) return FailErrno(errno, FsOp::Query, posix);
  if (S_ISDIR(st.st_mode)) return true;
  mode_t mode = st.st_mode & 07777;
  mode = (attributes & FILE_ATTRIBUTE_READONLY) ? (mode & ~0222) : (mode | 0200);
  if (chmod(posix.c_str(), mode) != 0) return FailErrno(errno, FsOp::Query, posix);
  return true;
}
