#include <mutex>

#include "ini/ProfileFile.h"
#include "ini/ProfileText.h"
#include "zqplatform/files.h"
#include "zqruntime/ini.h"

namespace zq::rt {
namespace {
// Writes of the process's threads take turns, so no change is lost between them.
std::mutex g_writing;
}  // namespace

std::string ReadProfileString(std::string_view section, std::string_view key,
                              std::string_view fallback, std::string_view file, uint32_t capacity) {
  std::optional<std::string> found;
  if (const auto content = ini::ReadWholeFile(file)) {
    found = ini::ProfileText(*content).Find(section, key);
  }
  if (!found) {
    while (!fallback.empty() && fallback.back() == ' ') fallback.remove_suffix(1);
    found.emplace(fallback);
  }
  const size_t room = capacity == 0 ? 0 : capacity - 1;
  if (found->size() > room) found->resize(room);
  return *found;
}

bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        std::string_view file) {
  if (!ini::IsValidEntry(section, key, value)) return false;
  std::lock_guard guard(g_writing);
  const auto content = ini::ReadWholeFile(file);
  // A file that is there but cannot be read is never replaced.
  if (!content && GetFileAttributesA(std::string(file).c_str()) != INVALID_FILE_ATTRIBUTES) {
    return false;
  }
  ini::ProfileText text(content ? *content : std::string());
  text.Set(section, key, value);
  return zq::fs::WriteReplacing(std::string(file).c_str(), text.Content());
}

}  // namespace zq::rt
