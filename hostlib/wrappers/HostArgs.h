// How the class layer hands values to the library and keeps its results.
#pragma once
#include <cstdint>
#include <string_view>

namespace hostlib::detail {

// A host string's length as the library takes it.
inline int32_t Len(std::string_view text) { return static_cast<int32_t>(text.size()); }
// Its characters' address, never null: an empty text is still a text (a find text above all).
inline const char* Ptr(std::string_view text) { return text.data() ? text.data() : ""; }

// The character a one-character argument names: its first character, or the fallback when
// the argument is empty or all blanks.
inline int32_t CharOf(std::string_view text, unsigned char fallback) {
  if (text.find_first_not_of(' ') == std::string_view::npos) return fallback;
  return static_cast<unsigned char>(text.front());
}

constexpr unsigned char kBlank = ' ';
constexpr unsigned char kItemDelimiter = 0xFB;

// The result in INTERROR whatever its sign.
inline int32_t Status(int32_t& interror, int32_t result) {
  interror = result;
  return result;
}

// The result in INTERROR when negative, else 0.
template <class T>
T Value(int32_t& interror, T result) {
  interror = result < 0 ? static_cast<int32_t>(result) : 0;
  return result;
}

}  // namespace hostlib::detail
