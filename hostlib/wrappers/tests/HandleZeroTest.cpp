// Every method of an instance without a library object passes handle 0 on and keeps the
// library's look-up error as its table says.
#include <gtest/gtest.h>

#include <array>

#include "hostlib/FileModes.h"
#include "hostlib/Wrappers.h"

namespace {

constexpr int32_t kOutOfRange = -2;  // the look-up's code for handle 0

template <class W>
void ExpectStatus(W& w, int32_t result) {
  EXPECT_LT(result, 0);
  EXPECT_EQ(w.INTERROR, result);
}

template <class W>
void ExpectOut(W& w) {
  EXPECT_EQ(w.INTERROR, kOutOfRange);
  w.INTERROR = 0;
}

TEST(HandleZero, XString) {
  XSTRING s;
  s.DESTRUCT();
  ExpectStatus(s, s.SET("a", 0));
  ExpectStatus(s, s.SET(CStringArg{"a"}, 0));
  ExpectStatus(s, s.APPEND("a", 0));
  ExpectStatus(s, s.DELETE(0, 1));
  ExpectStatus(s, s.REPLACESTR("a", "b", 0));
  ExpectStatus(s, s.MAKEUPPER());
  ExpectStatus(s, s.TRIM());
  ExpectStatus(s, s.GETLENGTH());
  EXPECT_EQ(s.GET(0, 0), "");
  ExpectOut(s);
  EXPECT_EQ(s.MID(0, 1), "");
  ExpectOut(s);
  EXPECT_EQ(s.FROMTO(0, 1), "");
  ExpectOut(s);
  EXPECT_EQ(s.GETAT(0), "");
  ExpectOut(s);
  EXPECT_EQ(s.WTOM(), "");
  ExpectOut(s);
  EXPECT_EQ(s.MTOW(), "");
  ExpectOut(s);
  EXPECT_NE(s.COMPARENC("a", -1, 0), 0);
  ExpectOut(s);
  EXPECT_LT(s.FINDCHR("a", 0), 0);
  ExpectOut(s);
  EXPECT_LT(s.FINDCHRNC("a", 0), 0);
  ExpectOut(s);
  EXPECT_LT(s.FINDSTRNC("a", 0), 0);
  ExpectOut(s);
  EXPECT_LT(s.REVERSEFIND("a", 0, 1), 0);
  ExpectOut(s);
  EXPECT_EQ(s.ITEMGET(1), "");
  ExpectOut(s);
  EXPECT_EQ(s.ITEMDEL(1), "");
  ExpectOut(s);
  s.INTERROR = 5;
  EXPECT_LT(s.ITEMCNT(), 1);
  EXPECT_EQ(s.INTERROR, 5);  // untouched
}

TEST(HandleZero, RevArray) {
  REVARRAY a;
  a.DESTRUCT();
  ExpectStatus(a, a.SETDELIM("|"));
  ExpectStatus(a, a.SETS("a", 1, 1, 1));
  ExpectStatus(a, a.SETL(1, 1, 1, 1));
  ExpectStatus(a, a.LOCATE("a", 0, 0));
  ExpectStatus(a, a.FIELDCOUNT());
  ExpectStatus(a, a.READARRAY("x", 0, 0, kReadWrite, kNoSharing, OPEN_ALWAYS, kNormalWriteThrough));
  ExpectStatus(a, a.WRITEARRAY("x", 0, 0, kReadWrite, kNoSharing, OPEN_ALWAYS, kNormalWriteThrough));
  a.INTERROR = 0;
  EXPECT_EQ(a.GET(0, 0, 0), "");
  ExpectOut(a);
  EXPECT_EQ(a.GETL(1, 1, 1), 0);
  ExpectOut(a);
}

TEST(HandleZero, FileIO) {
  FILEIO f;
  f.DESTRUCT();
  std::array<char, 4> buffer{};
  ExpectStatus(f, f.WRITEFILE("x", "data", 0, 0, kReadWrite, kNoSharing, OPEN_ALWAYS, kNormalWriteThrough));
  ExpectStatus(f, f.READFILE("x", buffer, 0, 0, kReadWrite, kNoSharing, OPEN_ALWAYS, kNormalWriteThrough));
  EXPECT_LT(f.GETFILESIZE("x"), 0);
  EXPECT_EQ(f.INTERROR, kOutOfRange);
  ExpectStatus(f, f.CREATEDIR("x"));
  ExpectStatus(f, f.REMOVEDIR("x"));
  ExpectStatus(f, f.COPY("x", "y", 1));
  ExpectStatus(f, f.DELETE("x"));
  ExpectStatus(f, f.CLOSEFILE());
  f.INTERROR = 5;
  EXPECT_LT(f.GETLASTSYSTEMERROR(), 0);
  EXPECT_EQ(f.INTERROR, 5);  // untouched
}

}  // namespace
