// Win32_Process: one object per folder of /proc named by a number.
#include <unistd.h>

#include <algorithm>

#include "ClassDef.h"
#include "CimTime.h"
#include "Machine.h"

namespace zq::wmi {

namespace {

constexpr PropertyDef kProperties[] = {
    {"Caption", CIM_STRING},        {"CommandLine", CIM_STRING},    {"CreationDate", CIM_DATETIME},
    {"CSName", CIM_STRING},         {"Description", CIM_STRING},    {"ExecutablePath", CIM_STRING},
    {"ExecutionState", CIM_UINT16}, {"Handle", CIM_STRING},         {"InstallDate", CIM_DATETIME},
    {"KernelModeTime", CIM_UINT64}, {"Name", CIM_STRING},           {"ParentProcessId", CIM_UINT32},
    {"ProcessId", CIM_UINT32},      {"SessionId", CIM_UINT32},      {"Status", CIM_STRING},
    {"ThreadCount", CIM_UINT32},    {"UserModeTime", CIM_UINT64},   {"VirtualSize", CIM_UINT64},
    {"WorkingSetSize", CIM_UINT64},
};

bool IsNumber(std::string_view name) {
  return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The fields of /proc/<pid>/stat after the command's closing parenthesis, from field 3 on.
std::vector<std::string> StatFields(const std::string& stat) {
  std::vector<std::string> fields;
  std::size_t close = stat.rfind(')');
  if (close == std::string::npos) return fields;
  std::string_view rest = std::string_view(stat).substr(close + 1);
  while (!rest.empty()) {
    std::size_t start = rest.find_first_not_of(" \n");
    if (start == std::string_view::npos) break;
    std::size_t end = rest.find_first_of(" \n", start);
    fields.emplace_back(rest.substr(start, end - start));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end);
  }
  return fields;
}

std::optional<uint64_t> Field(const std::vector<std::string>& fields, std::size_t number) {
  if (number < 3 || number - 3 >= fields.size()) return std::nullopt;
  return LeadingNumber(fields[number - 3]);
}

// A kB count of status ("VmRSS: 1234 kB") in bytes.
Value Bytes(const std::map<std::string, std::string, std::less<>>& status, std::string_view key) {
  auto it = status.find(key);
  if (it == status.end()) return {};
  auto kb = LeadingNumber(it->second);
  return kb ? Value(*kb * 1024) : Value();
}

std::optional<std::string> CommandLine(const SystemFiles& system, const std::string& folder) {
  auto raw = system.Read(folder + "/cmdline");
  if (!raw) return std::nullopt;
  while (!raw->empty() && raw->back() == '\0') raw->pop_back();
  if (raw->empty()) return std::nullopt;
  std::replace(raw->begin(), raw->end(), '\0', ' ');
  return raw;
}

// The program file a process runs, when its link can be read (" (deleted)" when it was replaced).
std::optional<std::string> Executable(const SystemFiles& system, const std::string& folder) {
  auto path = system.Link(folder + "/exe");
  constexpr std::string_view kDeleted = " (deleted)";
  if (path && path->ends_with(kDeleted)) path->resize(path->size() - kDeleted.size());
  return path;
}

std::vector<Record> Read(const SystemFiles& system, const ClassDef& self) {
  std::vector<Record> records;
  const uint64_t ticks = static_cast<uint64_t>(std::max(1L, sysconf(_SC_CLK_TCK)));
  const auto boot = BootTime(system);
  const Value computer = ComputerNameUtf8();
  for (const std::string& pid : system.List("/proc")) {
    if (!IsNumber(pid)) continue;
    const std::string folder = "/proc/" + pid;
    auto statusText = system.Read(folder + "/status");
    if (!statusText) continue;  // gone since the listing
    auto status = KeyValues(*statusText, ':');
    auto fields = StatFields(system.Read(folder + "/stat").value_or(""));
    Record r = self.NewRecord();
    // The program file's name; the kernel's short name (15 bytes at most) when it is hidden.
    auto executable = Executable(system, folder);
    auto name = status.find("Name");
    Value nameValue = executable ? Value(executable->substr(executable->rfind('/') + 1))
                      : name != status.end() ? Value(name->second)
                                             : Value();
    self.Set(r, "Name", nameValue);
    self.Set(r, "Caption", nameValue);
    self.Set(r, "Description", nameValue);
    self.Set(r, "ProcessId", ValueOr(LeadingNumber(pid)));
    self.Set(r, "Handle", pid);
    if (auto ppid = status.find("PPid"); ppid != status.end()) self.Set(r, "ParentProcessId", ValueOr(LeadingNumber(ppid->second)));
    if (auto threads = status.find("Threads"); threads != status.end()) self.Set(r, "ThreadCount", ValueOr(LeadingNumber(threads->second)));
    self.Set(r, "CommandLine", ValueOr(CommandLine(system, folder)));
    self.Set(r, "ExecutablePath", ValueOr(executable));
    self.Set(r, "WorkingSetSize", Bytes(status, "VmRSS"));
    self.Set(r, "VirtualSize", Bytes(status, "VmSize"));
    // Times in units of 100 nanoseconds.
    if (auto user = Field(fields, 14)) self.Set(r, "UserModeTime", *user * 10'000'000 / ticks);
    if (auto kernel = Field(fields, 15)) self.Set(r, "KernelModeTime", *kernel * 10'000'000 / ticks);
    if (auto start = Field(fields, 22); start && boot) {
      self.Set(r, "CreationDate", CimDateTime(*boot + static_cast<int64_t>(*start / ticks),
                                              static_cast<int32_t>(*start % ticks * 1'000'000 / ticks)));
    }
    self.Set(r, "CSName", computer);
    records.push_back(std::move(r));
  }
  return records;
}

}  // namespace

const ClassDef kProcessClass{"Win32_Process", kProperties, Read};

}  // namespace zq::wmi
