// Whole-file reads through the platform's file layer (writes go through its replacing write).
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace zq::rt::ini {

// The file's bytes; nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(std::string_view path);

}  // namespace zq::rt::ini
