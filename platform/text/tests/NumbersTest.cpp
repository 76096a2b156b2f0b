#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "zqplatform/numbers.h"

namespace {

using namespace zq::text;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kTiny = std::numeric_limits<double>::denorm_min();

std::string Zeros(std::size_t n) { return std::string(n, '0'); }

// Sets a locale with a decimal comma for the test's length: it must not reach the texts.
class Numbers : public ::testing::Test {
 protected:
  void SetUp() override { std::setlocale(LC_ALL, "de_DE.UTF-8"); }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(Numbers, ARealIsTheNearestDoubleToItsText) {
  struct Case {
    std::string text;
    double value;
  };
  const Case cases[] = {
      {"0.1", 0.1},
      {"  -2.5e3x", -2500.0},
      {"+.5", 0.5},
      {"7.", 7.0},
      {"1e", 1.0},
      {"1e+", 1.0},
      {"\t\n 12", 12.0},
      {"3,5", 3.0},
      {"abc", 0.0},
      {"", 0.0},
      {".", 0.0},
      {"-+1", 0.0},
      {"- 1", 0.0},
      {"0x1A", 0.0},
      {"inf", 0.0},
      {"nan", 0.0},
      // Out of range: the nearest double is infinity above, 0 below.
      {"1e400", kInf},
      {"-1e400", -kInf},
      {"1" + Zeros(400), kInf},
      {"1.7976931348623158e308", kMax},
      {"1.7976931348623159e308", kInf},
      {"1e-400", 0.0},
      {"0." + Zeros(400) + "1", 0.0},
      {"0.0000001e-400", 0.0},
      {"1" + Zeros(400) + "e-800", 0.0},
      {"0." + Zeros(400) + "1e2000", kInf},
      // Large or small in their digits alone, ordinary with the exponent.
      {"1" + Zeros(400) + "e-400", 1.0},
      {"0." + Zeros(400) + "1e401", 1.0},
      // Subnormals are kept; half the smallest one and less are 0.
      {"1e-320", 1e-320},
      {"4.9e-324", kTiny},
      {"3e-324", kTiny},
      {"2e-324", 0.0},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadReal(c.text), c.value) << c.text;
  EXPECT_TRUE(std::signbit(ReadReal("-1e-400")));
  EXPECT_TRUE(std::signbit(ReadReal("-0." + Zeros(400) + "1")));
}

TEST_F(Numbers, TheFormSaysWhatARealMayHoldBesidesDigits) {
  struct Case {
    const char* text;
    RealForm form;
    double value;
    std::size_t length;
  };
  const RealForm plain{.exponent = false};
  const RealForm specials{.specials = true};
  const Case cases[] = {
      {"12.5abc", {}, 12.5, 4},   {"1e-7x", {}, 1e-7, 4},   {"1e5", plain, 1.0, 1},
      {"-2.5e3", plain, -2.5, 4}, {"inf", specials, kInf, 3}, {"-Infinity!", specials, -kInf, 9},
      {"infx", specials, kInf, 3}, {"+1e2", specials, 100, 4}, {" 1", {}, 0, 0},
      {"inf", {}, 0, 0},
  };
  for (const Case& c : cases) {
    const RealScan scan = ScanReal(c.text, c.form);
    EXPECT_EQ(scan.value, c.value) << c.text;
    EXPECT_EQ(scan.length, c.length) << c.text;
  }
  EXPECT_TRUE(std::isnan(ReadReal(" nan", specials)));
}

TEST_F(Numbers, IntegersReadAsStrtolDoesSaturatedOrWrapped) {
  struct Case {
    const char* text;
    int32_t saturated;
    int32_t wrapped;
  };
  const Case cases[] = {
      {"12abc", 12, 12},
      {"abc", 0, 0},
      {"", 0, 0},
      {"  -42", -42, -42},
      {"+7", 7, 7},
      {"\t\n 3 4", 3, 3},
      {"- 5", 0, 0},
      {"--5", 0, 0},
      {"+-5", 0, 0},
      {"12.9", 12, 12},
      {"2147483647", INT32_MAX, INT32_MAX},
      {"2147483648", INT32_MAX, INT32_MIN},
      {"-2147483648", INT32_MIN, INT32_MIN},
      {"-2147483649", INT32_MIN, INT32_MAX},
      {"4294967295", INT32_MAX, -1},
      {"4294967297", INT32_MAX, 1},
      {"99999999999999999999", INT32_MAX, 1661992959},
      {"-99999999999999999999", INT32_MIN, -1661992959},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadLong(c.text), c.saturated) << c.text;
    EXPECT_EQ(ReadLongWrapped(c.text), c.wrapped) << c.text;
  }
}

TEST_F(Numbers, AWholeIntegerIsTheWholeText) {
  EXPECT_EQ(ReadWholeInteger("42"), 42);
  EXPECT_EQ(ReadWholeInteger("+42"), 42);
  EXPECT_EQ(ReadWholeInteger("-007"), -7);
  EXPECT_EQ(ReadWholeInteger("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(ReadWholeInteger("-9223372036854775808"), INT64_MIN);
  for (const char* text : {"", "+", "-", "+-42", " 42", "42 ", "4a", "1.0", "9223372036854775808"}) {
    EXPECT_EQ(ReadWholeInteger(text), std::nullopt) << text;
  }
}

TEST_F(Numbers, FormatsAsTheStandardFormatsInTheCLocale) {
  EXPECT_EQ(FormatInteger(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(FormatUnsigned(UINT64_MAX), "18446744073709551615");
  struct Case {
    double value;
    const char* general;
    const char* fixed;
  };
  const Case cases[] = {
      {0.1, "0.1", "0.100000"},          {3.14159265, "3.14159", "3.141593"},
      {0.0, "0", "0.000000"},            {-2.5, "-2.5", "-2.500000"},
      {100000.0, "100000", "100000.000000"}, {1000000.0, "1e+06", "1000000.000000"},
      {0.0001, "0.0001", "0.000100"},    {0.00001, "1e-05", "0.000010"},
      {123456789.0, "1.23457e+08", "123456789.000000"}, {kInf, "inf", "inf"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatGeneral(c.value), c.general) << c.general;
    EXPECT_EQ(FormatFixed(c.value), c.fixed) << c.fixed;
  }
  EXPECT_EQ(FormatFixed(-kMax).size(), 1 + 309 + 7);
  EXPECT_EQ(FormatFixed(1.5, 2), "1.50");
}

TEST_F(Numbers, PlainTextHasNoExponentAndNoTrailingZeros) {
  struct Case {
    double value;
    int significant;
    const char* text;
  };
  const Case cases[] = {
      {-0.000001234, 15, "-0.000001234"},
      {123456789012345678.0, 15, "123456789012346000"},
      {1.0 / 3, 6, "0.333333"},
      {12345.678, 4, "12350"},
      {-0.0, 15, "0"},
      {-kInf, 15, "0"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatPlain(c.value, c.significant), c.text) << c.text;
}

}  // namespace
