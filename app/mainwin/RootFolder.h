// Whether a root the user typed names a folder the jobs may work on.
#pragma once
#include <cstdint>
#include <string_view>

// 0 when root (a Windows-view path) is an existing folder on a drive ("D:\Films", "D:\") or a
// share ("\\nas\media\"); else the Windows error number: that of the file layer for a missing
// path, 267 (not a folder) for a file or a path that names no drive or share ("\", "\Films",
// "Films").
uint32_t RootFolderError(std::string_view root);
