#include "arrays/TypedText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(TypedText, FormatsLikeTheStandardFormats) {
  EXPECT_EQ(zqv::FormatSigned(-5), "-5");
  EXPECT_EQ(zqv::FormatSigned(INT32_MIN), "-2147483648");
  EXPECT_EQ(zqv::FormatUnsigned(4294967295u), "4294967295");
  EXPECT_EQ(zqv::FormatUnsigned(200), "200");
  struct Case {
    double number;
    const char* text;
  };
  for (Case c : {Case{0.1, "0.1"}, Case{3.14159265, "3.14159"}, Case{0.0, "0"}, Case{-2.5, "-2.5"},
                 Case{100000.0, "100000"}, Case{1000000.0, "1e+06"}, Case{0.0001, "0.0001"},
                 Case{0.00001, "1e-05"}, Case{123456789.0, "1.23457e+08"}, Case{1e300, "1e+300"},
                 Case{static_cast<double>(1.5f), "1.5"},
                 Case{std::numeric_limits<double>::infinity(), "inf"}}) {
    EXPECT_EQ(zqv::FormatDouble(c.number), c.text) << c.text;
  }
}

TEST(TypedText, ReadsTheLeadingInteger) {
  struct Case {
    const char* text;
    int32_t number;
  };
  for (Case c : {Case{"12abc", 12}, Case{"abc", 0}, Case{"", 0}, Case{"  -42", -42}, Case{"+7", 7},
                 Case{"\t\n 3 4", 3}, Case{"- 5", 0}, Case{"--5", 0}, Case{"2147483647", INT32_MAX},
                 Case{"-2147483648", INT32_MIN}, Case{"4294967295", -1}, Case{"300", 300},
                 Case{"99999999999999999999", static_cast<int32_t>(1661992959)}}) {
    EXPECT_EQ(zqv::ReadInteger(c.text), c.number) << c.text;
  }
  // The byte getter keeps the low 8 bits.
  EXPECT_EQ(static_cast<uint8_t>(zqv::ReadInteger("300")), 44);
  EXPECT_EQ(static_cast<uint8_t>(zqv::ReadInteger("258")), 2);
}

TEST(TypedText, ReadsTheLeadingFloatingPointNumber) {
  struct Case {
    const char* text;
    double number;
  };
  for (Case c : {Case{"0.1", 0.1}, Case{"  -2.5e3x", -2500.0}, Case{"+.5", 0.5}, Case{"abc", 0.0},
                 Case{"", 0.0}, Case{"1e", 1.0}, Case{"7.", 7.0}, Case{"1e-400", 0.0},
                 Case{"-+1", 0.0}, Case{"3.14159", 3.14159}}) {
    EXPECT_EQ(zqv::ReadDouble(c.text), c.number) << c.text;
  }
  EXPECT_EQ(zqv::ReadDouble("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(zqv::ReadDouble("-1e400"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(zqv::ReadDouble("0.0000001e-400"), 0.0);
  EXPECT_TRUE(std::signbit(zqv::ReadDouble("-1e-400")));
}

}  // namespace
