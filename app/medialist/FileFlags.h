// How the media list's CSV file is opened: read and write, no sharing, normal and
// write-through.
#pragma once
#include <cstdint>

namespace medialist {

inline constexpr uint32_t kReadWrite = 0xC0000000;
inline constexpr uint32_t kNoSharing = 0;
inline constexpr uint32_t kOpenExisting = 3;  // reading never leaves an empty file behind
inline constexpr uint32_t kOpenAlways = 4;
inline constexpr uint32_t kNormalWriteThrough = 0x80000080;

}  // namespace medialist
