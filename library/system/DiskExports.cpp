// DSKGetDiskInfo and DSKGetSectorInfo: the disk's space and geometry into a host record.
#include <cstring>

#include "frame/Exports.h"
#include "zqplatform/system.h"
#include "zqvantor/system.h"

namespace {

constexpr int32_t kDiskRecordSize = 24;
constexpr int32_t kSectorRecordSize = 16;

template <class T>
void PutLittleEndian(unsigned char* at, T value) {
  for (size_t i = 0; i < sizeof(T); ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

}  // namespace

ZQV_API int32_t DSKGetDiskInfo(int32_t pathLen, const char* path, int32_t recordSize, void* record) {
  return zqv::Export(0, [&] {
    if (recordSize != kDiskRecordSize || !record) return 0;
    auto space = zq::sys::GetDiskSpace(zqv::ToNul(zqv::HostText(pathLen, path)));
    if (!space) return 0;
    auto* out = static_cast<unsigned char*>(record);
    PutLittleEndian(out, space->freeToCaller);
    PutLittleEndian(out + 8, space->total);
    PutLittleEndian(out + 16, space->totalFree);
    return 1;
  });
}

ZQV_API int32_t DSKGetSectorInfo(int32_t pathLen, const char* path, int32_t recordSize, void* record) {
  return zqv::Export(0, [&] {
    if (recordSize != kSectorRecordSize || !record) return 0;
    auto geometry = zq::sys::GetDiskGeometry(zqv::ToNul(zqv::HostText(pathLen, path)));
    if (!geometry) return 0;
    auto* out = static_cast<unsigned char*>(record);
    PutLittleEndian(out, geometry->sectorsPerCluster);
    PutLittleEndian(out + 4, geometry->bytesPerSector);
    PutLittleEndian(out + 8, geometry->freeClusters);
    PutLittleEndian(out + 12, geometry->totalClusters);
    return 1;
  });
}
