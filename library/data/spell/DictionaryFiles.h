// Paths of affix and dictionary files as hunspell opens them, and what is checked before.
#pragma once
#include <string>
#include <string_view>

namespace zqv::spell {

// The file-system name of a library path (up to its first NUL byte): a Windows-view or POSIX
// path resolved as the file layer resolves it; empty when it cannot be resolved.
std::string HunspellPath(std::string_view path);

// True when hunspell can read the file: a regular file at the path, or its encrypted form
// (the path followed by ".hz"), which hunspell opens in its place.
bool Readable(const std::string& hunspellPath);

// False for an affix file that declares UTF-8 but is not valid UTF-8: hunspell reads past its
// buffers on such a file. A file only present in encrypted form is not looked into.
bool AffixUsable(const std::string& hunspellPath);

}  // namespace zqv::spell
