#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/CVantor.h"
#include "zqplatform/codepage.h"
#include "zqtest/HostCalls.h"
#include "zqvantor/strings.h"

namespace {

using zqtest::Len;
using zqtest::TakeBstr;
using namespace std::string_literals;

bool Is1252() { return GetACP() == CP_1252; }

// A registered string object for one test.
class XSExports : public ::testing::Test {
 protected:
  void SetUp() override { h = XSCreate(); ASSERT_GT(h, 0); }
  void TearDown() override { EXPECT_EQ(XSDestroy(h), 0); }

  void Set(const std::string& text) { ASSERT_EQ(XSSet(h, Len(text), text.data(), 0), 0); }
  std::string Get() {
    int32_t err = -1;
    std::string text = TakeBstr(XSGet(h, &err, 0, 0));
    EXPECT_EQ(err, 0);
    return text;
  }

  int32_t h = 0;
  int32_t err = 0;
};

TEST(XSLife, HandlesAndDestroy) {
  int32_t a = XSCreate();
  int32_t b = XSCreate();
  int32_t c = XSCreate();
  EXPECT_EQ(XSDestroy(b), 0);
  EXPECT_EQ(XSCreate(), b);  // the lowest free handle comes back
  for (int32_t handle : {a, b, c}) EXPECT_EQ(XSDestroy(handle), 0);
  EXPECT_EQ(XSDestroy(a), -3);
  EXPECT_EQ(XSDestroy(0), 0);
  EXPECT_EQ(XSDestroy(-1), -2);
  EXPECT_EQ(XSDestroy(65536), -2);
}

TEST(XSLife, TheRegistryHoldsAtMost65535Strings) {
  std::vector<int32_t> handles;
  for (int32_t h = XSCreate(); h > 0; h = XSCreate()) handles.push_back(h);
  EXPECT_EQ(handles.size(), 65535u);
  EXPECT_EQ(handles.back(), 65535);
  EXPECT_EQ(XSCreate(), -1);
  for (int32_t h : handles) XSDestroy(h);
}

TEST(XSLife, UnloadingDeletesEveryStringStillRegistered) {
  int32_t a = XSCreate();
  int32_t b = XSCreate();
  ASSERT_EQ(XSSet(a, 3, "abc", 0), 0);
  CVantor::App().ExitInstance();
  int32_t err = 0;
  EXPECT_EQ(TakeBstr(XSGet(a, &err, 0, 0)), "");
  EXPECT_EQ(err, -3);
  EXPECT_EQ(XSDestroy(b), -3);
}

TEST_F(XSExports, SetWithTheCountRule) {
  const char text[] = "abcdefghij";
  struct Case {
    int32_t length;
    const char* pointer;
    int32_t count;
    std::string expected;
  };
  for (const Case& c : {Case{10, text, 4, "abcd"}, Case{10, text, 0, "abcdefghij"},
                        Case{10, text, 12, "abcdefghij"}, Case{10, text, -3, "abcdefghij"},
                        Case{20, nullptr, 0, ""}, Case{-5, text, 0, ""}, Case{0, text, 3, ""}}) {
    EXPECT_EQ(XSSet(h, c.length, c.pointer, c.count), 0);
    EXPECT_EQ(Get(), c.expected) << c.length << " " << c.count;
  }
  EXPECT_EQ(XSCSet(h, "abcdef", 3), 0);
  EXPECT_EQ(Get(), "abc");
  EXPECT_EQ(XSCSet(h, nullptr, 0), 0);
  EXPECT_EQ(Get(), "");
  EXPECT_EQ(XSIsEmpty(h), 1);
  EXPECT_EQ(XSAppend(h, 5, "xy\0zw", 0), 0);
  EXPECT_EQ(Get(), "xy");
  EXPECT_EQ(XSAppend(h, 3, "abc", 2), 0);
  EXPECT_EQ(Get(), "xyab");
  EXPECT_EQ(XSGetLength(h), 4);
  EXPECT_EQ(XSIsEmpty(h), 0);
  EXPECT_EQ(XSEmpty(h), 0);
  EXPECT_EQ(XSGetLength(h), 0);
}

TEST_F(XSExports, GetAndPieces) {
  Set("abcdefg\0ij"s);
  struct Case {
    BSTR result;
    std::string expected;
  };
  for (const Case& c : {Case{XSGet(h, &err, 3, 100), "defg\0ij"s}, Case{XSGet(h, &err, 0, 4), "abcd"},
                        Case{XSGet(h, &err, 2, 0), "cdefg\0ij"s}, Case{XSGet(h, &err, 0, 0), "abcdefg\0ij"s},
                        Case{XSGet(h, &err, 1, 2), "bc"}, Case{XSGet(h, &err, -4, 0), "abcdefg\0ij"s},
                        Case{XSGet(h, &err, 40, 0), ""}, Case{XSGet(h, &err, 2, 0x7FFFFFFF), "cdefg\0ij"s},
                        Case{XSMid(h, &err, 2, 0), "cdefg\0ij"s}, Case{XSMid(h, &err, 2, 2), "cd"},
                        Case{XSLeft(h, &err, 3), "abc"}, Case{XSRight(h, &err, 2), "ij"},
                        Case{XSFromTo(h, &err, 1, 3), "bcd"}, Case{XSFromTo(h, &err, 3, 1), ""},
                        Case{XSSpanIncluding(h, &err, 3, "bac", 0), "abc"},
                        Case{XSSpanExcluding(h, &err, 1, "e", 1), "bcd"}}) {
    EXPECT_EQ(TakeBstr(c.result), c.expected);
  }
  EXPECT_EQ(err, 0);
}

TEST_F(XSExports, GetAtAndSetAt) {
  Set("abc");
  EXPECT_EQ(XSGetAt(h, &err, 2), 'c');
  EXPECT_EQ(err, 0);
  for (int32_t index : {3, -1, 1000}) {
    EXPECT_EQ(XSGetAt(h, &err, index), 0);
    EXPECT_EQ(err, -5);
    EXPECT_EQ(XSSetAt(h, index, 'x'), -5);
  }
  EXPECT_EQ(XSSetAt(h, 0, 0x158), 0);  // the low byte counts
  EXPECT_EQ(Get(), "Xbc");
}

TEST_F(XSExports, Edits) {
  Set("abc");
  EXPECT_EQ(XSInsertChr(h, 1, '-'), 4);
  EXPECT_EQ(XSInsertStr(h, 0, 4, "xy\0z", 0), 6);
  EXPECT_EQ(XSInsertStr(h, 0, 0, "q", 0), 6);
  EXPECT_EQ(Get(), "xya-bc");
  EXPECT_EQ(XSDelete(h, 0, 2), 4);
  EXPECT_EQ(XSDelChr(h, '-'), 1);
  EXPECT_EQ(XSReplaceChr(h, 'b', 'B'), 1);
  EXPECT_EQ(XSReplaceChr(h, 'c', 'c'), 0);
  EXPECT_EQ(XSReplace(h, 1, 1, 2, "XY"), 0);
  EXPECT_EQ(Get(), "aXYc");
  EXPECT_EQ(XSReplace(h, 9, 9, 1, "!"), 0);
  EXPECT_EQ(XSReplaceStr(h, 1, "X", 0, nullptr, 0), 1);
  EXPECT_EQ(Get(), "aYc!");
  EXPECT_EQ(XSMakeUpper(h), 0);
  EXPECT_EQ(XSMakeReverse(h), 0);
  EXPECT_EQ(Get(), "!CYA");
  EXPECT_EQ(XSMakeLower(h), 0);
  EXPECT_EQ(XSInvertCase(h), 0);
  EXPECT_EQ(Get(), "!CYA");
  Set("hello  world");
  EXPECT_EQ(XSCapitalize(h), 0);
  EXPECT_EQ(Get(), "Hello  World");
}

TEST_F(XSExports, Trims) {
  struct Case {
    std::string text;
    int32_t (*trim)(int32_t, int32_t);
    std::string expected;
  };
  for (const Case& c : {Case{"xxaxx", XSTrim, "a"}, Case{"xxaxx", XSTrimLeft, "axx"},
                        Case{"xxaxx", XSTrimRight, "xxa"}, Case{"xxaxxxa", XSTrimAll, "axa"}}) {
    Set(c.text);
    EXPECT_EQ(c.trim(h, 'x'), 0);
    EXPECT_EQ(Get(), c.expected) << c.text;
  }
  Set(" \ta\t ");
  EXPECT_EQ(XSTrimLeftN(h), 0);
  EXPECT_EQ(XSTrimRightN(h), 0);
  EXPECT_EQ(Get(), "a");
  Set("  +a+  ");
  EXPECT_EQ(XSTrimLeftM(h, 0, "+"), 0);  // an empty set means one blank
  EXPECT_EQ(XSTrimRightM(h, -1, nullptr), 0);
  EXPECT_EQ(Get(), "+a+");
  EXPECT_EQ(XSTrimLeftM(h, 1, "+"), 0);
  EXPECT_EQ(XSTrimRightM(h, 1, "+"), 0);
  EXPECT_EQ(Get(), "a");
}

TEST_F(XSExports, TextFormatAndItems) {
  Set("aaa bbb ccc");
  XSTextFormat(h, &err, 0, '\n');
  EXPECT_EQ(err, -8);
  EXPECT_EQ(Get(), "aaa bbb ccc");
  XSTextFormat(h, &err, 5, '\n');
  EXPECT_EQ(err, 0);
  EXPECT_EQ(Get(), "aaa\nbbb\nccc");
  XSTextFormat(h, nullptr, 5, '\n');

  Set("a,b,,c");
  EXPECT_EQ(XSItemCount(h, ','), 4);
  EXPECT_EQ(TakeBstr(XSGetSubString(h, &err, 2, ',')), "b");
  EXPECT_EQ(TakeBstr(XSSetSubString(h, &err, 1, "x", 3, ',')), "a,b,x,c");
  EXPECT_EQ(TakeBstr(XSInsSubString(h, &err, 1, "y", 1, ',')), "y,a,b,x,c");
  EXPECT_EQ(TakeBstr(XSDelSubString(h, &err, -1, ',')), "y,a,b,x");
  EXPECT_EQ(err, 0);
  Set("abc");
  EXPECT_EQ(XSItemCount(h, ','), 1);
  Set("");
  EXPECT_EQ(XSItemCount(h, ','), 0);
}

TEST_F(XSExports, Searches) {
  Set("LAZY dog, lazy");
  struct Case {
    int32_t got;
    int32_t expected;
  };
  for (const Case& c : {Case{XSFindChrNC(h, &err, 'z', 0), 2}, Case{XSFindChrNC(h, &err, 'Z', 0), 2},
                        Case{XSFindChr(h, &err, 'z', 0), 12}, Case{XSFindChr(h, &err, 'z', -1), -1},
                        Case{XSFindStr(h, &err, 0, "x", 0), 4}, Case{XSFindStr(h, &err, 3, "\0ab", 0), 4},
                        Case{XSFindStr(h, &err, 3, "azy", 0), 11}, Case{XSFindStr(h, &err, 1, "y", 14), -1},
                        Case{XSFindStr(h, &err, 1, "y", 15), -1}, Case{XSFindStrNC(h, &err, 3, "azy", 0), 1},
                        Case{XSFindOneOf(h, &err, 2, ",g", -3), 7}, Case{XSFindOneOf(h, &err, 0, "", 5), 9},
                        Case{XSReverseFind(h, &err, 'a', -1, 0), 11}, Case{XSCount(h, 'a', 0), 1},
                        Case{XSReverseCount(h, 'y', -1), 1}, Case{XSCompare(h, &err, 4, "LAZY", 0, 0), 0},
                        Case{XSCompare(h, &err, 4, "lazyX", -2, 4), 0},
                        Case{XSCompareNC(h, &err, 4, "laZy", 0, 0), 0}}) {
    EXPECT_EQ(c.got, c.expected);
  }
  EXPECT_EQ(err, 0);
  Set("caf\xE9 CAF\xC9");  // accented letters are searched as they are
  EXPECT_EQ(XSFindChrNC(h, &err, 0xE9, 0), Is1252() ? -1 : 3);
  int32_t position = 0;
  Set("{\\b x} \\par hello");
  EXPECT_EQ(TakeBstr(XSFindWord(h, &err, &position, "abcdefghijklmnopqrstuvwxyz")), "hello");
  EXPECT_EQ(position, 12);
  EXPECT_EQ(TakeBstr(XSFindWord(h, &err, &position, nullptr)), "");
  EXPECT_EQ(position, -1);
}

TEST(XSBadHandle, EveryGroupAnswersItsWay) {
  int32_t err = 0;
  for (int32_t bad : {0, -1, 65536, 4000}) {
    int32_t code = bad == 4000 ? -3 : -2;
    EXPECT_EQ(XSSet(bad, 1, "a", 0), code);
    EXPECT_EQ(XSGetLength(bad), code);
    EXPECT_EQ(XSItemCount(bad, ','), code);
    EXPECT_EQ(XSTrimLeftN(bad), code);
    for (BSTR result : {XSGet(bad, &err, 0, 0), XSMid(bad, &err, 0, 1), XSMultiToWide(bad, &err),
                        XSDelSubString(bad, &err, 1, ',')}) {
      EXPECT_EQ(TakeBstr(result), "");
      EXPECT_EQ(err, code);
    }
    for (int32_t result : {XSCompare(bad, &err, 1, "a", -1, 0), XSFindChr(bad, &err, 'a', 0),
                           XSFindStrNC(bad, &err, 1, "a", 0), XSReverseFind(bad, &err, 'a', -1, 0)}) {
      EXPECT_EQ(result, -99);
      EXPECT_EQ(err, code);
    }
    err = 0;
    EXPECT_EQ(XSGetAt(bad, &err, 0), 0);
    EXPECT_EQ(err, code);
    XSTextFormat(bad, &err, 5, '\n');
    EXPECT_EQ(err, code);
    int32_t position = 3;
    EXPECT_EQ(TakeBstr(XSFindWord(bad, &err, &position, "a")), "");
    EXPECT_EQ(position, -2);
    EXPECT_EQ(XSReplaceStr(bad, 1, nullptr, 1, "b", 0), -7);
  }
  XSTextFormat(4000, &err, 0, '\n');
  EXPECT_EQ(err, -8);
}

TEST_F(XSExports, EveryByteSurvivesTheTripToTheHost) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  Set(all);
  EXPECT_EQ(XSGetLength(h), 255);
  EXPECT_EQ(Get(), all);
  for (int b = 1; b < 256; ++b) {
    std::string one(1, static_cast<char>(b));
    Set(one);
    BSTR result = XSGet(h, &err, 0, 0);
    ASSERT_EQ(SysStringLen(result), 1u) << b;
    // A byte outside UTF-8 travels as a lone low surrogate; in 1252 every byte has its unit.
    char16_t unit = Is1252() ? zq::text::ToWide(one, CP_1252)[0] : char16_t(b < 0x80 ? b : 0xDC00 + b);
    EXPECT_EQ(result[0], unit) << b;
    char back[4] = {};
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, result, 1, back, sizeof back, nullptr, nullptr), 1) << b;
    EXPECT_EQ(back[0], one[0]) << b;
    SysFreeString(result);
  }
}

TEST_F(XSExports, ConversionsForTheHost) {
  // After the conversion to UTF-8 the host gets one character per UTF-8 byte back.
  Set(Is1252() ? "caf\xE9" : "caf\xC3\xA9");
  EXPECT_EQ(TakeBstr(XSWideToMulti(h, &err)), "caf\xC3\xA9");
  EXPECT_EQ(TakeBstr(XSMultiToWide(h, &err)), Is1252() ? "caf\xE9" : "caf\xC3\xA9");
  Set("\xFF\xFE\x41\x00"s);
  EXPECT_EQ(XSToAnsi(h), 0);
  EXPECT_EQ(Get(), "A");
}

}  // namespace
