#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Layouts.h"
#include "ZQ_Vantor.h"
#include "hostlib/FileModes.h"
#include "hostlib/QueueFiles.h"
#include "zqtest/FileBytes.h"
#include "zqtest/ScratchFolder.h"

namespace {

using namespace zq::rt;
namespace fs = std::filesystem;

class DataFile : public ::testing::Test {
 protected:
  zqtest::ScratchFolder dir;
  const std::string file = (dir / "AExtensions.dat").string();
  const std::string bytes = "MP3\xFD" "cover\xFD" "0";
  Queue q{layouts::AEXTENSIONS};

  // Loads while another file object holds the file without sharing.
  int32_t LoadWhileHeld(QueueDataFile& data) {
    const int32_t holder = FICreate();
    FIOpenFile(holder, static_cast<int32_t>(file.size()), file.c_str(), kReadWrite, kNoSharing, OPEN_EXISTING,
               FILE_ATTRIBUTE_NORMAL);
    const int32_t result = data.Load();
    FIDestroy(holder);
    return result;
  }
};

TEST_F(DataFile, AFileThatFailedToLoadIsKeptWhileTheQueueIsUnchanged) {
  std::ofstream(file, std::ios::binary) << bytes;
  QueueDataFile data(q, file);
  EXPECT_EQ(LoadWhileHeld(data), kQueueFileReadFailed);
  EXPECT_TRUE(data.Keeps());
  EXPECT_EQ(data.Save(), 0);
  EXPECT_EQ(zqtest::FileBytes(file), bytes);  // not overwritten by the empty queue
}

TEST_F(DataFile, AChangedQueueIsSavedOverIt) {
  std::ofstream(file, std::ios::binary) << bytes;
  QueueDataFile data(q, file);
  LoadWhileHeld(data);
  q.Buffer().SetText("EXT", "OGG");
  q.Add();
  data.Changed();
  EXPECT_FALSE(data.Keeps());
  EXPECT_EQ(data.Save(), 6);
  EXPECT_EQ(zqtest::FileBytes(file), "OGG\xFD\xFD" "0");
}

TEST_F(DataFile, AMissingFileIsWrittenEvenWhenUnchanged) {
  QueueDataFile data(q, file);
  EXPECT_EQ(data.Load(), kQueueFileReadFailed);
  EXPECT_FALSE(fs::exists(file));
  EXPECT_FALSE(data.Keeps());
  EXPECT_EQ(data.Save(), 0);
  EXPECT_TRUE(fs::exists(file));
  EXPECT_EQ(data.Load(), 0);  // the next start reads it
}

TEST_F(DataFile, ALoadedFileIsSavedAsTheQueueIs) {
  std::ofstream(file, std::ios::binary) << bytes;
  QueueDataFile data(q, file);
  EXPECT_EQ(data.Load(), 0);
  EXPECT_EQ(q.Records(), 1u);
  q.Free();  // the user emptied the table
  EXPECT_EQ(data.Save(), 0);
  EXPECT_EQ(fs::file_size(file), 0u);
}

}  // namespace
