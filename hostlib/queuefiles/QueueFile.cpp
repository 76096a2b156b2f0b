// Queue files: the queue's text written to and read from a file with the file object.
#include <algorithm>
#include <climits>
#include <string>

#include "ZQ_Vantor.h"
#include "hostlib/FileModes.h"
#include "hostlib/QueueFiles.h"
#include "hostlib/Wrappers.h"
#include "wrappers/HostArgs.h"
#include "zqplatform/handles.h"

namespace {

bool Blank(std::string_view file) { return file.find_first_not_of(' ') == std::string_view::npos; }

// The file with no bytes at all.
int32_t WriteEmpty(FILEIO& io, std::string_view file) {
  using hostlib::detail::Len;
  using hostlib::detail::Ptr;
  return FICreateEmptyFile(io.FIHANDLE, Len(file), Ptr(file), kReadWrite, kNoSharing, CREATE_ALWAYS, kNormalWriteThrough);
}

}  // namespace

int32_t WRITEQUEUE(zq::rt::Queue& q, std::string_view file, int32_t /*first*/) {
  if (Blank(file)) return kQueueFileNoName;
  int32_t error = 0;
  const std::string text = GETQUEUE(q, error, 1);
  if (error < 0) return error;
  FILEIO io;
  if (text.empty()) return WriteEmpty(io, file);
  return io.WRITEFILE(file, text, 0, 0, kReadWrite, kNoSharing, OPEN_ALWAYS, kNormalWriteThrough);
}

int32_t READQUEUE(zq::rt::Queue& q, std::string_view file, int32_t /*first*/) {
  if (Blank(file)) return kQueueFileNoName;
  FILEIO io;
  const double size = io.GETFILESIZE(file);
  if (size < 0 || size >= INT_MAX) return kQueueFileReadFailed;
  // One byte more than the size, so that an empty file is opened too (a folder is refused).
  std::string text(static_cast<size_t>(size) + 1, '\0');
  const int32_t read = io.READFILE(file, text, 0, 0, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, kNormalWriteThrough);
  if (read < 0) return kQueueFileReadFailed;
  text.resize(static_cast<size_t>(read));
  text.resize(std::min(text.size(), text.find('\0')));  // the text ends at a zero byte
  return PUTQUEUE(q, text, 1);
}

namespace {

// The file is not there (the platform's error numbers).
bool Missing(std::string_view file) {
  FILEIO io;
  if (io.GETFILESIZE(file) >= 0) return false;
  const int32_t system = io.GETLASTSYSTEMERROR();
  return system == ERROR_FILE_NOT_FOUND || system == ERROR_PATH_NOT_FOUND;
}

}  // namespace

int32_t QueueDataFile::Load() {
  const int32_t result = READQUEUE(queue_, file_);
  unreadable_ = result == kQueueFileReadFailed && !Missing(file_);
  changed_ = false;
  return result;
}

int32_t QueueDataFile::Save() {
  if (Keeps()) return 0;
  return WRITEQUEUE(queue_, file_);
}
