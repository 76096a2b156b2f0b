#include "ShareTable.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "zqplatform/files.h"

namespace zq::fs {
namespace {

// Six bytes far beyond any data: "an open refuses right i" at kBase + i, "an open holds
// right i" at kBase + 3 + i (read, write, delete), so the usual opens need one range each.
constexpr off_t kBase = 0x7FFFFFFF00000000LL;
constexpr int kSlots = 6;
constexpr uint32_t kAllRights = kRightRead | kRightWrite | kRightDelete;

bool Conflict(uint32_t rightsA, uint32_t sharedA, uint32_t rightsB, uint32_t sharedB) {
  return (rightsA & ~sharedB) != 0 || (rightsB & ~sharedA) != 0;
}

// Calls fn(start, length) for each run of set bits, bit i standing for the byte kBase + i.
template <class Fn>
bool ForRanges(uint32_t bits, Fn&& fn) {
  for (int i = 0; i < kSlots;) {
    if (!(bits >> i & 1)) {
      ++i;
      continue;
    }
    int j = i;
    while (j < kSlots && (bits >> j & 1)) ++j;
    if (!fn(kBase + i, static_cast<off_t>(j - i))) return false;
    i = j;
  }
  return true;
}

struct flock Range(short type, off_t at, off_t len) {
  struct flock f {};
  f.l_type = type;
  f.l_whence = SEEK_SET;
  f.l_start = at;
  f.l_len = len;
  return f;
}

// True when another open file description holds a lock on the range.
bool HeldByOther(int fd, off_t at, off_t len) {
  struct flock f = Range(F_WRLCK, at, len);
  return fcntl(fd, F_OFD_GETLK, &f) == 0 && f.l_type != F_UNLCK;
}

// Takes the locks of this open, then looks for the other processes' opens that conflict.
// Locks stay with the descriptor and go when it is closed. A file system without these
// locks leaves the in-process rules only.
bool AdmitAcrossProcesses(int fd, uint32_t rights, uint32_t shared) {
  uint32_t refused = ~shared & kAllRights;
  bool taken = ForRanges(refused | rights << 3, [fd](off_t at, off_t len) {
    struct flock f = Range(F_RDLCK, at, len);
    return fcntl(fd, F_OFD_SETLK, &f) == 0;
  });
  if (!taken || !HeldByOther(fd, kBase, kSlots)) return true;  // nobody else uses the file
  return ForRanges(rights | refused << 3, [fd](off_t at, off_t len) { return !HeldByOther(fd, at, len); });
}

}  // namespace

uint32_t RightsOf(DWORD access) {
  uint32_t rights = 0;
  if (access & (GENERIC_READ | GENERIC_ALL | GENERIC_EXECUTE | FILE_READ_DATA)) rights |= kRightRead;
  if (access & (GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA | FILE_APPEND_DATA)) rights |= kRightWrite;
  if (access & (GENERIC_ALL | DELETE)) rights |= kRightDelete;
  return rights;
}

uint32_t SharedOf(DWORD share) {
  uint32_t shared = 0;
  if (share & FILE_SHARE_READ) shared |= kRightRead;
  if (share & FILE_SHARE_WRITE) shared |= kRightWrite;
  if (share & FILE_SHARE_DELETE) shared |= kRightDelete;
  return shared;
}

ShareTable& ShareTable::Instance() {
  static ShareTable* table = new ShareTable;  // outlives every static destructor
  return *table;
}

bool ShareTable::Admit(FileId id, uint32_t rights, uint32_t shared, int lockFd, uint64_t* ticket) {
  std::lock_guard hold(lock_);
  if (rights == 0) {  // an open for no data takes no part in sharing
    *ticket = ++next_;
    return true;
  }
  for (const Entry& e : entries_)
    if (e.id == id && Conflict(e.rights, e.shared, rights, shared)) return false;
  if (lockFd >= 0 && !AdmitAcrossProcesses(lockFd, rights, shared)) return false;
  *ticket = ++next_;
  entries_.push_back({*ticket, id, rights, shared});
  return true;
}

void ShareTable::Release(uint64_t ticket) {
  std::lock_guard hold(lock_);
  std::erase_if(entries_, [ticket](const Entry& e) { return e.ticket == ticket; });
}

bool ShareTable::MayDelete(FileId id, int probeFd) {
  std::lock_guard hold(lock_);
  for (const Entry& e : entries_)
    if (e.id == id && !(e.shared & kRightDelete)) return false;
  return probeFd < 0 || !HeldByOther(probeFd, kBase + 2, 1);  // "refuses delete"
}

bool DeleteShared(const std::string& posix, const struct stat& st) {
  int probe = open(posix.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  bool ok = ShareTable::Instance().MayDelete({st.st_dev, st.st_ino}, probe);
  if (probe >= 0) close(probe);
  return ok;
}

}  // namespace zq::fs
