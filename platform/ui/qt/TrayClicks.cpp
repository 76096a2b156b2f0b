#include "TrayClicks.h"

namespace zq::ui::qt {

bool TrayClicks::Completes(Activation activation, int64_t nowMs, int32_t doubleClickMs) {
  if (activation == Activation::Other) {
    lastSingle_.reset();
    return false;
  }
  const bool paired = activation == Activation::Single && lastSingle_ && nowMs - *lastSingle_ <= doubleClickMs;
  if (activation == Activation::Double || paired) {
    lastSingle_.reset();
    return true;
  }
  lastSingle_ = nowMs;
  return false;
}

}  // namespace zq::ui::qt
