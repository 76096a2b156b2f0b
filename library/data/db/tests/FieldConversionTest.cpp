// The field conversions on their own, without a data source.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "data/db/CDBField.h"

namespace {

namespace st = zq::db::sqltype;

struct Field : CDBField {
  explicit Field(int16_t sqlType) {
    CODBCFieldInfo info;
    info.m_nSQLType = sqlType;
    SetTypeFromColumn(info);
    m_bNull = false;
  }
};

TEST(FieldConversion, ColumnTypesGiveValueTypes) {
  const std::pair<int16_t, uint32_t> cases[] = {
      {st::kBit, DBVT_BOOL},       {st::kTinyInt, DBVT_UCHAR},       {st::kSmallInt, DBVT_SHORT},
      {st::kInteger, DBVT_LONG},   {st::kReal, DBVT_SINGLE},         {st::kFloat, DBVT_DOUBLE},
      {st::kDouble, DBVT_DOUBLE},  {st::kDate, DBVT_DATE},           {st::kTime, DBVT_DATE},
      {st::kTimestamp, DBVT_DATE}, {st::kDecimal, DBVT_STRING},      {st::kBigInt, DBVT_STRING},
      {st::kVarChar, DBVT_STRING}, {st::kLongVarChar, DBVT_BINARY},  {st::kVarBinary, DBVT_BINARY},
      {st::kWVarChar, DBVT_WSTRING}, {st::kGuid, DBVT_NULL},
  };
  for (const auto& [sql, type] : cases) EXPECT_EQ(Field(sql).m_dwType, type) << sql;
}

TEST(FieldConversion, TextReadsAsEveryType) {
  struct Case {
    const char* text;
    bool b;
    unsigned char c;
    int16_t s;
    int32_t l;
    double d;
  } cases[] = {
      {"12abc", true, '1', 12, 12, 12},
      {"", false, ' ', 0, 0, 0},
      {"  -7.5e1x", false, ' ', -7, -7, -75},
      {"T", true, 'T', 0, 0, 0},
      {"70000", false, '7', 4464, 70000, 70000},
      {"99999999999", false, '9', -1, INT32_MAX, 99999999999.0},
      {"0x1A", false, '0', 0, 0, 0},
      {"inf", false, 'i', 0, 0, 0},
      {"1e999", true, '1', 1, 1, std::numeric_limits<double>::infinity()},
      {"-1e-999", false, '-', -1, -1, -0.0},
  };
  for (const Case& c : cases) {
    Field f(st::kVarChar);
    f.SetString(c.text);
    EXPECT_EQ(f.AsBool(), c.b) << c.text;
    EXPECT_EQ(f.AsChar(), c.c) << c.text;
    EXPECT_EQ(f.AsShort(), c.s) << c.text;
    EXPECT_EQ(f.AsLong(), c.l) << c.text;
    EXPECT_DOUBLE_EQ(f.AsDouble(), c.d) << c.text;
    EXPECT_EQ(f.AsString(), c.text);
  }
}

TEST(FieldConversion, TextReadsAsTheNearestDouble) {
  // Out of range by its digits alone: too small gives 0, too large infinity.
  const std::string zeros(400, '0');
  Field f(st::kVarChar);
  f.SetString("0." + zeros + "1");
  EXPECT_EQ(f.AsDouble(), 0.0);
  f.SetString("-0." + zeros + "1");
  EXPECT_TRUE(std::signbit(f.AsDouble()));
  f.SetString("1" + zeros);
  EXPECT_EQ(f.AsDouble(), std::numeric_limits<double>::infinity());
  f.SetString("4.9e-324");
  EXPECT_EQ(f.AsDouble(), std::numeric_limits<double>::denorm_min());
}

TEST(FieldConversion, NumbersToTextAndTruncation) {
  Field d(st::kDouble);
  d.SetDouble(-2.7);
  EXPECT_EQ(d.AsLong(), -2);
  EXPECT_EQ(d.AsString(), "-2.700000");
  d.SetDouble(std::numeric_limits<double>::quiet_NaN());
  EXPECT_TRUE(d.AsBool());
  EXPECT_EQ(d.AsLong(), 0);
  d.SetDouble(1e300);
  EXPECT_EQ(d.AsLong(), INT32_MAX);
  EXPECT_TRUE(std::isinf(d.AsFloat()));

  Field l(st::kInteger);
  l.SetLong(65536 + 4);
  EXPECT_EQ(l.AsShort(), 4);
  EXPECT_EQ(l.AsString(), "65540");
  l.SetDouble(-3.9);
  EXPECT_EQ(l.AsLong(), -3);

  Field s(st::kSmallInt);
  s.SetChar(233);
  EXPECT_EQ(s.AsLong(), 233);
  s.SetLong(70000);
  EXPECT_EQ(s.AsShort(), 4464);

  Field b(st::kBit);
  for (auto [set, text] : {std::pair{1, "T"}, std::pair{0, "F"}}) {
    b.SetLong(set);
    EXPECT_EQ(b.AsString(), text);
    EXPECT_EQ(b.AsChar(), text[0]);
  }
  b.SetString("1abc");
  EXPECT_TRUE(b.AsBool());
  b.SetString("yes");
  EXPECT_FALSE(b.AsBool());
  b.SetChar('T');
  EXPECT_TRUE(b.AsBool());

  Field u(st::kTinyInt);
  u.SetLong(0x1234);
  EXPECT_EQ(u.AsShort(), 0x34);
  u.SetString("T");
  EXPECT_TRUE(u.AsBool());
}

TEST(FieldConversion, Dates) {
  Field t(st::kTimestamp);
  t.SetString("not a date");
  EXPECT_EQ(t.m_pdate->year, -1);
  EXPECT_EQ(t.m_pdate->month, 65535);
  EXPECT_EQ(t.AsString(), "Invalid DateTime");
  t.SetDate(COleDateTime(2009, 3, 14, 10, 20, 30));
  EXPECT_EQ(t.AsString(), "3/14/2009 10:20:30 AM");
  EXPECT_EQ(t.AsLong(), 0);
  EXPECT_FALSE(t.AsBool());

  Field text(st::kVarChar);
  text.SetDate(COleDateTime(2009, 3, 14, 0, 0, 0));
  EXPECT_EQ(text.AsString(), "3/14/2009");
  EXPECT_EQ(text.AsDate().GetDay(), 14);

  Field l(st::kInteger);
  l.SetLong(1237026030);
  EXPECT_EQ(l.AsDate().Format(), "3/14/2009 10:20:30 AM");  // TZ=UTC
  l.SetLong(-1);
  EXPECT_EQ(l.AsDate().GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(Field(st::kBit).AsDate().GetStatus(), COleDateTime::invalid);
}

TEST(FieldConversion, NullReadOnlyAndUnhandledFields) {
  for (int16_t sql : {st::kBit, st::kInteger, st::kDouble, st::kVarChar, st::kTimestamp, st::kVarBinary, st::kGuid}) {
    Field f(sql);
    f.SetLong(5);
    f.m_bNull = true;
    EXPECT_FALSE(f.AsBool());
    EXPECT_EQ(f.AsChar(), ' ');
    EXPECT_EQ(f.AsLong(), 0);
    EXPECT_EQ(f.AsDouble(), 0);
    EXPECT_EQ(f.AsString(), "");
    EXPECT_EQ(f.AsDate().GetStatus(), COleDateTime::null);
  }
  Field ro(st::kInteger);
  ro.m_bReadOnly = true;
  ro.m_lVal = 9;
  ro.SetLong(1);
  ro.SetString("2");
  EXPECT_EQ(ro.AsLong(), 9);
  Field bin(st::kVarBinary);
  bin.SetString("ignored");
  EXPECT_EQ(bin.AsString(), "");
}

}  // namespace
