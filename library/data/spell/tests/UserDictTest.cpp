// The user-word file: its exact bytes, loading it back, and what loading does to bad files.
#include <gtest/gtest.h>

#include <random>

#include "Checker.h"
#include "SpellFiles.h"

namespace {

using namespace spelltest;

class UserDict : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(c.Init(EnUsAff(), EnUsDic()), 0) << EnUsAff(); }
  static int32_t Save(const Checker& k, const std::string& path) {
    return SPSaveUserDict(k.handle(), Len(path), path.data());
  }
  static int32_t Load(const Checker& k, const std::string& path) {
    return SPLoadUserDict(k.handle(), Len(path), path.data());
  }
  TempFolder dir;
  Checker c;
};

const std::string kThreeWords = "qalpha\xFE" "betaword\xFE" "zorbix\xFD" "walk";

TEST_F(UserDict, SavesTheWordsInTheArrayFileFormat) {
  EXPECT_EQ(c.Add("qalpha"), 0);
  EXPECT_EQ(c.Add("betaword"), 0);
  EXPECT_EQ(c.AddAffix("zorbix", "walk"), 0);
  std::string path = dir.Path("user.dic");
  EXPECT_EQ(Save(c, path), Len(kThreeWords));
  EXPECT_EQ(dir.Read("user.dic"), kThreeWords);

  // Saving again over a longer file, by its Windows-view name, leaves exactly the new text.
  dir.Write("user.dic", std::string(200, 'x'));
  EXPECT_EQ(Save(c, WindowsView(dir.Path("USER.DIC"))), Len(kThreeWords));
  EXPECT_EQ(dir.Read("user.dic"), kThreeWords);
}

TEST_F(UserDict, LoadingMakesTheWordsCorrect) {
  std::string path = dir.Write("user.dic", kThreeWords);
  for (std::string_view w : {"qalpha", "betaword", "zorbix", "zorbixed", "zorbixing"})
    EXPECT_EQ(c.Check(w), 0) << w;
  EXPECT_EQ(Load(c, path), Len(kThreeWords));
  for (std::string_view w : {"qalpha", "betaword", "zorbix", "zorbixed", "zorbixing"})
    EXPECT_NE(c.Check(w), 0) << w;
  EXPECT_EQ(c.Check("qalphaed"), 0);
  // The loaded list is the one saved next.
  std::string copy = dir.Path("copy.dic");
  EXPECT_EQ(Save(c, copy), Len(kThreeWords));
  EXPECT_EQ(dir.Read("copy.dic"), kThreeWords);
}

TEST_F(UserDict, RemovedWordsStayInTheList) {
  EXPECT_EQ(c.Add("orvidian"), 0);
  EXPECT_EQ(c.Remove("orvidian"), 0);
  EXPECT_EQ(c.Check("orvidian"), 0);
  EXPECT_EQ(Save(c, dir.Path("user.dic")), 8);
  EXPECT_EQ(dir.Read("user.dic"), "orvidian");
}

TEST_F(UserDict, EmptyListWritesNothing) {
  std::string path = dir.Write("user.dic", "keep me");
  EXPECT_EQ(Save(c, path), 0);
  EXPECT_EQ(dir.Read("user.dic"), "keep me");
}

TEST_F(UserDict, FailedLoadChangesNothing) {
  EXPECT_EQ(c.Add("gammaword"), 0);
  EXPECT_LT(Load(c, dir.Path("missing.dic")), 0);
  EXPECT_LT(Load(c, dir.Path("")), 0);  // a folder
  EXPECT_NE(c.Check("gammaword"), 0);
  EXPECT_EQ(Save(c, dir.Path("user.dic")), 9);
  EXPECT_EQ(dir.Read("user.dic"), "gammaword");
}

TEST_F(UserDict, LoadedFileReplacesTheList) {
  EXPECT_EQ(c.Add("gammaword"), 0);
  struct Case {
    const char* what;
    std::string file;
    std::string saved;
  } cases[] = {
      {"words", "qdelta\xFE\xFE" "qepsilon\xFD\xFE", "qdelta\xFE\xFE" "qepsilon\xFD\xFE"},
      {"text after a NUL byte is ignored", std::string("qzeta\0qeta", 10), "qzeta"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    std::string path = dir.Write("in.dic", k.file);
    EXPECT_EQ(Load(c, path), Len(k.file));
    EXPECT_EQ(Save(c, dir.Path("out.dic")), Len(k.saved));
    EXPECT_EQ(dir.Read("out.dic"), k.saved);
  }
  for (std::string_view w : {"gammaword", "qdelta", "qepsilon", "qzeta"}) EXPECT_NE(c.Check(w), 0) << w;
  EXPECT_EQ(c.Check("qeta"), 0);
}

TEST_F(UserDict, Latin1WordsKeepTheirBytes) {
  Checker fr;
  ASSERT_EQ(fr.Init(dir.Write("fr.aff", Latin1Dict::kAff), dir.Write("fr.dic", Latin1Dict::kDic)), 0);
  EXPECT_EQ(fr.Add("na\xEF" "f"), 0);
  EXPECT_EQ(fr.AddAffix("tomme", "pomme"), 0);
  const std::string bytes = "na\xEF" "f\xFE" "tomme\xFD" "pomme";
  EXPECT_EQ(Save(fr, dir.Path("fr-user.dic")), Len(bytes));
  EXPECT_EQ(dir.Read("fr-user.dic"), bytes);

  Checker again;
  ASSERT_EQ(again.Init(dir.Path("fr.aff"), dir.Path("fr.dic")), 0);
  EXPECT_EQ(Load(again, dir.Path("fr-user.dic")), Len(bytes));
  for (std::string_view w : {"na\xEF" "f", "tomme", "tommes"}) EXPECT_NE(again.Check(w), 0) << w;
}

// The file separates words by 0xFE and word from example by 0xFD: a text holding either is
// refused, so the checker and the saved list never disagree; 0xFC (a Latin-1 letter) is kept.
TEST_F(UserDict, WordsTheFileCannotKeepAreRefused) {
  Checker fr;
  ASSERT_EQ(fr.Init(dir.Write("fr.aff", Latin1Dict::kAff), dir.Write("fr.dic", Latin1Dict::kDic)), 0);
  struct Case {
    const char* what;
    std::string word, example;
    int32_t code;
  } cases[] = {
      {"word with 0xFE", "\xFE" "orn", "", -14},
      {"word with 0xFD", "caf\xFD", "", -14},
      {"affixed word with 0xFE", "\xFE" "omme", "pomme", -15},
      {"example with 0xFD", "tomme", "pom\xFD" "me", -15},
      {"example hunspell does not know", "tomme", "qqqq", -15},
  };
  for (const Case& k : cases) {
    int32_t got = k.example.empty() ? fr.Add(k.word) : fr.AddAffix(k.word, k.example);
    EXPECT_EQ(got, k.code) << k.what;
    EXPECT_EQ(fr.Check(k.word), 0) << k.what;
  }
  EXPECT_EQ(Save(fr, dir.Path("refused.dic")), 0);
  EXPECT_EQ(dir.Read("refused.dic"), "");

  const std::string kept = "\xFC" "bel";
  EXPECT_EQ(fr.Add(kept), 0);
  EXPECT_EQ(Save(fr, dir.Path("kept.dic")), Len(kept));
  Checker again;
  ASSERT_EQ(again.Init(dir.Path("fr.aff"), dir.Path("fr.dic")), 0);
  EXPECT_EQ(Load(again, dir.Path("kept.dic")), Len(kept));
  EXPECT_NE(again.Check(kept), 0);
}

// An empty file reads as 0 bytes and an empty list; the checker keeps the words it knows.
TEST_F(UserDict, EmptyFileEmptiesTheList) {
  EXPECT_EQ(c.Add("gammaword"), 0);
  EXPECT_EQ(Load(c, dir.Write("empty.dic", "")), 0);
  EXPECT_NE(c.Check("gammaword"), 0);
  std::string path = dir.Write("user.dic", "keep me");
  EXPECT_EQ(Save(c, path), 0);
  EXPECT_EQ(dir.Read("user.dic"), "keep me");
}

TEST_F(UserDict, RandomBytesNeverCrash) {
  std::mt19937 gen(7);
  for (int round = 0; round < 20; ++round) {
    std::string bytes(static_cast<std::size_t>(gen() % 5000), '\0');
    for (char& ch : bytes) ch = static_cast<char>(gen() % 8 == 0 ? 0xFE - gen() % 3 : gen() & 0xFF);
    Checker k;
    ASSERT_EQ(k.Init(EnUsAff(), EnUsDic()), 0);
    int32_t r = Load(k, dir.Write("random.dic", bytes));
    EXPECT_EQ(r, Len(bytes));
    EXPECT_NE(k.Check("hello"), 0);
    EXPECT_GE(Save(k, dir.Path("random-out.dic")), 0);
  }
}

TEST(UserDictCodes, HandleThenPathThenState) {
  Checker made;
  const char* p = "user.dic";
  struct Case {
    const char* what;
    int32_t got;
    int32_t code;
  } cases[] = {
      {"load, handle 0", SPLoadUserDict(0, 8, p), -2},
      {"save, handle 65536", SPSaveUserDict(65536, 8, p), -2},
      {"load, unknown handle", SPLoadUserDict(65535, 8, p), -3},
      {"load, no path", SPLoadUserDict(made.handle(), 0, p), -1},
      {"save, null path", SPSaveUserDict(made.handle(), 8, nullptr), -1},
      {"load, not built", SPLoadUserDict(made.handle(), 8, p), -10},
      {"save, not built", SPSaveUserDict(made.handle(), 8, p), -10},
  };
  for (const Case& k : cases) EXPECT_EQ(k.got, k.code) << k.what;
}

}  // namespace
