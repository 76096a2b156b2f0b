// errno to the Windows error numbers, in one table.
#pragma once
#include <string>

#include "zqplatform/handles.h"

namespace zq::fs {

// What was being done: the same errno means different numbers for different calls.
enum class FsOp { Open, Create, ReadWrite, Delete, Copy, Move, CreateDir, RemoveDir, Query };

// The Windows error number for errno err during op on posixPath. A missing name is
// ERROR_FILE_NOT_FOUND when its folder exists, else ERROR_PATH_NOT_FOUND.
DWORD WinError(int err, FsOp op, const std::string& posixPath);

// Sets the thread's last error from errno and returns false (for "return Fail(...)").
bool FailErrno(int err, FsOp op, const std::string& posixPath);
// Sets the thread's last error and returns false.
bool Fail(DWORD error);

}  // namespace zq::fs
