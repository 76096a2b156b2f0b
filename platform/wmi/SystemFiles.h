// The system's files as the classes read them: /proc, /sys and /etc under a root that tests
// replace with a fake tree.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zq::wmi {

class SystemFiles {
 public:
  explicit SystemFiles(std::string root) : root_(std::move(root)) {}

  // The whole file ("/proc/meminfo"), or nothing when it cannot be read.
  std::optional<std::string> Read(std::string_view path) const;
  // Its first line without the line end, or nothing when missing or blank.
  std::optional<std::string> Line(std::string_view path) const;
  // A number the file holds (after blanks), or nothing.
  std::optional<uint64_t> Number(std::string_view path) const;
  // The names in a folder, sorted; empty when it cannot be listed.
  std::vector<std::string> List(std::string_view folder) const;
  // The target of a symbolic link, or nothing.
  std::optional<std::string> Link(std::string_view path) const;

 private:
  std::string Full(std::string_view path) const { return root_ + std::string(path); }
  std::string root_;
};

// "Key: value" lines (meminfo, status, cpuinfo blocks): the value trimmed, by key.
std::map<std::string, std::string, std::less<>> KeyValues(std::string_view text, char separator);
// "KEY=value" lines of os-release and environment files, quotes removed.
std::map<std::string, std::string, std::less<>> Assignments(std::string_view text);
// The leading number of a text ("16314128 kB"), or nothing.
std::optional<uint64_t> LeadingNumber(std::string_view text);
std::string Trim(std::string_view text);

}  // namespace zq::wmi
