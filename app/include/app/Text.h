// Texts as the program's fields hold them: blank-padded, so compared and written without
// their trailing blanks.
#pragma once
#include <string>
#include <string_view>

inline std::string WithoutTrailingBlanks(std::string_view text) {
  size_t end = text.find_last_not_of(' ');
  return std::string(end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1));
}

// Empty or blanks only.
inline bool Blank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }
