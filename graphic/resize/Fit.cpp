#include "resize/Fit.h"

#include <algorithm>
#include <cmath>

namespace zq::gr {
namespace {

enum : uint8_t { kNone = 0, kBigger = 1, kSmaller = 2, kBoth = 3 };

int32_t Scaled(int32_t side, double factor) {
  return std::max<int32_t>(1, static_cast<int32_t>(std::lround(side * factor)));
}

int32_t FollowSide(int32_t side, int32_t target, uint8_t how) {
  if (target > side && (how & kBigger)) return target;
  if (target < side && (how & kSmaller)) return target;
  return side;
}

Size Shown(Size size) {
  if (size.width <= kMaxShownSide && size.height <= kMaxShownSide) return size;
  double factor = std::min(static_cast<double>(kMaxShownSide) / size.width, static_cast<double>(kMaxShownSide) / size.height);
  return {std::min(kMaxShownSide, Scaled(size.width, factor)), std::min(kMaxShownSide, Scaled(size.height, factor))};
}

}  // namespace

bool ValidFit(uint8_t mode, Size target) {
  if (mode > 7) return false;
  return (mode & 3) == kNone || (target.width > 0 && target.height > 0);
}

Size FitSize(Size source, uint8_t mode, Size target) {
  const uint8_t how = mode & 3;
  if (how == kNone) return Shown(source);
  if (!(mode & kKeepAspect))
    return Shown({FollowSide(source.width, target.width, how), FollowSide(source.height, target.height, how)});
  const double factor = std::min(static_cast<double>(target.width) / source.width, static_cast<double>(target.height) / source.height);
  const bool allowed = (factor > 1 && (how & kBigger)) || (factor < 1 && (how & kSmaller));
  if (!allowed) return Shown(source);
  // The side that sets the factor meets its target exactly; the other is rounded.
  Size size{Scaled(source.width, factor), Scaled(source.height, factor)};
  if (static_cast<double>(target.width) / source.width <= static_cast<double>(target.height) / source.height)
    size.width = target.width;
  else
    size.height = target.height;
  return Shown(size);
}

}  // namespace zq::gr
