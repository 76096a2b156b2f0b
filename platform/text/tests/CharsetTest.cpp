#include <gtest/gtest.h>

#include <span>
#include <string_view>
#include <string>

#include "zqplatform/charset.h"
#include "zqplatform/codepage.h"

namespace {

using namespace zq::text;

bool Is1252() { return GetACP() == CP_1252; }

std::string Upper(std::string s) {
  MakeUpper(s.data(), s.size());
  return s;
}

std::string Lower(std::string s) {
  MakeLower(s.data(), s.size());
  return s;
}

TEST(Charset, CharacterUnits) {
  EXPECT_EQ(IsSingleByteCodePage(), Is1252());
  // "a", e-acute (2), euro (3), a stray trail byte, 0xFE, a cut-short lead, "z".
  const std::string text = "a\xC3\xA9\xE2\x82\xAC\x80\xFE\xC3z";
  struct Case {
    std::size_t pos;
    std::size_t utf8Len;
  };
  for (Case c : {Case{0, 1}, Case{1, 2}, Case{3, 3}, Case{6, 1}, Case{7, 1}, Case{8, 1}, Case{9, 1},
                 Case{10, 0}}) {
    std::size_t want = Is1252() ? (c.pos < text.size() ? 1 : 0) : c.utf8Len;
    EXPECT_EQ(CharLen(text, c.pos), want) << c.pos;
    EXPECT_EQ(IsLeadByte(text, c.pos), want > 1) << c.pos;
  }
  struct Prev {
    std::size_t pos;
    std::size_t utf8Prev;
    bool utf8Start;
  };
  for (Prev c : {Prev{0, 0, true}, Prev{1, 0, true}, Prev{2, 1, false}, Prev{3, 1, true},
                 Prev{5, 3, false}, Prev{6, 3, true}, Prev{7, 6, true}, Prev{10, 9, true}}) {
    EXPECT_EQ(CharPrev(text, c.pos), Is1252() ? (c.pos ? c.pos - 1 : 0) : c.utf8Prev) << c.pos;
    EXPECT_EQ(IsCharStart(text, c.pos), Is1252() || c.utf8Start) << c.pos;
  }
  EXPECT_TRUE(IsSingleUnit(text, 6));   // a stray trail byte is a unit of its own
  EXPECT_EQ(IsSingleUnit(text, 2), Is1252());
}

TEST(Charset, CaseByTheCodePageTables) {
  struct Case {
    std::string text;
    std::string upper;
    std::string lower;
  };
  const Case cp1252[] = {
      {"abcXYZ", "ABCXYZ", "abcxyz"},
      {"\xE9\xC9", "\xC9\xC9", "\xE9\xE9"},
      {"\xFF\x9F", "\x9F\x9F", "\xFF\xFF"},
      {"\x9A\x9C\x9E", "\x8A\x8C\x8E", "\x9A\x9C\x9E"},
      {"\xF7\xD7\xDF\xB5", "\xF7\xD7\xDF\xB5", "\xF7\xD7\xDF\xB5"},
  };
  const Case utf8[] = {
      {"abcXYZ", "ABCXYZ", "abcxyz"},
      {"\xC3\xA9\xC3\x89", "\xC3\x89\xC3\x89", "\xC3\xA9\xC3\xA9"},           // e acute
      {"\xD0\xB0\xCE\xB1", "\xD0\x90\xCE\x91", "\xD0\xB0\xCE\xB1"},           // Cyrillic, Greek a
      {"\xC3\xBF", "\xC5\xB8", "\xC3\xBF"},                                   // y diaeresis
      {"\xC4\xB1\xC5\xBF", "\xC4\xB1\xC5\xBF", "\xC4\xB1\xC5\xBF"},           // dotless i, long s
      {"a\xFE\xE9z", "A\xFE\xE9Z", "a\xFE\xE9z"},                             // stray bytes stay
  };
  for (const Case& c : Is1252() ? std::span<const Case>(cp1252) : std::span<const Case>(utf8)) {
    EXPECT_EQ(Upper(c.text), c.upper) << c.text;
    EXPECT_EQ(Lower(c.text), c.lower) << c.text;
  }
}

TEST(Charset, CaseBlindComparison) {
  EXPECT_EQ(CompareNoCase("Hello", "hELLO"), 0);
  EXPECT_LT(CompareNoCase("abc", "ABD"), 0);
  EXPECT_GT(CompareNoCase("abcd", "ABC"), 0);
  EXPECT_LT(CompareNoCase("_", "A"), 0);  // A folds onto a, which sorts after _
  EXPECT_EQ(CompareNoCase("", ""), 0);
  if (Is1252()) {
    EXPECT_NE(CompareNoCase("\xE9", "\xC9"), 0);  // only A to Z fold
  } else {
    EXPECT_EQ(CompareNoCase("caf\xC3\xA9", "CAF\xC3\x89"), 0);
    EXPECT_GT(CompareNoCase("\xC3\xA9", "z"), 0);
  }
}

TEST(Charset, Utf8Validity) {
  struct Case {
    std::string_view bytes;
    bool valid;
  } cases[] = {{"", true},
               {"plain", true},
               {"stra\xC3\x9F" "e", true},
               {"\xF0\x9F\x98\x80", true},
               {"\xEF\xBB\xBF", true},
               {"\xF4\x8F\xBF\xBF", true},
               {std::string_view("a\0b", 3), true},
               {"\xC3", false},
               {"\xFF", false},
               {"\xFE", false},
               {"\x80", false},
               {"\xC0\xAF", false},
               {"\xE0\x80\xAF", false},
               {"\xED\xA0\x80", false},
               {"\xF0\x9F\x98", false},
               {"\xF4\x90\x80\x80", false},
               {"\xC3\x28", false}};
  for (const Case& k : cases) EXPECT_EQ(IsValidUtf8(k.bytes), k.valid) << k.bytes;
}

}  // namespace
