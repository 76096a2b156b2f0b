// Readable array texts for tests: '|' stands for the field delimiter FE, '^' for the value
// delimiter FD and '~' for the subvalue delimiter FC.
#pragma once
#include <string>
#include <string_view>

namespace arraytest {

inline std::string T(std::string_view readable) {
  std::string bytes(readable);
  for (char& c : bytes) {
    if (c == '|') c = '\xFE';
    else if (c == '^') c = '\xFD';
    else if (c == '~') c = '\xFC';
  }
  return bytes;
}

// The other way, for failure messages.
inline std::string Readable(std::string_view bytes) {
  std::string text;
  for (char c : bytes) {
    if (c == '\xFE') text += '|';
    else if (c == '\xFD') text += '^';
    else if (c == '\xFC') text += '~';
    else if (c == '\0') text += "<0>";
    else text += c;
  }
  return text;
}

}  // namespace arraytest
