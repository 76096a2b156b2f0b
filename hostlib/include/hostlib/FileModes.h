// How the program opens its files through the library's file object: read and write, no
// sharing, normal and write-through, with the platform's dispositions (OPEN_ALWAYS to write
// from offset 0, OPEN_EXISTING to read without leaving an empty file behind, CREATE_ALWAYS for
// an empty file).
#pragma once
#include <cstdint>

#include "zqplatform/files.h"

inline constexpr uint32_t kReadWrite = GENERIC_READ | GENERIC_WRITE;
inline constexpr uint32_t kNoSharing = 0;
inline constexpr uint32_t kNormalWriteThrough = FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH;
