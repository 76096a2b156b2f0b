// Questions about the machine: disk space and geometry, version resources of Windows
// program files, the computer's and the user's names and language, and ending the session.
// Paths are ANSI texts in the Windows view of files.h.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zq::sys {

// Buffers of a megabyte and more come straight from the system and go back to it when they
// are freed, so what one thread freed is not kept for that thread's own later use: the
// resident memory of a process then follows the large buffers it holds, on any number of
// threads. Once a process; later calls change nothing.
void ReturnLargeBuffersToTheSystem();

// The space of the file system holding path (GetDiskFreeSpaceEx): bytes free to the
// calling user, total bytes, total free bytes. An empty path names no file system.
struct DiskSpace {
  uint64_t freeToCaller;
  uint64_t total;
  uint64_t totalFree;
};
std::optional<DiskSpace> GetDiskSpace(std::string_view ansiPath);

// Its geometry (GetDiskFreeSpace): the sector is the device's logical block (512 where
// the device does not say), the cluster the file system's fragment; counts beyond 32 bits
// are reported as 0xFFFFFFFF.
struct DiskGeometry {
  uint32_t sectorsPerCluster;
  uint32_t bytesPerSector;
  uint32_t freeClusters;
  uint32_t totalClusters;
};
std::optional<DiskGeometry> GetDiskGeometry(std::string_view ansiPath);

// The version resource (VS_VERSIONINFO) of a Windows program file, read from its resource
// directory. Every offset is checked, so any file, however damaged, is safe to read.
class VersionResource {
 public:
  // Nothing when the file is missing, is no PE file or has no version resource.
  static std::optional<VersionResource> FromFile(std::string_view ansiPath);
  static std::optional<VersionResource> FromImage(std::span<const uint8_t> image);

  // The value of a block named by a "\"-separated path of keys, compared case-blind:
  // "\" the root block's value, "\VarFileInfo\Translation", "\StringFileInfo\040904B0\FileVersion".
  std::optional<std::span<const uint8_t>> Query(std::string_view subBlock) const;
  // A text value in the ANSI code page, up to its terminator.
  std::optional<std::string> QueryText(std::string_view subBlock) const;
  // The keys of a block's children, in file order.
  std::vector<std::string> ChildKeys(std::string_view subBlock) const;

 private:
  explicit VersionResource(std::vector<uint8_t> block) : block_(std::move(block)) {}
  static std::optional<VersionResource> Found(std::optional<std::vector<uint8_t>> block);
  std::vector<uint8_t> block_;
};

// The user's default language (GetUserDefaultLangID), from the locale of the environment
// (LC_ALL, LC_MESSAGES, LANG); 0x0409 when none is set or known.
uint16_t UserDefaultLangID();

// The computer's name as Windows programs know it: the host name's first label, upper-cased,
// at most 15 characters. Nothing when the host name cannot be read.
std::optional<std::string> ComputerName();
// The name of the user the process runs as (ANSI).
std::optional<std::string> UserName();

// Ending the session (ExitWindowsEx): flags 0 log off, 1 shut down, 2 reboot, 8 power off,
// plus 4 (end applications without asking) or 16 (end those that do not respond). The
// request goes to the login manager through one command; true when it was accepted.
constexpr uint32_t EWX_LOGOFF = 0x00;
constexpr uint32_t EWX_SHUTDOWN = 0x01;
constexpr uint32_t EWX_REBOOT = 0x02;
constexpr uint32_t EWX_FORCE = 0x04;
constexpr uint32_t EWX_POWEROFF = 0x08;
constexpr uint32_t EWX_FORCEIFHUNG = 0x10;
bool ExitWindowsEx(uint32_t flags, uint32_t reason);

// The one way out to the login manager: runs a command (argv[0] looked up in PATH) and gives
// its exit status, or -1 when it could not run. Tests put their own in its place.
using CommandRunner = int (*)(const std::vector<std::string>& argv);
void SetCommandRunner(CommandRunner runner);  // null: the real one

}  // namespace zq::sys
