// Writing a file whole or not at all: the bytes go to a new temporary file in the target's
// folder, which then takes the target's place in one rename. A failure leaves the old target
// as it was; writers racing for one target each leave a complete file.
#pragma once
#include <cstdint>
#include <span>
#include <string>

#include "Image.h"

namespace zq::gr {

// Writes the bytes as the target's file; Status::Write when the folder, the target (read-only,
// a folder) or the disk refuses.
Status WriteReplacing(const std::string& target, std::span<const uint8_t> bytes);

}  // namespace zq::gr
