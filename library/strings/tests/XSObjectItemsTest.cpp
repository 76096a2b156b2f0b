#include <gtest/gtest.h>

#include <string>

#include "strings/XSObject.h"

namespace {

TEST(XSObjectItems, GetSubString) {
  struct Case {
    std::string text;
    int32_t item;
    int32_t maxLength;
    std::string expected;
  };
  const Case cases[] = {
      {"a,,c", 1, 0, "a"},   {"a,,c", 2, 0, ""},      {"a,,c", 3, 0, "c"},
      {"a,,c", 4, 0, ""},    {"a,,c", 0, 0, "a,,c"},  {"a,,c", -1, 0, ""},
      {"a,,cde", 3, 1, "c"}, {"a,,cde", 3, 2, "cd"},  {"a,,cde", 3, -1, ""},
      {"a,", 2, 0, ""},      {"", 1, 0, ""},          {"abc", 1, 0, "abc"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(XSObject(c.text).GetSubString(c.item, ',', c.maxLength), c.expected)
        << c.text << " item " << c.item;
  }
}

// An item operation on a text with the delimiter ','.
struct ItemCase {
  std::string text;
  int32_t item;
  std::string value;
  std::string expected;
};

TEST(XSObjectItems, SetSubString) {
  const ItemCase cases[] = {
      {"a", 3, "x", "a,,x"},      {"a,b,c", 2, "x", "a,x,c"}, {"a,", 2, "x", "a,x"},
      {"a,b", 0, "x", "x"},       {"a,b", -1, "x", "a,b;x"},  {"", 1, "x", "x"},
      {"", 2, "x", ",x"},         {"a,b,c", 3, "", "a,b,"},   {"a,b,c", 1, "", ",b,c"},
      {"a,b", 1, std::string("x\0y", 3), "x,b"},
  };
  for (const ItemCase& c : cases) {
    XSObject s(c.text);
    s.SetSubString(c.item, ',', c.value);
    EXPECT_EQ(s.Text(), c.expected) << c.text << " item " << c.item;
  }
  XSObject pipes("a|b");
  pipes.SetSubString(-1, '|', "x");
  EXPECT_EQ(pipes.Text(), "a|b;x");
}

TEST(XSObjectItems, InsSubString) {
  const ItemCase cases[] = {
      {"a", 3, "x", "a,,x"},     {"", 1, "x", "x"},      {"a,b", 2, "x", "a,x,b"},
      {"a", 1, "x", "x,a"},      {"a,", 2, "x", "a,x,"}, {"a,b", 0, "x", "a,b"},
      {"a,b", -2, "x", "a,b"},   {"a,b", 3, "x", "a,b,x"}, {"", 3, "x", ",,x"},
  };
  for (const ItemCase& c : cases) {
    XSObject s(c.text);
    s.InsSubString(c.item, ',', c.value);
    EXPECT_EQ(s.Text(), c.expected) << c.text << " item " << c.item;
  }
}

TEST(XSObjectItems, DelSubString) {
  const ItemCase cases[] = {
      {"a,b,c", -1, "", "a,b"}, {"a,b,c", 0, "", ""},   {"a,b,c", 5, "", "a,b,c"},
      {"a,b,c", 2, "", "a,c"},  {",b,c", 2, "", ",c"},  {"a,b", 2, "", "a"},
      {"a,b", 1, "", "b"},      {"a", 1, "", ""},       {"", 1, "", ""},
      {"", -1, "", ""},         {"a,", 2, "", "a"},     {"a,b,c", 4, "", "a,b,c"},
  };
  for (const ItemCase& c : cases) {
    XSObject s(c.text);
    s.DelSubString(c.item, ',');
    EXPECT_EQ(s.Text(), c.expected) << c.text << " item " << c.item;
  }
}

}  // namespace
