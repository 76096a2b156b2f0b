#include <gtest/gtest.h>

#include "app/State.h"

TEST(ProgramState, ThreadParametersKeepTheirWholeWidth) {
  EXPECT_EQ(T1GROUPTYPE().Size(), 260u);
  EXPECT_EQ(T2GROUPTYPE().Size(), sizeof(void*) + 4);
  T2GROUP.SetReference("QDIR", &QDIR);
  T2GROUP.SetWhole("THREADNR", 77);
  zq::rt::Record copy(SharedLayout(T2GROUPTYPE()));
  copy.AssignBytes(T2GROUP.Bytes());
  EXPECT_EQ(copy.Reference("QDIR"), &QDIR);
  EXPECT_EQ(copy.Whole("THREADNR"), 77);
}

TEST(ProgramState, StartsEmptyAndResetsToTheStart) {
  RESETSTATE();
  for (zq::rt::Queue* q : {&QDIR, &MFQ, &QSCRIPT, &VEXTENSIONS, &AEXTENSIONS, &QNOSCAN}) EXPECT_EQ(q->Records(), 0u);
  EXPECT_TRUE(ST.CAT1.ALLIGN.empty());
  EXPECT_EQ(DEEPSCAN, 0);
  QDIR.Buffer().SetText("NAME", "Alien");
  QDIR.Add();
  DEEPSCAN = 1;
  ABORTALL = 1;
  ROOTDIR = "D:\\Films";
  RESETSTATE();
  EXPECT_EQ(QDIR.Records(), 0u);
  EXPECT_EQ(DEEPSCAN, 0);
  EXPECT_EQ(ABORTALL, 0);
  EXPECT_TRUE(ROOTDIR.empty());
}

TEST(ProgramState, LayoutsNameTheFieldsTheProceduresUse) {
  EXPECT_EQ(QDIRTYPE().Find("NAME"), kQDirName);
  EXPECT_EQ(QDIRTYPE().Find("ICON"), kQDirIcon);
  EXPECT_EQ(QDIRTYPE().Find("LEVEL"), kQDirLevel);
  EXPECT_EQ(QDIRTYPE().FieldCount(), 18u);
  EXPECT_EQ(MFQTYPE().FieldCount(), 9u);
  EXPECT_EQ(QSCRIPTTYPE().FieldCount(), 14u);
  EXPECT_EQ(VEXTTYPE().FieldCount(), 3u);
  EXPECT_EQ(QNOSCANTYPE().FieldCount(), 1u);
}
