#include "Machine.h"

#include <sys/utsname.h>

#include "zqplatform/codepage.h"
#include "zqplatform/system.h"

namespace zq::wmi {

std::string MachineType() {
  struct utsname names {};
  if (uname(&names) != 0) return {};
  return names.machine;
}

std::optional<uint64_t> MemInfoKb(const SystemFiles& system, std::string_view key) {
  auto text = system.Read("/proc/meminfo");
  if (!text) return std::nullopt;
  auto values = KeyValues(*text, ':');
  auto it = values.find(key);
  return it == values.end() ? std::nullopt : LeadingNumber(it->second);
}

std::vector<std::map<std::string, std::string, std::less<>>> CpuBlocks(const SystemFiles& system) {
  std::vector<std::map<std::string, std::string, std::less<>>> blocks;
  std::string text = system.Read("/proc/cpuinfo").value_or("");
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find("\n\n", at);
    if (end == std::string::npos) end = text.size();
    auto block = KeyValues(std::string_view(text).substr(at, end - at), ':');
    if (block.contains("processor")) blocks.push_back(std::move(block));
    at = end + 2;
  }
  return blocks;
}

std::string ComputerNameUtf8() { return zq::text::AnsiToUtf8(zq::sys::ComputerName().value_or("")); }

Value Dmi(const SystemFiles& system, std::string_view name) {
  return ValueOr(system.Line("/sys/class/dmi/id/" + std::string(name)));
}

Value QualifiedUserName() {
  auto user = zq::sys::UserName();
  if (!user) return {};
  return ComputerNameUtf8() + "\\" + zq::text::AnsiToUtf8(*user);
}

}  // namespace zq::wmi
