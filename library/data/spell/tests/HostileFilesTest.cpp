// Broken and hostile dictionary files give a code or an empty answer, never a crash.
#include <gtest/gtest.h>

#include <random>

#include "Checker.h"
#include "SpellFiles.h"
#include "data/spell/DictionaryFiles.h"

namespace {

using namespace spelltest;

std::string RandomBytes(std::size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::string s(n, '\0');
  for (char& ch : s) ch = static_cast<char>(gen() & 0xFF);
  return s;
}

TEST(SpellHostile, AffixAndDictionaryFiles) {
  TempFolder dir;
  const std::string dic = "3\nkatze/S\nhund/XY\nmaus\n";
  struct Case {
    const char* what;
    std::string aff;
    std::string dic;
    bool refused = false;
  } cases[] = {
      {"empty files", "", ""},
      {"huge rule count, no rules", "SFX S Y 999999999\n", dic},
      {"negative rule count", "SFX S Y -5\nSFX S 0 s .\n", dic},
      {"truncated rule lines", "SFX S Y 2\nSFX S\nSFX\n", dic},
      {"rule for another flag", "SFX S Y 1\nSFX T 0 s .\n", dic},
      {"broken condition", "SFX S Y 1\nSFX S 0 s [[[a-\n", dic},
      {"long flags over short words", "FLAG long\nSFX ab Y 1\nSFX ab 0 s .\n", "1\nx/abcdefg\n"},
      {"numeric flags out of range", "FLAG num\nSFX 70000 Y 1\nSFX 70000 0 s .\n", "1\nx/99999999,-1\n"},
      {"unknown encoding", "SET EBCDIC-9\nTRY abc\n", dic},
      {"UTF-8 affix file with invalid bytes", "SET UTF-8\nTRY \xFF\xFE\nREP 1\nREP \xC3 \xA9\n", dic, true},
      {"invalid UTF-8 after a byte-order mark", "\xEF\xBB\xBFSET utf-8\nKEY \xFF\n", dic, true},
      {"invalid UTF-8 in the dictionary", "SET UTF-8\nTRY abc\n", "2\n\xFF\xFE/S\n\xC3\n"},
      {"8-bit affix file with any bytes", "SET ISO8859-1\nTRY \xFF\xFE\nKEY \xFF\n", "2\n\xFF\xFE\n\xC3\n"},
      {"replacement table overrun", "REP 1000000\nREP a b\n", dic},
      {"map and compound junk", "MAP 3\nMAP \nCOMPOUNDRULE 1\nCOMPOUNDRULE ((*)\nCOMPOUNDMIN -3\n", dic},
      {"dictionary count lies", "SFX S Y 1\nSFX S 0 s .\n", "100000000\nkatze/S\n"},
      {"no count line", "", "katze\nhund\n"},
      {"random bytes", RandomBytes(4096, 1), RandomBytes(4096, 2)},
  };
  int serial = 0;
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    std::string tag = std::to_string(serial++);
    Checker c;
    int32_t init = c.Init(dir.Write(tag + ".aff", k.aff), dir.Write(tag + ".dic", k.dic));
    if (k.refused) {
      EXPECT_EQ(init, -12);
      continue;
    }
    ASSERT_TRUE(init == 0 || init == -12) << init;
    if (init != 0) continue;
    for (std::string_view w : {"katze", "katzes", "hund", "x", "xs", "\xFF\xFE", "zzzz"}) {
      int32_t r = c.Check(w);
      EXPECT_TRUE(r == 0 || r == 1) << w;
      c.Suggest(w);
    }
    EXPECT_EQ(c.Add("neu"), 0);
    EXPECT_NE(c.Check("neu"), 0);
  }
}

// A further dictionary is read under the checker's own affix rules (flag form, encoding):
// broken ones are taken or refused, and the checker keeps its own words.
TEST(SpellHostile, FurtherDictionaries) {
  TempFolder dir;
  struct Base {
    const char* what;
    std::string_view aff, dic, known;
  } bases[] = {
      {"UTF-8", Utf8Dict::kAff, Utf8Dict::kDic, "katzes"},
      {"ISO8859-1", Latin1Dict::kAff, Latin1Dict::kDic, "pommes"},
      {"long flags", "FLAG long\nSFX ab Y 1\nSFX ab 0 s .\n", "1\nhund/ab\n", "hunds"},
      {"numeric flags", "FLAG num\nSFX 7 Y 1\nSFX 7 0 s .\n", "1\nhund/7\n", "hunds"},
  };
  const std::string further[] = {
      "",
      "2\n\xFF\xFE/S\n\xC3/\xE4\xE4\n",
      "3\nx/\xC3\nab\xF0\nq/\xF0\x9F\n",
      "2\nx/abcdefg\ny/99999999,-1,\n",
      "100000000\nkatze/S\n",
      "neu\n/S\n/\n",
      RandomBytes(4096, 4),
  };
  int serial = 0;
  for (const Base& b : bases) {
    SCOPED_TRACE(b.what);
    std::string tag = std::to_string(serial++);
    Checker c;
    ASSERT_EQ(c.Init(dir.Write(tag + ".aff", b.aff), dir.Write(tag + ".dic", b.dic)), 0);
    for (const std::string& bytes : further) {
      int32_t added = c.AddDict(dir.Write(tag + "-" + std::to_string(serial++) + ".dic", bytes));
      EXPECT_TRUE(added == 0 || added == -13) << added;
      for (std::string_view w : {"x", "xs", "\xFF\xFE", "\xC3", "ab\xF0"}) {
        int32_t r = c.Check(w);
        EXPECT_TRUE(r == 0 || r == 1) << w;
        c.Suggest(w);
      }
      EXPECT_NE(c.Check(b.known), 0);
    }
  }
}

TEST(SpellHostile, HugeAndOddWords) {
  Checker c;
  ASSERT_EQ(c.Init(EnUsAff(), EnUsDic()), 0);
  std::string huge(100000, 'a');
  std::string binary = RandomBytes(300, 3);
  for (const std::string& w : {huge, binary, std::string("\xFF\xFE\xFD"), std::string(1, '\0')}) {
    int32_t r = c.Check(w);
    EXPECT_TRUE(r == 0 || r == 1);
    c.Suggest(w);
  }
  EXPECT_EQ(c.Suggest(huge), "");
}

}  // namespace
