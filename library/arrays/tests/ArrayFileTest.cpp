#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "arrays/RevArray.h"
#include "arrays/tests/ArrayTestText.h"
#include "files/FileIO.h"
#include "zqtest/ScratchFolder.h"
#include "zqvantor/arrays.h"

namespace {

namespace fs = std::filesystem;
using arraytest::T;

// The program's open form: read and write, no sharing, open always, normal and write-through.
constexpr uint32_t kAccess = 0xC0000000, kShare = 0, kDisposition = 4, kFlags = 0x80000080;

class ArrayFile : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return (folder_ / name).string(); }

  static std::string Content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void Put(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  static int32_t Write(RevArray& array, const std::string& path, int32_t count = 0, int32_t offset = 0) {
    return array.WriteToFile(path.c_str(), count, offset, kAccess, kShare, kDisposition, kFlags);
  }
  static int32_t Read(RevArray& array, const std::string& path, int32_t count = 0, int32_t offset = 0) {
    return array.ReadFromFile(path.c_str(), count, offset, kAccess, kShare, kDisposition, kFlags);
  }

  zqtest::ScratchFolder scratch_{"arrays_file"};
  fs::path folder_ = scratch_.path();
};

TEST_F(ArrayFile, FileHoldsExactlyTheTextForm) {
  RevArray array;
  std::string text = T("Name|a^1~2|");
  array.Set(0, 0, 0, text);
  std::string path = Path("worked.dat");
  EXPECT_EQ(Write(array, path), 11);
  EXPECT_EQ(Content(path), text);
  RevArray back;
  EXPECT_EQ(Read(back, path), 11);
  EXPECT_EQ(back.FieldCount(), 3);
  EXPECT_EQ(back.Get(0, 0, 0), text);
}

TEST_F(ArrayFile, OtherDelimitersNeedTheSameDelimitersToReadBack) {
  RevArray array;
  array.SetDelim("|,;", 3);
  array.Set(1, 0, 0, "Name");
  array.Set(2, 1, 0, "a");
  array.Set(2, 2, 0, "1;2");
  array.Set(3, 0, 0, "");
  std::string path = Path("delims.dat");
  EXPECT_EQ(Write(array, path), 11);
  EXPECT_EQ(Content(path), "Name|a,1;2|");
  RevArray back;
  back.SetDelim("|,;", 3);
  EXPECT_EQ(Read(back, path), 11);
  EXPECT_EQ(back.SubValueCount(2, 2), 2);
  EXPECT_EQ(back.Get(0, 0, 0), "Name|a,1;2|");
}

// A subvalue far longer than a render chunk is saved and loaded whole.
TEST_F(ArrayFile, LongSubvalueSurvivesTheRoundTrip) {
  RevArray array;
  std::string longText(100000, 'x');
  for (std::size_t i = 0; i < longText.size(); i += 7) longText[i] = static_cast<char>('a' + i % 26);
  array.Set(1, 1, 1, "a");
  array.Set(1, 1, 2, longText);
  array.Set(1, 1, 3, "b");
  std::string path = Path("long.dat");
  std::string expected = "a" + T("~") + longText + T("~") + "b";
  EXPECT_EQ(Write(array, path), static_cast<int32_t>(expected.size()));
  EXPECT_EQ(Content(path), expected);
  RevArray back;
  EXPECT_EQ(Read(back, path), static_cast<int32_t>(expected.size()));
  EXPECT_EQ(back.Get(1, 1, 2), longText);
  EXPECT_EQ(back.SubValueCount(1, 1), 3);
}

TEST_F(ArrayFile, RandomArraysRoundTrip) {
  std::mt19937 random(1210);
  const char alphabet[] = {'a', 'b', ' ', '\xFE', '\xFD', '\xFC', '\xFF', '\x01'};
  std::string path = Path("random.dat");
  for (int round = 0; round < 50; ++round) {
    std::string text(1 + random() % 200, ' ');
    for (char& c : text) c = alphabet[random() % std::size(alphabet)];
    RevArray array;
    array.Set(0, 0, 0, text);
    ASSERT_EQ(Write(array, path), static_cast<int32_t>(text.size()));
    RevArray back;
    ASSERT_EQ(Read(back, path), static_cast<int32_t>(text.size()));
    ASSERT_EQ(back.Get(0, 0, 0), text);
  }
}

TEST_F(ArrayFile, EmptyArrayWritesNothing) {
  std::string path = Path("keep.dat");
  Put(path, "old content");
  RevArray array;
  EXPECT_EQ(Write(array, path), 0);
  EXPECT_EQ(Content(path), "old content");
  array.Set(1, 0, 0, "");  // one field, but an empty text
  EXPECT_EQ(Write(array, path), 0);
  EXPECT_EQ(Content(path), "old content");
  EXPECT_EQ(Write(array, Path("never.dat")), 0);
  EXPECT_FALSE(fs::exists(Path("never.dat")));
}

TEST_F(ArrayFile, WritingCutsTheFileBehindTheText) {
  std::string path = Path("cut.dat");
  Put(path, "0123456789");
  RevArray array;
  array.Set(0, 0, 0, T("a|b"));
  EXPECT_EQ(Write(array, path), 3);
  EXPECT_EQ(Content(path), T("a|b"));
  EXPECT_EQ(Write(array, path, 1), 1);  // a count takes the first bytes
  EXPECT_EQ(Content(path), "a");
  EXPECT_EQ(Write(array, path, 99), 3);  // a count beyond the text takes it whole
  EXPECT_EQ(Content(path), T("a|b"));
}

struct WriteCase {
  const char* name;
  int32_t offset;
  const char* content;  // the file afterwards
};

// The offset goes to the file object: -1 appends, another negative offset writes from the start
// of the freshly opened file, a position inside it cuts off what lay behind the text.
TEST_F(ArrayFile, WritingAtAnOffset) {
  const WriteCase cases[] = {
      {"start", 0, "ab"},
      {"end", -1, "0123456789ab"},
      {"current", -7, "ab"},
      {"inside", 4, "0123ab"},
  };
  RevArray array;
  array.Set(0, 0, 0, "ab");
  for (const WriteCase& c : cases) {
    std::string path = Path("offset.dat");
    Put(path, "0123456789");
    EXPECT_EQ(Write(array, path, 0, c.offset), 2) << c.name;
    EXPECT_EQ(Content(path), c.content) << c.name;
  }
}

// A file that another file object holds without sharing: both directions fail with -52, the
// array keeps its elements and the file its bytes.
TEST_F(ArrayFile, FileHeldWithoutSharingIsRefused) {
  std::string path = Path("held.dat");
  Put(path, T("old|file"));
  FileIO holder;
  ASSERT_GE(holder.OpenFile(path.c_str(), kAccess, kShare, kDisposition, kFlags), 0);

  int32_t h = RACreate();
  ASSERT_GT(h, 0);
  std::string text = T("new|array");
  RASetS(h, static_cast<int32_t>(text.size()), text.data(), 0, 0, 0);
  const int32_t length = static_cast<int32_t>(path.size());
  EXPECT_EQ(RAReadFromFile(h, length, path.c_str(), 0, 0, kAccess, kShare, kDisposition, kFlags), -52);
  EXPECT_EQ(RAFieldCount(h), 2);
  EXPECT_EQ(RAWriteToFile(h, length, path.c_str(), 0, 0, kAccess, kShare, kDisposition, kFlags), -52);
  holder.CloseFile();
  EXPECT_EQ(Content(path), T("old|file"));
  RevArray back;
  EXPECT_EQ(Read(back, path), 8);
  EXPECT_EQ(back.Get(2, 0, 0), "file");
  RADestroy(h);
}

struct ReadCase {
  const char* name;
  std::string content;  // empty name for a missing file
  int32_t count, offset;
  int32_t result;
  std::string text;  // the array's text afterwards
};

TEST_F(ArrayFile, ReadingReplacesTheArrayOrKeepsIt) {
  const ReadCase cases[] = {
      {"", "", 0, 0, -61, T("keep|me")},
      {"empty.dat", "", 0, 0, 0, ""},
      {"nul.dat", std::string("a\0b", 3), 0, 0, 3, "a"},
      {"whole.dat", T("x|y^z"), 0, 0, 5, T("x|y^z")},
      {"count.dat", T("x|y^z"), 3, 0, 3, T("x|y")},
      {"offset.dat", T("x|y^z"), 0, 2, 3, T("y^z")},
      {"atend.dat", T("x|y"), 0, 3, 0, ""},
      // Past the end nothing is read; a negative count reads the whole file.
      {"pastend.dat", T("x|y"), 0, 70, 0, ""},
      {"negcount.dat", T("x|y"), -61, 0, 3, T("x|y")},
  };
  for (const ReadCase& c : cases) {
    std::string path = Path(*c.name ? c.name : "missing.dat");
    if (*c.name) Put(path, c.content);
    RevArray array;
    array.Set(0, 0, 0, T("keep|me"));
    EXPECT_EQ(Read(array, path, c.count, c.offset), c.result) << c.name;
    EXPECT_EQ(array.Get(0, 0, 0), c.text) << c.name;
  }
}

TEST_F(ArrayFile, HostileFilesGiveTheirBytesOrACode) {
  std::mt19937 random(99);
  std::string noise(300000, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  std::string path = Path("noise.dat");
  Put(path, noise);
  RevArray array;
  EXPECT_EQ(Read(array, path), static_cast<int32_t>(noise.size()));
  EXPECT_EQ(array.Get(0, 0, 0), noise.substr(0, noise.find('\0')));

  std::string huge(3 * 1024 * 1024, 'h');  // one huge field
  Put(path, huge);
  EXPECT_EQ(Read(array, path), static_cast<int32_t>(huge.size()));
  EXPECT_EQ(array.FieldCount(), 1);
  EXPECT_EQ(array.Get(1, 1, 1).size(), huge.size());
}

TEST_F(ArrayFile, EmptyPathIsRefused) {
  RevArray array;
  array.Set(0, 0, 0, "a");
  EXPECT_EQ(array.WriteToFile("", 0, 0, kAccess, kShare, kDisposition, kFlags), -62);
  EXPECT_EQ(array.ReadFromFile("", 0, 0, kAccess, kShare, kDisposition, kFlags), -62);
  EXPECT_EQ(array.Get(0, 0, 0), "a");
}

TEST_F(ArrayFile, ExportsCheckThePathAndTheHandle) {
  int32_t h = RACreate();
  ASSERT_GT(h, 0);
  RASetS(h, 3, "abc", 0, 0, 0);
  std::string path = Path("export.dat");
  auto write = [&](int32_t handle, int32_t length, const char* p) {
    return RAWriteToFile(handle, length, p, 0, 0, kAccess, kShare, kDisposition, kFlags);
  };
  auto read = [&](int32_t handle, int32_t length, const char* p) {
    return RAReadFromFile(handle, length, p, 0, 0, kAccess, kShare, kDisposition, kFlags);
  };
  EXPECT_EQ(read(0, 5, nullptr), -5);
  EXPECT_EQ(write(0, 5, nullptr), -5);
  EXPECT_EQ(read(0, 3, "x.a"), -2);
  EXPECT_EQ(write(65536, 3, "x.a"), -2);
  int32_t gone = RACreate();
  RADestroy(gone);
  EXPECT_EQ(read(gone, 3, "x.a"), -3);
  EXPECT_EQ(write(gone, 3, "x.a"), -3);
  EXPECT_EQ(write(h, 0, "x.a"), -62);
  EXPECT_EQ(write(h, 3, "   "), -62);

  // The path is taken up to its length; trailing blanks are not part of the file name.
  std::string padded = path + "   ";
  EXPECT_EQ(write(h, static_cast<int32_t>(padded.size()), padded.c_str()), 3);
  EXPECT_EQ(Content(path), "abc");
  std::string longer = path + "-and-more";
  EXPECT_EQ(write(h, static_cast<int32_t>(path.size()), longer.c_str()), 3);
  EXPECT_FALSE(fs::exists(longer));

  int32_t other = RACreate();
  EXPECT_EQ(read(other, static_cast<int32_t>(padded.size()), padded.c_str()), 3);
  EXPECT_EQ(RAFieldCount(other), 1);
  RADestroy(other);
  RADestroy(h);
}

}  // namespace
