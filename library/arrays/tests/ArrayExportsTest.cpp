#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <string_view>

#include "arrays/tests/ArrayTestText.h"
#include "zqplatform/codepage.h"
#include "zqtest/HostCalls.h"
#include "zqvantor/arrays.h"

namespace {

using zqtest::TakeBstr;
using arraytest::Readable;
using arraytest::T;

class Array {
 public:
  Array() : h(RACreate()) {}
  ~Array() { RADestroy(h); }
  std::string Get(int32_t field, int32_t value, int32_t subvalue) const {
    int32_t err = 99;
    std::string text = TakeBstr(RAGet(h, &err, field, value, subvalue));
    EXPECT_EQ(err, 0);
    return Readable(text);
  }
  void Load(std::string_view readable) const {
    std::string text = T(readable);
    ASSERT_EQ(RASetS(h, static_cast<int32_t>(text.size()), text.data(), 0, 0, 0), 0);
  }
  const int32_t h;
};

TEST(ArrayExports, CreateAndDestroyFollowTheRegistry) {
  int32_t a = RACreate();
  int32_t b = RACreate();
  ASSERT_GT(a, 0);
  EXPECT_EQ(b, a + 1);
  EXPECT_EQ(RADestroy(a), 0);
  EXPECT_EQ(RADestroy(a), -3);
  EXPECT_EQ(RACreate(), a);
  EXPECT_EQ(RADestroy(a), 0);
  EXPECT_EQ(RADestroy(b), 0);
  EXPECT_EQ(RADestroy(0), 0);
  EXPECT_EQ(RADestroy(-1), -2);
  EXPECT_EQ(RADestroy(65536), -2);
}

TEST(ArrayExports, BadHandlesChangeNothingAndReportMinusTwo) {
  int32_t unregistered = RACreate();
  RADestroy(unregistered);
  for (int32_t h : {0, -7, 65536, unregistered}) {
    EXPECT_EQ(RASetS(h, 1, "a", 1, 0, 0), -2) << h;
    EXPECT_EQ(RAInsS(h, 1, "a", 1, 0, 0), -2) << h;
    EXPECT_EQ(RASetL(h, 1, 1, 0, 0), -2) << h;
    EXPECT_EQ(RAInsD(h, 1.0, 1, 0, 0), -2) << h;
    EXPECT_EQ(RASetDelim(h, 1, "|"), -2) << h;
    EXPECT_EQ(RADel(h, 1, 0, 0), -2) << h;
    EXPECT_EQ(RAFieldCount(h), -2) << h;
    EXPECT_EQ(RAValueCount(h, 1), -2) << h;
    EXPECT_EQ(RASValueCount(h, 1, 1), -2) << h;
    int32_t err = 0;
    EXPECT_EQ(TakeBstr(RAGet(h, &err, 0, 0, 0)), "");
    EXPECT_EQ(err, -2);
    err = 0;
    EXPECT_EQ(RAGetL(h, &err, 0, 0, 0), 0);
    EXPECT_EQ(err, -2);
    err = 0;
    EXPECT_EQ(RAGetU(h, &err, 0, 0, 0), 0);
    EXPECT_EQ(err, -2);
    err = 0;
    EXPECT_EQ(RAGetB(h, &err, 0, 0, 0), 0);
    EXPECT_EQ(err, -2);
    err = 0;
    EXPECT_EQ(RAGetF(h, &err, 0, 0, 0), 0.0f);
    EXPECT_EQ(err, -2);
    err = 0;
    EXPECT_EQ(RAGetD(h, &err, 0, 0, 0), 0.0);
    EXPECT_EQ(err, -2);
  }
  // A null code word is allowed.
  EXPECT_EQ(RAGetL(0, nullptr, 0, 0, 0), 0);
  EXPECT_EQ(TakeBstr(RAGet(0, nullptr, 0, 0, 0)), "");
}

TEST(ArrayExports, SetSTakesTheHostTextByItsRule) {
  Array a;
  const std::string text = T("a|b");
  EXPECT_EQ(RASetS(a.h, 3, text.data(), 0, 0, 0), 0);
  EXPECT_EQ(RAFieldCount(a.h), 2);
  EXPECT_EQ(a.Get(0, 0, 0), "a|b");

  EXPECT_EQ(RASetS(a.h, 5, nullptr, 1, 0, 0), 0);  // null: an empty field
  EXPECT_EQ(a.Get(0, 0, 0), "|b");
  EXPECT_EQ(RAValueCount(a.h, 1), 1);
  EXPECT_EQ(RASetS(a.h, 0, "ab", 1, 0, 0), 0);  // length 0: up to the NUL byte
  EXPECT_EQ(a.Get(1, 0, 0), "ab");
  EXPECT_EQ(RASetS(a.h, 4, "ab  ", 1, 0, 0), 0);  // blanks are kept
  EXPECT_EQ(a.Get(1, 0, 0), "ab  ");
  EXPECT_EQ(RASetS(a.h, 3, std::string_view("x\0y", 3).data(), 1, 0, 0), 0);
  EXPECT_EQ(a.Get(1, 0, 0), "x<0>y");
  EXPECT_EQ(RAInsS(a.h, 0, "first", 1, 0, 0), 0);
  EXPECT_EQ(a.Get(0, 0, 0), "first|x<0>y|b");

  EXPECT_EQ(RASetS(a.h, 1, "z", -2, 0, 0), -6);
  EXPECT_EQ(RAInsS(a.h, 1, "z", 1, 0, -2), -6);
  EXPECT_EQ(a.Get(0, 0, 0), "first|x<0>y|b");
}

struct SetterLengthCase {
  int32_t length;
  const char* text;
  std::string_view stored;  // field 1 afterwards
};

// Both text setters: a length of 0 reads up to the NUL byte, any other length is exact, and a
// null pointer or a negative length is the empty text.
TEST(ArrayExports, TextSettersTakeTheLengthRule) {
  const SetterLengthCase cases[] = {
      {0, "ab\0cd", "ab"},      {5, "ab\0cd", {"ab\0cd", 5}}, {3, "ab ", "ab "},
      {-1, "ab", ""},           {0, nullptr, ""},             {7, nullptr, ""},
      {0, "", ""},
  };
  for (auto setter : {RASetS, RAInsS}) {
    for (const SetterLengthCase& c : cases) {
      Array a;
      a.Load("old");
      EXPECT_EQ(setter(a.h, c.length, c.text, 1, 0, 0), 0) << c.length;
      EXPECT_EQ(TakeBstr(RAGet(a.h, nullptr, 1, 0, 0)), c.stored) << c.length;
    }
  }
}

struct DelimCase {
  const char* name;
  int32_t length;
  const char* text;
  const char* rendered;  // after delimiters xyz: subvalues a, b in value 1, value c, field d
};

TEST(ArrayExports, SetDelimTakesTheLengthRule) {
  const DelimCase cases[] = {
      {"length 0 reads to the NUL", 0, "#,;", "a;b,c#d"},
      {"length 0 stops at an inner NUL", 0, "#\0;", "azbyc#d"},
      {"one byte keeps the others", 1, "#,;", "azbyc#d"},
      {"an exact length keeps the NUL", 2, "#\0;", "azb<0>c#d"},
      {"bytes after the third are ignored", 4, "#,;:", "a;b,c#d"},
      {"an empty text restores the defaults", 0, "", "a~b^c|d"},
      {"a null pointer restores the defaults", 3, nullptr, "a~b^c|d"},
      {"a negative length restores the defaults", -3, "#,;", "a~b^c|d"},
  };
  for (const DelimCase& c : cases) {
    Array a;
    ASSERT_EQ(RASetDelim(a.h, 3, "xyz"), 0);
    EXPECT_EQ(RASetDelim(a.h, c.length, c.text), 0) << c.name;
    RASetS(a.h, 1, "a", 1, 1, 1);
    RASetS(a.h, 1, "b", 1, 1, 2);
    RASetS(a.h, 1, "c", 1, 2, 1);
    RASetS(a.h, 1, "d", 2, 1, 1);
    EXPECT_EQ(Readable(TakeBstr(RAGet(a.h, nullptr, 0, 0, 0))), c.rendered) << c.name;
  }
}

struct NumberCase {
  const char* name;
  int32_t (*store)(int32_t h);  // stores at (1, 1, 1)
  const char* text;
};

TEST(ArrayExports, TypedSettersStoreTheNumbersText) {
  const NumberCase cases[] = {
      {"L -5", [](int32_t h) { return RASetL(h, -5, 1, 1, 1); }, "-5"},
      {"U max", [](int32_t h) { return RASetU(h, 4294967295u, 1, 1, 1); }, "4294967295"},
      {"C 200", [](int32_t h) { return RASetC(h, 200, 1, 1, 1); }, "200"},
      {"C low byte", [](int32_t h) { return RASetC(h, 0x1C8, 1, 1, 1); }, "200"},
      {"D 0.1", [](int32_t h) { return RASetD(h, 0.1, 1, 1, 1); }, "0.1"},
      {"D pi", [](int32_t h) { return RASetD(h, 3.14159265, 1, 1, 1); }, "3.14159"},
      {"F 0.1", [](int32_t h) { return RASetF(h, 0.1f, 1, 1, 1); }, "0.1"},
      {"F 1e6", [](int32_t h) { return RASetF(h, 1e6f, 1, 1, 1); }, "1e+06"},
      {"InsL", [](int32_t h) { return RAInsL(h, 7, 1, 1, 1); }, "7"},
      {"InsU", [](int32_t h) { return RAInsU(h, 7u, 1, 1, 1); }, "7"},
      {"InsC", [](int32_t h) { return RAInsC(h, 255, 1, 1, 1); }, "255"},
      {"InsF", [](int32_t h) { return RAInsF(h, -2.5f, 1, 1, 1); }, "-2.5"},
      {"InsD", [](int32_t h) { return RAInsD(h, 1e-5, 1, 1, 1); }, "1e-05"},
  };
  for (const NumberCase& c : cases) {
    Array a;
    EXPECT_EQ(c.store(a.h), 0) << c.name;
    EXPECT_EQ(a.Get(1, 1, 1), c.text) << c.name;
  }
  Array a;
  a.Load("a");
  EXPECT_EQ(RAInsL(a.h, 7, 1, 0, 0), 0);
  EXPECT_EQ(a.Get(0, 0, 0), "7|a");
  EXPECT_EQ(RASetD(a.h, 1.0, -2, 0, 0), -6);
  EXPECT_EQ(RAInsC(a.h, 1, 0, 0, -5), -6);
}

TEST(ArrayExports, TypedGettersReadTheText) {
  Array a;
  EXPECT_EQ(RASetL(a.h, 42, 2, 1, 0), 0);
  EXPECT_EQ(RAValueCount(a.h, 1), 0);
  EXPECT_EQ(a.Get(2, 1, 0), "42");
  int32_t err = 99;
  EXPECT_EQ(RAGetL(a.h, &err, 2, 1, 0), 42);
  EXPECT_EQ(err, 0);
  err = 99;
  EXPECT_EQ(RAGetL(a.h, &err, 9, 0, 0), 0);
  EXPECT_EQ(err, 0);

  a.Load("258|12abc|4294967295|-2.5e1|abc");
  EXPECT_EQ(RAGetB(a.h, &err, 1, 0, 0), 2);
  EXPECT_EQ(RAGetL(a.h, &err, 2, 0, 0), 12);
  EXPECT_EQ(RAGetU(a.h, &err, 3, 0, 0), -1);
  EXPECT_EQ(static_cast<uint32_t>(RAGetU(a.h, &err, 3, 0, 0)), 4294967295u);
  EXPECT_EQ(RAGetD(a.h, &err, 4, 0, 0), -25.0);
  EXPECT_EQ(RAGetF(a.h, &err, 4, 0, 0), -25.0f);
  EXPECT_EQ(RAGetD(a.h, &err, 5, 0, 0), 0.0);
  EXPECT_EQ(RAGetL(a.h, &err, 5, 0, 0), 0);
  EXPECT_EQ(err, 0);
  // A stored double reads back as its six-digit text.
  RASetD(a.h, 1.0 / 3.0, 6, 0, 0);
  EXPECT_EQ(RAGetD(a.h, &err, 6, 0, 0), 0.333333);
  // Infinity is stored as "inf" and reads back; a number too small for a double reads as 0.
  RASetD(a.h, -std::numeric_limits<double>::infinity(), 7, 0, 0);
  EXPECT_EQ(a.Get(7, 0, 0), "-inf");
  EXPECT_EQ(RAGetD(a.h, &err, 7, 0, 0), -std::numeric_limits<double>::infinity());
  const std::string tiny = "0." + std::string(400, '0') + "1";
  EXPECT_EQ(RASetS(a.h, static_cast<int32_t>(tiny.size()), tiny.c_str(), 8, 0, 0), 0);
  EXPECT_EQ(RAGetD(a.h, &err, 8, 0, 0), 0.0);
}

TEST(ArrayExports, LocateSearchesALevel) {
  Array a;
  a.Load("abcd|Abcd^x~y|abcd ");
  EXPECT_EQ(RALocate(a.h, 5, "abcd ", 0, 0), 3);  // the trailing blank counts
  EXPECT_EQ(RALocate(a.h, 4, "abcd", 0, 0), 1);
  EXPECT_EQ(RALocate(a.h, 4, "ABCD", 0, 0), 0);
  EXPECT_EQ(RALocateNC(a.h, 4, "ABCD", 2, 0), 1);
  EXPECT_EQ(RALocate(a.h, 1, "y", 2, 2), 2);
  EXPECT_EQ(RALocate(a.h, 1, "q", 2, 2), 0);
  EXPECT_EQ(RALocate(a.h, 0, "abcd", 0, 0), 0);  // length 0 is the empty text here
  EXPECT_EQ(RALocate(a.h, 9, nullptr, 0, 0), 0);

  int32_t gone = RACreate();
  RADestroy(gone);
  EXPECT_EQ(RALocate(gone, 1, "a", 0, 0), -3);
  EXPECT_EQ(RALocateNC(gone, 1, "a", 0, 0), -3);
  EXPECT_EQ(RALocate(0, 1, "a", 0, 0), -2);
  EXPECT_EQ(RALocateNC(65536, 1, "a", 0, 0), -2);
}

TEST(ArrayExports, DelimitersDelAndCounts) {
  Array a;
  EXPECT_EQ(RASetDelim(a.h, 3, "|,;"), 0);
  EXPECT_EQ(RASetS(a.h, 0, "a|b,c;d|e", 0, 0, 0), 0);
  EXPECT_EQ(RAFieldCount(a.h), 3);
  EXPECT_EQ(RAValueCount(a.h, 2), 2);
  EXPECT_EQ(RASValueCount(a.h, 2, 2), 2);
  EXPECT_EQ(RAValueCount(a.h, 9), 0);
  EXPECT_EQ(RASValueCount(a.h, 2, 0), 0);
  EXPECT_EQ(RADel(a.h, 2, 2, 1), 0);
  EXPECT_EQ(RADel(a.h, 1, 0, 0), 0);
  int32_t err;
  EXPECT_EQ(TakeBstr(RAGet(a.h, &err, 0, 0, 0)), "b,d|e");
  EXPECT_EQ(RASetDelim(a.h, 0, ""), 0);
  EXPECT_EQ(RASetS(a.h, 0, "a|b", 0, 0, 0), 0);
  EXPECT_EQ(RAFieldCount(a.h), 1);
}

}  // namespace
