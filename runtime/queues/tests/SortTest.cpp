#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProgramLayouts.h"
#include "zqruntime/queue.h"

namespace {

using zq::rt::Queue;
using zq::rt::RecordRef;

struct Row {
  const char* scat;
  const char* dir;
  double size;
};

void Fill(Queue& q, const std::vector<Row>& rows) {
  q.Free();
  for (const Row& r : rows) {
    q.ClearBuffer();
    q.Buffer().SetText("SCAT", r.scat);
    q.Buffer().SetText("DIR", r.dir);
    q.Buffer().SetReal("RSIZE", r.size);
    ASSERT_TRUE(q.Add());
  }
}

std::string Order(const Queue& q) {
  std::string out;
  for (uint32_t i = 1; i <= q.Records(); ++i) {
    const auto r = q.Peek(i);
    out += r->Text("SCAT") + r->Text("DIR") + (i < q.Records() ? "," : "");
  }
  return out;
}

const std::vector<Row> kRows = {
    {"V", "b", 10}, {"A", "c", 2}, {"V", "a", 30}, {"U", "a", 2}, {"A", "a", 100},
};

TEST(QueueSort, OrderTextsInAnyCaseWithSigns) {
  struct Case {
    const char* order;
    const char* expected;
  };
  const Case cases[] = {
      {"+SCat,+Dir", "Aa,Ac,Ua,Va,Vb"},   {"-SCat,-Dir", "Vb,Va,Ua,Ac,Aa"},
      {"scat, -dir", "Ac,Aa,Ua,Vb,Va"},   {" +DIR , SCAT ", "Aa,Ua,Va,Vb,Ac"},
      {"-RSize", "Aa,Va,Vb,Ac,Ua"},  // equal sizes keep their order
      {"+RSIZE,-SCAT", "Ua,Ac,Vb,Va,Aa"},
  };
  Queue q(layouts::MFQ);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.order);
    Fill(q, kRows);
    ASSERT_TRUE(q.Sort(c.order));
    EXPECT_EQ(Order(q), c.expected);
    EXPECT_EQ(q.Position(), 0u);
  }
}

TEST(QueueSort, BadOrdersFailAndLeaveTheQueue) {
  Queue q(layouts::MFQ);
  Fill(q, kRows);
  for (const char* order : {"", "+", "+SCAT,", "+NOPE", "+SCAT,-", "SCAT DIR"}) {
    EXPECT_FALSE(q.Sort(order)) << order;
    EXPECT_EQ(q.Error(), zq::rt::kQueueBadField);
  }
  EXPECT_FALSE(q.Sort(zq::rt::RecordOrder{}));
  EXPECT_EQ(Order(q), "Vb,Ac,Va,Ua,Aa");

  const zq::rt::RecordLayout grouped{zq::rt::GROUP("G", {zq::rt::LONG("X")})};
  Queue g(grouped);
  EXPECT_FALSE(g.Sort("+G")) << "a group is no sort key";
  EXPECT_TRUE(g.Sort("+X"));
}

TEST(QueueSort, TextsCompareByBytesWithoutTrailingBlanksNumbersByValue) {
  Queue q(layouts::QPANEL);
  for (const char* fs : {"10", "9", "9 ", "", "-1"}) {
    q.ClearBuffer();
    q.Buffer().SetText("FS", fs);
    q.Buffer().SetText("FN", fs);
    q.Buffer().SetText("C1", fs);
    ASSERT_TRUE(q.Add());
  }
  const auto column = [&q](const char* f) {
    std::string out;
    for (uint32_t i = 1; i <= q.Records(); ++i) out += "[" + q.Peek(i)->Text(f) + "]";
    return out;
  };
  ASSERT_TRUE(q.Sort("+FS"));
  EXPECT_EQ(column("FS"), "[][-1][10][9][9]");
  ASSERT_TRUE(q.Sort("-C1"));
  EXPECT_EQ(column("C1"), "[10][9][9][0][-1]");
}

TEST(QueueSort, ByOrderProcedureFoldersFirst) {
  Queue q(layouts::QD);
  const struct {
    const char* name;
    int folder;
  } entries[] = {{"b.mkv", 0}, {"Zed", 1}, {"a.avi", 0}, {"Alpha", 1}};
  for (const auto& e : entries) {
    q.ClearBuffer();
    q.Buffer().SetText("NAME", e.name);
    q.Buffer().SetWhole("ISFOLDER", e.folder);
    ASSERT_TRUE(q.Add());
  }
  ASSERT_TRUE(q.Sort([](const RecordRef& a, const RecordRef& b) {
    const int64_t fa = a.Whole("ISFOLDER"), fb = b.Whole("ISFOLDER");
    if (fa != fb) return fa > fb ? -1 : 1;
    return a.Text("NAME").compare(b.Text("NAME"));
  }));
  std::string out;
  for (uint32_t i = 1; i <= q.Records(); ++i) out += q.Peek(i)->Text("NAME") + ";";
  EXPECT_EQ(out, "Alpha;Zed;a.avi;b.mkv;");
}

TEST(QueueSort, TwentyThousandRecordsAreOrdered) {
  Queue q(layouts::QPANEL);
  uint32_t seed = 12345;
  for (int i = 0; i < 20000; ++i) {
    seed = seed * 1103515245u + 12345u;
    q.ClearBuffer();
    q.Buffer().SetWhole("C1", seed % 1000);
    q.Buffer().SetWhole("ICON", i);
    ASSERT_TRUE(q.Add());
  }
  ASSERT_TRUE(q.Sort("+C1,-ICON"));
  for (uint32_t i = 2; i <= q.Records(); ++i) {
    const auto a = q.Peek(i - 1), b = q.Peek(i);
    ASSERT_TRUE(a->Whole("C1") < b->Whole("C1") ||
                (a->Whole("C1") == b->Whole("C1") && a->Whole("ICON") > b->Whole("ICON")));
  }
}

}  // namespace
