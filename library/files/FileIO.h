// The library's file object: one file handle with the operations around it, a lock for its
// whole-file operations, a record of the last operation and its failure, and one
// shared-memory view with its mutexes.
//
// Every operation that records returns 0 or more on success and a negative local code on
// failure (FileCodes.h); paths are NUL-terminated ANSI texts in the Windows view of the file
// system; the four open arguments go unchanged to the platform's CreateFileA.
//
// Whole-file use, as the string object needs it:
//   FileIO io;
//   double size = io.CheckFileSize(path);                           // -61.0 when missing
//   int32_t n = io.ReadFile(path, buf, count, 0, access, share, disposition, flags);
//   int32_t w = io.WriteToFile(path, data, len, 0, access, share, disposition, flags);
// WriteToFile at offset 0 leaves a file of exactly len bytes; a failed write leaves the file
// as it was.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "files/BinarySemaphore.h"
#include "files/FileCodes.h"
#include "zqplatform/handles.h"

namespace zq::sync {
class SharedMemory;
class NamedMutex;
}  // namespace zq::sync

class FileIO {
 public:
  FileIO();
  virtual ~FileIO();
  FileIO(const FileIO&) = delete;
  FileIO& operator=(const FileIO&) = delete;

  // Basic operations (no lock).
  int32_t OpenFile(const char* path, uint32_t access, uint32_t share, uint32_t disposition, uint32_t flags);
  int32_t CloseFile();
  // offset >= 0: from the start; -1: to the end; other negative: stays.
  int32_t SetFilePointer(int32_t offset);
  int32_t Read(void* buffer, int32_t count, int32_t offset);
  int32_t Write(const void* buffer, int32_t count, int32_t offset);
  int32_t Delete(const char* path);
  int32_t Copy(const char* source, const char* target, uint8_t failIfExists);
  int32_t Move(const char* source, const char* target);
  // Creates or opens the file and closes it again at once.
  int32_t CreateFile(const char* path, uint32_t access, uint32_t share, uint32_t disposition, uint32_t flags);
  int32_t RemoveDir(const char* path);
  int32_t CreateDir(const char* path);
  // The size in bytes; -61.0 when the path cannot be examined. One trailing "\" is removed.
  double CheckFileSize(const char* path);

  int32_t GetLastLocalError() const;
  uint32_t GetLastSystemError() const;
  std::string GetLastOperation() const;
  int32_t SetAutoLock(int32_t value);
  int32_t Unlock();

  // Whole-file operations: open, work, close in one call, under the lock while auto-lock is on.
  // A failed open leaves its codes in the record; once the open succeeded the record is the
  // close's (0 and 0 when it closed), even after a failed read or write, whose code is the result.
  int32_t ReadFile(const char* path, void* buffer, int32_t count, int32_t offset, uint32_t access,
                   uint32_t share, uint32_t disposition, uint32_t flags);
  int32_t WriteToFile(const char* path, const void* buffer, int32_t count, int32_t offset, uint32_t access,
                      uint32_t share, uint32_t disposition, uint32_t flags);
  int32_t AppendToFile(const char* path, const void* buffer, int32_t count, uint32_t access, uint32_t share,
                       uint32_t disposition, uint32_t flags);
  int32_t CreateEmptyFile(const char* path, uint32_t access, uint32_t share, uint32_t disposition,
                          uint32_t flags);
  int32_t OnSizeReadAndClear(const char* path, void* buffer, int32_t bufferSize, uint32_t access,
                             uint32_t share, uint32_t disposition, uint32_t flags);

  // The host's hold on the lock: 1 when taken within 10 ms, else 0; and its release.
  int32_t HostLock();
  int32_t HostUnlock();

  // The shared-memory view.
  int32_t MemCreateView(std::string_view name, int32_t size, uint32_t protection);
  int32_t MemOpenView(std::string_view name, int32_t size);
  int32_t MemCloseView();
  int32_t MemReadPipe(void* buffer, int32_t count);
  int32_t MemWritePipe(const void* buffer, int32_t count);
  void* MemGetPointer(int32_t* code);
  int32_t MemLock();
  int32_t MemUnlock();
  int32_t MemDataLen();
  int32_t MemBufReset();

 private:
  class WholeFileLock;

  void Record(const char* operation);
  // Stores the local code and the thread's last platform error; returns the code.
  int32_t Fail(int32_t code);

  int32_t OpenOn(HANDLE& handle, const char* path, uint32_t access, uint32_t share, uint32_t disposition,
                 uint32_t flags, bool* created);
  // Records only when asked, or when the close fails.
  int32_t CloseOn(HANDLE& handle, bool record);
  int32_t SeekOn(HANDLE handle, int32_t offset);
  int32_t ReadOn(HANDLE handle, void* buffer, int32_t count, int32_t offset);
  int32_t WriteOn(HANDLE handle, const void* buffer, int32_t count, int32_t offset);
  int32_t CutOn(HANDLE handle);
  // Takes the view guard for create, open and close; -101 when not obtained.
  int32_t MakeView(std::string_view name, int32_t size, uint32_t protection, bool create);
  // The data bytes of the whole shared block (the creator's size).
  int32_t BlockBytes() const;

  HANDLE handle_;
  std::atomic<uint32_t> position_{0};
  zqv::BinarySemaphore lock_;
  std::atomic<int32_t> locked_{0};
  std::atomic<int32_t> autoLock_{1};

  std::unique_ptr<zq::sync::SharedMemory> mapping_;
  char* viewData_ = nullptr;
  int32_t viewSize_ = 0;
  int32_t* lengthWord_ = nullptr;
  std::unique_ptr<zq::sync::NamedMutex> viewMutex_;
  zqv::BinarySemaphore viewGuard_;  // held within one create, open or close only

  mutable std::mutex recordLock_;
  std::string operation_;
  std::string errorText_;
  int32_t localCode_ = 0;
  uint32_t systemCode_ = 0;
};
