#include <gtest/gtest.h>

#include "zqplatform/codepage.h"
#include "zqplatform/oledate.h"

namespace {

std::string Text(DATE d) {
  BSTR b = nullptr;
  if (VarBstrFromDate(d, LANG_USER_DEFAULT, 0, &b) != S_OK) return "<fail>";
  std::string s = zq::text::FromBstr(b);
  SysFreeString(b);
  return s;
}

TEST(OleDate, PartsAndFormatRoundTrip) {
  struct Case {
    int y, mo, d, h, mi, s;
    const char* text;
  } cases[] = {
      {2009, 3, 14, 10, 20, 30, "3/14/2009 10:20:30 AM"},
      {2009, 3, 14, 0, 0, 0, "3/14/2009"},
      {1899, 12, 30, 15, 5, 0, "3:05:00 PM"},
      {1899, 12, 29, 6, 0, 0, "12/29/1899 6:00:00 AM"},
      {100, 1, 1, 0, 0, 0, "1/1/100"},
      {9999, 12, 31, 23, 59, 59, "12/31/9999 11:59:59 PM"},
      {2000, 2, 29, 12, 0, 0, "2/29/2000 12:00:00 PM"},
  };
  for (const Case& c : cases) {
    COleDateTime date(c.y, c.mo, c.d, c.h, c.mi, c.s);
    ASSERT_EQ(date.GetStatus(), COleDateTime::valid) << c.text;
    EXPECT_EQ(Text(date.m_dt), c.text);
    EXPECT_EQ(date.Format(), c.text);
    EXPECT_EQ(date.GetYear(), c.y);
    EXPECT_EQ(date.GetSecond(), c.s);
    COleDateTime parsed;
    ASSERT_TRUE(parsed.ParseDateTime(c.text)) << c.text;
    EXPECT_EQ(parsed.m_dt, date.m_dt) << c.text;
  }
  // Days before 30 December 1899 count their time away from 0.
  EXPECT_DOUBLE_EQ(COleDateTime(1899, 12, 29, 6, 0, 0).m_dt, -1.25);
}

TEST(OleDate, InvalidDatesAndTheirErrorValues) {
  const int bad[][6] = {{0, 1, 1, 0, 0, 0}, {2009, 13, 1, 0, 0, 0}, {2009, 2, 29, 0, 0, 0},
                        {2009, 1, 1, 24, 0, 0}, {10000, 1, 1, 0, 0, 0}};
  for (const auto& p : bad) {
    COleDateTime date(p[0], p[1], p[2], p[3], p[4], p[5]);
    EXPECT_EQ(date.GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(date.GetYear(), -1);
    EXPECT_EQ(date.Format(), "Invalid DateTime");
  }
  COleDateTime null;
  null.SetStatus(COleDateTime::null);
  EXPECT_EQ(null.Format(), "");
  BSTR b = nullptr;
  EXPECT_EQ(VarBstrFromDate(3e6, 0, 0, &b), E_INVALIDARG);
}

TEST(OleDate, ParsesTheUsForms) {
  struct Case {
    const char* text;
    int y, mo, d, h, mi, s;
  } cases[] = {
      {"2009-03-14 10:20:30", 2009, 3, 14, 10, 20, 30},
      {"2009-03-14T10:20:30.250", 2009, 3, 14, 10, 20, 30},
      {"March 14, 2009", 2009, 3, 14, 0, 0, 0},
      {"14 Mar 2009 1:02 pm", 2009, 3, 14, 13, 2, 0},
      {"12/31/99", 1999, 12, 31, 0, 0, 0},
      {"1.2.05 12:00:00 AM", 2005, 1, 2, 0, 0, 0},
      {"  7/4/1976  ", 1976, 7, 4, 0, 0, 0},
  };
  for (const Case& c : cases) {
    COleDateTime date;
    ASSERT_TRUE(date.ParseDateTime(c.text)) << c.text;
    EXPECT_EQ(date.GetYear(), c.y) << c.text;
    EXPECT_EQ(date.GetMonth(), c.mo) << c.text;
    EXPECT_EQ(date.GetDay(), c.d) << c.text;
    EXPECT_EQ(date.GetHour(), c.h) << c.text;
    EXPECT_EQ(date.GetMinute(), c.mi) << c.text;
    EXPECT_EQ(date.GetSecond(), c.s) << c.text;
  }
  for (const char* text : {"", "not a date", "13/45/2009", "2009-02-30", "25:00", "10:20 XM", "1/2/3/4",
                           "99999999999/1/1"}) {
    COleDateTime date;
    EXPECT_FALSE(date.ParseDateTime(text)) << text;
    EXPECT_EQ(date.GetStatus(), COleDateTime::invalid) << text;
  }
}

TEST(OleDate, SystemTimeConversions) {
  SYSTEMTIME st{2009, 3, 0, 14, 10, 20, 30, 999};
  DATE d = 0;
  ASSERT_TRUE(SystemTimeToVariantTime(&st, &d));
  SYSTEMTIME back{};
  ASSERT_TRUE(VariantTimeToSystemTime(d, &back));
  EXPECT_EQ(back.wYear, 2009);
  EXPECT_EQ(back.wDayOfWeek, 6);  // a Saturday
  EXPECT_EQ(back.wSecond, 30);
  EXPECT_EQ(back.wMilliseconds, 0);

  SYSTEMTIME month13{2009, 13, 0, 1, 0, 0, 0, 0};
  EXPECT_FALSE(SystemTimeToVariantTime(&month13, &d));
  SYSTEMTIME feb30{2009, 2, 0, 30, 0, 0, 0, 0};  // carries into March
  ASSERT_TRUE(SystemTimeToVariantTime(&feb30, &d));
  ASSERT_TRUE(VariantTimeToSystemTime(d, &back));
  EXPECT_EQ(back.wMonth, 3);
  EXPECT_EQ(back.wDay, 2);
  EXPECT_FALSE(VariantTimeToSystemTime(-700000.0, &back));
  EXPECT_FALSE(SystemTimeToVariantTime(nullptr, &d));
  // Rounding to the nearest second carries into the next day.
  ASSERT_TRUE(VariantTimeToSystemTime(1.0 - 0.1 / 86400, &back));
  EXPECT_EQ(back.wDay, 31);
  EXPECT_EQ(back.wHour, 0);
}

TEST(OleDate, FromTimeValues) {
  COleDateTime date = COleDateTime::FromTimeValue(1237026030);  // 2009-03-14 10:20:30 UTC
  EXPECT_EQ(date.Format(), "3/14/2009 10:20:30 AM");
  EXPECT_EQ(COleDateTime::FromTimeValue(-1).GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(COleDateTime::FromTimeValue(32535216000).GetStatus(), COleDateTime::invalid);
}

}  // namespace
