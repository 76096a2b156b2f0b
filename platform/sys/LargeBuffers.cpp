#include <malloc.h>

#include "zqplatform/system.h"

namespace zq::sys {

void ReturnLargeBuffersToTheSystem() {
  constexpr int kLargeBuffer = 1 << 20;
  [[maybe_unused]] static const bool set = mallopt(M_MMAP_THRESHOLD, kLargeBuffer) == 1;
}

}  // namespace zq::sys
