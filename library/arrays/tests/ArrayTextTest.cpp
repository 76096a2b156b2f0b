#include "arrays/ArrayText.h"

#include <gtest/gtest.h>

#include "arrays/RevArray.h"
#include "arrays/tests/ArrayTestText.h"

namespace {

using arraytest::Readable;
using arraytest::T;

struct ScanCase {
  const char* text;
  const char* piece;
  const char* rest;
  bool found;
};

TEST(ScanDelimiter, CutsOnePieceOffTheFront) {
  const ScanCase cases[] = {
      {"a,b", "a", "b", true}, {"a,", "a", "", true}, {",", "", "", true},
      {"ab", "ab", "", false}, {"", "", "", false},   {",,b", "", ",b", true},
  };
  for (const ScanCase& c : cases) {
    std::string_view rest = c.text, piece;
    EXPECT_EQ(zqv::ScanDelimiter(rest, piece, ','), c.found) << c.text;
    EXPECT_EQ(piece, c.piece) << c.text;
    EXPECT_EQ(rest, c.rest) << c.text;
  }
}

struct FormCase {
  const char* text;
  int32_t fields;
  const char* description;  // value counts of each field, then subvalue counts of each value
};

// The structure a parse gives, written as "values(subvalues,...)" per field.
std::string Shape(RevArray& array) {
  std::string shape;
  for (int32_t f = 1; f <= array.FieldCount(); ++f) {
    if (f > 1) shape += ' ';
    shape += std::to_string(array.ValueCount(f)) + "(";
    for (int32_t v = 1; v <= array.ValueCount(f); ++v) {
      if (v > 1) shape += ',';
      shape += std::to_string(array.SubValueCount(f, v));
    }
    shape += ")";
  }
  return shape;
}

TEST(TextForm, EveryDelimiterStartsANewElement) {
  const FormCase cases[] = {
      {"a|b", 2, "1(1) 1(1)"},
      {"a^b", 1, "2(1,1)"},
      {"a|", 2, "1(1) 1(1)"},
      {"|", 2, "1(1) 1(1)"},
      {"", 0, ""},
      {"^~", 1, "2(1,2)"},
      {"Name|a^1~2|", 3, "1(1) 2(1,2) 1(1)"},
  };
  for (const FormCase& c : cases) {
    RevArray array;
    std::string text = T(c.text);
    array.Set(0, 0, 0, text);
    EXPECT_EQ(array.FieldCount(), c.fields) << c.text;
    EXPECT_EQ(Shape(array), c.description) << c.text;
    EXPECT_EQ(array.Get(0, 0, 0), text) << c.text;
  }
}

TEST(TextForm, WorkedExampleIsElevenBytes) {
  RevArray array;
  array.Set(1, 0, 0, "Name");
  array.Set(2, 1, 0, "a");
  array.Set(2, 2, 1, "1");
  array.Set(2, 2, 2, "2");
  array.Set(3, 0, 0, "");
  const unsigned char expected[] = {0x4E, 0x61, 0x6D, 0x65, 0xFE, 0x61, 0xFD, 0x31, 0xFC, 0x32, 0xFE};
  EXPECT_EQ(array.Get(0, 0, 0), std::string_view(reinterpret_cast<const char*>(expected), 11));
}

// Subvalues of every length around the chunk size render whole, in every combination.
TEST(TextForm, LongSubvaluesRenderWhole) {
  const std::size_t lengths[] = {0, 1, 31999, 32000, 32001, 32768, 100000};
  for (std::size_t before : lengths) {
    for (std::size_t middle : lengths) {
      std::string text = std::string(before, 'a') + T("~") + std::string(middle, 'b') + T("~c^") +
                         std::string(middle, 'd') + T("|") + std::string(before, 'e');
      RevArray array;
      array.Set(0, 0, 0, text);
      ASSERT_EQ(array.Get(0, 0, 0).size(), text.size()) << before << " " << middle;
      ASSERT_EQ(array.Get(0, 0, 0), text) << before << " " << middle;
      EXPECT_EQ(array.Get(1, 1, 2), std::string(middle, 'b'));
    }
  }
}

TEST(TextForm, LargeArrayRendersThroughSeveralChunks) {
  std::string text;
  for (int i = 0; text.size() < 100000; ++i) {
    text += "field" + std::to_string(i) + T("^value~sub|");
  }
  RevArray array;
  array.Set(0, 0, 0, text);
  EXPECT_EQ(array.Get(0, 0, 0), text);
  EXPECT_EQ(array.Get(0, 0, 0).size(), text.size());
}

TEST(ChunkWriter, OutputIsTheConcatenation) {
  XSObject target("old");
  zqv::ChunkWriter out(target);
  std::string expected;
  for (int i = 0; i < 5000; ++i) {
    std::string piece(static_cast<std::size_t>(i % 97), static_cast<char>('a' + i % 26));
    out.Put(piece);
    out.Put('\xFE');
    expected += piece + '\xFE';
  }
  out.Put(std::string(70000, 'z'));
  expected += std::string(70000, 'z');
  out.Flush();
  EXPECT_EQ(target.Text(), expected);
}

}  // namespace
