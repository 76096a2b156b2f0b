// The size a picture gets from a resize mode and a target size: 0 none, 1 only bigger, 2 only
// smaller, 3 both; plus 4 keeps the aspect ratio, fitting the picture inside the target.
// Without 4 each side follows its own target side as the mode allows. Every result is then
// fitted inside kMaxShownSide x kMaxShownSide, keeping its aspect ratio.
#pragma once
#include <cstdint>

#include "Image.h"

namespace zq::gr {

constexpr uint8_t kKeepAspect = 4;

// Whether the mode and the target make sense: a mode up to 7, and a target of at least 1 x 1
// when the mode resizes.
bool ValidFit(uint8_t mode, Size target);
Size FitSize(Size source, uint8_t mode, Size target);

}  // namespace zq::gr
