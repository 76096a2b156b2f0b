// Handles and codes of the checker registry and the SP exports' argument checks.
#include <gtest/gtest.h>

#include "Checker.h"
#include "SpellFiles.h"
#include "data/spell/ZQSpell.h"

namespace {

using spelltest::Checker;
using spelltest::Len;

TEST(SpellRegistry, HandsOutTheLowestFreeHandle) {
  int32_t a = SPCreate();
  int32_t b = SPCreate();
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 2);
  EXPECT_EQ(SPDestroy(a), 0);
  EXPECT_EQ(SPCreate(), 1);
  EXPECT_EQ(SPDestroy(1), 0);
  EXPECT_EQ(SPDestroy(b), 0);
}

TEST(SpellRegistry, FullAfterHandle65534) {
  for (int32_t expected = 1; expected <= 65534; ++expected) ASSERT_EQ(SPCreate(), expected);
  EXPECT_EQ(SPCreate(), -1);
  EXPECT_EQ(SPCheck(65535, 4, "word"), -3);  // accepted, never given out
  EXPECT_EQ(SPDestroy(65535), 0);
  EXPECT_EQ(SPDestroy(300), 0);
  EXPECT_EQ(SPCreate(), 300);
  for (int32_t h = 1; h <= 65534; ++h) ASSERT_EQ(SPDestroy(h), 0);
}

TEST(SpellRegistry, DestroyCodes) {
  struct Case {
    int32_t handle;
    int32_t code;
  } cases[] = {{0, 0}, {77, 0}, {65535, 0}, {-5, -2}, {65536, -2}, {INT32_MIN, -2}};
  for (const Case& c : cases) EXPECT_EQ(SPDestroy(c.handle), c.code) << c.handle;

  int32_t h = SPCreate();
  EXPECT_EQ(SPDestroy(h), 0);
  EXPECT_EQ(SPDestroy(h), 0);
}

TEST(SpellRegistry, CheckerPointsBackToItsRegistry) {
  Checker c;
  int32_t code = 0;
  ZQSpellDoc* doc = ZQSpell::Of().Lookup(c.handle(), &code);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(&doc->Owner(), &ZQSpell::Of());
  EXPECT_FALSE(doc->Ready());
}

TEST(SpellRegistry, HandleCodesComeBeforeTextCodes) {
  const char* w = "word";
  struct Case {
    int32_t handle;
    int32_t code;
  } cases[] = {{0, -2}, {-1, -2}, {65536, -2}, {65535, -3}, {4000, -3}};
  for (const Case& c : cases) {
    EXPECT_EQ(SPCheck(c.handle, 0, nullptr), c.code) << c.handle;
    EXPECT_EQ(SPInit(c.handle, 0, nullptr, 0, nullptr, 0, nullptr), c.code) << c.handle;
    EXPECT_EQ(SPAddDict(c.handle, 0, nullptr, 0, nullptr), c.code) << c.handle;
    EXPECT_EQ(SPAdd(c.handle, 4, w), c.code) << c.handle;
    EXPECT_EQ(SPAddAffix(c.handle, 4, w, 4, w), c.code) << c.handle;
    EXPECT_EQ(SPRemove(c.handle, 4, w), c.code) << c.handle;
    BSTR s = SPSuggest(c.handle, 4, w);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(SysStringLen(s), 0u);
    SysFreeString(s);
  }
}

TEST(SpellRegistry, MissingTextsThenNotBuilt) {
  Checker c;
  const int32_t h = c.handle();
  const char* w = "word";
  struct Case {
    const char* what;
    int32_t got;
    int32_t code;
  } cases[] = {
      {"check, empty word", SPCheck(h, 0, w), -1},
      {"check, null word", SPCheck(h, 4, nullptr), -1},
      {"check, negative length", SPCheck(h, -4, w), -1},
      {"check", SPCheck(h, 4, w), -10},
      {"add, empty", SPAdd(h, 0, w), -1},
      {"add", SPAdd(h, 4, w), -10},
      {"add affix, no example", SPAddAffix(h, 4, w, 0, w), -1},
      {"add affix, no word", SPAddAffix(h, 0, nullptr, 4, w), -1},
      {"add affix", SPAddAffix(h, 4, w, 4, w), -10},
      {"remove, empty", SPRemove(h, 0, nullptr), -1},
      {"remove", SPRemove(h, 4, w), -10},
      {"add dict, no path", SPAddDict(h, 0, w, 0, nullptr), -1},
      {"add dict", SPAddDict(h, 4, w, 0, nullptr), -10},
      {"init, no affix path", SPInit(h, 0, w, 4, w, 0, nullptr), -1},
      {"init, no dictionary path", SPInit(h, 4, w, 0, w, 0, nullptr), -2},
      {"init, null dictionary path", SPInit(h, 4, w, 4, nullptr, 0, nullptr), -2},
  };
  for (const Case& k : cases) EXPECT_EQ(k.got, k.code) << k.what;
  EXPECT_EQ(c.Suggest("word"), "");
}

TEST(SpellRegistry, InitOnceThenAlreadyBuilt) {
  Checker c;
  ASSERT_EQ(c.Init(spelltest::EnUsAff(), spelltest::EnUsDic()), 0);
  EXPECT_EQ(c.Init(spelltest::EnUsAff(), spelltest::EnUsDic()), -11);
  // Texts are tested before the state.
  EXPECT_EQ(c.Init("", spelltest::EnUsDic()), -1);
}

}  // namespace
