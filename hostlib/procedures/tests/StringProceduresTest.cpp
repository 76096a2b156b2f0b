#include <gtest/gtest.h>

#include <string>

#include "ZQ_Vantor.h"
#include "hostlib/Procedures.h"
#include "zqplatform/codepage.h"

namespace {

const std::string kFB(1, static_cast<char>(0xFB));

TEST(StringProcedures, FixGivesTheTextAndReleasesTheLibraryString) {
  EXPECT_EQ(FIX(zq::text::AllocBstr(std::string_view("a\0b\xFE", 4))), std::string("a\0b\xFE", 4));
  EXPECT_EQ(FIX(nullptr), "");
}

TEST(StringProcedures, ItemsByDelimiter) {
  struct Case {
    std::string text;
    int32_t n;
    std::string delimiter;
    std::string item;
    int32_t count;
  } cases[] = {
      {"one" + kFB + "two" + kFB + "three", 2, "", "two", 3},
      {"one" + kFB + "two", 2, "   ", "two", 2},  // all blanks: 0xFB
      {"a|b|c", 2, "|", "b", 3},
      {"a|b|c", 3, "|;", "c", 3},  // the first character only
      {"a|b|c", 4, "|", "", 3},
      {"a|b|c", 2, "", "", 1},  // no 0xFB: one item
      {"", 1, "|", "", 0},
      {"  a|b  ", 1, "|", "  a", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " / " + c.delimiter);
    EXPECT_EQ(GETITEM(c.text, c.n, c.delimiter), c.item);
    EXPECT_EQ(CNTITEM(c.text, c.delimiter), c.count);
  }
  EXPECT_EQ(GETITEM("x" + kFB + "y", 1), "x");
  EXPECT_EQ(CNTITEM("x" + kFB + "y"), 2);
}

TEST(StringProcedures, LengthsAndComparisons) {
  EXPECT_EQ(TLEN("abc   "), 3);
  EXPECT_EQ(TLEN("  abc"), 5);
  EXPECT_EQ(TLEN("     "), 0);
  EXPECT_EQ(TLEN(""), 0);
  EXPECT_EQ(COMPARENC("Hello", "HELLO", 0), 0);
  EXPECT_NE(COMPARENC("Hello", "World", 0), 0);
  EXPECT_EQ(COMPARENC("Movie.MKV", ".mkv", -1), 0);  // the end of the text
  EXPECT_EQ(COMPARENC("Movie.MKV", "MOV", 1), 0);    // from position 1
}

TEST(StringProcedures, TrimAndSwap) {
  struct Trim {
    std::string text, characters, trimmed;
  } trims[] = {
      {"  abc  ", "", "abc"},
      {"  abc  ", " ", "abc"},
      {"xxabcxx", "x", "abc"},
      {"..\\dir\\..", ".\\", "dir"},
      {"  .dir. ", ". ", "dir"},  // a blank at the set's end belongs to the set
      {"", "", ""},
  };
  for (const Trim& t : trims) EXPECT_EQ(TRIM(t.text, t.characters), t.trimmed) << t.text;
  EXPECT_EQ(SWAP("C:\\a\\b", "\\", "/"), "C:/a/b");
  EXPECT_EQ(SWAP("xabyabz", "ab"), "xyz");
  EXPECT_EQ(SWAP("xabyabz", "ab", "-"), "x-y-z");
  EXPECT_EQ(SWAP("a.b", ".", ""), "ab");
  EXPECT_EQ(SWAP("abc", "", "x"), "abc");
}

TEST(StringProcedures, MidAndGetAtCountFromOne) {
  EXPECT_EQ(MID("Hello World", 7, 5), "World");
  EXPECT_EQ(MID("Hello World", 1, 0), "Hello World");
  EXPECT_EQ(MID("Hello", 9, 2), "");
  EXPECT_EQ(GETAT("Hello", 1), "H");
  EXPECT_EQ(GETAT("Hello", 5), "o");
  EXPECT_EQ(GETAT("Hello", 0), "");
  EXPECT_EQ(GETAT("Hello", 6), "");
  EXPECT_EQ(GETAT("", 1), "");
  EXPECT_EQ(GETAT("\xFF", 1), "\xFF");
}

}  // namespace
