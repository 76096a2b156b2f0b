#include <gtest/gtest.h>

#include <string>

#include "Layouts.h"
#include "hostlib/QueueFiles.h"

namespace {

using namespace zq::rt;

const std::string FE = "\xFE", FD = "\xFD", FC = "\xFC";

void AddExtension(Queue& q, std::string_view ext, std::string_view cover, int flag) {
  q.Buffer().SetText("EXT", ext);
  q.Buffer().SetText("COVER", cover);
  q.Buffer().SetWhole("NOMEDIAURL", flag);
  ASSERT_TRUE(q.Add());
}

TEST(QueueText, ExtensionRecordsAreValuesJoinedByFieldMarks) {
  Queue q(layouts::VEXTENSIONS);
  AddExtension(q, "MKV", "mkv_cover", 1);
  AddExtension(q, "ISO", "", 0);
  int32_t error = -1;
  EXPECT_EQ(GETQUEUE(q, error, 1), "MKV" + FD + "mkv_cover" + FD + "1" + FE + "ISO" + FD + FD + "0");
  EXPECT_EQ(error, 0);
}

TEST(QueueText, ATextFieldComesBackBlankPadded) {
  Queue q(layouts::VEXTENSIONS);
  ASSERT_EQ(PUTQUEUE(q, "abc" + FD + "x" + FD + "1", 1), 0);
  ASSERT_EQ(q.Records(), 1u);
  ASSERT_TRUE(q.Get(1));
  EXPECT_EQ(q.Buffer().Bytes().substr(0, 10), "abc       ");
  EXPECT_EQ(q.Buffer().Whole("NOMEDIAURL"), 1);
}

TEST(QueueText, MissingValuesReadAsEmptyTextAndZero) {
  Queue q(layouts::VEXTENSIONS);
  q.Buffer().SetText("COVER", "left over");
  q.Buffer().SetWhole("NOMEDIAURL", 7);
  ASSERT_EQ(PUTQUEUE(q, "AVI", 1), 0);
  ASSERT_TRUE(q.Get(1));
  EXPECT_EQ(q.Buffer().Text("EXT"), "AVI");
  EXPECT_EQ(q.Buffer().Text("COVER"), "");
  EXPECT_EQ(q.Buffer().Whole("NOMEDIAURL"), 0);
}

TEST(QueueText, ANonFiniteOrUnreadableRealReadsAsZeroAndIsSavedAsZero) {
  struct Case {
    std::string scale;
    double read;
    std::string saved;
  };
  const Case cases[] = {
      {"1e400", 0, "0"},  {"nan", 0, "0"},   {"NaN", 0, "0"},  {"inf", 0, "0"},
      {"-inf", 0, "0"},   {"infinity", 0, "0"}, {"1" + std::string(400, '0'), 0, "0"},
      {"-1" + std::string(400, '0'), 0, "0"}, {"1.5", 1.5, "1.5"}, {" 2 ", 2, "2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.scale.substr(0, 12));
    Queue q(layouts::QSCRIPT);
    const std::string row = "1" + FD + "Center" + FD + "0" + FD + "0" + FD;
    const std::string rest = FD + "OMI" + FD + "2" + FD + "6" + FD + "3" + FD + "10" + FD + "10" + FD + "0" + FD + "Small" +
                             FD + "Yes";
    ASSERT_EQ(PUTQUEUE(q, row + c.scale + rest, 1), 0);
    ASSERT_TRUE(q.Get(1));
    EXPECT_EQ(q.Buffer().Real("SCALE"), c.read);
    int32_t error = -1;
    EXPECT_EQ(GETQUEUE(q, error, 1), row + c.saved + rest);
    EXPECT_EQ(error, 0);
  }
}

TEST(QueueText, ArrayFieldsAreSubvalues) {
  const RecordLayout layout{STRING("NAME", 8), SHORT("SIZES").Dim(3), REAL("R").Dim(2)};
  Queue q(layout);
  q.Buffer().SetText("NAME", "n");
  for (uint32_t e = 1; e <= 3; ++e) q.Buffer().SetWhole("SIZES", -10 * e, e);
  q.Buffer().SetReal("R", 0.1, 1);
  q.Buffer().SetReal("R", 2.5, 2);
  ASSERT_TRUE(q.Add());
  int32_t error = 0;
  const std::string text = GETQUEUE(q, error, 1);
  EXPECT_EQ(text, "n" + FD + "-10" + FC + "-20" + FC + "-30" + FD + "0.1" + FC + "2.5");
  Queue back(layout);
  ASSERT_EQ(PUTQUEUE(back, text, 1), 0);
  ASSERT_TRUE(back.Get(1));
  EXPECT_EQ(back.Buffer().Whole("SIZES", 3), -30);
  EXPECT_EQ(back.Buffer().Real("R", 1), 0.1);
}

TEST(QueueText, RealsInTheirShortestExactForm) {
  const RecordLayout layout{REAL("R")};
  const double values[] = {0.0, 1.5, -2.0, 0.1 + 0.2, 1e-7, 123456789012345678.0, 1.0 / 3.0, 4294967296.0 * 3};
  Queue q(layout);
  for (double v : values) {
    q.Buffer().SetReal("R", v);
    ASSERT_TRUE(q.Add());
  }
  int32_t error = 0;
  const std::string text = GETQUEUE(q, error, 1);
  EXPECT_EQ(text.substr(0, 9), "0" + FE + "1.5" + FE + "-2" + FE);
  EXPECT_EQ(text.find('e'), std::string::npos);  // plain decimal, never an exponent
  EXPECT_EQ(text.find(','), std::string::npos);
  Queue back(layout);
  ASSERT_EQ(PUTQUEUE(back, text, 1), 0);
  ASSERT_EQ(back.Records(), std::size(values));
  for (uint32_t r = 1; r <= back.Records(); ++r) {
    back.Get(r);
    EXPECT_EQ(back.Buffer().Real("R"), values[r - 1]) << r;  // bit for bit
  }
}

TEST(QueueText, FirstLeavesTheFieldsBeforeItEmpty) {
  Queue q(layouts::QNOSCAN);
  for (const char* name : {"A", "B", "C", "D", "E"}) {
    q.Buffer().SetText("FNAME", name);
    q.Add();
  }
  int32_t error = 0;
  EXPECT_EQ(GETQUEUE(q, error, 3), FE + FE + "C" + FE + "D" + FE + "E");
  EXPECT_EQ(GETQUEUE(q, error, 6), "");
  EXPECT_EQ(error, 0);
  Queue back(layouts::QNOSCAN);
  ASSERT_EQ(PUTQUEUE(back, FE + FE + "C" + FE + "D", 3), 0);
  EXPECT_EQ(back.Records(), 2u);
  ASSERT_EQ(PUTQUEUE(back, "A" + FE + "B", 3), 0);  // fewer fields than first
  EXPECT_EQ(back.Records(), 0u);
}

TEST(QueueText, GroupsAndNamelessRecordsAreRefused) {
  const RecordLayout group{STRING("A", 4), GROUP("G", {SHORT("X")}), LONG("B")};
  Queue q(group);
  q.Buffer().SetText("A", "a");
  q.Add();
  int32_t error = 0;
  EXPECT_EQ(GETQUEUE(q, error, 1), "");
  EXPECT_EQ(error, kQueueFileGroup);
  EXPECT_EQ(PUTQUEUE(q, "a" + FD + "b", 1), kQueueFileGroup);
  EXPECT_EQ(q.Records(), 0u);  // emptied first

  const RecordLayout nameless{STRING("", 4), LONG("B")};
  Queue n(nameless);
  n.Add();
  EXPECT_EQ(GETQUEUE(n, error, 1), "");
  EXPECT_EQ(error, kQueueFileNoField);
  EXPECT_EQ(PUTQUEUE(n, "x", 1), kQueueFileNoField);

  const RecordLayout reference{STRING("A", 4), REFERENCE("Q")};
  Queue r(reference);
  r.Add();
  GETQUEUE(r, error, 1);
  EXPECT_EQ(error, kQueueFileGroup);
}

TEST(QueueText, FieldsAfterTheFirstNamelessOneAreLeftOut) {
  const RecordLayout layout{STRING("A", 4), LONG("B"), STRING("", 4), LONG("C")};
  Queue q(layout);
  q.Buffer().SetText("A", "a");
  q.Buffer().SetWhole("B", 2);
  q.Buffer().SetWhole("C", 3);
  q.Add();
  int32_t error = 0;
  EXPECT_EQ(GETQUEUE(q, error, 1), "a" + FD + "2");
}

TEST(QueueText, TheScriptLayoutTableRoundTrips) {
  Queue q(layouts::QSCRIPT);
  for (int level = 1; level <= 7; ++level) {
    RecordRef& b = q.Buffer();
    b.SetWhole("NR", level);
    b.SetText("ALIGN", level % 2 ? "Top" : "Center");
    b.SetWhole("IDX", -level * 3);
    b.SetWhole("IDY", 32767);
    b.SetReal("SCALE", level * 0.25);
    b.SetText("AUTOICON", "OMI");
    b.SetWhole("DIR", level + 1);
    b.SetWhole("COLS", 5);
    b.SetWhole("ROWS", 2);
    b.SetWhole("TOP", 10);
    b.SetWhole("BOT", -32768);
    b.SetWhole("TEXTBOT", 0);
    b.SetText("FSIZE", "Small");
    b.SetText("IVIEW", "Yes");
    q.Add();
  }
  int32_t error = 0;
  const std::string text = GETQUEUE(q, error, 1);
  ASSERT_EQ(error, 0);
  EXPECT_EQ(text.substr(0, text.find(FE)),
            "1" + FD + "Top" + FD + "-3" + FD + "32767" + FD + "0.25" + FD + "OMI" + FD + "2" + FD + "5" + FD + "2" +
                FD + "10" + FD + "-32768" + FD + "0" + FD + "Small" + FD + "Yes");
  Queue back(layouts::QSCRIPT);
  ASSERT_EQ(PUTQUEUE(back, text, 1), 0);
  ASSERT_EQ(back.Records(), 7u);
  for (uint32_t r = 1; r <= 7; ++r) {
    EXPECT_EQ(back.Peek(r)->Bytes(), q.Peek(r)->Bytes()) << r;
  }
  // The buffer holds the last row read, as the table's completion expects.
  EXPECT_EQ(back.Buffer().Whole("NR"), 7);
}

}  // namespace
