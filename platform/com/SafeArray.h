// The array behind SAFEARRAY: elements kept as variants of the array's element type.
#pragma once
#include <vector>

#include "zqplatform/com.h"

struct SAFEARRAY {
  VARTYPE vt = VT_EMPTY;
  int32_t lowerBound = 0;
  std::vector<VARIANT> elements;
};

namespace zq::com {

// The bytes an element of the type takes in a caller's buffer; 0 for a type arrays cannot hold.
std::size_t ElementSize(VARTYPE vt);

}  // namespace zq::com
