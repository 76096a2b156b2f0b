// The text of an INI file as lines, with look-up and in-place change of one key; every
// line it does not change is kept byte for byte.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zq::rt::ini {

class ProfileText {
 public:
  explicit ProfileText(std::string_view content);

  // The value of the first key of that name in the first section of that name.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  // Sets the key, adding it at the end of its section, or a new section at the end.
  void Set(std::string_view section, std::string_view key, std::string_view value);
  std::string Content() const;

 private:
  // The index of the section's header line, or lines_.size().
  size_t FindSection(std::string_view section) const;
  std::vector<std::string> lines_;
  std::string eol_ = "\r\n";
  bool finalEol_ = true;
};

// False for names and values that would break the file's line structure.
bool IsValidEntry(std::string_view section, std::string_view key, std::string_view value);

}  // namespace zq::rt::ini
