// Win32_LogicalDisk: one object per drive letter of the file layer, sized by its file system.
#include "ClassDef.h"
#include "zqplatform/files.h"
#include "zqplatform/system.h"

namespace zq::wmi {

namespace {

constexpr PropertyDef kProperties[] = {
    {"Caption", CIM_STRING},    {"Description", CIM_STRING},        {"DeviceID", CIM_STRING},
    {"DriveType", CIM_UINT32},  {"FileSystem", CIM_STRING},         {"FreeSpace", CIM_UINT64},
    {"MediaType", CIM_UINT32},  {"Name", CIM_STRING},               {"ProviderName", CIM_STRING},
    {"Size", CIM_UINT64},       {"VolumeName", CIM_STRING},         {"VolumeSerialNumber", CIM_STRING},
};

const char* Description(uint32_t type) {
  switch (type) {
    case DRIVE_REMOVABLE: return "Removable Disk";
    case DRIVE_FIXED: return "Local Fixed Disk";
    case DRIVE_REMOTE: return "Network Connection";
    case DRIVE_CDROM: return "CD-ROM Disc";
    case DRIVE_RAMDISK: return "RAM Disk";
    default: return "Unknown Disk";
  }
}

// The media type numbers of the class: 11 removable media, 12 fixed hard disk.
Value MediaType(uint32_t type) {
  if (type == DRIVE_FIXED) return uint32_t{12};
  if (type == DRIVE_REMOVABLE) return uint32_t{11};
  return {};
}

std::vector<Record> Read(const SystemFiles&, const ClassDef& self) {
  std::vector<Record> records;
  for (const zq::fs::Drive& drive : zq::fs::Drives()) {
    const std::string device{drive.letter, ':'};
    Record r = self.NewRecord();
    self.Set(r, "DeviceID", device);
    self.Set(r, "Name", device);
    self.Set(r, "Caption", device);
    self.Set(r, "Description", Description(drive.type));
    self.Set(r, "DriveType", drive.type);
    self.Set(r, "MediaType", MediaType(drive.type));
    if (drive.type != DRIVE_NO_ROOT_DIR) {
      if (!drive.fsType.empty()) self.Set(r, "FileSystem", drive.fsType);
      if (auto space = zq::sys::GetDiskSpace(device + "\\")) {
        self.Set(r, "Size", space->total);
        self.Set(r, "FreeSpace", space->totalFree);
      }
    }
    records.push_back(std::move(r));
  }
  return records;
}

}  // namespace

const ClassDef kLogicalDiskClass{"Win32_LogicalDisk", kProperties, Read};

}  // namespace zq::wmi
