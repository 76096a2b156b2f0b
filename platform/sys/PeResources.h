// The version resource inside a PE file: the resource directory's entry of type 16, its
// first name and first language. Only the bytes needed are read, each read bounds-checked.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace zq::sys {

// Reads up to count bytes at offset; fewer (or none) past the end.
using ReadAt = std::function<std::vector<uint8_t>(uint64_t offset, uint64_t count)>;

std::optional<std::vector<uint8_t>> FindVersionResource(const ReadAt& read);

}  // namespace zq::sys
