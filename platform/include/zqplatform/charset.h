// Character units and case tables of the ANSI code page.
//
// A character unit is one byte in 1252 mode; in UTF-8 mode it is a whole valid UTF-8
// sequence, and any other byte is a unit of its own. Units never span a NUL byte.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zq::text {

// True when every byte is a unit of its own (1252 mode).
bool IsSingleByteCodePage();

// Length in bytes of the character unit that starts at pos (0 when pos is at or past the end).
std::size_t CharLen(std::string_view text, std::size_t pos);
// True when the byte at pos begins a character unit of more than one byte.
bool IsLeadByte(std::string_view text, std::size_t pos);
// Position of the unit before pos (0 when pos is 0).
std::size_t CharPrev(std::string_view text, std::size_t pos);
// True when a unit begins at pos (pos at the end counts), that is, pos is not inside a unit.
bool IsCharStart(std::string_view text, std::size_t pos);
// True when the byte at pos is a unit by itself.
bool IsSingleUnit(std::string_view text, std::size_t pos);

// White space as the C runtime sees it: blank and \t to \r.
inline bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// True when text is well-formed UTF-8 (no overlong forms, no surrogates, nothing beyond
// U+10FFFF), whatever the code page.
bool IsValidUtf8(std::string_view text);

// Upper or lower case in place by the code page's tables, unit by unit. In UTF-8 mode only
// letters whose other form has the same encoded length change.
void MakeUpper(char* text, std::size_t len);
void MakeLower(char* text, std::size_t len);

// Case-blind comparison by the code page's case rules (negative, 0, positive): in 1252 mode
// A to Z fold onto a to z; in UTF-8 mode every unit folds as MakeLower maps it. The folded
// texts compare by unsigned bytes.
int CompareNoCase(std::string_view a, std::string_view b);

}  // namespace zq::text
