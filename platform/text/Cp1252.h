// Windows-1252: every byte to its UTF-16 unit and back.
#pragma once
#include <cstdint>
#include <optional>

namespace zq::text::cp1252 {

char16_t ToUnit(unsigned char byte);
// The byte of a unit, or nothing when the code page lacks it.
std::optional<unsigned char> FromUnit(char16_t unit);

}  // namespace zq::text::cp1252
