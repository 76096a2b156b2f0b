#include "arrays/RevArray.h"

#include <gtest/gtest.h>

#include <random>

#include "arrays/tests/ArrayTestText.h"

namespace {

using arraytest::Readable;
using arraytest::T;

// An array holding the parse of a readable text.
void Load(RevArray& array, std::string_view readable) {
  std::string bytes = T(readable);
  ASSERT_EQ(array.Set(0, 0, 0, bytes), 0);
}

std::string Whole(RevArray& array) { return Readable(array.Get(0, 0, 0)); }

TEST(RevArray, NewArrayIsEmpty) {
  RevArray array;
  EXPECT_EQ(array.FieldCount(), 0);
  EXPECT_EQ(array.Get(0, 0, 0), "");
  EXPECT_EQ(array.ValueCount(1), 0);
  EXPECT_EQ(array.SubValueCount(1, 1), 0);
}

TEST(RevArray, ParsesLevelsAndCountsThem) {
  RevArray array;
  Load(array, "a|b^c~d");
  EXPECT_EQ(array.FieldCount(), 2);
  EXPECT_EQ(array.ValueCount(2), 2);
  EXPECT_EQ(array.SubValueCount(2, 2), 2);
  EXPECT_EQ(array.Get(2, 2, 1), "c");
  EXPECT_EQ(array.Get(2, 2, 2), "d");
  EXPECT_EQ(Whole(array), "a|b^c~d");
}

struct StoreCase {
  const char* before;
  bool insert;
  int32_t field, value, subvalue;
  const char* text;
  const char* after;
};

TEST(RevArray, SetAndInsertStoreAtTheAddress) {
  const StoreCase cases[] = {
      {"", false, 0, 0, 0, "", ""},
      {"a|b", false, 0, 0, 0, "x^y", "x^y"},
      {"", false, 1, 0, 0, "", ""},
      {"", false, 3, 0, 0, "a", "||a"},
      {"", false, 1, 2, 3, "x", "^~~x"},
      {"a|b|c", false, 1, 1, 1, "x|y", "x|y|c"},
      {"a^b^c", false, 1, 2, 0, "x^y", "a^x^y"},
      {"a^b^c", false, 1, 2, 1, "x^y", "a^x^y"},
      {"a~b~c", false, 1, 1, 2, "x~y", "a~x~y"},
      {"a~b", false, 1, 1, 2, "x~y~z", "a~x~y~z"},
      {"a", false, 1, 1, 4, "x", "a~~~x"},
      {"a^b", false, 1, 1, 0, "x", "x^b"},
      {"a~b^c", false, 1, 1, 0, "x", "x^c"},
      {"a", false, 2, 0, 0, "x", "a|x"},
      {"x", false, -1, 5, 5, "a", "x|a"},
      {"a^b", false, 1, -1, 4, "n", "a^b^n"},
      {"a~b", false, 1, 1, -1, "n", "a~b~n"},
      {"a|b", false, 2, 3, 1, "t", "a|b^^t"},
      {"a|b", false, 2, 3, 1, "t|u", "a|t|u"},
      {"a|b", true, 1, 0, 0, "z", "z|a|b"},
      {"a|b", true, 2, 2, 0, "z", "a|^z|b"},
      {"a|b", true, 1, 0, 0, "z|y", "z|y|a|b"},
      {"a^b", true, 1, 2, 0, "x^y", "^x^y|a^b"},
      {"a~b", true, 1, 1, 2, "q", "~q|a~b"},
      {"a|b", true, 4, 0, 0, "z", "a|b||z"},
      {"a|b", true, 0, 0, 0, "z", "z"},
      {"a|b", true, -1, 0, 0, "z", "a|b|z"},
  };
  for (const StoreCase& c : cases) {
    RevArray array;
    Load(array, c.before);
    std::string text = T(c.text);
    int32_t result = c.insert ? array.Insert(c.field, c.value, c.subvalue, text)
                              : array.Set(c.field, c.value, c.subvalue, text);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Whole(array), c.after) << (c.insert ? "Insert" : "Set") << "(" << c.field << ", "
                                     << c.value << ", " << c.subvalue << ") of " << c.text
                                     << " on " << c.before;
  }
}

TEST(RevArray, MissingElementsCountButHoldNothing) {
  RevArray array;
  array.Set(3, 0, 0, "a");
  EXPECT_EQ(array.FieldCount(), 3);
  EXPECT_EQ(array.ValueCount(1), 0);
  EXPECT_EQ(array.ValueCount(3), 1);
  array.Set(1, 2, 3, "x");
  EXPECT_EQ(array.ValueCount(1), 2);
  EXPECT_EQ(array.SubValueCount(1, 1), 0);
  EXPECT_EQ(array.SubValueCount(1, 2), 3);
  EXPECT_EQ(Readable(array.Get(1, 0, 0)), "^~~x");
  // An empty piece at the field level is one value with one empty subvalue.
  array.Set(2, 0, 0, "");
  EXPECT_EQ(array.ValueCount(2), 1);
  EXPECT_EQ(array.SubValueCount(2, 1), 1);
}

TEST(RevArray, PositionsBelowMinusOneChangeNothing) {
  const int32_t addresses[][3] = {{-2, 1, 1}, {1, -2, 0}, {1, 0, -2}, {INT32_MIN, 0, 0}};
  for (const auto& a : addresses) {
    RevArray array;
    Load(array, "a|b");
    EXPECT_EQ(array.Set(a[0], a[1], a[2], "x"), 1);
    EXPECT_EQ(array.Insert(a[0], a[1], a[2], "x"), 1);
    EXPECT_EQ(Whole(array), "a|b");
  }
}

TEST(RevArray, LengthRuleOfTheTextArguments) {
  RevArray array;
  const char text[] = "ab\0cd";
  array.Set(1, 0, 0, text, 0);
  EXPECT_EQ(array.Get(1, 0, 0), "ab");
  array.Set(1, 0, 0, text, 5);
  EXPECT_EQ(array.Get(1, 0, 0), std::string_view(text, 5));
  array.Set(1, 0, 0, text, -3);
  EXPECT_EQ(array.Get(1, 0, 0), "");
  array.Set(2, 0, 0, nullptr, 10);
  EXPECT_EQ(array.FieldCount(), 2);
  EXPECT_EQ(array.Get(2, 0, 0), "");
}

struct DelCase {
  const char* before;
  int32_t field, value, subvalue;
  const char* after;
};

TEST(RevArray, DelRemovesTheAddressedElement) {
  const DelCase cases[] = {
      {"a|b|c", 2, 0, 0, "a|c"},
      {"a", 1, 5, 0, "a"},
      {"a|b", 0, 0, 0, ""},
      {"a|b", 0, -1, 7, ""},
      {"a^b^c", 1, 2, 0, "a^c"},
      {"a~b~c", 1, 1, 2, "a~c"},
      {"a~b", 1, 1, 3, "a~b"},
      {"a|b", 3, 0, 0, "a|b"},
      {"a|b", -1, 0, 0, "a|b"},
      {"a|b", 1, -1, 0, "a|b"},
      {"a|b", 1, 1, -1, "a|b"},
      {"a", 1, 1, 1, ""},
  };
  for (const DelCase& c : cases) {
    RevArray array;
    Load(array, c.before);
    array.Del(c.field, c.value, c.subvalue);
    EXPECT_EQ(Whole(array), c.after)
        << "Del(" << c.field << ", " << c.value << ", " << c.subvalue << ") on " << c.before;
  }
}

TEST(RevArray, DelOfMissingElements) {
  RevArray array;
  array.Set(3, 2, 1, "x");  // fields 1 and 2 missing, value 1 of field 3 missing
  array.Del(2, 1, 0);
  array.Del(3, 1, 0);
  EXPECT_EQ(array.FieldCount(), 3);
  EXPECT_EQ(array.ValueCount(3), 2);
  array.Del(2, 0, 0);  // a missing field is deleted like any other
  EXPECT_EQ(array.FieldCount(), 2);
  EXPECT_EQ(Whole(array), "|^x");
  // A value emptied of its subvalues renders as an empty one.
  array.Del(2, 2, 1);
  EXPECT_EQ(array.SubValueCount(2, 2), 0);
  EXPECT_EQ(Whole(array), "|^");
}

struct GetCase {
  int32_t field, value, subvalue;
  const char* text;
};

TEST(RevArray, GetChoosesEachLevelOnItsOwn) {
  RevArray array;
  Load(array, "a^b~c|d^e");
  const GetCase cases[] = {
      {0, 0, 0, "a^b~c|d^e"}, {0, 2, 0, "b~c|e"}, {0, 2, 2, "c|"}, {0, 0, 1, "a^b|d^e"},
      {2, 0, 0, "d^e"},       {1, 2, 0, "b~c"},   {1, 2, 2, "c"},  {2, 5, 0, ""},
      {3, 0, 0, ""},          {1, 2, 3, ""},      {-1, 0, 0, ""},  {0, -1, 0, ""},
      {0, 0, -1, ""},
  };
  for (const GetCase& c : cases) {
    EXPECT_EQ(Readable(array.Get(c.field, c.value, c.subvalue)), c.text)
        << "Get(" << c.field << ", " << c.value << ", " << c.subvalue << ")";
  }
}

struct LocateCase {
  const char* array;
  const char* text;
  int32_t field, value;
  int32_t exact, noCase;
};

TEST(RevArray, LocateFindsTheFirstEqualElement) {
  const LocateCase cases[] = {
      {"a|b|b", "b", 0, 0, 2, 2},
      {"a|b|b", "B", 0, 0, 0, 2},
      {"a^x", "x", 1, 0, 2, 2},
      {"a^x~y", "y", 1, 2, 2, 2},
      {"a|c^d", "c^d", 0, 0, 2, 2},  // a field is compared as its whole text
      {"a|c^d", "c", 0, 0, 0, 0},
      {"a^b~c", "b~c", 1, 0, 2, 2},
      {"|x", "", 0, 0, 1, 1},
      {"ab|abc", "abc", 0, 7, 2, 2},  // the value is not used at the field level
      {"a|b", "a", -1, 0, 0, 0},
      {"a|b", "a", 5, 0, 0, 0},
      {"a|b", "a", 1, -1, 0, 0},
      {"a^b", "b", 1, 5, 0, 0},
      {"abc |abc", "abc", 0, 0, 2, 2},
      {"Straße|STRASSE", "straße", 0, 0, 0, 1},
  };
  for (const LocateCase& c : cases) {
    RevArray array;
    Load(array, c.array);
    std::string text = T(c.text);
    EXPECT_EQ(array.Locate(text, c.field, c.value), c.exact) << c.text << " in " << c.array;
    EXPECT_EQ(array.LocateNC(text, c.field, c.value), c.noCase) << c.text << " in " << c.array;
  }
}

TEST(RevArray, LocateComparesUpToTheFirstNul) {
  RevArray array;
  array.Set(0, 0, 0, T(std::string_view("b|a\0q", 5)));
  EXPECT_EQ(array.Locate("a", 0, 0), 2);
  EXPECT_EQ(array.Locate(std::string_view("a\0zzz", 5), 0, 0), 2);
  EXPECT_EQ(array.Locate(std::string_view("b\0", 2), 0, 0), 1);
}

TEST(RevArray, SetDelimReplacesUpToThreeBytes) {
  RevArray array;
  array.SetDelim("|", 1);
  EXPECT_EQ(array.Delims().field, '|');
  EXPECT_EQ(array.Delims().value, '\xFD');
  EXPECT_EQ(array.Delims().subvalue, '\xFC');
  array.SetDelim("ab", 0);
  EXPECT_EQ(array.Delims().field, 'a');
  EXPECT_EQ(array.Delims().value, 'b');
  EXPECT_EQ(array.Delims().subvalue, '\xFC');
  array.SetDelim("|,;:", 4);
  EXPECT_EQ(array.Delims().subvalue, ';');
  array.SetDelim("", 0);
  EXPECT_EQ(array.Delims().field, '\xFE');
  EXPECT_EQ(array.Delims().value, '\xFD');
  EXPECT_EQ(array.Delims().subvalue, '\xFC');
}

TEST(RevArray, DelimitersApplyToLaterOperationsOnly) {
  RevArray array;
  array.Set(0, 0, 0, "a,b");
  array.SetDelim(",", 1);
  EXPECT_EQ(array.FieldCount(), 1);
  EXPECT_EQ(array.Get(0, 0, 0), "a,b");
  array.Set(0, 0, 0, "a,b");
  EXPECT_EQ(array.FieldCount(), 2);
  // The NUL byte is a delimiter like any other.
  array.SetDelim("\0", 1);
  array.Set(0, 0, 0, std::string_view("x\0y\0", 4));
  EXPECT_EQ(array.FieldCount(), 3);
  EXPECT_EQ(array.Get(0, 0, 0), std::string_view("x\0y\0", 4));
}

// Parsing any text and rendering it again gives the same bytes, whatever the delimiters.
TEST(RevArray, ParseThenRenderGivesTheSameBytes) {
  const std::string_view delimiterSets[] = {{"", 0}, {"|", 1}, {"|,;", 3}, {"xxx", 3}, {"\0,;", 3}};
  const char alphabet[] = {'a', 'x', '\xFE', '\xFD', '\xFC', '|', ',', ';', '\0'};
  std::mt19937 random(20261210);
  for (std::size_t d = 0; d < std::size(delimiterSets); ++d) {
    RevArray array;
    array.SetDelim(delimiterSets[d].data(), static_cast<int32_t>(delimiterSets[d].size()));
    for (int round = 0; round < 300; ++round) {
      std::string text(random() % 24, ' ');
      for (char& c : text) c = alphabet[random() % std::size(alphabet)];
      array.Set(0, 0, 0, text);
      ASSERT_EQ(array.Get(0, 0, 0), text) << "delimiter set " << d << ": " << Readable(text);
    }
  }
}

}  // namespace
