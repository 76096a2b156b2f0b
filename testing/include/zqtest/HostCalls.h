// Calling the library's exports as a host does: texts go in as (length, pointer), string
// results come back as BSTRs that the caller frees.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "zqplatform/codepage.h"
#include "zqplatform/oleauto.h"

namespace zqtest {

// A text's length as a host passes it.
inline int32_t Len(std::string_view text) { return static_cast<int32_t>(text.size()); }

// The bytes of a string result, which is freed; a result is never a null pointer.
inline std::string TakeBstr(BSTR result) {
  EXPECT_NE(result, nullptr);
  std::string bytes = zq::text::FromBstr(result);
  SysFreeString(result);
  return bytes;
}

}  // namespace zqtest
