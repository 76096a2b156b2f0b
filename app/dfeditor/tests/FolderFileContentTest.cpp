// The folder file as the editor holds it: every keyed value whole, the lines of other keys
// kept in order, a save of unchanged content byte for byte, an emptied content as an empty
// file, and the alignment the player understands.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "DialogWatcher.h"
#include "FolderFileContent.h"
#include "zqtest/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

std::string FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void PutBytes(const fs::path& path, std::string_view bytes) { std::ofstream(path, std::ios::binary) << bytes; }

const std::string kWritten =
    "icon_path = folder.aai\r\nicon_valign = center\r\nicon_dx = -5\r\nicon_scale_factor = 1.25\r\n"
    "media_url = Alien.mkv\r\n\r\n"
    "use_icon_view = yes\r\nnum_cols = 6\r\nnum_rows = 3\r\nicon_top = 10\r\nicon_bottom = 20\r\n"
    "caption_font_size = small\r\ntext_bottom = -4\r\n\r\n"
    "background_path = fanart.aai\r\nbackground_x = 0\r\nbackground_y = 0\r\nbackground_width = 1920\r\n"
    "background_height = 1080\r\n";

class Content : public ::testing::Test {
 protected:
  fs::path File() const { return folder_.path() / "dune_folder.txt"; }
  zqtest::ScratchFolder folder_{"orvid-dfcontent"};
};

TEST_F(Content, EveryKeyedValueIsReadAndAnUnchangedSaveWritesTheSameBytes) {
  const std::string text = kWritten + "\r\nanimation_enabled = no\r\nPaint_Captions = yes\r\n";
  PutBytes(File(), text);
  FolderFileContent c;
  ASSERT_EQ(ReadFolderFileContent(c, File().string()), 0);
  EXPECT_EQ(c.record.ICON, "folder.aai");
  EXPECT_EQ(c.record.IDX, -5);
  EXPECT_EQ(c.record.SCALE, 1.25);
  EXPECT_EQ(c.record.TEXTBOT, -4);
  EXPECT_EQ(c.record.BGW, 1920);
  EXPECT_EQ(c.others, (std::vector<std::string>{"animation_enabled = no", "Paint_Captions = yes"}));
  EXPECT_GT(SaveFolderFileContent(c, File().string()), 0);
  EXPECT_EQ(FileBytes(File()), text);
}

TEST_F(Content, UnknownKeysFollowTheBlocksWhereverTheyStood) {
  PutBytes(File(), "animation_enabled = no\nicon_path = a.aai\nsystem_files = *.aai\n");
  FolderFileContent c;
  ASSERT_EQ(ReadFolderFileContent(c, File().string()), 0);
  EXPECT_EQ(FolderFileContentText(c),
            "icon_path = a.aai\r\nicon_valign = center\r\n\r\nanimation_enabled = no\r\nsystem_files = *.aai\r\n");
  c.record = DUNEFILE{};
  EXPECT_EQ(FolderFileContentText(c), "animation_enabled = no\r\nsystem_files = *.aai\r\n");
}

TEST_F(Content, AValueLongerThanTheReadersBufferIsKeptWhole) {
  const std::string longPath(3000, 'p');
  PutBytes(File(), "icon_path = " + longPath + "\r\nicon_valign = top\r\nbackground_path = b.aai\r\n");
  FolderFileContent c;
  ASSERT_EQ(ReadFolderFileContent(c, File().string()), 0);
  EXPECT_EQ(c.record.ICON, longPath);
  EXPECT_EQ(c.record.BGPATH, "b.aai");
  EXPECT_GT(SaveFolderFileContent(c, File().string()), 0);
  EXPECT_NE(FileBytes(File()).find("icon_path = " + longPath + "\r\n"), std::string::npos);
}

TEST_F(Content, AnEmptiedContentSavesAnEmptyFile) {
  PutBytes(File(), kWritten);
  FolderFileContent c;
  ASSERT_EQ(ReadFolderFileContent(c, File().string()), 0);
  c.record = DUNEFILE{};
  EXPECT_EQ(SaveFolderFileContent(c, File().string()), 0);
  EXPECT_TRUE(fs::exists(File()));
  EXPECT_EQ(fs::file_size(File()), 0u);
}

TEST_F(Content, AnEmptyFileReadsAsNothingAndAMissingOneIsReported) {
  PutBytes(File(), "");
  FolderFileContent c;
  c.others = {"kept"};
  ASSERT_EQ(ReadFolderFileContent(c, File().string()), 0);
  EXPECT_TRUE(c.record.ICON.empty());
  EXPECT_TRUE(c.others.empty());
  FolderFileContent missing;
  missing.others = {"untouched"};
  EXPECT_LT(ReadFolderFileContent(missing, (folder_.path() / "none.txt").string()), 0);
  EXPECT_EQ(missing.others, (std::vector<std::string>{"untouched"}));
  EXPECT_FALSE(fs::exists(folder_.path() / "none.txt"));
  EXPECT_EQ(ReadFolderFileContent(missing, "   "), -999);
}

TEST_F(Content, BotAndBottomBothReadAndBottomIsWritten) {
  for (const char* stored : {"bot", "Bot", "bottom", "BOTTOM"}) {
    PutBytes(File(), std::string("icon_path = a.aai\r\nicon_valign = ") + stored + "\r\n");
    FolderFileContent c;
    ASSERT_EQ(ReadFolderFileContent(c, File().string()), 0);
    EXPECT_EQ(FolderFileContentText(c), "icon_path = a.aai\r\nicon_valign = bottom\r\n") << stored;
  }
}

TEST_F(Content, AFailedSaveShowsTheFolderFilesMessage) {
  fs::create_directories(folder_.path() / "locked");
  FolderFileContent c;
  c.record.ICON = "a.aai";
  orvid::test::DialogWatcher watcher;
  // A folder in the file's place cannot be written.
  EXPECT_EQ(SaveFolderFileContent(c, (folder_.path() / "locked").string()), 1);
  EXPECT_EQ(watcher.Errors(), (std::vector<std::string>{"Error Writing dune_folder.txt"}));
}

}  // namespace
