// The class layer's string, path and disk procedures and the tray callback. They keep no
// state and may run on any thread. Texts go to the library with the length of the value
// passed; an omitted delimiter, or an empty or all-blank one, is the character 0xFB.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "zqvantor/common.h"

// The path without trailing blanks, ending in "\"; an empty or all-blank path gives "\".
std::string CHECKPATH(std::string_view path);
// The library's drive list, unchanged.
std::string GETDRIVES();
// Which count GETDISKINFO stores.
constexpr uint8_t kDiskTotal = 1;     // the size of the disk
constexpr uint8_t kDiskFree = 2;      // bytes free on the disk (any selector but 1 and 3)
constexpr uint8_t kDiskFreeUser = 3;  // bytes free to the caller
// 1 after storing the selected count of the disk holding path in value; 0 when the query
// fails (value then unchanged).
int32_t GETDISKINFO(std::string_view path, uint64_t& value, uint8_t selector);
// A library string result as the program's own text; the library's string is released.
std::string FIX(BSTR text);
std::string GETITEM(std::string_view text, int32_t n, std::string_view delimiter = {});
int32_t CNTITEM(std::string_view text, std::string_view delimiter = {});
// The length without trailing blanks.
int32_t TLEN(std::string_view text);
// Case-blind comparison (count as the library's mode); 0 when equal.
int32_t COMPARENC(std::string_view first, std::string_view second, int32_t count);
// Trimmed on both sides: of blanks (characters omitted or empty), of the one character
// given, or of every character of a longer set (trailing blanks of the set count).
std::string TRIM(std::string_view text, std::string_view characters = {});
// Every occurrence of find replaced (by characters when both are one character long);
// an omitted replacement removes them.
std::string SWAP(std::string_view text, std::string_view find, std::string_view replacement = {});
// count characters from the 1-based start.
std::string MID(std::string_view text, int32_t start, int32_t count);
// The character at the 1-based position; empty outside the text.
std::string GETAT(std::string_view text, int32_t position);
// The tray's callback: posts the event to the thread's active window.
void POSTIT(int32_t event, int32_t thread);
// Creates the tray icon for the window, calling back POSTIT(event, this thread) on a double
// click and POSTIT(item, this thread) for a menu choice; the library's result.
int32_t CREATETRAYICON(uint32_t window, std::string_view icon, std::string_view tip, std::string_view menu,
                       int32_t event);
