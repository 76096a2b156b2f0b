// Named shared memory and named mutexes that several processes use at once.
//
// A block is named by any text; every process that uses the name sees the same bytes. A block
// made new is zero-filled, and it lives while some process has it open: after the last user
// closes it (or dies), the next create starts from zeros again.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "zqplatform/handles.h"

namespace zq::sync {

// Page protections of a mapping, as the Windows mapping creation takes them.
constexpr uint32_t PAGE_READONLY = 0x02;
constexpr uint32_t PAGE_READWRITE = 0x04;
constexpr uint32_t PAGE_WRITECOPY = 0x08;
constexpr uint32_t PAGE_EXECUTE_READ = 0x20;
constexpr uint32_t PAGE_EXECUTE_READWRITE = 0x40;

class SharedMemory {
 public:
  enum class Status { Created, Existed, CreateFailed, OpenFailed, MapFailed };

  struct Outcome {
    std::unique_ptr<SharedMemory> memory;  // null unless Created or Existed
    Status status;
    DWORD error;  // the Windows error number of a failure
  };

  // Makes the block, or opens it when it exists (Existed; its content and size stay). A
  // protection without write access gives a block that cannot be mapped (MapFailed); an
  // unknown protection fails the creation. size larger than an existing block: MapFailed.
  // init, when given, prepares a block made new before any other user can reach it; when it
  // fails, so does the creation.
  static Outcome Create(std::string_view name, std::size_t size, uint32_t protection,
                        bool (*init)(void* data) = nullptr);
  // Opens an existing block (OpenFailed when there is none); size must not exceed the block's.
  static Outcome Open(std::string_view name, std::size_t size);

  ~SharedMemory();
  SharedMemory(const SharedMemory&) = delete;
  SharedMemory& operator=(const SharedMemory&) = delete;

  // The whole block, whatever size was asked for.
  void* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  SharedMemory(std::string posixName, int fd, void* mapped, std::size_t mappedLen,
               std::size_t offset, std::size_t size);
  // Maps a block whose header is complete and which fd holds as a user.
  static Outcome MapBlock(std::string posixName, int fd, std::size_t size, Status status);
  // Closes fd, removing the name when no other user holds the block.
  static void Leave(const std::string& posixName, int fd);
  std::string posixName_;
  int fd_;
  void* mapped_;
  std::size_t mappedLen_;
  void* data_;
  std::size_t size_;
};

// A mutex that every process using the name shares. Owned by a thread, recursive; when its
// owner ends without releasing it, the next taker obtains it.
class NamedMutex {
 public:
  // Creates the mutex (not owned) or opens it when it exists; null with *error on failure.
  static std::unique_ptr<NamedMutex> CreateOrOpen(std::string_view name, DWORD* error);
  // Releases whatever the calling thread still holds, then closes.
  ~NamedMutex();

  // True when obtained within timeoutMs (also when its last owner ended holding it).
  bool Lock(uint32_t timeoutMs);
  // False when the calling thread does not hold it.
  bool Unlock();

 private:
  explicit NamedMutex(std::unique_ptr<SharedMemory> block);
  std::unique_ptr<SharedMemory> block_;
};

}  // namespace zq::sync
