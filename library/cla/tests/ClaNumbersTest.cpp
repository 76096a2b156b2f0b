#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "ClaTestText.h"
#include "zqvantor/cla.h"

using namespace cla_test;

namespace {

struct Case {
  int32_t got;
  int32_t expected;
};

void Check(std::initializer_list<Case> cases) {
  int i = 0;
  for (const Case& c : cases) EXPECT_EQ(c.got, c.expected) << "case " << i++;
}

TEST(ClaNumbers, LengthsAndFields) {
  Check({{CLATrueLen(6, "  ab  "), 2},
         {CLATrueLen(3, "   "), 0},
         {CLATrueLen(20, nullptr), 0},
         {CLATrueLen(-1, "ab"), 0},
         {CLATrueLen(4, "a b "), 3},
         {CLAFieldCnt(7, " a;b;c ", ';'), 3},
         {CLAFieldCnt(3, "   ", ';'), 0},
         {CLAFieldCnt(0, nullptr, ';'), 0},
         {CLAFieldCnt(3, "abc", ';'), 1},
         {CLAFieldCnt(4, ";;; ", ';'), 4}});
}

TEST(ClaNumbers, GetAtAndItsCodes) {
  struct GetAtCase {
    int32_t length;
    const char* text;
    int32_t position;
    uint8_t byte;
    int32_t code;
  };
  const GetAtCase cases[] = {{3, "abc", 3, 'c', 0},   {3, "abc", 1, 'a', 0},      {3, "abc", 4, 0, -7},
                             {3, "abc", 0, 0, -9},    {3, "abc", INT_MIN, 0, -9}, {3, "abc", INT_MAX, 0, -7},
                             {3, nullptr, 1, 0, -7},  {3, nullptr, 0, 0, -7},     {0, "abc", 1, 0, -7},
                             {3, "\xFF\0c", 2, 0, 0}, {3, "\xFF\0c", 1, 0xFF, 0}};
  for (const GetAtCase& c : cases) {
    int32_t err = 99;
    EXPECT_EQ(CLAGetAt(c.length, c.text, &err, c.position), c.byte) << c.position;
    EXPECT_EQ(err, c.code) << c.position;
  }
  EXPECT_EQ(CLAGetAt(3, "abc", nullptr, 2), 'b');
}

TEST(ClaNumbers, Searches) {
  const char* b = "banana";
  Check({{CLAFindChr(6, b, 'a', 3), 4},
         {CLAFindChr(6, b, 'x', 1), -1},
         {CLAFindChr(6, b, 'b', -5), 1},
         {CLAFindChr(6, b, 'a', 7), -1},
         {CLAFindChr(6, b, 'a', INT_MAX), -1},
         {CLAFindChr(0, nullptr, 'a', 1), -1},
         {CLAFindNCChr(4, "LAZY", 'z', 1), 3},
         {CLAFindNCChr(4, "lazy", 'Z', 1), 3},
         {CLAFindStr(6, b, 2, "na", 1), 3},
         {CLAFindStr(6, b, 2, "na", 4), 5},
         {CLAFindStr(6, b, 0, "", 2), 2},
         {CLAFindStr(6, b, 0, nullptr, 0), 1},
         {CLAFindStr(6, b, 0, "", 7), 7},
         {CLAFindStr(6, b, 0, "", 8), -1},
         {CLAFindStr(6, b, 3, "n\0x", 4), 5},
         {CLAFindStr(6, b, 2, "na", INT_MIN), 3},
         {CLAFindNCStr(6, b, 3, "ANA", 3), 4},
         {CLAFindNCStr(6, "BaNaNa", 3, "nan", 1), 3},
         {CLAFindOneOf(6, "abcdef", 2, "fb", 3), 6},
         {CLAFindOneOf(6, "abcdef", 2, "xy", 3), -1},
         {CLAFindOneOf(6, "abcdef", 2, "fb", 0), 2},
         {CLAFindOneOf(6, "abcdef", 0, "fb", 1), -1},
         {CLAFindOneOf(6, "abcdef", 2, "fb", 9), -1},
         {CLAReverseFind(6, b, 'a', 1), 6},
         {CLAReverseFind(6, b, 'a', 2), 4},
         {CLAReverseFind(6, b, 'a', -4), 6},
         {CLAReverseFind(6, b, 'b', 6), 1},
         {CLAReverseFind(6, b, 'b', 7), -1},
         {CLAReverseFind(6, b, 'a', INT_MAX), -1},
         {CLAReverseFind(6, b, 'x', 1), -1}});
}

TEST(ClaNumbers, Comparisons) {
  const char* t = "abcdef";
  Check({{CLACompareNC(5, "Hello", 5, "hello", 0), 0},
         {CLACompare(6, t, 2, "cd", 3), 0},
         {CLACompare(6, t, 2, "ef", -1), 0},
         {CLACompare(6, t, 2, "ef", INT_MIN), 0},
         {CLACompare(6, t, 6, "abcdef", 0), 0},
         {CLACompare(6, t, 2, "ab", 0), 1},
         {CLACompare(6, t, 2, "ab", 1), 0},
         {CLACompare(6, t, 2, "cd", 1), -1},
         {CLACompare(6, t, 2, "zz", 7), -1},
         {CLACompare(6, t, 3, "cd\0", 3), 0},
         {CLACompare(2,
                     "\xE9"
                     "a",
                     2, "a\xE9", 0),
          1},  // bytes compare unsigned
         {CLACompare(0, nullptr, 0, nullptr, 0), 0},
         {CLACompareNC(6, t, 2, "CD", 3), 0}});
  EXPECT_LT(CLACompareNC(3, "abc", 3, "ABD", 0), 0);
  EXPECT_GT(CLACompareNC(3, "abd", 3, "ABC", 0), 0);
}

TEST(ClaNumbers, CharacterUnitsFollowTheCodePage) {
  // "\xC3\xA9" is e acute in UTF-8 and two characters in 1252; a lone "\xE9" is a character
  // of its own in both, a letter only in 1252.
  Check({{CLAFindChr(5, "caf\xC3\xA9", 0xA9, 1), Is1252() ? 5 : -1},
         {CLAFindNCChr(4, "caf\xE9", 0xE9, 1), Is1252() ? -1 : 4},
         {CLAFieldCnt(4,
                      "a\xC3\xA9"
                      "b",
                      0xA9),
          Is1252() ? 2 : 1},
         {CLAReverseFind(4,
                         "a\xC3\xA9"
                         "b",
                         0xA9, 2),
          Is1252() ? 3 : -1},
         {CLACompareNC(5, "\xC3\xA9T\xC3\xA9", 5, "\xC3\x89T\xC3\x89", 0) == 0, !Is1252()}});
}

}  // namespace
