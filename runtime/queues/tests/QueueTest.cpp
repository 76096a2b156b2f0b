#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "ProgramLayouts.h"
#include "zqruntime/queue.h"

namespace {

using zq::rt::Queue;

std::vector<std::string> Names(const Queue& q, const char* field) {
  std::vector<std::string> out;
  for (uint32_t i = 1; i <= q.Records(); ++i) out.push_back(q.Peek(i)->Text(field));
  return out;
}

void AddName(Queue& q, const char* name) {
  q.ClearBuffer();
  q.Buffer().SetText("FNAME", name);
  ASSERT_TRUE(q.Add());
}

TEST(Queue, AddGetPutDeleteKeepPositionsAndErrors) {
  Queue q(layouts::QNOSCAN);
  EXPECT_EQ(q.Records(), 0u);
  EXPECT_EQ(q.Position(), 0u);
  for (const char* n : {"a", "c"}) AddName(q, n);
  EXPECT_EQ(q.Position(), 2u);

  q.Buffer().SetText("FNAME", "b");
  ASSERT_TRUE(q.Add(2));
  EXPECT_EQ(Names(q, "FNAME"), (std::vector<std::string>{"a", "b", "c"}));
  q.Buffer().SetText("FNAME", "first");
  ASSERT_TRUE(q.Add(1));
  q.Buffer().SetText("FNAME", "last");
  ASSERT_TRUE(q.Add(5)) << "one past the end adds at the end";

  ASSERT_TRUE(q.Get(3));
  EXPECT_EQ(q.Buffer().Text("FNAME"), "b");
  EXPECT_EQ(q.Position(), 3u);
  q.Buffer().SetText("FNAME", "B2");
  ASSERT_TRUE(q.Put());
  EXPECT_EQ(q.Peek(3)->Text("FNAME"), "B2");

  ASSERT_TRUE(q.Delete());
  EXPECT_EQ(Names(q, "FNAME"), (std::vector<std::string>{"first", "a", "c", "last"}));
  ASSERT_TRUE(q.Delete(q.Records()));
  EXPECT_EQ(q.Records(), 3u);
  EXPECT_EQ(q.Error(), 0);

  struct Failing {
    const char* what;
    bool ok;
  };
  const Failing failures[] = {
      {"get 0", q.Get(0)},       {"get past the end", q.Get(4)},
      {"add at 0", q.Add(0)},    {"add beyond the end", q.Add(5)},
      {"delete 0", q.Delete(0)}, {"delete past the end", q.Delete(9)},
  };
  for (const Failing& f : failures) EXPECT_FALSE(f.ok) << f.what;
  EXPECT_EQ(q.Error(), zq::rt::kQueueEntryNotFound);
  EXPECT_EQ(q.Records(), 3u) << "failures change nothing";
  EXPECT_TRUE(q.Get(1));
  EXPECT_EQ(q.Error(), 0) << "the code is that of the last operation";
}

TEST(Queue, FreeEmptiesButKeepsTheBufferAndPutNeedsAnEntry) {
  Queue q(layouts::QNOSCAN);
  AddName(q, "x");
  q.Free();
  EXPECT_EQ(q.Records(), 0u);
  EXPECT_EQ(q.Position(), 0u);
  EXPECT_EQ(q.Buffer().Text("FNAME"), "x");
  EXPECT_FALSE(q.Put());
  EXPECT_EQ(q.Error(), zq::rt::kQueueEntryNotFound);
  EXPECT_FALSE(q.Delete());
  q.ClearBuffer();
  EXPECT_EQ(q.Buffer().Text("FNAME"), "");
}

TEST(Queue, RecordsAreCopiesOfTheBuffer) {
  Queue q(layouts::MFQ);
  q.Buffer().SetText("MNAME", "one.mkv");
  q.Buffer().SetReal("RSIZE", 1536);
  ASSERT_TRUE(q.Add());
  q.Buffer().SetText("MNAME", "changed");
  EXPECT_EQ(q.Peek(1)->Text("MNAME"), "one.mkv");
  ASSERT_TRUE(q.Get(1));
  EXPECT_EQ(q.Buffer().Text("MNAME"), "one.mkv");
  EXPECT_EQ(q.Buffer().Real("RSIZE"), 1536);
  EXPECT_FALSE(q.Peek(0));
  EXPECT_FALSE(q.Peek(2));
}

TEST(Queue, ACopyIsPutBackAtItsPositionWithoutTheBuffer) {
  Queue q(layouts::MFQ);
  for (const char* name : {"one.mkv", "two.mkv"}) {
    q.Buffer().SetText("MNAME", name);
    ASSERT_TRUE(q.Add());
  }
  ASSERT_TRUE(q.Get(1));
  zq::rt::Record copy = *q.Peek(2);
  copy.SetText("MNAME", "two (changed).mkv");
  ASSERT_TRUE(q.Put(2, copy));
  EXPECT_EQ(q.Peek(2)->Bytes(), copy.Bytes());
  EXPECT_EQ(q.Peek(1)->Text("MNAME"), "one.mkv");
  EXPECT_EQ(q.Buffer().Text("MNAME"), "one.mkv");
  EXPECT_EQ(q.Position(), 1u);
  EXPECT_FALSE(q.Put(3, copy));
  EXPECT_EQ(q.Error(), zq::rt::kQueueEntryNotFound);
}

}  // namespace

namespace {

TEST(Queue, ThreadsShareAQueueOperationByOperation) {
  zq::rt::Queue q(layouts::QPANEL);
  std::thread writer([&q] {
    zq::rt::Record row(std::make_shared<const zq::rt::RecordLayout>(layouts::QPANEL));
    for (int i = 1; i <= 5000; ++i) {
      row.SetWhole("ICON", i);
      q.Buffer().Assign(row);
      q.Add();
    }
  });
  uint32_t seen = 0;
  while (seen < 5000) {
    const uint32_t count = q.Records();
    ASSERT_GE(count, seen);
    seen = count;
    if (const auto last = q.Peek(count)) {
      EXPECT_GT(last->Whole("ICON"), 0);
    }
  }
  writer.join();
}

}  // namespace
