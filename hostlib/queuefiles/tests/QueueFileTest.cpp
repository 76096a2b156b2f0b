#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "Layouts.h"
#include "ZQ_Vantor.h"
#include "hostlib/FileModes.h"
#include "hostlib/QueueFiles.h"
#include "zqtest/FileBytes.h"
#include "zqtest/ScratchFolder.h"

namespace {

using namespace zq::rt;
namespace fs = std::filesystem;

const std::string FE = "\xFE", FD = "\xFD";

void Write(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

void AddExtension(Queue& q, std::string_view ext, std::string_view cover, int flag) {
  q.Buffer().SetText("EXT", ext);
  q.Buffer().SetText("COVER", cover);
  q.Buffer().SetWhole("NOMEDIAURL", flag);
  ASSERT_TRUE(q.Add());
}

class QueueFile : public ::testing::Test {
 protected:
  zqtest::ScratchFolder dir;
  const std::string file = (dir / "VExtensions.dat").string();
};

TEST_F(QueueFile, HighBytesAndLeadingBlanksRoundTripThroughTheFile) {
  // Every byte from 0x80 up except the three marks of the format (0xFC to 0xFE).
  std::string high;
  for (int c = 0x80; c <= 0xFF; ++c) {
    if (c < 0xFC || c == 0xFF) high += static_cast<char>(c);
  }
  Queue q(layouts::AEXTENSIONS);
  AddExtension(q, high.substr(0, 32), high.substr(32), 1);
  AddExtension(q, "  FLAC", "caf\xC3\xA9 cover   ", 0);  // trailing blanks are padding
  const int32_t written = WRITEQUEUE(q, file, 1);
  int32_t error = 0;
  EXPECT_EQ(zqtest::FileBytes(file), GETQUEUE(q, error, 1));
  EXPECT_EQ(written, static_cast<int32_t>(fs::file_size(file)));

  Queue back(layouts::AEXTENSIONS);
  ASSERT_EQ(READQUEUE(back, file, 1), 0);
  ASSERT_EQ(back.Records(), 2u);
  for (uint32_t r = 1; r <= 2; ++r) EXPECT_EQ(back.Peek(r)->Bytes(), q.Peek(r)->Bytes()) << r;
  EXPECT_EQ(back.Peek(2)->Text("EXT"), "  FLAC");
  EXPECT_EQ(back.Peek(2)->Text("COVER"), "caf\xC3\xA9 cover");
}

TEST_F(QueueFile, AShorterQueueReplacesTheWholeFile) {
  Write(file, std::string(500, 'x'));
  Queue q(layouts::VEXTENSIONS);
  AddExtension(q, "MKV", "c", 1);
  EXPECT_EQ(WRITEQUEUE(q, file, 1), 7);
  EXPECT_EQ(zqtest::FileBytes(file), "MKV" + FD + "c" + FD + "1");
}

TEST_F(QueueFile, AnEmptyQueueWritesAnEmptyFileThatReadsAsNoRecords) {
  Write(file, "MKV" + FD + "c" + FD + "1");
  Queue q(layouts::VEXTENSIONS);
  EXPECT_EQ(WRITEQUEUE(q, file, 1), 0);
  ASSERT_TRUE(fs::exists(file));
  EXPECT_EQ(fs::file_size(file), 0u);
  AddExtension(q, "OLD", "", 0);
  EXPECT_EQ(READQUEUE(q, file, 1), 0);
  EXPECT_EQ(q.Records(), 0u);
  // Also where no file was before.
  const std::string fresh = (dir / "fresh.dat").string();
  EXPECT_EQ(WRITEQUEUE(q, fresh, 1), 0);
  EXPECT_EQ(fs::file_size(fresh), 0u);
}

TEST_F(QueueFile, AMissingFileFailsAndIsNotCreated) {
  Queue q(layouts::VEXTENSIONS);
  AddExtension(q, "KEEP", "", 0);
  EXPECT_EQ(READQUEUE(q, file, 1), kQueueFileReadFailed);
  EXPECT_FALSE(fs::exists(file));
  EXPECT_EQ(q.Records(), 1u);  // unchanged
  EXPECT_EQ(READQUEUE(q, (dir / "no" / "such.dat").string(), 1), kQueueFileReadFailed);
}

TEST_F(QueueFile, AnUnreadableFileFailsAndStaysAsItWas) {
  const std::string bytes = "MKV" + FD + "c" + FD + "1";
  Write(file, bytes);
  // Another file object holds the file open without sharing.
  const int32_t holder = FICreate();
  ASSERT_EQ(FIOpenFile(holder, static_cast<int32_t>(file.size()), file.c_str(), kReadWrite, kNoSharing, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL),
            0);
  Queue q(layouts::VEXTENSIONS);
  AddExtension(q, "KEEP", "", 0);
  EXPECT_EQ(READQUEUE(q, file, 1), kQueueFileReadFailed);
  EXPECT_EQ(q.Records(), 1u);
  FIDestroy(holder);
  EXPECT_EQ(zqtest::FileBytes(file), bytes);

  // A folder where the file should be.
  const fs::path folder = dir / "Script.dat";
  fs::create_directory(folder);
  EXPECT_EQ(READQUEUE(q, folder.string(), 1), kQueueFileReadFailed);
  EXPECT_EQ(q.Records(), 1u);
}

TEST_F(QueueFile, AHandWrittenFileInTheArrayFormat) {
  // Values missing at the end, an extra subvalue, an empty record, the text ending at a zero.
  Write(file, std::string("AVI\xFD" "avi_cover\xFD" "1\xFE" "MP4\xFE\xFE" "TS\xFD" "a\xFC" "b\xFD" "0\x00" "junk", 32));
  Queue q(layouts::VEXTENSIONS);
  ASSERT_EQ(READQUEUE(q, file, 1), 0);
  ASSERT_EQ(q.Records(), 4u);
  EXPECT_EQ(q.Peek(1)->Text("COVER"), "avi_cover");
  EXPECT_EQ(q.Peek(1)->Whole("NOMEDIAURL"), 1);
  EXPECT_EQ(q.Peek(2)->Text("EXT"), "MP4");
  EXPECT_EQ(q.Peek(2)->Text("COVER"), "");
  EXPECT_EQ(q.Peek(3)->Text("EXT"), "");
  EXPECT_EQ(q.Peek(4)->Text("COVER"), "a");  // a plain field takes the first subvalue
  EXPECT_EQ(q.Peek(4)->Whole("NOMEDIAURL"), 0);
}

TEST_F(QueueFile, NamesAndRefusedLayouts) {
  Queue q(layouts::VEXTENSIONS);
  EXPECT_EQ(WRITEQUEUE(q, "", 1), kQueueFileNoName);
  EXPECT_EQ(WRITEQUEUE(q, "    ", 1), kQueueFileNoName);
  EXPECT_EQ(READQUEUE(q, "   ", 1), kQueueFileNoName);

  const RecordLayout group{STRING("A", 4), GROUP("G", {SHORT("X")})};
  Queue g(group);
  g.Add();
  EXPECT_EQ(WRITEQUEUE(g, file, 1), kQueueFileGroup);
  EXPECT_FALSE(fs::exists(file));  // nothing written
  Write(file, "a" + FD + "b");
  EXPECT_EQ(READQUEUE(g, file, 1), kQueueFileGroup);
  EXPECT_EQ(g.Records(), 0u);
}

TEST_F(QueueFile, AFailedWritePassesTheFileCodeOn) {
  Queue q(layouts::VEXTENSIONS);
  AddExtension(q, "MKV", "", 0);
  EXPECT_LT(WRITEQUEUE(q, (dir / "no" / "such.dat").string(), 1), 0);
  fs::create_directory(file);  // a folder in the way
  EXPECT_LT(WRITEQUEUE(q, file, 1), 0);
  Queue empty(layouts::VEXTENSIONS);
  EXPECT_LT(WRITEQUEUE(empty, file, 1), 0);
}

TEST_F(QueueFile, WindowsViewAndPosixPathsAlike) {
  Queue q(layouts::QNOSCAN);
  q.Buffer().SetText("FNAME", "\xC3\x9C" "BER");
  q.Add();
  EXPECT_EQ(WRITEQUEUE(q, "C:" + dir.path().string() + "/NoScan.dat", 1), 5);
  Queue back(layouts::QNOSCAN);
  EXPECT_EQ(READQUEUE(back, (dir / "noscan.dat").string(), 1), 0);  // names match case-blind
  ASSERT_EQ(back.Records(), 1u);
  EXPECT_EQ(back.Peek(1)->Text("FNAME"), "\xC3\x9C" "BER");
}

}  // namespace
