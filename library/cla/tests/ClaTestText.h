// What the CLA tests share: the bytes of a string result and the code page in use.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "zqplatform/codepage.h"
#include "zqplatform/oleauto.h"

namespace cla_test {

inline bool Is1252() { return GetACP() == CP_1252; }

// The bytes of a string result, which is freed; a result is never a null pointer.
inline std::string Take(BSTR result) {
  EXPECT_NE(result, nullptr);
  std::string bytes = zq::text::FromBstr(result);
  SysFreeString(result);
  return bytes;
}

inline int32_t Len(const std::string& s) { return static_cast<int32_t>(s.size()); }

}  // namespace cla_test
