// Disk space and geometry of the file system that holds a path.
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>

#include <fstream>
#include <limits>
#include <string>

#include "zqplatform/files.h"
#include "zqplatform/numbers.h"
#include "zqplatform/system.h"

namespace zq::sys {

namespace {

constexpr uint32_t kDefaultSectorSize = 512;

std::optional<std::string> Resolve(std::string_view ansiPath) {
  DWORD error = 0;
  std::string path = zq::fs::ResolvePath(ansiPath, &error);
  if (path.empty()) return std::nullopt;
  return path;
}

std::optional<struct statvfs> FileSystemOf(std::string_view ansiPath) {
  auto path = Resolve(ansiPath);
  struct statvfs fs {};
  if (!path || statvfs(path->c_str(), &fs) != 0) return std::nullopt;
  return fs;
}

uint32_t ReadNumber(const std::string& file) {
  std::ifstream in(file);
  std::string text;
  if (!(in >> text)) return 0;
  const auto value = zq::text::ReadWholeInteger(text);
  return value && *value >= 0 && *value <= std::numeric_limits<uint32_t>::max() ? static_cast<uint32_t>(*value) : 0;
}

// The logical block size of the device behind path (a partition's is its disk's).
uint32_t SectorSize(std::string_view ansiPath) {
  auto path = Resolve(ansiPath);
  struct stat st {};
  if (!path || stat(path->c_str(), &st) != 0) return kDefaultSectorSize;
  std::string device = "/sys/dev/block/" + std::to_string(major(st.st_dev)) + ":" + std::to_string(minor(st.st_dev));
  for (const char* queue : {"/queue/logical_block_size", "/../queue/logical_block_size"}) {
    if (uint32_t size = ReadNumber(device + queue)) return size;
  }
  return kDefaultSectorSize;
}

uint32_t Clamp32(uint64_t n) { return n > std::numeric_limits<uint32_t>::max() ? std::numeric_limits<uint32_t>::max() : static_cast<uint32_t>(n); }

}  // namespace

std::optional<DiskSpace> GetDiskSpace(std::string_view ansiPath) {
  auto fs = FileSystemOf(ansiPath);
  if (!fs) return std::nullopt;
  uint64_t unit = fs->f_frsize ? fs->f_frsize : fs->f_bsize;
  return DiskSpace{uint64_t{fs->f_bavail} * unit, uint64_t{fs->f_blocks} * unit, uint64_t{fs->f_bfree} * unit};
}

std::optional<DiskGeometry> GetDiskGeometry(std::string_view ansiPath) {
  auto fs = FileSystemOf(ansiPath);
  if (!fs) return std::nullopt;
  uint64_t unit = fs->f_frsize ? fs->f_frsize : fs->f_bsize;
  uint32_t sector = SectorSize(ansiPath);
  uint64_t sectorsPerCluster = unit >= sector ? unit / sector : 1;
  uint64_t cluster = sectorsPerCluster * sector;
  return DiskGeometry{Clamp32(sectorsPerCluster), sector, Clamp32(uint64_t{fs->f_bavail} * unit / cluster),
                      Clamp32(uint64_t{fs->f_blocks} * unit / cluster)};
}

}  // namespace zq::sys
