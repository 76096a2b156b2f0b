#include <string>

#include "zqplatform/errortext.h"

namespace zq {
namespace {

struct Reason {
  DWORD error;
  const char* words;
};

constexpr Reason kReasons[] = {
    {ERROR_INVALID_FUNCTION, "the system cannot do this"},
    {ERROR_FILE_NOT_FOUND, "the file or folder is not there"},
    {ERROR_PATH_NOT_FOUND, "the folder is not there"},
    {ERROR_TOO_MANY_OPEN_FILES, "too many files are open"},
    {ERROR_ACCESS_DENIED, "access denied"},
    {ERROR_INVALID_HANDLE, "the file is not open"},
    {ERROR_NOT_ENOUGH_MEMORY, "not enough memory"},
    {ERROR_NOT_SAME_DEVICE, "the target is on another disk"},
    {ERROR_NO_MORE_FILES, "there are no more files"},
    {ERROR_WRITE_PROTECT, "the disk is write-protected"},
    {ERROR_NOT_READY, "the drive is not ready"},
    {ERROR_SHARING_VIOLATION, "another program is using the file"},
    {ERROR_LOCK_VIOLATION, "another program has locked the file"},
    {ERROR_HANDLE_EOF, "the end of the file was reached"},
    {ERROR_NOT_SUPPORTED, "the request is not supported"},
    {ERROR_BAD_NETPATH, "the network path was not found"},
    {ERROR_FILE_EXISTS, "a file of that name already exists"},
    {ERROR_INVALID_PARAMETER, "a parameter is not valid"},
    {ERROR_DISK_FULL, "the disk is full"},
    {ERROR_INVALID_NAME, "the name is not valid"},
    {ERROR_NEGATIVE_SEEK, "the position lies before the start of the file"},
    {ERROR_DIR_NOT_EMPTY, "the folder is not empty"},
    {ERROR_ALREADY_EXISTS, "a file or folder of that name already exists"},
    {ERROR_FILENAME_EXCED_RANGE, "the name or path is too long"},
    {ERROR_DIRECTORY, "the name is not a folder"},
    {ERROR_IO_DEVICE, "the device could not read or write"},
    {ERROR_CANT_RESOLVE_FILENAME, "the name leads through too many links"},
};

}  // namespace

std::string ErrorReason(DWORD error) {
  if (error == ERROR_SUCCESS) return {};
  for (const Reason& r : kReasons) {
    if (r.error == error) return r.words;
  }
  return "system error " + std::to_string(error);
}

}  // namespace zq
