// Opening, reading, writing and positioning files through handles.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <string>

#include "ErrorMap.h"
#include "FileDescriptor.h"
#include "FileInfo.h"
#include "HandleTable.h"
#include "PathResolver.h"
#include "ShareTable.h"
#include "zqplatform/files.h"

namespace zq::fs {
namespace {

class OpenFile : public HandleObject {
 public:
  OpenFile(int fd, uint32_t rights, uint64_t ticket, std::string deleteOnClose)
      : fd(fd), rights(rights), ticket_(ticket), deleteOnClose_(std::move(deleteOnClose)) {}
  ~OpenFile() override {
    if (!deleteOnClose_.empty()) unlink(deleteOnClose_.c_str());
    close(fd);
    ShareTable::Instance().Release(ticket_);
  }
  const int fd;
  const uint32_t rights;
  // The handle's file position: every read, write and seek goes through it.
  std::mutex positionLock;
  int64_t position = 0;

 private:
  uint64_t ticket_;
  std::string deleteOnClose_;
};

std::shared_ptr<OpenFile> FileOf(HANDLE h) {
  std::shared_ptr<OpenFile> f = HandleTable::Instance().Get<OpenFile>(h);
  if (!f) SetLastError(ERROR_INVALID_HANDLE);
  return f;
}

// Opens the descriptor as the disposition says; *created tells whether this call made the file.
int OpenByDisposition(const std::string& path, int oflags, DWORD disposition, bool* created) {
  *created = false;
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (disposition != CREATE_NEW) {
      int fd = open(path.c_str(), oflags);
      if (fd >= 0 || errno != ENOENT || disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING)
        return fd;
    }
    int fd = open(path.c_str(), oflags | O_CREAT | O_EXCL, 0666);
    if (fd >= 0) *created = true;
    if (fd >= 0 || errno != EEXIST || disposition == CREATE_NEW) return fd;
  }
  errno = EIO;
  return -1;
}

// True when the bytes lie inside a file without holes, so that writing them takes no new room.
bool OverwritesAllocatedBytes(int fd, int64_t position, DWORD count) {
  struct stat st {};
  return fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && position + count <= st.st_size &&
         st.st_blocks * 512 >= st.st_size;
}

}  // namespace

int DescriptorOf(HANDLE h) {
  std::shared_ptr<OpenFile> f = HandleTable::Instance().Get<OpenFile>(h);
  return f ? f->fd : -1;
}

}  // namespace zq::fs

using namespace zq::fs;

HANDLE CreateFileA(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  DWORD error = ERROR_PATH_NOT_FOUND;
  std::string posix = path ? MarkedAsFolder(ExactPath(path, &error), path) : std::string();
  if (posix.empty()) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
  }
  uint32_t rights = RightsOf(access);
  if (disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING ||
      (disposition == TRUNCATE_EXISTING && !(rights & kRightWrite))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  bool truncates = disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING;
  bool folderAllowed = (flags & FILE_FLAG_BACKUP_SEMANTICS) && disposition != CREATE_NEW && !truncates;

  // Writers open read-write too, so that their share locks can be taken. Opening never waits
  // (a pipe's open would wait for its other end).
  int oflags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK | ((rights & kRightWrite) ? O_RDWR : O_RDONLY);
  if (flags & FILE_FLAG_WRITE_THROUGH) oflags |= O_DSYNC;
  // The name as written first; where it is missing, the name matched case-blind.
  bool created = false;
  int fd = disposition == CREATE_NEW ? -1 : open(posix.c_str(), oflags);
  if (fd < 0 && (disposition == CREATE_NEW || errno == ENOENT || errno == ENOTDIR)) {
    posix = MarkedAsFolder(ResolveOrFail(path), path);
    if (posix.empty()) return INVALID_HANDLE_VALUE;
    fd = OpenByDisposition(posix, oflags, disposition, &created);
  }
  if (fd < 0 && errno == EACCES && (oflags & O_RDWR) && !(rights & kRightRead)) {
    oflags = (oflags & ~O_RDWR) | O_WRONLY;
    fd = OpenByDisposition(posix, oflags, disposition, &created);
  }
  if (fd < 0 && errno == EISDIR && folderAllowed) {
    oflags = O_CLOEXEC | O_RDONLY | O_DIRECTORY;
    fd = OpenByDisposition(posix, oflags, OPEN_EXISTING, &created);
  }
  if (fd < 0) {
    FailErrno(errno, FsOp::Open, posix);
    return INVALID_HANDLE_VALUE;
  }
  // What the descriptor is decides what the open may do with it (checked before any change).
  struct stat st {};
  fstat(fd, &st);
  DWORD refused = ERROR_SUCCESS;
  if (S_ISDIR(st.st_mode)) {
    if (!folderAllowed) refused = ERROR_ACCESS_DENIED;
    rights &= ~kRightWrite;
  } else if (!created && ReadOnlyFile(st) && ((rights & kRightWrite) || truncates)) {
    refused = ERROR_ACCESS_DENIED;
  } else if (!S_ISREG(st.st_mode)) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);  // devices read and write as usual
  }
  if (refused != ERROR_SUCCESS) {
    close(fd);
    SetLastError(refused);
    return INVALID_HANDLE_VALUE;
  }
  uint64_t ticket = 0;
  int lockFd = (oflags & O_WRONLY) ? -1 : fd;
  if (!ShareTable::Instance().Admit({st.st_dev, st.st_ino}, rights, SharedOf(share), lockFd, &ticket)) {
    if (created) unlink(posix.c_str());
    close(fd);
    SetLastError(ERROR_SHARING_VIOLATION);
    return INVALID_HANDLE_VALUE;
  }
  auto file = std::make_shared<OpenFile>(fd, rights, ticket,
                                         (flags & FILE_FLAG_DELETE_ON_CLOSE) ? posix : std::string());
  if (truncates && !created && ftruncate(fd, 0) != 0) {
    FailErrno(errno, FsOp::Open, posix);
    return INVALID_HANDLE_VALUE;
  }
  if (created && (flags & FILE_ATTRIBUTE_READONLY)) fchmod(fd, st.st_mode & 07555);
  HANDLE h = HandleTable::Instance().Add(std::move(file));
  bool reportsExisting = disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS;
  SetLastError(reportsExisting && !created ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return h;
}

bool ReadFile(HANDLE h, void* buffer, DWORD count, DWORD* read) {
  if (read) *read = 0;
  auto f = FileOf(h);
  if (!f) return false;
  if (!(f->rights & kRightRead)) return Fail(ERROR_ACCESS_DENIED);
  if (!buffer && count > 0) return Fail(ERROR_INVALID_PARAMETER);
  std::lock_guard hold(f->positionLock);
  DWORD done = 0;
  while (done < count) {
    ssize_t n = pread(f->fd, static_cast<char*>(buffer) + done, count - done, f->position + done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return FailErrno(errno, FsOp::ReadWrite, {});
    if (n == 0) break;
    done += static_cast<DWORD>(n);
  }
  f->position += done;
  if (read) *read = done;
  return true;
}

bool WriteFile(HANDLE h, const void* buffer, DWORD count, DWORD* written) {
  if (written) *written = 0;
  auto f = FileOf(h);
  if (!f) return false;
  if (!(f->rights & kRightWrite)) return Fail(ERROR_ACCESS_DENIED);
  if (!buffer && count > 0) return Fail(ERROR_INVALID_PARAMETER);
  if (count == 0) return true;
  std::lock_guard hold(f->positionLock);
  // Room for every byte first, so that a full disk leaves the file as it was.
  if (!OverwritesAllocatedBytes(f->fd, f->position, count) &&
      fallocate(f->fd, FALLOC_FL_KEEP_SIZE, f->position, count) != 0 && errno != EOPNOTSUPP && errno != ENOSYS)
    return FailErrno(errno, FsOp::ReadWrite, {});
  DWORD done = 0;
  int err = 0;
  while (done < count) {
    ssize_t n = pwrite(f->fd, static_cast<const char*>(buffer) + done, count - done, f->position + done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      err = errno;
      break;
    }
    done += static_cast<DWORD>(n);
  }
  f->position += done;
  if (written) *written = done;
  return err == 0 || FailErrno(err, FsOp::ReadWrite, {});
}

DWORD SetFilePointer(HANDLE h, int32_t distance, int32_t* high, DWORD method) {
  auto f = FileOf(h);
  if (!f) return INVALID_SET_FILE_POINTER;
  int64_t move = high ? static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(*high)) << 32) |
                                             static_cast<uint32_t>(distance))
                      : distance;
  std::lock_guard hold(f->positionLock);
  int64_t from = 0;
  if (method == FILE_CURRENT) {
    from = f->position;
  } else if (method == FILE_END) {
    struct stat st {};
    from = fstat(f->fd, &st) == 0 ? st.st_size : -1;
  } else if (method != FILE_BEGIN) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  if (from < 0) {
    FailErrno(errno, FsOp::ReadWrite, {});
    return INVALID_SET_FILE_POINTER;
  }
  if ((move > 0 && from > INT64_MAX - move) || from + move < 0) {
    SetLastError(ERROR_NEGATIVE_SEEK);
    return INVALID_SET_FILE_POINTER;
  }
  int64_t to = from + move;
  if (!high && to > static_cast<int64_t>(UINT32_MAX)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  f->position = to;
  if (high) *high = static_cast<int32_t>(static_cast<uint64_t>(to) >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(to);
}

bool SetEndOfFile(HANDLE h) {
  auto f = FileOf(h);
  if (!f) return false;
  if (!(f->rights & kRightWrite)) return Fail(ERROR_ACCESS_DENIED);
  std::lock_guard hold(f->positionLock);
  struct stat st {};
  if (fstat(f->fd, &st) == 0 && st.st_size == f->position) return true;  // the end is there already
  if (ftruncate(f->fd, f->position) != 0) return FailErrno(errno, FsOp::ReadWrite, {});
  return true;
}

DWORD GetFileSize(HANDLE h, DWORD* high) {
  auto f = FileOf(h);
  struct stat st {};
  if (!f || fstat(f->fd, &st) != 0) {
    if (f) FailErrno(errno, FsOp::Query, {});
    return INVALID_FILE_SIZE;
  }
  uint64_t size = S_ISREG(st.st_mode) ? static_cast<uint64_t>(st.st_size) : 0;
  if (high) *high = static_cast<DWORD>(size >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(size);
}

bool FlushFileBuffers(HANDLE h) {
  auto f = FileOf(h);
  if (!f) return false;
  if (fsync(f->fd) != 0) return FailErrno(errno, FsOp::ReadWrite, {});
  return true;
}
