// Checking, suggesting, adding and removing words against real dictionaries.
#include <gtest/gtest.h>

#include <hunspell.hxx>

#include <filesystem>
#include <string>
#include <vector>

#include "Checker.h"
#include "SpellFiles.h"

namespace {

using namespace spelltest;

class EnUs : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(c.Init(EnUsAff(), EnUsDic()), 0) << EnUsAff(); }
  Checker c;
};

TEST_F(EnUs, ChecksWords) {
  struct Case {
    std::string_view word;
    int32_t correct;
  } cases[] = {{"hello", 1}, {"houses", 1}, {"rehouse", 1}, {"walked", 1}, {"helo", 0},
               {"housse", 0}, {"hello   ", 0}, {std::string_view("hello\0xyz", 9), 1}};
  for (const Case& k : cases) EXPECT_EQ(c.Check(k.word) != 0, k.correct != 0) << k.word;
}

TEST_F(EnUs, SuggestsTheIntendedWord) {
  struct Case {
    std::string_view wrong;
    std::string_view intended;
  } cases[] = {{"helo", "hello"}, {"hous", "house"}, {"walkd", "walked"}};
  for (const Case& k : cases) {
    std::string joined = c.Suggest(k.wrong);
    EXPECT_TRUE(Suggests(joined, k.intended)) << k.wrong << " -> " << joined;
    EXPECT_NE(joined.front(), '|');
    EXPECT_NE(joined.back(), '|');
  }
}

// Hunspell's later suggestion stages stop at a time limit, so under load two calls may differ
// at the end of the list; its first suggestion comes from the stages without one.
TEST_F(EnUs, SuggestionsKeepHunspellsOrder) {
  Hunspell direct(EnUsAff().c_str(), EnUsDic().c_str());
  for (std::string_view wrong : {"helo", "recieve", "teh", "walkd"}) {
    const std::vector<std::string> expected = direct.suggest(std::string(wrong));
    ASSERT_FALSE(expected.empty()) << wrong;
    const std::string got = c.Suggest(wrong);
    EXPECT_EQ(got.substr(0, got.find('|')), expected.front()) << wrong;
    EXPECT_EQ(got.find("||"), std::string::npos) << wrong;
  }
}

TEST_F(EnUs, AddedAffixedAndRemovedWords) {
  EXPECT_EQ(c.Check("orvidian"), 0);
  EXPECT_EQ(c.Add("orvidian"), 0);
  EXPECT_NE(c.Check("orvidian"), 0);

  EXPECT_EQ(c.Add("blorf"), 0);
  EXPECT_EQ(c.Check("blorfed"), 0);  // a plain add takes no affixes
  EXPECT_EQ(c.AddAffix("zorbix", "walk"), 0);
  for (std::string_view w : {"zorbix", "zorbixed", "zorbixing", "zorbixes"})
    EXPECT_NE(c.Check(w), 0) << w;

  EXPECT_EQ(c.Remove("hello"), 0);
  EXPECT_EQ(c.Check("hello"), 0);
  EXPECT_EQ(c.Remove("orvidian"), 0);
  EXPECT_EQ(c.Check("orvidian"), 0);
}

TEST_F(EnUs, SecondDictionaryAndTheLimitOfTwenty) {
  TempFolder dir;
  std::string extra = dir.Write("extra.dic", "2\nzqvantor/S\nmediarip\n");
  EXPECT_EQ(c.Check("zqvantors"), 0);
  EXPECT_EQ(c.AddDict(extra), 0);
  EXPECT_NE(c.Check("zqvantors"), 0);
  EXPECT_NE(c.Check("mediarip"), 0);
  for (int i = 3; i <= 20; ++i) EXPECT_EQ(c.AddDict(extra), 0) << "dictionary " << i;
  EXPECT_EQ(c.AddDict(extra), -13);
  EXPECT_NE(c.Check("hello"), 0);
}

TEST_F(EnUs, UnreadableFurtherDictionaryIsRefused) {
  TempFolder dir;
  EXPECT_EQ(c.AddDict(dir.Path("missing.dic")), -13);
  EXPECT_EQ(c.AddDict(dir.Path("")), -13);  // a folder
}

TEST(SpellInit, AKeyIsPassedOnlyWhenGiven) {
  Checker c;
  EXPECT_EQ(c.Init(EnUsAff(), EnUsDic(), "secret"), 0);
  EXPECT_NE(c.Check("hello"), 0);
}

TEST(SpellInit, FailedInitLeavesTheCheckerUnbuilt) {
  TempFolder dir;
  Checker c;
  struct Case {
    std::string aff, dic;
  } cases[] = {{dir.Path("none.aff"), EnUsDic()},
               {EnUsAff(), dir.Path("none.dic")},
               {dir.Path(""), EnUsDic()},
               {EnUsAff(), std::string("\0x", 2)}};
  for (const Case& k : cases) {
    EXPECT_EQ(c.Init(k.aff, k.dic), -12) << k.aff << " " << k.dic;
    EXPECT_EQ(c.Check("hello"), -10);
  }
  EXPECT_EQ(c.Init(EnUsAff(), EnUsDic()), 0);
  EXPECT_NE(c.Check("hello"), 0);
}

// Dictionary paths are the library's file paths: drive C: is the root, "\" separates, and a
// name that is missing as written is matched case-blind.
TEST(SpellInit, WindowsViewPaths) {
  TempFolder dir;
  std::filesystem::create_directories(dir.Path("Dicts"));
  dir.Write("Dicts/de_DE.aff", Utf8Dict::kAff);
  dir.Write("Dicts/de_DE.dic", Utf8Dict::kDic);
  Checker c;
  EXPECT_EQ(c.Init(WindowsView(dir.Path("Dicts/de_DE.aff")), WindowsView(dir.Path("DICTS/DE_de.DIC"))), 0);
  EXPECT_NE(c.Check("katzes"), 0);
  EXPECT_EQ(c.AddDict(WindowsView(dir.Path("Dicts/missing.dic"))), -13);
  EXPECT_EQ(c.AddDict("\\\\nosuchserver\\share\\de_DE.dic"), -13);
  EXPECT_EQ(c.AddDict(WindowsView(dir.Path("dicts/de_de.dic"))), 0);
}

// The bytes reach hunspell unconverted: a host passes words in the dictionary's encoding.
TEST(SpellEncodings, Utf8Dictionary) {
  TempFolder dir;
  Checker c;
  ASSERT_EQ(c.Init(dir.Write("de.aff", Utf8Dict::kAff), dir.Write("de.dic", Utf8Dict::kDic)), 0);
  struct Case {
    std::string_view word;
    int32_t correct;
  } cases[] = {{"katze", 1}, {"katzes", 1}, {"stra\xC3\x9F" "e", 1}, {"m\xC3\xA4" "dchen", 1},
               {"stra\xDF" "e", 0}, {"strasse", 0}};
  for (const Case& k : cases) EXPECT_EQ(c.Check(k.word) != 0, k.correct != 0) << k.word;
  EXPECT_TRUE(Suggests(c.Suggest("m\xC3\xA4" "dchn"), "m\xC3\xA4" "dchen"));
  EXPECT_EQ(c.Suggest("zzzzzzzzzzzz"), "");
}

TEST(SpellEncodings, Latin1Dictionary) {
  TempFolder dir;
  Checker c;
  ASSERT_EQ(c.Init(dir.Write("fr.aff", Latin1Dict::kAff), dir.Write("fr.dic", Latin1Dict::kDic)), 0);
  struct Case {
    std::string_view word;
    int32_t correct;
  } cases[] = {{"caf\xE9", 1}, {"\xFC" "ber", 1}, {"pommes", 1}, {"caf\xC3\xA9", 0}, {"cafe", 0}};
  for (const Case& k : cases) EXPECT_EQ(c.Check(k.word) != 0, k.correct != 0) << k.word;
  // The suggestion comes back in Latin-1 bytes, unchanged through the string result.
  EXPECT_TRUE(Suggests(c.Suggest("caff\xE9"), "caf\xE9")) << c.Suggest("caff\xE9");
  EXPECT_EQ(c.Add("na\xEF" "f"), 0);
  EXPECT_NE(c.Check("na\xEF" "f"), 0);
}

}  // namespace
