#include <gtest/gtest.h>

#include <memory>

#include "zqruntime/record.h"

namespace {

using namespace zq::rt;

struct Conversion {
  FieldDecl field;
  const char* in;
  const char* out;
};

TEST(FieldText, AssignmentConvertsTextToTheFieldsType) {
  const Conversion cases[] = {
      {BYTE("B"), "300", "44"},
      {BYTE("B"), "-1", "255"},
      {BYTE("B"), "", "0"},
      {BYTE("B"), "abc", "0"},
      {SHORT("S"), "70000", "4464"},
      {SHORT("S"), "-32769", "32767"},
      {SHORT("S"), " 12 ", "12"},
      {LONG("L"), "007", "7"},
      {LONG("L"), "+5", "5"},
      {LONG("L"), "12.9", "12"},
      {LONG("L"), "-12.9", "-12"},
      {LONG("L"), "4294967297", "1"},
      {LONG("L"), "12abc", "0"},
      {LONG("L"), "+-5", "0"},
      {LONG("L"), "99999999999999999999", "1661992960"},
      {ULONG("U"), "-1", "4294967295"},
      {REAL("R"), "1.50", "1.5"},
      {REAL("R"), "0", "0"},
      {REAL("R"), "-0", "0"},
      {REAL("R"), "0.1", "0.1"},
      {REAL("R"), "nan", "0"},
      {REAL("R"), "1e5", "0"},
      {REAL("R"), "+-5", "0"},
      {REAL("R"), "123456789012345678", "123456789012346000"},
      {REAL("R"), "-0.000001234", "-0.000001234"},
      {STRING("T", 5), "abc  ", "abc"},
      {STRING("T", 5), "abcdefg", "abcde"},
      {STRING("T", 5), " lead", " lead"},
      {CSTRING("C", 5), "abcdefg", "abcd"},
      {CSTRING("C", 5), "", ""},
  };
  for (const Conversion& c : cases) {
    SCOPED_TRACE(c.in);
    const auto layout = std::make_shared<const RecordLayout>(RecordLayout{c.field});
    Record r(layout);
    ASSERT_TRUE(r.SetText(1, c.in));
    EXPECT_EQ(r.Text(1), c.out);
  }
}

TEST(FieldText, NumbersAndTextsCrossBetweenKinds) {
  const auto layout = std::make_shared<const RecordLayout>(
      RecordLayout{STRING("T", 8), REAL("R"), SHORT("S"), CSTRING("C", 4)});
  Record r(layout);
  r.SetWhole("T", -42);
  EXPECT_EQ(r.Text("T"), "-42");
  EXPECT_EQ(r.Whole("T"), -42);
  r.SetReal("T", 2.25);
  EXPECT_EQ(r.Real("T"), 2.25);
  r.SetReal("S", -7.9);
  EXPECT_EQ(r.Whole("S"), -7) << "cut toward zero";
  r.SetWhole("S", 65537);
  EXPECT_EQ(r.Whole("S"), 1);
  r.SetWhole("R", 3);
  EXPECT_EQ(r.Text("R"), "3");
  r.SetWhole("C", 123456);
  EXPECT_EQ(r.Text("C"), "123") << "cut to the CSTRING's room";
  EXPECT_EQ(r.Bytes().substr(8 + 8 + 2, 4), std::string("123\0", 4));
}

}  // namespace
