// The local codes of the file object and the FI family.
#pragma once
#include <cstdint>

namespace zqv::files {

constexpr int32_t kNoFileObject = -51;
constexpr int32_t kOpenFailed = -52;
constexpr int32_t kCloseFailed = -53;
constexpr int32_t kWriteArgs = -54;
constexpr int32_t kReadArgs = -55;  // also: the file is larger than the buffer
constexpr int32_t kSeekFailed = -56;
constexpr int32_t kWriteFailed = -57;
constexpr int32_t kReadFailed = -58;
constexpr int32_t kSetEndFailed = -59;
constexpr int32_t kFileInUse = -60;
constexpr int32_t kSizeFailed = -61;
constexpr int32_t kNoPath = -62;
constexpr int32_t kLockHeld = -63;
constexpr int32_t kBadViewSize = -65;
constexpr int32_t kDeleteFailed = -66;
constexpr int32_t kCopyFailed = -67;
constexpr int32_t kMoveFailed = -68;
constexpr int32_t kCreateFailed = -69;
constexpr int32_t kRemoveDirFailed = -70;
constexpr int32_t kCreateDirFailed = -71;

constexpr int32_t kHasView = -100;
constexpr int32_t kViewTimeout = -101;
constexpr int32_t kHasViewMutex = -102;
constexpr int32_t kMappingFailed = -103;
constexpr int32_t kMapViewFailed = -104;
constexpr int32_t kOpenMappingFailed = -105;
constexpr int32_t kNoView = -106;
constexpr int32_t kBadCount = -107;
constexpr int32_t kViewHoldsData = -108;

}  // namespace zqv::files
