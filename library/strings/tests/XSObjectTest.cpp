#include "strings/XSObject.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "zqplatform/codepage.h"

namespace {

using namespace std::string_literals;

bool Is1252() { return GetACP() == CP_1252; }

// A text edited in place by one operation.
struct EditCase {
  std::string text;
  std::function<void(XSObject&)> edit;
  std::string expected;
};

void ExpectEdits(const std::vector<EditCase>& cases) {
  for (std::size_t i = 0; i < cases.size(); ++i) {
    XSObject s(cases[i].text);
    s.ToNul();  // the object remembers where the NUL is: every edit must forget or renew it
    cases[i].edit(s);
    EXPECT_EQ(s.Text(), cases[i].expected) << "case " << i << " on '" << cases[i].text << "'";
    EXPECT_EQ(s.ToNul(), std::string_view(s.Text()).substr(0, s.Text().find('\0'))) << "case " << i;
  }
}

TEST(XSObjectPieces, MidLeftRight) {
  XSObject s("abcdef");
  struct Case {
    std::string got;
    std::string expected;
  };
  for (const Case& c : {Case{s.Mid(2, 3), "cde"}, Case{s.Mid(-3, 2), "ab"}, Case{s.Mid(2, -1), ""},
                        Case{s.Mid(4, 100), "ef"}, Case{s.Mid(6, 1), ""}, Case{s.Mid(99), ""},
                        Case{s.Mid(3), "def"}, Case{s.Mid(-1), "abcdef"}, Case{s.Left(2), "ab"},
                        Case{s.Left(-1), ""}, Case{s.Left(50), "abcdef"}, Case{s.Right(2), "ef"},
                        Case{s.Right(-2), ""}, Case{s.Right(7), "abcdef"}}) {
    EXPECT_EQ(c.got, c.expected);
  }
}

TEST(XSObjectPieces, SpansStopAtNulAndClampTheStart) {
  XSObject s("aabbc\0aa"s);
  EXPECT_EQ(s.SpanIncluding("ab", 0), "aabb");
  EXPECT_EQ(s.SpanIncluding("ab", -5), "aabb");
  EXPECT_EQ(s.SpanIncluding("b", 2), "bb");
  EXPECT_EQ(s.SpanIncluding("abc", 0), "aabbc");
  EXPECT_EQ(s.SpanIncluding("ab", 40), "");
  EXPECT_EQ(s.SpanExcluding("c", 0), "aabb");
  EXPECT_EQ(s.SpanExcluding("x", 1), "abbc");
}

TEST(XSObjectEdits, InsertDeleteRemoveReplace) {
  ExpectEdits({
      {"abc", [](XSObject& s) { s.Insert(1, 'X'); }, "aXbc"},
      {"abc", [](XSObject& s) { s.Insert(-4, 'X'); }, "Xabc"},
      {"abc", [](XSObject& s) { s.Insert(9, 'X'); }, "abcX"},
      {"abc", [](XSObject& s) { s.Insert(1, "XY\0Z"s); }, "aXYbc"},
      {"abc", [](XSObject& s) { s.Insert(1, ""); }, "abc"},
      {"abcdef", [](XSObject& s) { s.Delete(1, 2); }, "adef"},
      {"abcdef", [](XSObject& s) { s.Delete(-2, 2); }, "cdef"},
      {"abcdef", [](XSObject& s) { s.Delete(4, 100); }, "abcd"},
      {"abcdef", [](XSObject& s) { s.Delete(2, -1); }, "abcdef"},
      {"abcdef", [](XSObject& s) { s.Delete(6, 1); }, "abcdef"},
      {"a,b,,c", [](XSObject& s) { s.Remove(','); }, "abc"},
      {"a,b,c", [](XSObject& s) { s.Replace(',', ';'); }, "a;b;c"},
  });
  XSObject s("banana");
  EXPECT_EQ(s.Remove('a'), 3);
  EXPECT_EQ(s.Replace('n', 'n'), 0);
  EXPECT_EQ(s.Replace('n', 'm'), 2);
  EXPECT_EQ(s.Insert(0, 'x'), 4);
}

TEST(XSObjectEdits, CaseReverseAndCapitals) {
  ExpectEdits({
      {"Hello World", [](XSObject& s) { s.MakeUpper(); }, "HELLO WORLD"},
      {"Hello World", [](XSObject& s) { s.MakeLower(); }, "hello world"},
      {"aBc1", [](XSObject& s) { s.InvertCase(); }, "AbC1"},
      {"abc", [](XSObject& s) { s.MakeReverse(); }, "cba"},
      {"hello  world", [](XSObject& s) { s.Capitalize(); }, "Hello  World"},
      {"\xE9" "bc", [](XSObject& s) { s.Capitalize(); }, "\xE9" "bc"},
      {"a\tb c", [](XSObject& s) { s.Capitalize(); }, "A\tb C"},
      {"hELLO", [](XSObject& s) { s.Capitalize(); }, "HELLO"},
  });
}

TEST(XSObjectEdits, CaseAndReverseByCharacters) {
  // e acute as UTF-8, then as its 1252 byte.
  XSObject upper("caf\xC3\xA9\xE9");
  upper.MakeUpper();
  XSObject reversed("a\xC3\xA9z");
  reversed.MakeReverse();
  XSObject inverted("\xC3\xA9x");
  inverted.InvertCase();
  if (Is1252()) {
    EXPECT_EQ(upper.Text(), "CAF\xC3\xA9\xC9");  // both bytes of the UTF-8 form stay
    EXPECT_EQ(reversed.Text(), "z\xA9\xC3" "a");
  } else {
    EXPECT_EQ(upper.Text(), "CAF\xC3\x89\xE9");
    EXPECT_EQ(reversed.Text(), "z\xC3\xA9" "a");
  }
  EXPECT_EQ(inverted.Text(), "\xC3\xA9X");  // only A to Z and a to z invert
}

TEST(XSObjectEdits, Trims) {
  ExpectEdits({
      {"xxaxx", [](XSObject& s) { s.TrimLeft('x'); }, "axx"},
      {"xxaxx", [](XSObject& s) { s.TrimRight('x'); }, "xxa"},
      {" \t\r\na b \n\v\f", [](XSObject& s) { s.TrimLeft(); }, "a b \n\v\f"},
      {" \t\r\na b \n\v\f", [](XSObject& s) { s.TrimRight(); }, " \t\r\na b"},
      {"-+a+-", [](XSObject& s) { s.TrimLeft("+-"); }, "a+-"},
      {"-+a+-", [](XSObject& s) { s.TrimRight("+-"); }, "-+a"},
      {"-+a+-", [](XSObject& s) { s.TrimRight(""); }, "-+a+-"},
      {"ab  \0cd"s, [](XSObject& s) { s.TrimRight(' '); }, "ab"},          // run ends at the NUL
      {"ab\0cd  "s, [](XSObject& s) { s.TrimRight(' '); }, "ab\0cd  "s},   // nothing before the NUL
      {"\0\0ab"s, [](XSObject& s) { s.TrimLeft('\0'); }, "\0\0ab"s},
      {"", [](XSObject& s) { s.TrimLeft('\0'); }, ""},
      {"xx", [](XSObject& s) { s.TrimLeft('x'); }, ""},
      {"  a   b  ", [](XSObject& s) { s.TrimAll(' '); }, "a b"},
      {"--a---b--", [](XSObject& s) { s.TrimAll('-'); }, "a-b"},
      {"---", [](XSObject& s) { s.TrimAll('-'); }, ""},
  });
}

TEST(XSObjectEdits, TrimsStepOverMultiByteCharacters) {
  // In UTF-8 the set's e acute is one unit: its bytes alone do not trim a different letter.
  XSObject s("\xC3\xA9\xC3\xA8x\xC3\xA9");
  s.TrimLeft("\xC3\xA9");
  XSObject t("x\xC3\xA9\xC3\xA9");
  t.TrimRight("\xC3\xA9");
  if (Is1252()) {
    EXPECT_EQ(s.Text(), "\xA8x\xC3\xA9");
    EXPECT_EQ(t.Text(), "x");
  } else {
    EXPECT_EQ(s.Text(), "\xC3\xA8x\xC3\xA9");
    EXPECT_EQ(t.Text(), "x");
  }
}

TEST(XSObjectEdits, ReplaceRange) {
  ExpectEdits({
      {"abc", [](XSObject& s) { s.ReplaceRange(10, 5, "xy"); }, "abcxy"},
      {"abc", [](XSObject& s) { s.ReplaceRange(1, 100, "Z"); }, "aZ"},
      {"abcdef", [](XSObject& s) { s.ReplaceRange(1, 2, "XYZ"); }, "aXYZdef"},
      {"abcdef", [](XSObject& s) { s.ReplaceRange(1, 2, ""); }, "adef"},
      {"abc", [](XSObject& s) { s.ReplaceRange(1, 0, "Q\0R"s); }, "aQbc"},
      {"abc", [](XSObject& s) { s.ReplaceRange(-3, -3, "Q"); }, "Qabc"},
  });
}

TEST(XSObjectEdits, ReplaceStr) {
  struct Case {
    std::string text;
    std::string find;
    std::string replacement;
    int32_t start;
    std::string expected;
    int32_t count;
  };
  const Case cases[] = {
      {"aaaa", "aa", "b", 0, "bb", 2},
      {"aaaa", "aa", "b", 1, "aba", 1},
      {"a.b.c", ".", "::", 0, "a::b::c", 2},
      {"a.b.c", ".", "", 0, "abc", 2},
      {"a.b.c", "", "x", 0, "a.b.c", 0},
      {"a.b.c", ".", "x", 5, "a.b.c", 0},
      {"a.b.c", ".", "x", -4, "axbxc", 2},
      {"ab\0ab"s, "ab", "X", 0, "X\0X"s, 2},              // the pass crosses NUL bytes
      {"abc", "b\0zz"s, "X\0Y"s, 0, "aXc", 1},            // both texts count to NUL
      {"abc", "x", "y", 0, "abc", 0},
  };
  for (const Case& c : cases) {
    XSObject s(c.text);
    EXPECT_EQ(s.ReplaceStr(c.find, c.replacement, c.start), c.count) << c.text << " " << c.find;
    EXPECT_EQ(s.Text(), c.expected) << c.text << " " << c.find;
  }
}

TEST(XSObjectEdits, ReplacementsNeverSplitACharacter) {
  // "\xC3" alone is part of e acute in UTF-8 and a letter of its own in 1252.
  XSObject s("caf\xC3\xA9 \xC3");
  int32_t n = s.ReplaceStr("\xC3", "A", 0);
  XSObject t("caf\xC3\xA9");
  int32_t m = t.Replace('\xC3', 'A');
  if (Is1252()) {
    EXPECT_EQ(n, 2);
    EXPECT_EQ(s.Text(), "cafA\xA9 A");
    EXPECT_EQ(m, 1);
  } else {
    EXPECT_EQ(n, 1);
    EXPECT_EQ(s.Text(), "caf\xC3\xA9 A");
    EXPECT_EQ(m, 0);
    EXPECT_EQ(t.Text(), "caf\xC3\xA9");
  }
}

TEST(XSObjectEdits, TextFormat) {
  ExpectEdits({
      {"aaa bbb ccc", [](XSObject& s) { s.TextFormat(5, '\n'); }, "aaa\nbbb\nccc"},
      {"abcdefgh ij", [](XSObject& s) { s.TextFormat(5, '\n'); }, "abcdefgh ij"},
      {"  aa   bb  ", [](XSObject& s) { s.TextFormat(20, '\n'); }, "aa bb"},
      {"aa bb cc dd", [](XSObject& s) { s.TextFormat(5, '|'); }, "aa bb|cc dd"},
      {"aa bbbbbbbb cc", [](XSObject& s) { s.TextFormat(4, '|'); }, "aa|bbbbbbbb cc"},
      {"aa bb", [](XSObject& s) { s.TextFormat(0, '|'); }, "aa bb"},
  });
}

TEST(XSObjectSearch, FindAndCount) {
  XSObject s("banana\0a"s);
  struct Case {
    int32_t got;
    int32_t expected;
  };
  for (const Case& c : {Case{s.Find('n', 0), 2}, Case{s.Find('n', 3), 4}, Case{s.Find('b', 1), -1},
                        Case{s.Find('a', -1), -1}, Case{s.Find('a', 8), -1},
                        Case{s.Find('a', 6), -1},  // past the NUL
                        Case{s.Find("an", 0), 1}, Case{s.Find("an", 2), 3}, Case{s.Find("na", 5), -1},
                        Case{s.Find("a", 8), -1}, Case{s.Find("a", 9), -1}, Case{s.Find("x", -1), -1},
                        Case{s.FindOneOf("nb", 0), 0}, Case{s.FindOneOf("nb", 1), 2},
                        Case{s.FindOneOf("xyz", 0), -1}, Case{s.FindOneOf("n", 5), -1},
                        Case{s.FindOneOf("a", 6), -1},  // the stretch from a NUL byte is empty
                        Case{s.FindOneOf("a", 7), 7}, Case{s.FindOneOf("a", 8), -1},
                        Case{s.CountChr('a', 0), 3}, Case{s.CountChr('a', 2), 2},
                        Case{s.CountChr('a', 6), 0}, Case{s.CountChr('a', -1), 0},
                        Case{s.CountItems('a'), 5}}) {
    EXPECT_EQ(c.got, c.expected);
  }
  EXPECT_EQ(XSObject().CountItems(','), 0);
}

TEST(XSObjectSearch, ReverseFindAndCount) {
  XSObject s("banana");
  struct Case {
    int32_t got;
    int32_t expected;
  };
  for (const Case& c : {Case{s.ReverseFindChr('a', -1, 0), 5}, Case{s.ReverseFindChr('a', 4, 0), 3},
                        Case{s.ReverseFindChr('a', 2, 1), 3}, Case{s.ReverseFindChr('a', 9, 0), 5},
                        Case{s.ReverseFindChr('a', 9, 1), -1}, Case{s.ReverseFindChr('b', 0, 0), 0},
                        Case{s.ReverseFindChr('x', -1, 0), -1}, Case{s.ReverseCount('a', 2), 1},
                        Case{s.ReverseCount('a', -1), 3}, Case{s.ReverseCount('b', 0), 1},
                        Case{s.ReverseCount('a', 0), 0}}) {
    EXPECT_EQ(c.got, c.expected);
  }
}

TEST(XSObjectSearch, SearchesNeverMatchInsideACharacter) {
  // 0xA9 is the second byte of e acute in UTF-8, a character of its own in 1252.
  XSObject s("\xC3\xA9\xA9");
  if (Is1252()) {
    EXPECT_EQ(s.Find('\xA9', 0), 1);
    EXPECT_EQ(s.CountChr('\xA9', 0), 2);
    EXPECT_EQ(s.ReverseFindChr('\xC3', -1, 0), 0);
  } else {
    EXPECT_EQ(s.Find('\xA9', 0), 2);
    EXPECT_EQ(s.CountChr('\xA9', 0), 1);
    EXPECT_EQ(s.ReverseFindChr('\xC3', -1, 0), -1);
    EXPECT_EQ(s.Find("\xC3", 0), -1);
    EXPECT_EQ(s.Find("\xC3\xA9", 0), 0);
  }
  XSObject marks("a\xFE" "b\xFD" "c");  // the library's delimiters are units in both code pages
  EXPECT_EQ(marks.Find('\xFD', 0), 3);
  EXPECT_EQ(marks.FindOneOf("\xFD\xFE", 0), 1);
}

TEST(XSObjectSearch, CompareModes) {
  XSObject s("abcdef");
  struct Case {
    std::string other;
    int32_t mode;
    int32_t expected;
  };
  for (const Case& c : {Case{"cd", 2, 0}, Case{"ef", -2, 0}, Case{"ab", -3, -1}, Case{"abcdef", -1, 0},
                        Case{"abcdeg", -1, -1}, Case{"abc", -1, 1}, Case{"ce", 2, -1},
                        Case{"de", -2, 1}, Case{"x", 9, -1}, Case{"abcdefgh", -2, -1},
                        Case{"ab\0zz"s, 0, 0}}) {
    EXPECT_EQ(s.Compare(c.other, c.mode), c.expected) << c.other << " " << c.mode;
  }
  EXPECT_EQ(XSObject("\xE9").Compare("a", -1), 1);  // unsigned bytes
  EXPECT_EQ(XSObject("abc").CompareNC("ABC", -1), 0);
  EXPECT_LT(XSObject("abc").CompareNC("ABD", -1), 0);
  EXPECT_EQ(XSObject("xxABc").CompareNC("abC", -2), 0);
  EXPECT_EQ(XSObject("abc").CompareNC("ABC", -5), -1);
  EXPECT_EQ(XSObject("\xC3\xA9t\xC3\xA9").CompareNC("\xC3\x89T\xC3\x89", -1) == 0, !Is1252());
}

TEST(XSObjectSearch, FindWord) {
  const std::string letters = "abcdefghijklmnopqrstuvwxyz";
  struct Case {
    std::string text;
    int32_t from;
    std::string word;
    int32_t position;
  };
  const Case cases[] = {
      {"{\\b x} \\par hello", 0, "hello", 12},
      {"word", 0, "word", 0},
      {"word", 2, "rd", 2},
      {"word", 4, "", -1},
      {"word", -3, "word", 0},
      {"12 ab", 0, "ab", 3},
      {"\\skip", 0, "", -1},
      {"{never", 0, "", -1},
      {"{a\nb}", 0, "b", 3},
      {"", 0, "", -1},
  };
  for (const Case& c : cases) {
    int32_t position = c.from;
    EXPECT_EQ(XSObject(c.text).FindWord(position, letters), c.word) << c.text;
    EXPECT_EQ(position, c.position) << c.text;
  }
}

TEST(XSObjectCodes, ToAnsi) {
  ExpectEdits({
      {"\xFF\xFE\x41\x00"s, [](XSObject& s) { s.ToAnsi(); }, "A"},
      {"\xFF\xFE\x41\x00\x3A\x04\x0A\x00"s, [](XSObject& s) { s.ToAnsi(); }, "A<043A>\n"},
      {"\xFF\xFE\x41\x00\x42"s, [](XSObject& s) { s.ToAnsi(); }, "\xFF\xFE\x41\x00\x42"s},
      {"\xFF\xFE\x41\x00\x00"s, [](XSObject& s) { s.ToAnsi(); }, "A"},  // the odd byte goes
      {"AB", [](XSObject& s) { s.ToAnsi(); }, "AB"},
  });
  EXPECT_EQ(ByteToHex(0x0A), "0A");
  EXPECT_EQ(ByteToHex(0xF3), "F3");
}

TEST(XSObjectCodes, Utf8AndAnsi) {
  XSObject utf8("caf\xC3\xA9\0tail"s);
  utf8.Utf8ToAnsi();
  XSObject ansi(Is1252() ? "caf\xE9" : "caf\xC3\xA9");
  ansi.AnsiToUtf8();
  EXPECT_EQ(utf8.Text(), Is1252() ? "caf\xE9" : "caf\xC3\xA9");  // read to NUL
  EXPECT_EQ(ansi.Text(), "caf\xC3\xA9");
  XSObject missing("\xE4\xB8\x80");
  missing.Utf8ToAnsi();
  EXPECT_EQ(missing.Text(), Is1252() ? "?" : "\xE4\xB8\x80");
  XSObject empty;
  empty.AnsiToUtf8();
  EXPECT_EQ(empty.Text(), "");
}

}  // namespace
