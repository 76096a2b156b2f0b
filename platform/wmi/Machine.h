// Facts about the machine that several classes share.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "SystemFiles.h"
#include "Value.h"

namespace zq::wmi {

// The processor architecture as uname names it ("x86_64").
std::string MachineType();
// A memory figure of /proc/meminfo in kB.
std::optional<uint64_t> MemInfoKb(const SystemFiles& system, std::string_view key);
// The blocks of /proc/cpuinfo, one per logical processor.
std::vector<std::map<std::string, std::string, std::less<>>> CpuBlocks(const SystemFiles& system);
// A file of /sys/class/dmi/id ("bios_vendor"): its text, or null when missing or unreadable.
Value Dmi(const SystemFiles& system, std::string_view name);
// The computer's name as UTGetComputerName gives it, in UTF-8.
std::string ComputerNameUtf8();
// "COMPUTER\user" for the process's user.
Value QualifiedUserName();

}  // namespace zq::wmi
