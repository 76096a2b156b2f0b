#include <gtest/gtest.h>

#include "tray/MenuDefinition.h"

namespace {

struct Entry {
  bool separator;
  uint32_t command;
  std::string text;
};

struct Case {
  const char* definition;
  std::vector<Entry> expected;
};

TEST(MenuDefinition, ItemsSeparatorsAndLeftOutEntries) {
  const Case cases[] = {
      {"Open;1100|-|Exit;1101", {{false, 1100, "Open"}, {true, 0, ""}, {false, 1101, "Exit"}}},
      {"Help;12", {}},
      {" - ;5", {{true, 0, ""}}},
      {"Save;900", {}},
      {"Save; 1200", {{false, 1200, "Save"}}},
      {"  Save  ;1200;ignored", {{false, 1200, "Save"}}},
      {"Odd;12x04|Neg;-2000|Plus;+1024", {{false, 1024, "Plus"}}},
      {"Twice;--2000|Mixed;+-1100|Spaced;- 1100|Tab;\t1300", {{false, 1300, "Tab"}}},
      {"-Exit;1100|--- ;0|x-;1100", {{true, 0, ""}, {true, 0, ""}, {false, 1100, "x-"}}},
      {"NoNumber|Bad;abc|Huge;99999999999999999999", {{false, 2147483647u, "Huge"}}},
      {"||-;0|", {{true, 0, ""}}},
      {"", {}},
  };
  for (const Case& c : cases) {
    auto got = zqv::ReadMenuDefinition(c.definition);
    ASSERT_EQ(got.size(), c.expected.size()) << c.definition;
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].separator, c.expected[i].separator) << c.definition << " #" << i;
      EXPECT_EQ(got[i].command, c.expected[i].command) << c.definition << " #" << i;
      EXPECT_EQ(got[i].text, c.expected[i].text) << c.definition << " #" << i;
    }
  }
}

}  // namespace
