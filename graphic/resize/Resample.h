// Resampling with a separable filter: 0 bilinear (triangle), 1 fast (box: the mean of the
// covered pixels when shrinking, the nearest pixel when growing), 2 bicubic (Catmull-Rom).
// Colours are filtered premultiplied by their alpha, so transparent pixels lend no colour;
// the edges weigh only the pixels inside the picture. Memory beyond the result: a few filtered
// rows.
#pragma once
#include <cstdint>

#include "Image.h"

namespace zq::gr {

enum class Filter : uint8_t { Bilinear = 0, Fast = 1, Bicubic = 2 };
constexpr bool ValidFilter(uint8_t filter) { return filter <= 2; }

// The picture at the new size (a copy when the size is its own); throws std::bad_alloc.
Image Resample(const Image& source, Size size, Filter filter);

}  // namespace zq::gr
