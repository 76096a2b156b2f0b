#include <gtest/gtest.h>

#include <cstring>

#include "zqplatform/oleauto.h"

namespace {

TEST(Bstr, LayoutIsByteCountUnitsAndTerminator) {
  const OLECHAR units[] = {u'a', 0, u'b'};
  BSTR s = SysAllocStringLen(units, 3);
  ASSERT_NE(s, nullptr);
  uint32_t prefix;
  std::memcpy(&prefix, reinterpret_cast<char*>(s) - 4, 4);
  EXPECT_EQ(prefix, 6u);
  EXPECT_EQ(SysStringLen(s), 3u);
  EXPECT_EQ(SysStringByteLen(s), 6u);
  EXPECT_EQ(std::u16string(s, 3), std::u16string(units, 3));
  EXPECT_EQ(s[3], 0);
  SysFreeString(s);
}

TEST(Bstr, NullSourceGivesZeroUnitsAndNullPointersAreHarmless) {
  BSTR s = SysAllocStringLen(nullptr, 4);
  ASSERT_NE(s, nullptr);
  for (int i = 0; i <= 4; ++i) EXPECT_EQ(s[i], 0);
  SysFreeString(s);
  BSTR empty = SysAllocStringLen(nullptr, 0);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(SysStringLen(empty), 0u);
  SysFreeString(empty);
  SysFreeString(nullptr);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysStringByteLen(nullptr), 0u);
}

TEST(Bstr, LengthBeyondTheByteCountIsRefused) {
  EXPECT_EQ(SysAllocStringLen(nullptr, 0x80000000u), nullptr);
  EXPECT_EQ(SysAllocStringLen(nullptr, 0xFFFFFFFFu), nullptr);
}

}  // namespace
