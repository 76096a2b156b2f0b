// Win32_OperatingSystem, Win32_ComputerSystem and Win32_Processor.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <set>

#include "CimTime.h"
#include "ClassDef.h"
#include "Machine.h"

namespace zq::wmi {

namespace {

int64_t Now() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
}

Value Sum(std::optional<uint64_t> a, std::optional<uint64_t> b) { return a && b ? Value(*a + *b) : Value(); }

uint32_t ProcessCount(const SystemFiles& system) {
  uint32_t count = 0;
  for (const std::string& name : system.List("/proc")) {
    if (!name.empty() && name.find_first_not_of("0123456789") == std::string::npos) ++count;
  }
  return count;
}

// The user's language as a culture name ("de-DE"), from the locale of the environment.
TextList Languages() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (!value || !*value) continue;
    std::string name(value);
    name = name.substr(0, name.find_first_of(".@"));
    if (name == "C" || name == "POSIX") break;
    std::replace(name.begin(), name.end(), '_', '-');
    return {name};
  }
  return {"en-US"};
}

constexpr PropertyDef kOsProperties[] = {
    {"BuildNumber", CIM_STRING},           {"Caption", CIM_STRING},
    {"CSName", CIM_STRING},                {"CurrentTimeZone", CIM_SINT16},
    {"FreePhysicalMemory", CIM_UINT64},    {"FreeVirtualMemory", CIM_UINT64},
    {"InstallDate", CIM_DATETIME},         {"LastBootUpTime", CIM_DATETIME},
    {"LocalDateTime", CIM_DATETIME},       {"Manufacturer", CIM_STRING},
    {"MUILanguages", CIM_STRING | CIM_FLAG_ARRAY}, {"Name", CIM_STRING},
    {"NumberOfProcesses", CIM_UINT32},     {"NumberOfUsers", CIM_UINT32},
    {"OSArchitecture", CIM_STRING},        {"OSType", CIM_UINT16},
    {"Primary", CIM_BOOLEAN},              {"RegisteredUser", CIM_STRING},
    {"SerialNumber", CIM_STRING},          {"Status", CIM_STRING},
    {"SystemDirectory", CIM_STRING},       {"TotalVirtualMemorySize", CIM_UINT64},
    {"TotalVisibleMemorySize", CIM_UINT64}, {"Version", CIM_STRING},
};

std::vector<Record> ReadOs(const SystemFiles& system, const ClassDef& self) {
  Record r = self.NewRecord();
  auto release = Assignments(system.Read("/etc/os-release").value_or(""));
  auto field = [&](std::string_view key) {
    auto it = release.find(key);
    return it == release.end() ? Value() : Value(it->second);
  };
  self.Set(r, "Caption", field("PRETTY_NAME"));
  self.Set(r, "Name", field("PRETTY_NAME"));
  self.Set(r, "Manufacturer", field("NAME"));
  self.Set(r, "Version", ValueOr(system.Line("/proc/sys/kernel/osrelease")));
  self.Set(r, "BuildNumber", ValueOr(system.Line("/proc/sys/kernel/version")));
  std::string machine = MachineType();
  if (!machine.empty()) self.Set(r, "OSArchitecture", machine.find("64") != std::string::npos ? "64-bit" : "32-bit");
  self.Set(r, "CSName", ComputerNameUtf8());
  int64_t now = Now();
  if (auto boot = BootTime(system)) self.Set(r, "LastBootUpTime", CimDateTime(*boot));
  self.Set(r, "LocalDateTime", CimDateTime(now));
  self.Set(r, "CurrentTimeZone", LocalOffsetMinutes(now));
  auto total = MemInfoKb(system, "MemTotal"), available = MemInfoKb(system, "MemAvailable");
  auto swapTotal = MemInfoKb(system, "SwapTotal"), swapFree = MemInfoKb(system, "SwapFree");
  self.Set(r, "TotalVisibleMemorySize", ValueOr(total));
  self.Set(r, "FreePhysicalMemory", ValueOr(available));
  self.Set(r, "TotalVirtualMemorySize", Sum(total, swapTotal));
  self.Set(r, "FreeVirtualMemory", Sum(available, swapFree));
  self.Set(r, "NumberOfProcesses", ProcessCount(system));
  self.Set(r, "MUILanguages", Languages());
  self.Set(r, "OSType", uint32_t{36});  // LINUX
  self.Set(r, "Primary", true);
  self.Set(r, "Status", "OK");
  return {r};
}

constexpr PropertyDef kComputerProperties[] = {
    {"Caption", CIM_STRING},         {"DNSHostName", CIM_STRING},
    {"Domain", CIM_STRING},          {"Manufacturer", CIM_STRING},
    {"Model", CIM_STRING},           {"Name", CIM_STRING},
    {"NumberOfLogicalProcessors", CIM_UINT32}, {"NumberOfProcessors", CIM_UINT32},
    {"PartOfDomain", CIM_BOOLEAN},   {"PrimaryOwnerName", CIM_STRING},
    {"Status", CIM_STRING},          {"SystemFamily", CIM_STRING},
    {"SystemType", CIM_STRING},      {"TotalPhysicalMemory", CIM_UINT64},
    {"UserName", CIM_STRING},        {"Workgroup", CIM_STRING},
};

std::vector<Record> ReadComputer(const SystemFiles& system, const ClassDef& self) {
  Record r = self.NewRecord();
  self.Set(r, "Name", ComputerNameUtf8());
  self.Set(r, "Caption", ComputerNameUtf8());
  self.Set(r, "DNSHostName", ValueOr(system.Line("/proc/sys/kernel/hostname")));
  auto domain = system.Line("/proc/sys/kernel/domainname");
  bool inDomain = domain && *domain != "(none)";
  if (inDomain) self.Set(r, "Domain", *domain);
  self.Set(r, "PartOfDomain", inDomain);
  self.Set(r, "Manufacturer", Dmi(system, "sys_vendor"));
  self.Set(r, "Model", Dmi(system, "product_name"));
  self.Set(r, "SystemFamily", Dmi(system, "product_family"));
  auto blocks = CpuBlocks(system);
  std::set<std::string> packages;
  for (const auto& b : blocks) packages.insert(b.contains("physical id") ? b.at("physical id") : "0");
  if (!blocks.empty()) {
    self.Set(r, "NumberOfLogicalProcessors", static_cast<uint32_t>(blocks.size()));
    self.Set(r, "NumberOfProcessors", static_cast<uint32_t>(packages.size()));
  }
  if (auto kb = MemInfoKb(system, "MemTotal")) self.Set(r, "TotalPhysicalMemory", *kb * 1024);
  self.Set(r, "UserName", QualifiedUserName());
  std::string machine = MachineType();
  if (machine == "x86_64") self.Set(r, "SystemType", "x64-based PC");
  else if (!machine.empty()) self.Set(r, "SystemType", machine + "-based PC");
  self.Set(r, "Status", "OK");
  return {r};
}

constexpr PropertyDef kProcessorProperties[] = {
    {"AddressWidth", CIM_UINT16},      {"Architecture", CIM_UINT16},
    {"Caption", CIM_STRING},           {"CurrentClockSpeed", CIM_UINT32},
    {"DataWidth", CIM_UINT16},         {"Description", CIM_STRING},
    {"DeviceID", CIM_STRING},          {"L2CacheSize", CIM_UINT32},
    {"LoadPercentage", CIM_UINT16},    {"Manufacturer", CIM_STRING},
    {"MaxClockSpeed", CIM_UINT32},     {"Name", CIM_STRING},
    {"NumberOfCores", CIM_UINT32},     {"NumberOfLogicalProcessors", CIM_UINT32},
    {"ProcessorId", CIM_STRING},       {"SocketDesignation", CIM_STRING},
    {"Status", CIM_STRING},
};

// The architecture numbers of the class: 0 x86, 5 ARM, 9 x64, 12 ARM64.
std::optional<uint32_t> ArchitectureNumber(const std::string& machine) {
  if (machine == "x86_64") return 9;
  if (machine == "aarch64") return 12;
  if (machine.starts_with("arm")) return 5;
  if (machine.size() == 4 && machine[0] == 'i' && machine.ends_with("86")) return 0;
  return std::nullopt;
}

std::vector<Record> ReadProcessors(const SystemFiles& system, const ClassDef& self) {
  auto blocks = CpuBlocks(system);
  // Logical processors by package, in the order the packages first appear.
  std::vector<std::pair<std::string, std::vector<std::size_t>>> packages;
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    std::string id = blocks[i].contains("physical id") ? blocks[i].at("physical id") : "0";
    auto it = std::find_if(packages.begin(), packages.end(), [&](const auto& p) { return p.first == id; });
    if (it == packages.end()) packages.push_back({id, {i}});
    else it->second.push_back(i);
  }
  std::string machine = MachineType();
  bool wide = machine.find("64") != std::string::npos;
  std::vector<Record> records;
  for (std::size_t n = 0; n < packages.size(); ++n) {
    const auto& first = blocks[packages[n].second.front()];
    auto text = [&](std::string_view key) {
      auto it = first.find(key);
      return it == first.end() || it->second.empty() ? Value() : Value(it->second);
    };
    Record r = self.NewRecord();
    self.Set(r, "DeviceID", "CPU" + std::to_string(n));
    self.Set(r, "Name", text("model name"));
    Value vendor = text("vendor_id");
    self.Set(r, "Manufacturer", vendor);
    if (first.contains("cpu family") && first.contains("model") && first.contains("stepping")) {
      std::string family = vendor.Text() == "GenuineIntel" ? "Intel64" : vendor.Text() == "AuthenticAMD" ? "AMD64" : machine;
      std::string caption = family + " Family " + first.at("cpu family") + " Model " + first.at("model") +
                            " Stepping " + first.at("stepping");
      self.Set(r, "Caption", caption);
      self.Set(r, "Description", caption);
    }
    self.Set(r, "NumberOfLogicalProcessors", static_cast<uint32_t>(packages[n].second.size()));
    if (auto cores = first.find("cpu cores"); cores != first.end()) self.Set(r, "NumberOfCores", ValueOr(LeadingNumber(cores->second)));
    if (auto mhz = first.find("cpu MHz"); mhz != first.end()) {
      char* end = nullptr;
      double value = std::strtod(mhz->second.c_str(), &end);
      if (end != mhz->second.c_str()) self.Set(r, "CurrentClockSpeed", static_cast<uint32_t>(std::lround(value)));
    }
    std::string cpu = "/sys/devices/system/cpu/cpu" + first.at("processor") + "/cpufreq/cpuinfo_max_freq";
    if (auto khz = system.Number(cpu)) self.Set(r, "MaxClockSpeed", static_cast<uint32_t>(*khz / 1000));
    if (auto arch = ArchitectureNumber(machine)) self.Set(r, "Architecture", *arch);
    if (!machine.empty()) {
      self.Set(r, "AddressWidth", uint32_t{wide ? 64u : 32u});
      self.Set(r, "DataWidth", uint32_t{wide ? 64u : 32u});
    }
    self.Set(r, "Status", "OK");
    records.push_back(std::move(r));
  }
  return records;
}

}  // namespace

const ClassDef kOperatingSystemClass{"Win32_OperatingSystem", kOsProperties, ReadOs};
const ClassDef kComputerSystemClass{"Win32_ComputerSystem", kComputerProperties, ReadComputer};
const ClassDef kProcessorClass{"Win32_Processor", kProcessorProperties, ReadProcessors};

}  // namespace zq::wmi
