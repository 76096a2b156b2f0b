// Texts as the program's fields hold them: blank-padded, so compared and written without
// their trailing blanks.
#pragma once
#include <string>
#include <string_view>
#include <vector>

inline std::string WithoutTrailingBlanks(std::string_view text) {
  size_t end = text.find_last_not_of(' ');
  return std::string(end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1));
}

// Empty or blanks only.
inline bool Blank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

// A line of a text and the line end that follows it: CR LF, LF, CR, or none for a last line
// without one.
struct TextLine {
  std::string_view text, end;
};

// The lines of a text; nothing follows the last line end.
inline std::vector<TextLine> SplitLines(std::string_view text) {
  std::vector<TextLine> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const size_t endLength = text.substr(end).starts_with("\r\n") ? 2 : (end < text.size() ? 1 : 0);
    lines.push_back({text.substr(start, end - start), text.substr(end, endLength)});
    start = end + endLength;
  }
  return lines;
}
