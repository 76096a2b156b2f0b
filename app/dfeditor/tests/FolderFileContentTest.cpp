// The folder file as the editor holds it, in either code page: every keyed value read, an
// untouched save giving back the stored bytes (a byte-order mark, other keys, line ends and
// characters outside the code page included), a changed value written while every other line
// stays, blocks switched on and off, an emptied content as an empty file, and a save of more
// than 32 KiB counted whole.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "DialogAnswers.h"
#include "FolderFileContent.h"
#include "zqtest/FileBytes.h"
#include "zqtest/ScratchFolder.h"
#include "zqtest/SmallVolume.h"

namespace {

namespace fs = std::filesystem;

bool Cp1252() {
  const char* acp = std::getenv("ZQ_ACP");
  return acp && std::string(acp) == "1252";
}

const std::string kMark = "\xEF\xBB\xBF";
// "千" has no place in Windows-1252, "é" has.
const std::string kThousand = "\xE5\x8D\x83";
std::string ThousandAnsi() { return Cp1252() ? "?" : kThousand; }
std::string AmelieAnsi() { return Cp1252() ? "Am\xE9lie" : "Am\xC3\xA9lie"; }
const std::string kAmelie = "Am\xC3\xA9lie";

// A literal's bytes, NUL bytes included.
template <size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

void PutBytes(const fs::path& path, std::string_view bytes) { std::ofstream(path, std::ios::binary) << bytes; }

const std::string kIconBlock =
    "icon_path = folder.aai\r\nicon_valign = center\r\nicon_dx = -5\r\nicon_scale_factor = 1.25\r\n"
    "media_url = Alien.mkv\r\n";
const std::string kViewBlock =
    "use_icon_view = yes\r\nnum_cols = 6\r\nnum_rows = 3\r\nicon_top = 10\r\nicon_bottom = 20\r\n"
    "caption_font_size = small\r\ntext_bottom = -4\r\n";
const std::string kBackgroundBlock =
    "background_path = fanart.aai\r\nbackground_x = 0\r\nbackground_y = 0\r\nbackground_width = 1920\r\n"
    "background_height = 1080\r\n";
const std::string kWritten = kIconBlock + "\r\n" + kViewBlock + "\r\n" + kBackgroundBlock;

// A user's own file: saved with a byte-order mark, keys padded and followed by tabs, a value
// outside the code page, LF line ends, two empty lines, "bot", a number with a leading zero, a
// second line of a key, another program's key, and no line end after the last line.
const std::string kUsersOwn = kMark + "icon_path\t= " + kThousand + ".aai\n" + "icon_valign       = bot\n" +
                              "media_url \t = " + kThousand + ".mkv\n\n\n" + "use_icon_view     = yes\n" +
                              "num_cols          = 06\n" + "icon_path = second.aai\n" + "animation_enabled = no";

class Content : public ::testing::Test {
 protected:
  fs::path File() const { return folder_.path() / "dune_folder.txt"; }
  FolderFileContent Read(std::string_view stored) {
    PutBytes(File(), stored);
    FolderFileContent c;
    EXPECT_EQ(ReadFolderFileContent(c, File().string()), 0);
    return c;
  }
  zqtest::ScratchFolder folder_{"orvid-dfcontent"};
};

TEST_F(Content, EveryKeyedValueIsReadBehindAMarkAndTabs) {
  FolderFileContent c = Read(kUsersOwn);
  EXPECT_EQ(c.record.ICON, ThousandAnsi() + ".aai") << "the first line of a key";
  EXPECT_EQ(c.record.ALLIGN, "bot");
  EXPECT_EQ(c.record.MURL, ThousandAnsi() + ".mkv");
  EXPECT_EQ(c.record.IVIEW, "yes");
  EXPECT_EQ(c.record.COLS, 6);
  c = Read(kWritten);
  EXPECT_EQ(c.record.ICON, "folder.aai");
  EXPECT_EQ(c.record.IDX, -5);
  EXPECT_EQ(c.record.SCALE, 1.25);
  EXPECT_EQ(c.record.TEXTBOT, -4);
  EXPECT_EQ(c.record.BGW, 1920);
}

TEST_F(Content, AnUntouchedSaveGivesBackTheStoredBytes) {
  for (const std::string& stored :
       {kUsersOwn, kWritten + "\r\nanimation_enabled = no\r\nPaint_Captions = yes\r\n",
        std::string("icon_path         = folder.aai\ricon_valign       = center\r"), kMark, std::string()}) {
    SCOPED_TRACE(stored);
    FolderFileContent c = Read(stored);
    EXPECT_EQ(SaveFolderFileContent(c, File().string()), static_cast<int32_t>(stored.size()));
    EXPECT_EQ(zqtest::FileBytes(File()), stored);
  }
}

TEST_F(Content, AChangedValueIsWrittenWhileEveryOtherLineStays) {
  const std::string stored = kMark + "icon_path\t= " + kThousand + ".aai\r\nicon_valign       = top\r\n" +
                             "icon_dx = 3\r\nmedia_url = " + kThousand + ".mkv\r\n\r\n" +
                             "use_icon_view = yes\r\nnum_cols = 06\r\nnum_rows = 2\r\n\r\nanimation_enabled = no\r\n";
  FolderFileContent c = Read(stored);
  c.record.IDX = 0;
  c.record.IDY = 7;
  c.record.COLS = 8;
  c.record.BGX = 12;  // no background: not written
  c.record.FSIZE = "Normal";
  EXPECT_GT(SaveFolderFileContent(c, File().string()), 0);
  EXPECT_EQ(zqtest::FileBytes(File()), kMark + "icon_path\t= " + kThousand + ".aai\r\nicon_valign       = top\r\n" +
                                   "icon_dy = 7\r\nmedia_url = " + kThousand + ".mkv\r\n\r\n" +
                                   "use_icon_view = yes\r\nnum_cols = 8\r\nnum_rows = 2\r\n" +
                                   "caption_font_size = normal\r\n\r\nanimation_enabled = no\r\n");
  c = Read(stored);
  c.record.MURL = AmelieAnsi() + ".mkv";
  EXPECT_GT(SaveFolderFileContent(c, File().string()), 0);
  EXPECT_EQ(zqtest::FileBytes(File()), kMark + "icon_path\t= " + kThousand + ".aai\r\nicon_valign       = top\r\n" +
                                   "icon_dx = 3\r\nmedia_url = " + kAmelie + ".mkv\r\n\r\n" +
                                   "use_icon_view = yes\r\nnum_cols = 06\r\nnum_rows = 2\r\n\r\nanimation_enabled = no\r\n")
      << "stored as UTF-8 in either code page";
}

TEST_F(Content, ABlockSwitchedOffLosesItsLinesAndOneSwitchedOnGetsThemAll) {
  struct Case {
    const char* what;
    std::string stored;
    std::function<void(DUNEFILE&)> edit;
    std::string saved;
  };
  const std::string other = "animation_enabled = no\r\n";
  const Case cases[] = {
      {"view off", kWritten + "\r\n" + other, [](DUNEFILE& r) { r.IVIEW = "No"; },
       kIconBlock + "\r\n" + kBackgroundBlock + "\r\n" + other},
      {"icon and background off", kWritten + "\r\n" + other,
       [](DUNEFILE& r) {
         r.ICON.clear();
         r.BGPATH.clear();
       },
       kViewBlock + "\r\n" + other},
      {"background on", "icon_path = a.aai\r\n\r\n" + other, [](DUNEFILE& r) { r.BGPATH = "fanart.aai"; },
       "icon_path = a.aai\r\n\r\nbackground_path = fanart.aai\r\nbackground_x = 0\r\nbackground_y = 0\r\n"
       "background_width = 1920\r\nbackground_height = 1080\r\n\r\n" + other},
      {"view on before the other keys", other, [](DUNEFILE& r) { r.IVIEW = "Yes"; },
       "use_icon_view = yes\r\nnum_cols = 6\r\nnum_rows = 3\r\nicon_top = 0\r\nicon_bottom = 0\r\n"
       "caption_font_size = small\r\ntext_bottom = 0\r\n\r\n" + other},
      {"view on with its old lines", "icon_path = a.aai\nuse_icon_view = no\nnum_rows = 04\n",
       [](DUNEFILE& r) { r.IVIEW = "Yes"; },
       "icon_path = a.aai\nuse_icon_view = yes\nnum_cols = 6\nnum_rows = 04\nicon_top = 0\nicon_bottom = 0\n"
       "caption_font_size = small\ntext_bottom = 0\n"},
      {"icon on in an empty file", "", [](DUNEFILE& r) { r.ICON = "a.aai"; },
       "icon_path = a.aai\r\nicon_valign = center\r\n"},
      {"alignment chosen as Bot", "icon_path = a.aai\r\nicon_valign = top\r\n", [](DUNEFILE& r) { r.ALLIGN = "Bot"; },
       "icon_path = a.aai\r\nicon_valign = bottom\r\n"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    FolderFileContent c = Read(k.stored);
    k.edit(c.record);
    EXPECT_EQ(SaveFolderFileContent(c, File().string()), static_cast<int32_t>(k.saved.size()));
    EXPECT_EQ(zqtest::FileBytes(File()), k.saved);
  }
}

TEST_F(Content, LinesPutInEndAsTheFilesOwnLinesDo) {
  struct Case {
    const char* what;
    std::string stored, saved;
  };
  // icon_dx replaced in its place (with its own end), icon_dy put in after it; a last line
  // without an end gets one when a line is put in after it.
  const Case cases[] = {
      {"LF only", "icon_path = a.aai\nicon_dx = 3\n\nnote = x", "icon_path = a.aai\nicon_dx = 4\nicon_dy = 7\n\nnote = x"},
      {"CR only", "icon_path = a.aai\ricon_dx = 3", "icon_path = a.aai\ricon_dx = 4\ricon_dy = 7\r"},
      {"CR LF", "icon_path = a.aai\r\nicon_dx = 3\r\n", "icon_path = a.aai\r\nicon_dx = 4\r\nicon_dy = 7\r\n"},
      {"mixed", "icon_path = a.aai\nicon_dx = 3\r\n", "icon_path = a.aai\nicon_dx = 4\r\nicon_dy = 7\r\n"},
      {"a single line without an end", "icon_path = a.aai", "icon_path = a.aai\r\nicon_dx = 4\r\nicon_dy = 7\r\n"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    FolderFileContent c = Read(k.stored);
    c.record.IDX = 4;
    c.record.IDY = 7;
    EXPECT_EQ(SaveFolderFileContent(c, File().string()), static_cast<int32_t>(k.saved.size()));
    EXPECT_EQ(zqtest::FileBytes(File()), k.saved);
  }
}

TEST_F(Content, AFileInAnEncodingASaveWouldNotKeepIsRefusedAndLeftAsItIs) {
  const std::string utf16le = Bytes("\xFF\xFEi\0c\0o\0n\0_\0p\0a\0t\0h\0 \0=\0 \0a\0\r\0\n\0");
  const std::string utf16be = Bytes("\xFE\xFF\0i\0c\0o\0n\0_\0p\0a\0t\0h\0 \0=\0 \0a\0\r\0\n");
  const std::string withNul = Bytes("icon_path = a.aai\r\nmedia_url = b\0.mkv\r\n");
  for (const std::string& stored : {utf16le, utf16be, withNul}) {
    PutBytes(File(), stored);
    FolderFileContent c;
    c.record.ICON = "untouched";
    EXPECT_EQ(ReadFolderFileContent(c, File().string()), kForeignEncoding);
    EXPECT_EQ(c.record.ICON, "untouched");
    EXPECT_TRUE(c.lines.empty());
    EXPECT_EQ(zqtest::FileBytes(File()), stored);
  }
}

TEST_F(Content, ASaveOfMoreThan32KiBReportsItsWholeCount) {
  std::string others;
  while (others.size() < 40000) others += "note = " + std::string(90, 'n') + "\r\n";
  FolderFileContent c = Read("icon_path = a.aai\r\n" + others);
  c.record.ICON = "b.aai";
  const std::string saved = "icon_path = b.aai\r\n" + others;
  orvid::test::DialogWatcher watcher;
  EXPECT_EQ(SaveFolderFileContent(c, File().string()), static_cast<int32_t>(saved.size()));
  EXPECT_EQ(zqtest::FileBytes(File()), saved);
  EXPECT_TRUE(watcher.Errors().empty());
}

TEST_F(Content, AValueLongerThanTheReadersBufferIsKeptWhole) {
  const std::string longPath(3000, 'p');
  FolderFileContent c = Read("icon_path = " + longPath + "\r\nicon_valign = top\r\nbackground_path = b.aai\r\n");
  EXPECT_EQ(c.record.ICON, longPath);
  EXPECT_EQ(c.record.BGPATH, "b.aai");
  c.record.ALLIGN = "Center";
  EXPECT_GT(SaveFolderFileContent(c, File().string()), 0);
  EXPECT_EQ(zqtest::FileBytes(File()), "icon_path = " + longPath + "\r\nicon_valign = center\r\nbackground_path = b.aai\r\n");
}

TEST_F(Content, AnEmptiedContentSavesAnEmptyFile) {
  for (const std::string& stored : {kWritten, kMark + kWritten + "\r\n"}) {
    FolderFileContent c = Read(stored);
    c.record = DUNEFILE{};
    EXPECT_EQ(SaveFolderFileContent(c, File().string()), 0);
    EXPECT_TRUE(fs::exists(File()));
    EXPECT_EQ(fs::file_size(File()), 0u);
  }
}

TEST_F(Content, AnEmptyFileReadsAsNothingAndAMissingOneIsReported) {
  FolderFileContent c;
  c.record.ICON = "kept";
  PutBytes(File(), "");
  ASSERT_EQ(ReadFolderFileContent(c, File().string()), 0);
  EXPECT_TRUE(c.record.ICON.empty());
  FolderFileContent missing;
  missing.record.ICON = "untouched";
  EXPECT_LT(ReadFolderFileContent(missing, (folder_.path() / "none.txt").string()), 0);
  EXPECT_EQ(missing.record.ICON, "untouched");
  EXPECT_FALSE(fs::exists(folder_.path() / "none.txt"));
  EXPECT_EQ(ReadFolderFileContent(missing, "   "), -999);
}

TEST_F(Content, AReadOnlyFileIsReadAndItsSaveReportsWhyAndLeavesItByteForByte) {
  FolderFileContent c = Read(kWritten);
  fs::permissions(File(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  FolderFileContent readOnly;
  ASSERT_EQ(ReadFolderFileContent(readOnly, File().string()), 0);
  EXPECT_EQ(readOnly.record.ICON, "folder.aai");
  readOnly.record.ICON = "b.aai";
  orvid::test::DialogWatcher watcher;
  EXPECT_EQ(SaveFolderFileContent(readOnly, File().string()), 1);
  EXPECT_EQ(watcher.Seen(), (std::vector<orvid::test::ErrorSeen>{{"Error Writing dune_folder.txt", "WriteDuneFile",
                                                                   File().string() + " - access denied", "-52"}}));
  EXPECT_EQ(zqtest::FileBytes(File()), kWritten);
  EXPECT_EQ(fs::status(File()).permissions(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator()), 1) << "no file beside it";
}

TEST_F(Content, ASaveThroughALinkReplacesTheFileItLeadsToWholeAndKeepsItsMode) {
  zqtest::ScratchFolder outside("orvid-dfoutside");
  const fs::path real = outside / "real.txt", other = outside / "other-name.txt";
  PutBytes(real, kWritten);
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_hard_link(real, other);
  fs::create_symlink(real, File());
  FolderFileContent c;
  ASSERT_EQ(ReadFolderFileContent(c, File().string()), 0);
  c.record.IDX = 4;
  const std::string saved = "icon_path = folder.aai\r\nicon_valign = center\r\nicon_dx = 4\r\nicon_scale_factor = 1.25\r\n"
                            "media_url = Alien.mkv\r\n\r\n" + kViewBlock + "\r\n" + kBackgroundBlock;
  EXPECT_EQ(SaveFolderFileContent(c, File().string()), static_cast<int32_t>(saved.size()));
  EXPECT_TRUE(fs::is_symlink(File()));
  EXPECT_EQ(fs::read_symlink(File()), real);
  EXPECT_EQ(zqtest::FileBytes(real), saved);
  EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(zqtest::FileBytes(other), kWritten) << "a hard link's other name keeps its bytes";
  EXPECT_EQ(std::distance(fs::directory_iterator(outside.path()), fs::directory_iterator()), 2);
}

TEST_F(Content, ASaveIntoAGoneFolderOrOntoAFullDiskReportsWhyAndLeavesNoFile) {
  {
    FolderFileContent c;
    c.record.ICON = "a.aai";
    const fs::path gone = folder_.path() / "gone" / "dune_folder.txt";
    orvid::test::DialogWatcher watcher;
    EXPECT_EQ(SaveFolderFileContent(c, gone.string()), 1);
    EXPECT_EQ(watcher.Seen(), (std::vector<orvid::test::ErrorSeen>{{"Error Writing dune_folder.txt", "WriteDuneFile",
                                                                     gone.string() + " - the folder is not there", "-52"}}));
    EXPECT_FALSE(fs::exists(folder_.path() / "gone"));
  }
  zqtest::SmallVolume volume("64k");
  if (!volume.mounted()) GTEST_SKIP() << "no rights to mount a small volume for the full disk";
  const fs::path file = fs::path(volume.folder()) / "dune_folder.txt";
  PutBytes(file, kWritten);
  PutBytes(fs::path(volume.folder()) / "filler", std::string(56 * 1024, 'f'));
  FolderFileContent c;
  ASSERT_EQ(ReadFolderFileContent(c, file.string()), 0);
  c.record.MURL = std::string(8000, 'm');
  orvid::test::DialogWatcher watcher;
  EXPECT_EQ(SaveFolderFileContent(c, file.string()), 1);
  EXPECT_EQ(watcher.Seen(), (std::vector<orvid::test::ErrorSeen>{{"Error Writing dune_folder.txt", "WriteDuneFile",
                                                                   file.string() + " - the disk is full", "-57"}}));
  EXPECT_EQ(zqtest::FileBytes(file), kWritten);
  EXPECT_EQ(std::distance(fs::directory_iterator(volume.folder()), fs::directory_iterator()), 2);
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
