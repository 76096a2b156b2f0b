// Share modes: which opens of one file may be held at the same time.
//
// Every open of the process is kept here by (device, inode) with its rights and the rights it
// shares. Between processes the same rules hold through open-file-description locks on bytes
// far beyond any data: one byte per right held, one per right refused to others.
#pragma once
#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "zqplatform/handles.h"

namespace zq::fs {

// Rights, as the share rules see them.
constexpr uint32_t kRightRead = 1;
constexpr uint32_t kRightWrite = 2;
constexpr uint32_t kRightDelete = 4;

// The rights that a desired access asks for; the rights that a share mode allows.
uint32_t RightsOf(DWORD access);
uint32_t SharedOf(DWORD share);

struct FileId {
  dev_t dev;
  ino_t ino;
  bool operator==(const FileId&) const = default;
};

class ShareTable {
 public:
  static ShareTable& Instance();

  // Admits an open with rights and shared through lockFd (an open readable descriptor of the
  // file, or -1 when there is none). False on a sharing violation: nothing is kept. An open
  // with no rights neither is refused nor refuses others.
  bool Admit(FileId id, uint32_t rights, uint32_t shared, int lockFd, uint64_t* ticket);
  void Release(uint64_t ticket);
  // True when every open of the file shares delete; probeFd: any descriptor of it, or -1.
  bool MayDelete(FileId id, int probeFd);

 private:
  struct Entry {
    uint64_t ticket;
    FileId id;
    uint32_t rights;
    uint32_t shared;
  };
  std::mutex lock_;
  std::vector<Entry> entries_;
  uint64_t next_ = 0;
};

// True when every open of the file at posix (whose status is st), in any process using this
// layer, shares delete: its name may then go or be replaced.
bool DeleteShared(const std::string& posix, const struct stat& st);

}  // namespace zq::fs
