#include <malloc.h>

#include "zqplatform/system.h"

namespace zq::sys {

void ReturnLargeBuffersToTheSystem() {
  static const bool set = [] { return mallopt(M_MMAP_THRESHOLD, kLargeBuffer) == 1; }();
  (void)set;
}

}  // namespace zq::sys
