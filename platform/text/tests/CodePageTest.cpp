#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "zqplatform/codepage.h"

namespace {

using zq::text::FromBstr;
using zq::text::ToMulti;
using zq::text::ToWide;

bool Is1252() { return GetACP() == CP_1252; }

std::string AllBytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
  return bytes;
}

TEST(CodePage, AnsiCodePageComesFromTheEnvironment) {
  const char* chosen = std::getenv("ZQ_ACP");
  bool want1252 = chosen && std::string(chosen) == "1252";
  EXPECT_EQ(GetACP(), want1252 ? CP_1252 : CP_UTF8);
  EXPECT_EQ(zq::text::Resolve(CP_ACP), GetACP());
  EXPECT_EQ(zq::text::Resolve(CP_THREAD_ACP), GetACP());
}

TEST(CodePage, EveryByteSurvivesTheTripThroughUtf16) {
  for (uint32_t cp : {CP_1252, CP_UTF8}) {
    for (int b = 0; b < 256; ++b) {
      std::string one(1, static_cast<char>(b));
      std::u16string wide = ToWide(one, cp);
      ASSERT_EQ(wide.size(), 1u) << cp << " " << b;
      EXPECT_EQ(ToMulti(wide, cp), one) << cp << " " << b;
    }
    EXPECT_EQ(ToMulti(ToWide(AllBytes(), cp), cp), AllBytes()) << cp;
  }
}

TEST(CodePage, BstrOfAnyBytesComesBackByteForByte) {
  std::string text = AllBytes() + "\xC3\xA9\xF0\x9F\x98\x80" + std::string("\0x\0", 3) + "\xFE\xFD\xFC";
  BSTR b = zq::text::AllocBstr(text);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(FromBstr(b), text);
  SysFreeString(b);
  EXPECT_EQ(FromBstr(nullptr), "");
}

TEST(CodePage, Windows1252Units) {
  struct Case {
    unsigned char byte;
    char16_t unit;
  };
  for (Case c : {Case{0x41, u'A'}, Case{0x80, 0x20AC}, Case{0x81, 0x0081}, Case{0x8D, 0x008D},
                 Case{0x8F, 0x008F}, Case{0x90, 0x0090}, Case{0x9D, 0x009D}, Case{0x9F, 0x0178},
                 Case{0xE9, 0x00E9}, Case{0xFF, 0x00FF}}) {
    EXPECT_EQ(ToWide(std::string(1, static_cast<char>(c.byte)), CP_1252), std::u16string(1, c.unit));
  }
}

TEST(CodePage, MissingCharactersBecomeTheDefaultCharacter) {
  bool used = false;
  EXPECT_EQ(ToMulti(u"a\u0100b\u0080", CP_1252, &used), "a?b?");
  EXPECT_TRUE(used);
  ToMulti(u"ab\u20AC", CP_1252, &used);
  EXPECT_FALSE(used);

  const OLECHAR wide[] = {u'x', 0x4E00};
  char out[4] = {};
  int32_t usedDefault = -1;
  EXPECT_EQ(WideCharToMultiByte(CP_1252, 0, wide, 2, out, 4, "#", &usedDefault), 2);
  EXPECT_EQ(std::string(out, 2), "x#");
  EXPECT_EQ(usedDefault, 1);
}

TEST(CodePage, Utf8ConversionsAndTheByteEscape) {
  struct Case {
    std::string bytes;
    std::u16string wide;
  };
  const Case cases[] = {
      {"\xC3\xA9", u"\u00E9"},
      {"\xE2\x82\xAC", u"\u20AC"},
      {"\xF0\x9F\x98\x80", u"\U0001F600"},
      {"\xFE", std::u16string(1, char16_t(0xDCFE))},
      {"\xC3", std::u16string(1, char16_t(0xDCC3))},                              // cut short
      {"\xC0\x80", {char16_t(0xDCC0), char16_t(0xDC80)}},                         // overlong
      {"\xED\xA0\x80", {char16_t(0xDCED), char16_t(0xDCA0), char16_t(0xDC80)}},   // a surrogate
      {"\xF4\x90\x80\x80", {char16_t(0xDCF4), char16_t(0xDC90), char16_t(0xDC80), char16_t(0xDC80)}},
      {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToWide(c.bytes, CP_UTF8), c.wide);
    EXPECT_EQ(ToMulti(c.wide, CP_UTF8), c.bytes);
  }
  bool used = false;
  EXPECT_EQ(ToMulti(std::u16string(1, char16_t(0xD800)), CP_UTF8, &used), "\xEF\xBF\xBD");
  EXPECT_TRUE(used);
  EXPECT_EQ(ToMulti(std::u16string(1, char16_t(0xDC41)), CP_UTF8), "\xEF\xBF\xBD");
}

TEST(CodePage, WindowsCallSemantics) {
  OLECHAR out[8];
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "ab", -1, nullptr, 0), 3);  // terminator included
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "ab", -1, out, 8), 3);
  EXPECT_EQ(out[2], 0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", 3, out, 2), 0);     // buffer too small
  EXPECT_EQ(MultiByteToWideChar(1250, 0, "abc", 3, out, 8), 0);        // unknown code page
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, nullptr, 3, out, 8), 0);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -2, out, 8), 0);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 3, out, -1), 0);

  char bytes[8];
  const OLECHAR wide[] = {u'h', 0x00E9, 0};
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr), 4);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, wide, 2, bytes, 2, nullptr, nullptr), 0);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, wide, 2, bytes, 8, nullptr, nullptr), 3);
  EXPECT_EQ(std::string(bytes, 3), "h\xC3\xA9");
  EXPECT_EQ(WideCharToMultiByte(CP_1252, 0, wide, 2, bytes, 8, nullptr, nullptr), 2);
  EXPECT_EQ(std::string(bytes, 2), "h\xE9");
}

TEST(CodePage, FileSystemNames) {
  if (Is1252()) {
    EXPECT_EQ(zq::text::AnsiToUtf8("caf\xE9"), "caf\xC3\xA9");
    EXPECT_EQ(zq::text::Utf8ToAnsi("caf\xC3\xA9"), "caf\xE9");
    EXPECT_EQ(zq::text::Utf8ToAnsi("\xE4\xB8\x80"), "?");
  } else {
    EXPECT_EQ(zq::text::AnsiToUtf8("caf\xC3\xA9\xFE"), "caf\xC3\xA9\xFE");
    EXPECT_EQ(zq::text::Utf8ToAnsi("caf\xC3\xA9"), "caf\xC3\xA9");
  }
}

}  // namespace
