#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "zqplatform/sync.h"

// A block is one POSIX shared-memory object: a header page of the layer's own (size and
// protection), then the bytes the user sees. Every user holds a shared open-file-description
// lock on byte 0 while it has the block open; the one that can take it exclusively is alone,
// so a create that can is making the block new, and a close that can removes the name.

namespace zq::sync {
namespace {

constexpr uint32_t kMagic = 0x5A515348;  // set once the header is complete

struct Header {
  uint32_t magic;
  uint32_t protection;
  uint64_t size;
};

std::string PosixName(std::string_view name) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out = "/zq.";
  for (unsigned char c : name) {
    if (c == '/' || c == '%' || c < 0x20 || c == 0x7F) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::size_t PageSize() { return static_cast<std::size_t>(sysconf(_SC_PAGESIZE)); }

bool UserLock(int fd, short type, bool wait) {
  struct flock f {};
  f.l_type = type;
  f.l_whence = SEEK_SET;
  f.l_start = 0;
  f.l_len = 1;
  int rc;
  do rc = fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &f);
  while (rc != 0 && errno == EINTR && wait);
  return rc == 0;
}

// True when the name still names the object behind fd (a last user may have removed it).
bool StillNamed(const std::string& posixName, int fd) {
  int again = shm_open(posixName.c_str(), O_RDONLY, 0);
  if (again < 0) return false;
  struct stat a {}, b {};
  bool same = fstat(fd, &a) == 0 && fstat(again, &b) == 0 && a.st_ino == b.st_ino && a.st_dev == b.st_dev;
  close(again);
  return same;
}

DWORD ErrorOf(int err) {
  switch (err) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case EACCES: case EPERM: return ERROR_ACCESS_DENIED;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case ENOMEM: case ENOSPC: return ERROR_NOT_ENOUGH_MEMORY;
    case EMFILE: case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    default: return ERROR_INVALID_PARAMETER;
  }
}

bool Writable(uint32_t protection) {
  return protection == PAGE_READWRITE || protection == PAGE_WRITECOPY ||
         protection == PAGE_EXECUTE_READWRITE;
}

bool Known(uint32_t protection) {
  return Writable(protection) || protection == PAGE_READONLY || protection == PAGE_EXECUTE_READ;
}

// True when another open of the block holds its user lock.
bool OthersUse(int fd) {
  struct flock f {};
  f.l_type = F_WRLCK;
  f.l_whence = SEEK_SET;
  f.l_start = 0;
  f.l_len = 1;
  return fcntl(fd, F_OFD_GETLK, &f) == 0 && f.l_type != F_UNLCK;
}

Header ReadHeader(int fd) {
  Header h{};
  if (pread(fd, &h, sizeof h, 0) != static_cast<ssize_t>(sizeof h)) h.magic = 0;
  return h;
}

}  // namespace

SharedMemory::SharedMemory(std::string posixName, int fd, void* mapped, std::size_t mappedLen,
                           std::size_t offset, std::size_t size)
    : posixName_(std::move(posixName)),
      fd_(fd),
      mapped_(mapped),
      mappedLen_(mappedLen),
      data_(static_cast<char*>(mapped) + offset),
      size_(size) {}

SharedMemory::~SharedMemory() {
  munmap(mapped_, mappedLen_);
  Leave(posixName_, fd_);
}

void SharedMemory::Leave(const std::string& posixName, int fd) {
  if (UserLock(fd, F_WRLCK, false) && StillNamed(posixName, fd)) shm_unlink(posixName.c_str());
  close(fd);
}

SharedMemory::Outcome SharedMemory::Create(std::string_view name, std::size_t size,
                                           uint32_t protection, bool (*init)(void* data)) {
  if (!Known(protection) || size == 0) return {nullptr, Status::CreateFailed, ERROR_INVALID_PARAMETER};
  std::string posixName = PosixName(name);
  for (int attempt = 0; attempt < 200; ++attempt) {
    int fd = shm_open(posixName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return {nullptr, Status::CreateFailed, ErrorOf(errno)};
    if (UserLock(fd, F_WRLCK, false)) {
      if (!StillNamed(posixName, fd)) {
        close(fd);
        continue;
      }
      // Alone: the block is made new (also over one that a dead process left behind).
      Header h{kMagic, protection, size};
      std::size_t total = PageSize() + size;
      if (ftruncate(fd, 0) != 0 || ftruncate(fd, static_cast<off_t>(total)) != 0 ||
          pwrite(fd, &h, sizeof h, 0) != static_cast<ssize_t>(sizeof h)) {
        DWORD error = ErrorOf(errno);
        shm_unlink(posixName.c_str());
        close(fd);
        return {nullptr, Status::CreateFailed, error};
      }
      // Mapped and prepared while still alone; users that wait for the block see it ready.
      Outcome made = MapBlock(std::move(posixName), fd, size, Status::Created);
      if (made.memory && init && !init(made.memory->data()))
        return {nullptr, Status::CreateFailed, ERROR_INVALID_PARAMETER};  // the name goes with it
      if (made.memory) UserLock(fd, F_RDLCK, true);  // converted atomically
      return made;
    }
    // Another user has it; wait until its creator has finished the header.
    if (UserLock(fd, F_RDLCK, true) && StillNamed(posixName, fd) && ReadHeader(fd).magic == kMagic)
      return MapBlock(std::move(posixName), fd, size, Status::Existed);
    close(fd);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return {nullptr, Status::CreateFailed, ERROR_INVALID_PARAMETER};
}

SharedMemory::Outcome SharedMemory::Open(std::string_view name, std::size_t size) {
  std::string posixName = PosixName(name);
  int fd = shm_open(posixName.c_str(), O_RDWR | O_CLOEXEC, 0);
  if (fd < 0) return {nullptr, Status::OpenFailed, ErrorOf(errno)};
  if (!UserLock(fd, F_RDLCK, true) || !StillNamed(posixName, fd) || ReadHeader(fd).magic != kMagic ||
      !OthersUse(fd)) {
    Leave(posixName, fd);  // a block that no live process holds is gone
    return {nullptr, Status::OpenFailed, ERROR_FILE_NOT_FOUND};
  }
  return MapBlock(std::move(posixName), fd, size, Status::Existed);
}

SharedMemory::Outcome SharedMemory::MapBlock(std::string posixName, int fd, std::size_t size,
                                             Status status) {
  Header h = ReadHeader(fd);
  if (!Writable(h.protection) || size == 0 || size > h.size) {
    Leave(posixName, fd);
    return {nullptr, Status::MapFailed, ERROR_ACCESS_DENIED};
  }
  // The whole block is mapped, so that what its creator wrote is always within reach.
  std::size_t page = PageSize();
  std::size_t len = page + h.size;
  void* mapped = mmap(nullptr, len, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (mapped == MAP_FAILED) {
    DWORD error = ErrorOf(errno);
    Leave(posixName, fd);
    return {nullptr, Status::MapFailed, error};
  }
  return {std::unique_ptr<SharedMemory>(new SharedMemory(std::move(posixName), fd, mapped, len, page, h.size)),
          status, ERROR_SUCCESS};
}

}  // namespace zq::sync
