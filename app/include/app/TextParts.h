// Texts of the lists and settings as the pass and the catalogs compare and write them: without
// trailing blanks, and with ASCII letters in one case (the words and extensions they compare
// are ASCII).
#pragma once
#include <string>
#include <string_view>

namespace orvid::text {

std::string Trimmed(std::string_view text);
std::string Lower(std::string_view text);
std::string Upper(std::string_view text);

}  // namespace orvid::text
