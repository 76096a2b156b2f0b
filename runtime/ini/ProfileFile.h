// Whole-file reads and safe whole-file replacement through the platform's file layer.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace zq::rt::ini {

// The file's bytes; nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(std::string_view path);

// Writes content to a new file beside path, then puts it in path's place in one step; on any
// failure path is left as it was. A read-only file is not replaced.
bool ReplaceWholeFile(std::string_view path, std::string_view content);

}  // namespace zq::rt::ini
