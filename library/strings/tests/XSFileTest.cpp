#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "files/FileIO.h"
#include "zqplatform/codepage.h"
#include "zqtest/HostCalls.h"
#include "zqtest/TempDrive.h"
#include "zqvantor/strings.h"

using zqtest::TempDrive;
using namespace std::string_literals;

namespace {

using zqtest::Len;
using zqtest::TakeBstr;

// The program's open form: read and write, no sharing, open always, normal plus write-through.
constexpr uint32_t kAccess = 0xC0000000, kShare = 0, kDisp = 4, kFlags = 0x80000080;

// A string object and a drive T: for one test.
class XSFile : public ::testing::Test {
 protected:
  void SetUp() override {
    h = XSCreate();
    ASSERT_GT(h, 0);
  }
  void TearDown() override { EXPECT_EQ(XSDestroy(h), 0); }

  void Set(const std::string& text) { ASSERT_EQ(XSSet(h, Len(text), text.data(), 0), 0); }
  std::string Get() {
    int32_t err = 0;
    std::string text = TakeBstr(XSGet(h, &err, 0, 0));
    EXPECT_EQ(err, 0);
    return text;
  }
  int32_t Read(const std::string& name, int32_t count = 0, int32_t offset = 0) {
    return XSReadFromFile(h, Len(name), name.c_str(), count, offset, kAccess, kShare, kDisp, kFlags);
  }
  int32_t Write(const std::string& name, int32_t count = 0, int32_t offset = 0) {
    return XSWriteToFile(h, Len(name), name.c_str(), count, offset, kAccess, kShare, kDisp, kFlags);
  }

  TempDrive t{'T'};
  int32_t h = 0;
};

TEST_F(XSFile, ReadTakesCountAndOffsetWithinTheFile) {
  t.Put("ten.txt", "0123456789");
  struct Case {
    int32_t count, offset;
    int32_t result;
    std::string text;  // "keep" when the text must stay as it was
  };
  const Case cases[] = {
      {0, 0, 10, "0123456789"}, {4, 0, 4, "0123"},           {4, 8, 2, "89"},
      {0, 3, 7, "3456789"},     {-3, 0, 10, "0123456789"},   {0, 10, 0, "keep"},
      {5, 12, 0, "keep"},       {INT_MAX, 2, 8, "23456789"}, {INT_MAX, INT_MAX, 0, "keep"},
      {0, -1, 0, "keep"},       {0, -2, 10, "0123456789"},   {4, -2, 4, "0123"},
  };
  for (const Case& c : cases) {
    Set("keep");
    EXPECT_EQ(Read(t.Win("TEN.TXT"), c.count, c.offset), c.result) << c.count << " " << c.offset;
    EXPECT_EQ(Get(), c.text) << c.count << " " << c.offset;
  }
  t.Put("empty.txt", "");
  Set("keep");
  EXPECT_EQ(Read(t.Win("empty.txt")), 0);
  EXPECT_EQ(Get(), "keep");
}

TEST_F(XSFile, AMissingFileIsNeitherReadNorCreated) {
  Set("keep");
  for (int32_t offset : {0, 5, INT_MAX}) {
    EXPECT_EQ(Read(t.Win("missing.txt"), 0, offset), -61) << offset;
    EXPECT_EQ(Read(t.Win("no\\such\\folder.txt"), 3, offset), -61) << offset;
  }
  EXPECT_EQ(Read(""), -61);
  EXPECT_FALSE(t.Has("missing.txt"));
  EXPECT_EQ(Get(), "keep");
}

TEST_F(XSFile, WriteTakesTheCountAndCutsTheFile) {
  struct Case {
    int32_t count, offset;
    int32_t result;
    std::string file;
  };
  const Case cases[] = {{0, 0, 6, "abcdef"}, {3, 0, 3, "abc"},     {6, 0, 6, "abcdef"},
                        {7, 0, 6, "abcdef"}, {-2, 0, 6, "abcdef"}, {2, 3, 2, "012ab"},
                        {2, -1, 2, "0123456789ab"}};
  Set("abcdef");
  for (const Case& c : cases) {
    t.Put("out.txt", "0123456789");
    EXPECT_EQ(Write(t.Win("out.txt"), c.count, c.offset), c.result) << c.count << " " << c.offset;
    EXPECT_EQ(t.Get("out.txt"), c.file) << c.count << " " << c.offset;
  }
  EXPECT_EQ(Get(), "abcdef");
}

TEST_F(XSFile, AnEmptyTextWritesNothing) {
  Set("");
  EXPECT_EQ(Write(t.Win("new.txt")), 0);
  EXPECT_FALSE(t.Has("new.txt"));
  t.Put("old.txt", "old");
  EXPECT_EQ(Write(t.Win("old.txt"), 5), 0);
  EXPECT_EQ(t.Get("old.txt"), "old");
}

TEST_F(XSFile, EveryByteMakesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  all += "\0\0end"s;
  Set(all);
  // The name is taken up to its length; it is case-blind and may use a sub-folder.
  t.Put("Sub/placeholder", "");
  std::string name = t.Win("sub\\bytes.dat") + "garbage";
  EXPECT_EQ(XSWriteToFile(h, Len(name) - 7, name.data(), 0, 0, kAccess, kShare, kDisp, kFlags), Len(all));
  EXPECT_EQ(t.Get("Sub/bytes.dat"), all);
  Set("");
  EXPECT_EQ(Read(t.Win("SUB\\BYTES.DAT")), Len(all));
  EXPECT_EQ(Get(), all);
}

TEST_F(XSFile, FileNamesFollowTheCodePage) {
  // e acute in the ANSI code page; the file system holds the name in UTF-8 either way.
  std::string name = GetACP() == CP_1252 ? "caf\xE9.txt" : "caf\xC3\xA9.txt";
  Set("menu");
  EXPECT_EQ(Write(t.Win(name)), 4);
  EXPECT_EQ(t.Get("caf\xC3\xA9.txt"), "menu");
  Set("");
  EXPECT_EQ(Read(t.Win(name)), 4);
  EXPECT_EQ(Get(), "menu");
}

TEST_F(XSFile, AFileInUseOrAMissingFolderFails) {
  t.Put("busy.txt", "busy");
  FileIO holder;
  ASSERT_EQ(holder.OpenFile(t.Win("busy.txt").c_str(), kAccess, kShare, 3, 0), 0);
  Set("keep");
  EXPECT_EQ(Read(t.Win("busy.txt")), -52);
  EXPECT_EQ(Write(t.Win("busy.txt")), -52);
  EXPECT_EQ(Get(), "keep");
  EXPECT_EQ(holder.CloseFile(), 0);
  EXPECT_EQ(t.Get("busy.txt"), "busy");
  EXPECT_EQ(Write(t.Win("no\\folder\\x.txt")), -52);
  EXPECT_EQ(Write(""), -52);
}

TEST_F(XSFile, NullNameComesBeforeTheHandle) {
  int32_t gone = XSCreate();
  ASSERT_EQ(XSDestroy(gone), 0);
  struct Case {
    int32_t handle;
    int32_t code;  // with a name
  };
  std::string name = t.Win("x.txt");
  Set("x");
  for (const Case& c : {Case{h, 1}, Case{0, -2}, Case{-1, -2}, Case{65536, -2}, Case{gone, -3}}) {
    EXPECT_EQ(XSReadFromFile(c.handle, 20, nullptr, 0, 0, kAccess, kShare, kDisp, kFlags), -6);
    EXPECT_EQ(XSWriteToFile(c.handle, 20, nullptr, 0, 0, kAccess, kShare, kDisp, kFlags), -6);
    EXPECT_EQ(XSWriteToFile(c.handle, Len(name), name.c_str(), 0, 0, kAccess, kShare, kDisp, kFlags), c.code);
    EXPECT_EQ(XSReadFromFile(c.handle, Len(name), name.c_str(), 0, 0, kAccess, kShare, kDisp, kFlags),
              c.code);
  }
}

}  // namespace
