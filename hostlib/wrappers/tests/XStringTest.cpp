#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "hostlib/Wrappers.h"

namespace {

constexpr char kFB = static_cast<char>(0xFB);

TEST(XString, SetKeepsTheLengthPassedAndStatusInInterror) {
  XSTRING s;
  EXPECT_EQ(s.SET("abc   ", 0), 0);  // a padded buffer arrives with its blanks
  EXPECT_EQ(s.GETLENGTH(), 6);
  EXPECT_EQ(s.INTERROR, 0);
  EXPECT_EQ(s.SET("abcdef", 3), 0);
  EXPECT_EQ(s.GET(0, 0), "abc");
  char buffer[8] = "xy";
  EXPECT_EQ(s.SET(CStringArg{buffer}, 0), 0);
  EXPECT_EQ(s.GET(0, 0), "xy");
  EXPECT_EQ(s.APPEND("zz", 0), 0);
  EXPECT_EQ(s.GET(0, 0), "xyzz");
  EXPECT_EQ(s.INTERROR, 0);
}

TEST(XString, TextMethodsKeepTheLibraryCodeThroughTheOutParameter) {
  XSTRING s;
  s.SET("Hello World", 0);
  EXPECT_EQ(s.GET(0, 0), "Hello World");
  EXPECT_EQ(s.MID(0, 2), "He");
  EXPECT_EQ(s.MID(6, 0), "World");
  EXPECT_EQ(s.FROMTO(1, 3), "ell");
  EXPECT_EQ(s.INTERROR, 0);
  EXPECT_EQ(s.GETAT(4), "o");
  EXPECT_EQ(s.INTERROR, 0);
  EXPECT_EQ(s.GETAT(11), "");  // outside the text
  EXPECT_EQ(s.INTERROR, -5);
  EXPECT_EQ(s.GETAT(-1), "");
  EXPECT_EQ(s.INTERROR, -5);
  EXPECT_EQ(s.GET(0, 0), "Hello World");  // a success clears the code again
  EXPECT_EQ(s.INTERROR, 0);
}

TEST(XString, EditsReturnValueOrStatus) {
  XSTRING s;
  s.SET("xa-b-a", 0);
  EXPECT_EQ(s.DELETE(0, 1), 5);  // the new length
  EXPECT_EQ(s.INTERROR, 0);
  EXPECT_EQ(s.GET(0, 0), "a-b-a");
  EXPECT_EQ(s.REPLACESTR("a", "AA", 0), 2);  // the number of replacements
  EXPECT_EQ(s.INTERROR, 0);
  EXPECT_EQ(s.GET(0, 0), "AA-b-AA");
  EXPECT_EQ(s.REPLACESTR("-"), 2);  // an omitted replacement removes
  EXPECT_EQ(s.GET(0, 0), "AAbAA");
  EXPECT_EQ(s.MAKEUPPER(), 0);
  EXPECT_EQ(s.GET(0, 0), "AABAA");
  EXPECT_EQ(s.REPLACESTR("", "x"), 0);  // an empty find text is a text, not a null one
  EXPECT_EQ(s.INTERROR, 0);
  EXPECT_EQ(s.TRIM("A"), 0);
  EXPECT_EQ(s.GET(0, 0), "B");
  s.SET("  pad  ", 0);
  EXPECT_EQ(s.TRIM(), 0);
  EXPECT_EQ(s.GET(0, 0), "pad");
}

TEST(XString, SearchesAndComparisons) {
  XSTRING s;
  s.SET("Alpha beta Gamma", 0);
  EXPECT_EQ(s.FINDCHR("b", 0), 6);
  EXPECT_EQ(s.FINDCHR("", 0), 5);  // the default is a blank
  EXPECT_EQ(s.FINDCHRNC("G", 0), 11);
  EXPECT_EQ(s.FINDCHRNC("g", 0), 11);
  EXPECT_EQ(s.FINDSTRNC("BETA", 0), 6);
  EXPECT_EQ(s.INTERROR, 0);
  EXPECT_EQ(s.FINDSTRNC("delta", 0), -1);  // nothing found
  EXPECT_EQ(s.REVERSEFIND("a", 0, 1), 15);
  EXPECT_EQ(s.COMPARENC("ALPHA BETA GAMMA", -1, 0), 0);
  EXPECT_EQ(s.INTERROR, 0);
  EXPECT_NE(s.COMPARENC("alpha", -1, 0), 0);
  EXPECT_EQ(s.COMPARENC("GAMMA", -2, 0), 0);  // the end of the text
}

TEST(XString, ItemsSplitAtTheFirstCharacterOfTheDelimiterOr0xFB) {
  XSTRING s;
  const std::string fb = std::string("one") + kFB + "two" + kFB + "three";
  s.SET(fb, 0);
  EXPECT_EQ(s.ITEMCNT(), 3);
  EXPECT_EQ(s.ITEMGET(3), "three");
  EXPECT_EQ(s.ITEMGET(3, " "), "three");  // all blanks: the default
  EXPECT_EQ(s.INTERROR, 0);
  s.SET("a|b|c", 0);
  EXPECT_EQ(s.ITEMCNT("|"), 3);
  EXPECT_EQ(s.ITEMGET(2, "|"), "b");
  EXPECT_EQ(s.ITEMGET(2, "|x"), "b");  // only the first character counts
  EXPECT_EQ(s.ITEMDEL(2, "|"), "a|c");
  EXPECT_EQ(s.GET(0, 0), "a|c");
}

TEST(XString, Utf8ConversionsInPlace) {
  XSTRING s;
  s.SET("caf\xC3\xA9", 0);
  const std::string wide = s.MTOW();
  EXPECT_EQ(s.INTERROR, 0);
  EXPECT_EQ(s.GET(0, 0), wide);
  EXPECT_EQ(s.WTOM(), "caf\xC3\xA9");
  EXPECT_EQ(s.INTERROR, 0);
}

TEST(XString, BytesAbove0x7FSurviveTheLibraryString) {
  XSTRING s;
  std::string all;
  for (int c = 0x80; c <= 0xFF; ++c) all += static_cast<char>(c);
  s.SET(all, 0);
  EXPECT_EQ(s.GET(0, 0), all);
  EXPECT_EQ(s.GETAT(0x7F), "\xFF");
}

}  // namespace
