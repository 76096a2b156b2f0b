// INI files with the private-profile semantics: "[section]" lines and "key=value" lines,
// section and key names matched in any letter case, names and values without surrounding
// blanks (a value may hold "=" and inner blanks; a value quoted as a whole loses its
// quotes). Paths go through the platform's file layer (Windows paths).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace zq::rt {

// The value of key in section, or fallback (without its trailing blanks) when the file,
// the section or the key is missing; at most capacity - 1 bytes (1,024 by default).
std::string ReadProfileString(std::string_view section, std::string_view key,
                              std::string_view fallback, std::string_view file,
                              uint32_t capacity = 1024);

// Sets key in section to value, creating the file, the section and the key as needed; every
// other line of the file stays as it was. The file is written whole to a new file that then
// takes the old one's place, so a failed write leaves the old file. False on failure.
bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        std::string_view file);

}  // namespace zq::rt
