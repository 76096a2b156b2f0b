// WriteReplacing and CopyFileA: every whole-file write of the layer, the one way it writes a
// file whole: a new file beside the target, renamed over it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <functional>
#include <optional>
#include <random>
#include <string>

#include "ErrorMap.h"
#include "FileDescriptor.h"
#include "FileInfo.h"
#include "PathResolver.h"
#include "ShareTable.h"
#include "zqplatform/files.h"

namespace zq::fs {
namespace {

// A name no other writer of this or another process picks at the same time.
std::string TemporaryName() {
  static const uint64_t process = (static_cast<uint64_t>(std::random_device{}()) << 32) ^ std::random_device{}();
  static std::atomic<uint64_t> counter{0};
  const uint64_t n = process ^ (static_cast<uint64_t>(getpid()) << 40) ^ counter.fetch_add(1);
  static constexpr char kHex[] = "0123456789abcdef";
  std::string name = ".~";
  for (int shift = 60; shift >= 0; shift -= 4) name += kHex[(n >> shift) & 0xF];
  return name + ".tmp";
}

std::string FolderOf(const std::string& posix) {
  std::size_t slash = posix.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : posix.substr(0, slash);
}

// Room for size bytes first, so that a full disk fails before anything is written.
bool Reserve(int fd, off_t size) {
  return size == 0 || fallocate(fd, 0, 0, size) == 0 || errno == EOPNOTSUPP || errno == ENOSYS;
}

bool WriteAll(int fd, std::string_view bytes) {
  if (!Reserve(fd, static_cast<off_t>(bytes.size()))) return false;
  while (!bytes.empty()) {
    ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Copies an open file's bytes to another; the target ends up the source's size.
bool CopyBytes(int from, int to, off_t size) {
  if (!Reserve(to, size)) return false;
  off_t done = 0;
  while (done < size) {
    loff_t in = done, out = done;
    ssize_t n = copy_file_range(from, &in, to, &out, static_cast<std::size_t>(size - done), 0);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) {
      char buf[1 << 16];
      ssize_t r = pread(from, buf, sizeof buf, done);
      if (r <= 0) return r == 0;
      if (pwrite(to, buf, static_cast<std::size_t>(r), done) != r) return false;
      done += r;
      continue;
    }
    if (n <= 0) return n == 0;
    done += n;
  }
  return ftruncate(to, size) == 0;
}

// The POSIX path of a write's ANSI target, or empty with the last error set: a path ending in
// a separator names a folder, refused.
std::string TargetOf(const char* path) {
  if (path && EndsInSeparator(path)) {
    Fail(ERROR_ACCESS_DENIED);
    return {};
  }
  return ResolveOrFail(path);
}

// The name a replacing write renames its new file over, and the file standing there now.
struct Landing {
  std::string path;               // POSIX
  std::optional<struct stat> old;  // the file replaced; none for a new name or a link replaced
};

// Where a write to the POSIX path lands, or false with the last error set: a folder, a
// read-only file, anything but a regular file, or a file open without delete sharing is
// refused. A link is the landing itself (AtLink::Replace, or a link leading nowhere), or the
// file it leads to (AtLink::Follow).
bool LandingOf(const std::string& posix, AtLink atLink, Landing* landing) {
  landing->path = posix;
  landing->old.reset();
  struct stat st {};
  if (lstat(posix.c_str(), &st) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return true;  // a new name: its folder decides
    return FailErrno(errno, FsOp::Create, posix);
  }
  if (S_ISLNK(st.st_mode)) {
    if (atLink == AtLink::Replace || stat(posix.c_str(), &st) != 0) return true;
    char* real = realpath(posix.c_str(), nullptr);
    if (!real) return FailErrno(errno, FsOp::Create, posix);
    landing->path = real;
    std::free(real);
  }
  if (!S_ISREG(st.st_mode) || ReadOnlyFile(st)) return Fail(ERROR_ACCESS_DENIED);
  if (!DeleteShared(landing->path, st)) return Fail(ERROR_SHARING_VIOLATION);
  landing->old = st;
  return true;
}

// Makes a new file beside landing.path, lets fill write it (false with errno set), gives it
// mode (else the default mode of a new file) and the old file's owner where allowed, and
// renames it over landing.path (never over an existing name with noReplace). On failure the
// new file is removed, landing.path stays as it was and the last error is set from op.
bool ReplaceAt(const Landing& landing, std::optional<mode_t> mode, bool noReplace, FsOp op,
               const std::function<bool(int fd)>& fill) {
  const std::string folder = FolderOf(landing.path);
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
    temporary = (folder == "/" ? "/" : folder + "/") + TemporaryName();
    fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode ? 0600 : 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return FailErrno(errno, op, temporary);
  bool ok = fill(fd);
  int err = errno;
  // Only a privileged writer can keep another owner; else the new file is the writer's.
  [[maybe_unused]] const int owned = ok && landing.old ? fchown(fd, landing.old->st_uid, landing.old->st_gid) : 0;
  if (ok && mode && fchmod(fd, *mode) != 0) {
    ok = false;
    err = errno;
  }
  // No sync before the rename: the file systems in use order a rename that replaces a file
  // after the new file's data.
  if (close(fd) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (ok) {
    const int renamed = noReplace ? renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, landing.path.c_str(),
                                              RENAME_NOREPLACE)
                                  : rename(temporary.c_str(), landing.path.c_str());
    if (renamed != 0) {
      ok = false;
      err = errno;
    }
  }
  if (!ok) {
    unlink(temporary.c_str());
    return FailErrno(err, op, landing.path);
  }
  return true;
}

}  // namespace

bool WriteReplacing(const char* path, std::string_view bytes, AtLink atLink) {
  const std::string posix = TargetOf(path);
  if (posix.empty()) return false;
  Landing landing;
  if (!LandingOf(posix, atLink, &landing)) return false;
  std::optional<mode_t> mode;
  if (landing.old) mode = landing.old->st_mode & 07777;
  return ReplaceAt(landing, mode, false, FsOp::Create, [&](int fd) { return WriteAll(fd, bytes); });
}

}  // namespace zq::fs

using namespace zq::fs;

bool CopyFileA(const char* source, const char* target, bool failIfExists) {
  HANDLE from = CreateFileA(source, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, 0);
  if (from == INVALID_HANDLE_VALUE) return false;
  struct Closer {
    HANDLE h;
    ~Closer() { CloseHandle(h); }
  } closer{from};
  const int in = DescriptorOf(from);
  struct stat src {};
  if (fstat(in, &src) != 0) return FailErrno(errno, FsOp::Copy, {});
  const std::string dst = TargetOf(target);
  if (dst.empty()) return false;
  struct stat old {};
  if (lstat(dst.c_str(), &old) == 0) {
    if (failIfExists) return Fail(ERROR_FILE_EXISTS);
    if (old.st_dev == src.st_dev && old.st_ino == src.st_ino) return Fail(ERROR_SHARING_VIOLATION);  // onto itself
  }
  Landing landing;
  if (!LandingOf(dst, AtLink::Replace, &landing)) return false;
  // A new file takes the source's bits; a replaced one keeps its own, read-only as the source.
  mode_t mode = src.st_mode & 07777;
  if (landing.old) mode = (landing.old->st_mode & 07777) & (ReadOnlyFile(src) ? ~0222 : ~0);
  return ReplaceAt(landing, mode, failIfExists, FsOp::Copy, [&](int fd) {
    if (!CopyBytes(in, fd, src.st_size)) return false;
    const struct timespec times[2] = {src.st_atim, src.st_mtim};
    return futimens(fd, times) == 0;
  });
}
