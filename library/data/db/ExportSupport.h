// What the database exports share: the database look-up and the trimming of host texts.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "data/db/CLASQL.h"
#include "frame/CVantor.h"
#include "frame/Exports.h"

namespace zqv::db {

inline CLASQL* LookupDatabase(int32_t handle, int32_t* code) {
  return CVantor::App().LookupDatabase(handle, code);
}

// Blanks (character 32) removed from both ends.
inline std::string TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace zqv::db
