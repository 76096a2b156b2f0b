#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "hostlib/FileModes.h"
#include "zqtest/ScratchFolder.h"
#include "hostlib/Wrappers.h"

namespace {


TEST(RevArray, SetsAndGetsByPositionWithStatusAndOutParameter) {
  REVARRAY a;
  EXPECT_EQ(a.SETS("Name", 1, 1, 1), 0);
  EXPECT_EQ(a.INTERROR, 0);
  EXPECT_EQ(a.SETS("a", 2, 1, 1), 0);
  EXPECT_EQ(a.SETL(12, 2, 2, 1), 0);
  EXPECT_EQ(a.SETS("2", 2, 2, 2), 0);
  EXPECT_EQ(a.GET(0, 0, 0), "Name\xFE" "a\xFD" "12\xFC" "2");
  EXPECT_EQ(a.GETL(2, 2, 1), 12);
  EXPECT_EQ(a.INTERROR, 0);
  EXPECT_EQ(a.FIELDCOUNT(), 2);
  EXPECT_EQ(a.LOCATE("a", 2, 0), 1);
  EXPECT_EQ(a.LOCATE("zz", 2, 0), 0);
  EXPECT_EQ(a.INTERROR, 0);
  EXPECT_EQ(a.SETS("x", -2, 1, 1), -6);  // a position below -1
  EXPECT_EQ(a.INTERROR, -6);
}

TEST(RevArray, WholeTextAndDelimiters) {
  REVARRAY a;
  EXPECT_EQ(a.SETS("a|b,1;2|", 0, 0, 0), 0);
  EXPECT_EQ(a.FIELDCOUNT(), 1);
  EXPECT_EQ(a.SETDELIM("|,;"), 0);
  EXPECT_EQ(a.SETS("a|b,1;2|", 0, 0, 0), 0);
  EXPECT_EQ(a.FIELDCOUNT(), 3);
  EXPECT_EQ(a.GET(2, 2, 2), "2");
  EXPECT_EQ(a.GET(0, 0, 0), "a|b,1;2|");
}

TEST(RevArray, FileRoundTripAndFailures) {
  zqtest::ScratchFolder dir;
  const std::string file = (dir / "a.dat").string();
  REVARRAY a;
  a.SETS("x\xFEy", 0, 0, 0);
  EXPECT_EQ(a.WRITEARRAY(file, 0, 0, kReadWrite, kNoSharing, OPEN_ALWAYS, kNormalWriteThrough), 3);
  EXPECT_EQ(a.INTERROR, 0);
  REVARRAY b;
  EXPECT_EQ(b.READARRAY(file, 0, 0, kReadWrite, kNoSharing, OPEN_ALWAYS, kNormalWriteThrough), 3);
  EXPECT_EQ(b.GET(0, 0, 0), "x\xFEy");
  EXPECT_EQ(b.READARRAY((dir / "none" / "b.dat").string(), 0, 0, kReadWrite, kNoSharing, OPEN_ALWAYS,
                        kNormalWriteThrough),
            -61);
  EXPECT_EQ(b.INTERROR, -61);
  EXPECT_EQ(b.FIELDCOUNT(), 2);  // unchanged by the failed read
  EXPECT_EQ(b.INTERROR, 0);
}

}  // namespace
