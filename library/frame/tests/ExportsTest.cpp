#include "frame/Exports.h"

#include <gtest/gtest.h>

#include <new>

namespace {

using zqv::HostText;

TEST(HostText, NullNegativeAndZeroLengthsReadAsEmpty) {
  const char text[] = "abcdefghij";
  EXPECT_EQ(HostText(20, nullptr), "");
  EXPECT_EQ(HostText(-5, text), "");
  EXPECT_EQ(HostText(0, text), "");
  EXPECT_EQ(HostText(10, text), "abcdefghij");
}

TEST(HostText, CountRule) {
  const char text[] = "abcdefghij";
  struct Case {
    int32_t count;
    const char* expected;
  };
  for (Case c : {Case{4, "abcd"}, Case{0, "abcdefghij"}, Case{10, "abcdefghij"}, Case{12, "abcdefghij"},
                 Case{-3, "abcdefghij"}}) {
    EXPECT_EQ(HostText(10, text, c.count), c.expected) << c.count;
  }
}

TEST(HostText, CTextAndToNul) {
  EXPECT_EQ(zqv::CText(nullptr), "");
  EXPECT_EQ(zqv::CText("ab"), "ab");
  EXPECT_EQ(zqv::ToNul(std::string_view("ab\0cd", 5)), "ab");
  EXPECT_EQ(zqv::ToNul("abc"), "abc");
}

TEST(Export, SwitchesModuleStateAndRestoresIt) {
  EXPECT_EQ(zqv::CurrentModuleState(), nullptr);
  int seen = zqv::Export(-1, [] { return zqv::CurrentModuleState() != nullptr ? 1 : 0; });
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(zqv::CurrentModuleState(), nullptr);
}

TEST(Export, ExceptionsBecomeTheFailureResult) {
  int result = zqv::Export(-1, []() -> int { throw std::bad_alloc(); });
  EXPECT_EQ(result, -1);
  EXPECT_EQ(zqv::CurrentModuleState(), nullptr);
}

TEST(ExportText, FailureGivesAnEmptyStringAndTheCode) {
  int32_t err = 0;
  BSTR result = zqv::ExportText(&err, []() -> BSTR { throw std::bad_alloc(); });
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(SysStringLen(result), 0u);
  EXPECT_EQ(err, -1);
  SysFreeString(result);
  result = zqv::ExportText(&err, [] { return zqv::TextResult("ab"); });
  EXPECT_EQ(SysStringLen(result), 2u);
  EXPECT_EQ(err, 0);
  SysFreeString(result);
}

}  // namespace
