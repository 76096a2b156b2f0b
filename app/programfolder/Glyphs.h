// A small block font of the project's own: capital letters, digits and a few signs, 5 x 7
// cells each.
#pragma once
#include <array>
#include <cstdint>

namespace orvid::folder {

constexpr int32_t kGlyphWidth = 5;
constexpr int32_t kGlyphHeight = 7;

// Row bits of a character, the leftmost cell in bit 4; a blank for a character the font lacks.
std::array<uint8_t, kGlyphHeight> Glyph(char c);

}  // namespace orvid::folder
