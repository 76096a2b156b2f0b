#include <gtest/gtest.h>

#include <clocale>
#include <limits>

#include "zqruntime/picture.h"

namespace {

using namespace zq::rt;

TEST(Pictures, NumberAndTimePictures) {
  struct Case {
    const char* picture;
    double value;
    const char* expected;
  };
  const Case cases[] = {
      {"@N_16.B@", 0, "                "},
      {"@N_16.B@", 1234567, "       1.234.567"},
      {"@N_16.B@", 999, "             999"},
      {"@N_16.B@", 1234567890123.0, "################"},
      {"@N_10,.2", 1.5, "      1.50"},
      {"@N_10,.2", 1023, "  1,023.00"},
      {"@N_10,.2", 4700000000.0 / 1073741824.0, "      4.38"},
      {"@N_10,.2", 0.005, "      0.01"},
      {"@N_10,.2", -1234.5, " -1,234.50"},
      {"@N6", 42, "    42"},
      {"@N06", 42, "000042"},
      {"@N06", -42, "-00042"},
      {"@N_3", 12345, "###"},
      {"@N_12-", 1234567, "   1-234-567"},
      {"@N12.2", 1234.5, "     1234.50"},
      {"@N8,2", 3.14159, "    3,14"},
      {"@N_4B", 0.4, "    "},
      {"@N_4", 0.4, "   0"},
      {"@T", 366100, "01:01:01"},
      {"@T", 8640000, "00:00:00"},
      {"@T", 99, "00:00:00"},
      {"@T", 8639999, "23:59:59"},
      {"@X", 1.5, "1.5"},
      {"@N", 5, "5"},
      {"@N_999999999", 5, "5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.picture);
    EXPECT_EQ(FormatPicture(c.picture, c.value), c.expected);
  }
}

TEST(Pictures, PlainNumberTextsIgnoreTheLocale) {
  // A locale with a decimal comma must not leak into the texts.
  std::setlocale(LC_ALL, "de_DE.UTF-8");
  struct Case {
    double value;
    const char* expected;
  };
  const Case reals[] = {
      {1.5, "1.5"},
      {0, "0"},
      {-0.0, "0"},
      {100, "100"},
      {1e20, "100000000000000000000"},
      {0.1 + 0.2, "0.3"},
      {1.0 / 3, "0.333333333333333"},
      {-2.5, "-2.5"},
      {1e-5, "0.00001"},
      {123456.789, "123456.789"},
      {4700000000.0, "4700000000"},
      {std::numeric_limits<double>::quiet_NaN(), "0"},
  };
  for (const Case& c : reals) EXPECT_EQ(RealText(c.value), c.expected) << c.expected;
  EXPECT_EQ(WholeText(0), "0");
  EXPECT_EQ(WholeText(-9223372036854775807 - 1), "-9223372036854775808");
  EXPECT_EQ(FormatPicture("@N_10,.2", 1.5), "      1.50");
  std::setlocale(LC_ALL, "C");
}

}  // namespace
