#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "ClaTestText.h"
#include "zqvantor/cla.h"

using namespace cla_test;
using namespace std::string_literals;

namespace {

struct Case {
  BSTR result;
  std::string expected;
};

void Check(std::initializer_list<Case> cases) {
  int i = 0;
  for (const Case& c : cases) EXPECT_EQ(TakeBstr(c.result), c.expected) << "case " << i++;
}

TEST(ClaTexts, Pieces) {
  const char* t = "abcdef";
  Check({{CLASub(6, t, 2, 3), "bcd"},
         {CLASub(6, t, 2, 0), "bcdef"},
         {CLASub(6, t, -1, 2), "ef"},
         {CLASub(6, t, 0, 2), "ab"},
         {CLASub(6, t, -7, 2), "ab"},
         {CLASub(6, t, 4, -3), "def"},
         {CLASub(6, t, 5, 100), "ef"},
         {CLASub(6, t, 7, 1), ""},
         {CLASub(6, t, INT_MAX, INT_MAX), ""},
         {CLASub(6, t, -1, 100), "abcdef"},
         {CLASub(3, t, 1, 0), "abc"},
         {CLASub(20, nullptr, 1, 3), ""},
         {CLASub(-4, t, 1, 3), ""},
         {CLASpanIncluding(6, "aabxab", 2, "ab"), "aab"},
         {CLASpanExcluding(6, "abc;de", 2, ";,"), "abc"},
         {CLASpanIncluding(6, t, 0, "ab"), ""}});
}

TEST(ClaTexts, Items) {
  Check({{CLAGetSubString(4, "a,,c", 1, ','), "a"},
         {CLAGetSubString(4, "a,,c", 2, ','), ""},
         {CLAGetSubString(4, "a,,c", 3, ','), "c"},
         {CLAGetSubString(4, "a,,c", 4, ','), ""},
         {CLAGetSubString(4, "a,,c", 0, ','), "a,,c"},
         {CLAGetSubString(4, "a,,c", -1, ','), ""},
         {CLAGetSubString(3, "a;b", 2, 0x13B), "b"},  // the low byte counts
         {CLASetSubString(5, "a,b,c", 1, "x", 2, ','), "a,x,c"},
         {CLASetSubString(1, "a", 1, "x", 3, ','), "a,,x"},
         {CLASetSubString(3, "a|b", 1, "x", -1, '|'), "a|b;x"},
         {CLAInsSubString(3, "a,b", 1, "x", 2, ','), "a,x,b"},
         {CLAInsSubString(0, nullptr, 1, "x", 1, ','), "x"},
         {CLAInsSubString(3, "a,b", 1, "x", 0, ','), "a,b"},
         {CLADelSubString(5, "a,b,c", 2, ','), "a,c"},
         {CLADelSubString(5, "a,b,c", -1, ','), "a,b"},
         {CLADelSubString(5, "a,b,c", 0, ','), ""},
         {CLADelSubString(5, "a,b,c", 5, ','), "a,b,c"}});
}

TEST(ClaTexts, Edits) {
  const char* t = "abcdef";
  Check({{CLADelete(6, t, 3, -1), "ab"},
         {CLADelete(6, t, 3, -5), "abdef"},
         {CLADelete(6, t, 3, 2), "abef"},
         {CLADelete(6, t, 0, 1), "bcdef"},
         {CLADelete(6, t, 9, 2), "abcdef"},
         {CLADelete(6, t, 5, INT_MAX), "abcd"},
         {CLAInsertChr(3, "abc", 2, '-'), "a-bc"},
         {CLAInsertChr(3, "abc", 99, '!'), "abc!"},
         {CLAInsertChr(3, "abc", -5, '>'), ">abc"},
         {CLAInsertStr(3, "abc", 3, 4, "xy\0z"), "abxyc"},
         {CLAInsertStr(3, "abc", 1, 0, "xy"), "abc"},
         {CLARemoveChr(7, "a-b-c--", '-'), "abc"},
         {CLAReplaceChr(5, "a.b.c", '.', '/'), "a/b/c"},
         {CLAReplace(6, t, 2, 3, 2, "XY"), "aXYef"},
         {CLAReplace(3, "abc", 10, 5, 2, "xy"), "abcxy"},
         {CLAReplace(3, "abc", 2, 100, 1, "Z"), "aZ"},
         {CLAReplace(3, "abc", 2, -4, 1, "Z"), "aZbc"},
         {CLAReplaceStr(4, "aaaa", 2, "aa", 1, "b"), "bb"},
         {CLAReplaceStr(9, "a.b.c.d.e", 1, ".", 0, nullptr), "abcde"},
         {CLAReplaceStr(3, "abc", 0, "", 1, "x"), "abc"},
         {CLAMakeReverse(3, "abc"), "cba"},
         {CLAInvertCase(6, "aBc1Dz"), "AbC1dZ"},
         {CLACapitalize(12, "hello  world"), "Hello  World"},
         {CLATextFormat(11, "aaa bbb ccc", 5, '\n'), "aaa\nbbb\nccc"},
         {CLATextFormat(11, "aaa bbb ccc", 0, '\n'), "aaa bbb ccc"},
         {CLATextFormat(11, "aaa bbb ccc", -3, '\n'), "aaa bbb ccc"},
         {CLATextFormat(11, "abcdefgh ij", 5, '\n'), "abcdefgh ij"},
         {CLATextFormat(11, "aaa bbb ccc", INT_MAX, '\n'), "aaa bbb ccc"}});
}

TEST(ClaTexts, Trims) {
  Check({{CLATrim(7, "xxabcxx", 'x'), "abc"},
         {CLATrimLeft(7, "xxabcxx", 'x'), "abcxx"},
         {CLATrimRight(7, "xxabcxx", 'x'), "xxabc"},
         {CLATrim(6, "  ab  ", ' '), "ab"},
         {CLATrimLeftTab(7, " \t\nab\r "), "ab\r "},
         {CLATrimRightTab(7, " \t\nab\r "), " \t\nab"},
         {CLATrimM(7, "xxabcyx", 2, "xy"), "abc"},
         {CLATrimM(7, "xxabcyx", 0, "xy"), "xxabcyx"},
         {CLATrimM(7, "xxabcyx", 5, nullptr), "xxabcyx"},
         {CLATrimLeftMulti(7, "xyabcyx", 2, "yx"), "abcyx"},
         {CLATrimRightMulti(7, "xyabcyx", 2, "yx"), "xyabc"},
         {CLATrimAll(9, "--a---b--", '-'), "a-b"},
         {CLATrimAll(3, "---", '-'), ""},
         {CLATrimNull(5, " 007 "), "007"},
         {CLATrimNull(3, "000"), ""},
         {CLATrimNull(5, " 0.0 "), "0.0"},
         {CLATrimNull(3, "   "), ""},
         {CLATrimNull(0, nullptr), ""},
         {CLATrimNull(4, " 10 "), "10"}});
}

TEST(ClaTexts, FindWord) {
  const std::string rtf = "{\\b x} \\par hello";
  const std::string letters = "abcdefghijklmnopqrstuvwxyz";
  struct WordCase {
    std::string text;
    const char* pointer;  // the text's pointer, or null
    std::string set;
    int32_t from, word_at;
    std::string word;
  };
  const WordCase cases[] = {{rtf, rtf.data(), letters, 0, 12, "hello"},
                            {"word", "word", letters, 0, 0, "word"},
                            {"ab cd", "ab cd", letters, 1, 1, "b"},
                            {"ab cd", "ab cd", letters, 9, -1, ""},
                            {"", "", letters, 0, -1, ""},
                            {"abc", nullptr, letters, 0, -1, ""},
                            {"abc", "abc", "", 0, -1, ""}};
  for (const WordCase& c : cases) {
    int32_t position = c.from;
    EXPECT_EQ(TakeBstr(CLAFindWord(Len(c.text), c.pointer, &position, Len(c.set), c.set.data())), c.word)
        << c.text;
    EXPECT_EQ(position, c.word_at) << c.text;
  }
  EXPECT_EQ(TakeBstr(CLAFindWord(4, "word", nullptr, 1, "o")), "o");
}

TEST(ClaTexts, TheHostsTextIsCopiedWholeAndLeftAlone) {
  char text[] = "ab\0cd  ";
  EXPECT_EQ(TakeBstr(CLAReplaceChr(7, text, 'c', 'X')), "ab\0Xd  "s);
  EXPECT_EQ(TakeBstr(CLATrimRight(7, text, ' ')), "ab\0cd  "s);  // the trim reads to NUL
  EXPECT_EQ(std::string(text, 7), "ab\0cd  "s);
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(TakeBstr(CLASub(Len(all), all.data(), 1, 0)), all);
}

TEST(ClaTexts, CharacterUnitsFollowTheCodePage) {
  // "\xC3\xA9" is e acute in UTF-8 and two characters in 1252.
  Check({{CLAMakeReverse(3, "a\xC3\xA9"), Is1252() ? "\xA9\xC3"
                                                     "a"
                                                   : "\xC3\xA9"
                                                     "a"},
         {CLATrimM(7,
                   "\xC3\xA9"
                   "abc\xC3\xA9",
                   1, "\xC3"),
          Is1252() ? "\xA9"
                     "abc\xC3\xA9"
                   : "\xC3\xA9"
                     "abc\xC3\xA9"},
         {CLARemoveChr(4,
                       "a\xC3\xA9"
                       "b",
                       0xC3),
          Is1252() ? "a\xA9"
                     "b"
                   : "ab"},
         {CLAReplaceChr(4,
                        "a\xC3\xA9"
                        "b",
                        0xA9, 'x'),
          Is1252() ? "a\xC3xb"
                   : "a\xC3\xA9"
                     "b"}});
}

}  // namespace
