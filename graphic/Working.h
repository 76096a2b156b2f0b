// The memory a conversion takes while it works, known from the source's header before anything
// is decoded: what a host that converts on several threads admits a conversion by.
#pragma once
#include <cstdint>
#include <string>

#include "Image.h"

namespace zq::gr {

// The most bytes EncodeConversion of these arguments holds at once: the source file's bytes,
// the picture as decoded (a JPEG at the DCT scale it will be decoded at) with the decoder's own
// buffers, the fitted picture with the resampler's rows, and the target's file. A conversion
// that fails before it decodes counts the file's bytes at most; one refused at once, 0.
int64_t WorkingBytes(const std::string& source, const std::string& target, uint8_t mode, Size size, uint8_t filter);

}  // namespace zq::gr
