#include "files/FileIO.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "zqplatform/files.h"
#include "zqplatform/sync.h"

using namespace zqv::files;

// Holds the object's lock for one whole-file operation while auto-lock is on.
class FileIO::WholeFileLock {
 public:
  explicit WholeFileLock(FileIO& io) : io_(io) {
    if (io_.autoLock_ == 0) {
      code_ = 0;
      return;
    }
    if (io_.locked_ != 0 || !io_.lock_.TryAcquireFor(std::chrono::milliseconds(10))) return;
    io_.locked_ = 1;
    taken_ = true;
    code_ = 0;
  }
  ~WholeFileLock() {
    if (taken_) io_.Unlock();
  }
  // 0 when the operation may run, else -63.
  int32_t code() const { return code_; }

 private:
  FileIO& io_;
  bool taken_ = false;
  int32_t code_ = kLockHeld;
};

FileIO::FileIO() : handle_(INVALID_HANDLE_VALUE) { Record("Default Constructor"); }

FileIO::~FileIO() {
  CloseFile();
  MemCloseView();
  Record("Destructor");
}

void FileIO::Record(const char* operation) {
  std::lock_guard hold(recordLock_);
  operation_ = operation;
  errorText_.clear();
  localCode_ = 0;
  systemCode_ = 0;
}

int32_t FileIO::Fail(int32_t code) {
  uint32_t system = GetLastError();
  std::lock_guard hold(recordLock_);
  localCode_ = code;
  systemCode_ = system;
  return code;
}

int32_t FileIO::GetLastLocalError() const {
  std::lock_guard hold(recordLock_);
  return localCode_;
}

uint32_t FileIO::GetLastSystemError() const {
  std::lock_guard hold(recordLock_);
  return systemCode_;
}

std::string FileIO::GetLastOperation() const {
  std::lock_guard hold(recordLock_);
  return operation_;
}

// Basic operations, on a given handle.

int32_t FileIO::OpenOn(HANDLE& handle, const char* path, uint32_t access, uint32_t share,
                       uint32_t disposition, uint32_t flags, bool* created) {
  Record("OpenFile");
  handle = ::CreateFileA(path, access, share, disposition, flags);
  if (handle == INVALID_HANDLE_VALUE) return Fail(GetLastError() == ERROR_SHARING_VIOLATION ? kFileInUse : kOpenFailed);
  if (created)
    *created = disposition == CREATE_NEW ||
               ((disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS) && GetLastError() != ERROR_ALREADY_EXISTS);
  return 0;
}

int32_t FileIO::CloseOn(HANDLE& handle, bool record) {
  if (record) Record("CloseFile");
  if (handle != INVALID_HANDLE_VALUE && handle != nullptr) {
    if (!::CloseHandle(handle)) {
      if (!record) Record("CloseFile");
      return Fail(kCloseFailed);
    }
  }
  handle = INVALID_HANDLE_VALUE;
  return 0;
}

int32_t FileIO::SeekOn(HANDLE handle, int32_t offset) {
  Record("SetFilePointer");
  DWORD method = offset >= 0 ? FILE_BEGIN : offset == -1 ? FILE_END : FILE_CURRENT;
  DWORD at = ::SetFilePointer(handle, offset >= 0 ? offset : 0, nullptr, method);
  if (at == INVALID_SET_FILE_POINTER) return Fail(kSeekFailed);
  position_ = at;
  return 0;
}

int32_t FileIO::ReadOn(HANDLE handle, void* buffer, int32_t count, int32_t offset) {
  Record("Read");
  if (count < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return Fail(kReadFailed);
  }
  if (SeekOn(handle, offset) != 0) return kSeekFailed;
  DWORD read = 0;
  if (!::ReadFile(handle, buffer, static_cast<DWORD>(count), &read)) return Fail(kReadFailed);
  return static_cast<int32_t>(read);
}

int32_t FileIO::WriteOn(HANDLE handle, const void* buffer, int32_t count, int32_t offset) {
  Record("Write");
  if (count < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return Fail(kWriteFailed);
  }
  if (SeekOn(handle, offset) != 0) return kSeekFailed;
  DWORD written = 0;
  if (!::WriteFile(handle, buffer, static_cast<DWORD>(count), &written)) return Fail(kWriteFailed);
  return static_cast<int32_t>(written);
}

int32_t FileIO::CutOn(HANDLE handle) { return ::SetEndOfFile(handle) ? 0 : Fail(kSetEndFailed); }

int32_t FileIO::OpenFile(const char* path, uint32_t access, uint32_t share, uint32_t disposition,
                         uint32_t flags) {
  CloseOn(handle_, false);  // an earlier file of this object is not left open
  return OpenOn(handle_, path, access, share, disposition, flags, nullptr);
}

int32_t FileIO::CloseFile() { return CloseOn(handle_, true); }

int32_t FileIO::SetFilePointer(int32_t offset) { return SeekOn(handle_, offset); }

int32_t FileIO::Read(void* buffer, int32_t count, int32_t offset) { return ReadOn(handle_, buffer, count, offset); }

int32_t FileIO::Write(const void* buffer, int32_t count, int32_t offset) {
  return WriteOn(handle_, buffer, count, offset);
}

int32_t FileIO::Delete(const char* path) {
  Record("Delete");
  return ::DeleteFileA(path) ? 0 : Fail(kDeleteFailed);
}

int32_t FileIO::Copy(const char* source, const char* target, uint8_t failIfExists) {
  Record("Copy");
  return ::CopyFileA(source, target, failIfExists != 0) ? 0 : Fail(kCopyFailed);
}

int32_t FileIO::Move(const char* source, const char* target) {
  Record("Move");
  return ::MoveFileA(source, target) ? 0 : Fail(kMoveFailed);
}

int32_t FileIO::CreateFile(const char* path, uint32_t access, uint32_t share, uint32_t disposition,
                           uint32_t flags) {
  Record("CreateFile");
  HANDLE h = ::CreateFileA(path, access, share, disposition, flags);
  if (h == INVALID_HANDLE_VALUE) return Fail(kCreateFailed);
  ::CloseHandle(h);
  return 0;
}

int32_t FileIO::RemoveDir(const char* path) {
  Record("RemoveDir");
  return ::RemoveDirectoryA(path) ? 0 : Fail(kRemoveDirFailed);
}

int32_t FileIO::CreateDir(const char* path) {
  Record("CreateDir");
  return ::CreateDirectoryA(path) ? 0 : Fail(kCreateDirFailed);
}

double FileIO::CheckFileSize(const char* path) {
  Record("CheckFileSize");
  std::string p = path ? path : "";
  if (!p.empty() && p.back() == '\\') p.pop_back();
  zq::fs::FileStatus status{};
  if (!path || !zq::fs::Stat64(p.c_str(), &status)) {
    if (!path) SetLastError(ERROR_PATH_NOT_FOUND);
    return Fail(kSizeFailed);
  }
  return static_cast<double>(status.size);
}

int32_t FileIO::SetAutoLock(int32_t value) {
  if (locked_ != 0) return kLockHeld;
  autoLock_ = value;
  return 0;
}

int32_t FileIO::Unlock() {
  if (autoLock_ != 0) {
    locked_ = 0;
    lock_.Release();
  }
  return 1;
}

int32_t FileIO::HostLock() {
  if (!lock_.TryAcquireFor(std::chrono::milliseconds(10))) return 0;
  locked_ = 1;
  return 1;
}

int32_t FileIO::HostUnlock() {
  locked_ = 0;
  lock_.Release();
  return 1;
}

// Whole-file operations. Each runs on a handle of its own, so that they never disturb each
// other (with auto-lock off) nor a file the host keeps open in the object. Once the open has
// succeeded the record is that of the last step, the close: after a failed read or write the
// result alone carries the code.

int32_t FileIO::ReadFile(const char* path, void* buffer, int32_t count, int32_t offset, uint32_t access,
                         uint32_t share, uint32_t disposition, uint32_t flags) {
  Record("ReadFile");
  WholeFileLock lock(*this);
  if (lock.code() != 0) return lock.code();
  HANDLE h = INVALID_HANDLE_VALUE;
  if (OpenOn(h, path, access, share, disposition, flags, nullptr) != 0) return kOpenFailed;
  int32_t result = ReadOn(h, buffer, count, offset);
  CloseOn(h, true);
  return result;
}

int32_t FileIO::WriteToFile(const char* path, const void* buffer, int32_t count, int32_t offset,
                            uint32_t access, uint32_t share, uint32_t disposition, uint32_t flags) {
  Record("WriteToFile");
  WholeFileLock lock(*this);
  if (lock.code() != 0) return lock.code();
  HANDLE h = INVALID_HANDLE_VALUE;
  bool created = false;
  if (OpenOn(h, path, access, share, disposition, flags, &created) != 0) return kOpenFailed;
  int32_t result = WriteOn(h, buffer, count, offset);
  // The file ends behind the written bytes; a failed write leaves it as it was.
  if (result >= 0 && CutOn(h) != 0) result = kSetEndFailed;
  CloseOn(h, true);
  if (result < 0 && created) ::DeleteFileA(path);  // no file of this call's making stays
  return result;
}

int32_t FileIO::AppendToFile(const char* path, const void* buffer, int32_t count, uint32_t access,
                             uint32_t share, uint32_t disposition, uint32_t flags) {
  Record("AppendToFile");
  return WriteToFile(path, buffer, count, -1, access, share, disposition, flags);
}

int32_t FileIO::CreateEmptyFile(const char* path, uint32_t access, uint32_t share, uint32_t disposition,
                                uint32_t flags) {
  Record("CreateEmptyFile");
  WholeFileLock lock(*this);
  if (lock.code() != 0) return lock.code();
  HANDLE h = INVALID_HANDLE_VALUE;
  if (int32_t code = OpenOn(h, path, access, share, disposition, flags, nullptr); code != 0) return code;
  CloseOn(h, true);
  return 0;
}

int32_t FileIO::OnSizeReadAndClear(const char* path, void* buffer, int32_t bufferSize, uint32_t access,
                                   uint32_t share, uint32_t disposition, uint32_t flags) {
  Record("OnSizeReadAndClear");
  WholeFileLock lock(*this);
  if (lock.code() != 0) return lock.code();
  double size = CheckFileSize(path);
  if (size <= 0) return static_cast<int32_t>(size);
  // A file beyond 2 GiB is larger than any buffer.
  if (size > static_cast<double>(bufferSize)) return kReadArgs;
  HANDLE h = INVALID_HANDLE_VALUE;
  if (OpenOn(h, path, access, share, disposition, flags, nullptr) != 0) return kOpenFailed;
  int32_t read = ReadOn(h, buffer, bufferSize, 0);
  // A writer that grew the file past the buffer since the size check keeps its bytes.
  char more = 0;
  DWORD extra = 0;
  bool grew = read == bufferSize && ::ReadFile(h, &more, 1, &extra) && extra > 0;
  int32_t result = read;
  if (read < 0) {
    result = kReadFailed;
  } else if (grew) {
    result = kReadArgs;
  } else if (SeekOn(h, 0) != 0) {
    result = kSeekFailed;
  } else if (CutOn(h) != 0) {
    result = kSetEndFailed;
  }
  CloseOn(h, true);
  return result;
}
