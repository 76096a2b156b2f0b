#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <string>

#include "DialogAnswers.h"
#include "app/FolderFile.h"
#include "zqtest/FileBytes.h"
#include "zqtest/ScratchFolder.h"
#include "zqtest/TreeContents.h"

namespace {

namespace fs = std::filesystem;

bool Cp1252() {
  const char* acp = std::getenv("ZQ_ACP");
  return acp && std::string(acp) == "1252";
}

// "Amélie" as the program holds it (the ANSI code page) and as the file stores it (UTF-8).
std::string AmelieAnsi() { return Cp1252() ? "Am\xE9lie" : "Am\xC3\xA9lie"; }
const std::string kAmelieUtf8 = "Am\xC3\xA9lie";

void PutBytes(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

DUNEFILE IconOnly() {
  DUNEFILE r;
  r.ICON = AmelieAnsi() + ".aai";
  r.ALLIGN = "top";
  r.IDX = -5;
  r.SCALE = 1.5;
  r.MURL = AmelieAnsi() + ".mkv";
  return r;
}

DUNEFILE ViewOnly() {
  DUNEFILE r;
  r.IVIEW = "yes";
  r.COLS = 4;
  r.ROWS = 2;
  r.TOP = 10;
  r.BOT = 20;
  r.FSIZE = "normal";
  r.TEXTBOT = -7;
  return r;
}

DUNEFILE BackgroundOnly() {
  DUNEFILE r;
  r.BGPATH = "background.aai";
  r.BGX = 12;
  r.BGY = -3;
  r.BGW = 1280;
  r.BGH = 720;
  return r;
}

DUNEFILE AllThree() {
  DUNEFILE r = IconOnly();
  const DUNEFILE v = ViewOnly(), b = BackgroundOnly();
  r.IVIEW = v.IVIEW, r.COLS = v.COLS, r.ROWS = v.ROWS, r.TOP = v.TOP, r.BOT = v.BOT, r.FSIZE = v.FSIZE;
  r.TEXTBOT = v.TEXTBOT;
  r.BGPATH = b.BGPATH, r.BGX = b.BGX, r.BGY = b.BGY, r.BGW = b.BGW, r.BGH = b.BGH;
  return r;
}

const std::string kIconBlock =
    "icon_path = " + kAmelieUtf8 + ".aai\r\nicon_valign = top\r\nicon_dx = -5\r\nicon_scale_factor = 1.5\r\n"
    "media_url = " + kAmelieUtf8 + ".mkv\r\n";
const std::string kViewBlock =
    "use_icon_view = yes\r\nnum_cols = 4\r\nnum_rows = 2\r\nicon_top = 10\r\nicon_bottom = 20\r\n"
    "caption_font_size = normal\r\ntext_bottom = -7\r\n";
const std::string kBackgroundBlock =
    "background_path = background.aai\r\nbackground_x = 12\r\nbackground_y = -3\r\nbackground_width = 1280\r\n"
    "background_height = 720\r\n";

void ExpectSameKeyedFields(const DUNEFILE& a, const DUNEFILE& b) {
  EXPECT_EQ(a.ICON, b.ICON);
  EXPECT_EQ(a.ALLIGN, b.ALLIGN);
  EXPECT_EQ(a.IDX, b.IDX);
  EXPECT_EQ(a.IDY, b.IDY);
  EXPECT_EQ(a.SCALE, b.SCALE);
  EXPECT_EQ(a.MURL, b.MURL);
  EXPECT_EQ(a.IVIEW, b.IVIEW);
  EXPECT_EQ(a.COLS, b.COLS);
  EXPECT_EQ(a.ROWS, b.ROWS);
  EXPECT_EQ(a.TOP, b.TOP);
  EXPECT_EQ(a.BOT, b.BOT);
  EXPECT_EQ(a.TEXTBOT, b.TEXTBOT);
  EXPECT_EQ(a.FSIZE, b.FSIZE);
  EXPECT_EQ(a.BGPATH, b.BGPATH);
  EXPECT_EQ(a.BGX, b.BGX);
  EXPECT_EQ(a.BGY, b.BGY);
  EXPECT_EQ(a.BGW, b.BGW);
  EXPECT_EQ(a.BGH, b.BGH);
}

class FolderFile : public ::testing::Test {
 protected:
  zqtest::ScratchFolder scratch_{"orvid-dunefile"};
  fs::path file_ = scratch_ / "dune_folder.txt";
  std::string path_ = file_.string();
};

TEST_F(FolderFile, EachBlockAloneAllThreeAndNoneByteForByte) {
  struct Case {
    const char* what;
    DUNEFILE record;
    std::string bytes;
  };
  const Case cases[] = {
      {"icon", IconOnly(), kIconBlock},
      {"view", ViewOnly(), kViewBlock},
      {"background", BackgroundOnly(), kBackgroundBlock},
      {"all three", AllThree(), kIconBlock + "\r\n" + kViewBlock + "\r\n" + kBackgroundBlock},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(file_);
    DUNEFILE written = c.record;
    EXPECT_EQ(WRITEDUNEFILE(written, path_, 1), static_cast<int16_t>(c.bytes.size()));
    EXPECT_EQ(zqtest::FileBytes(file_), c.bytes);
    DUNEFILE read;
    read.IFPATH = "kept";
    read.TEXT = "kept too";
    EXPECT_EQ(READDUNEFILE(read, path_), 0);
    ExpectSameKeyedFields(read, written);
    EXPECT_EQ(read.IFPATH, "kept") << "fields without a key are not touched";
    EXPECT_EQ(read.TEXT, "kept too");
  }
}

TEST_F(FolderFile, NoBlockWritesNothingAndLeavesTheOldFile) {
  PutBytes(file_, "old content");
  DUNEFILE none;
  none.MURL = "Alien.mkv";
  none.IVIEW = "No";
  EXPECT_EQ(WRITEDUNEFILE(none, path_, 1), 0);
  EXPECT_EQ(zqtest::FileBytes(file_), "old content");
  fs::remove(file_);
  EXPECT_EQ(WRITEDUNEFILE(none, path_, 1), 0);
  EXPECT_FALSE(fs::exists(file_));
}

TEST_F(FolderFile, DefaultsAreWrittenAndKeptInTheRecord) {
  DUNEFILE r;
  r.ICON = "folder.aai";
  r.MURL = "   ";
  r.IVIEW = "Yes";
  r.BGPATH = "bg.aai";
  r.BGW = -1;
  EXPECT_GT(WRITEDUNEFILE(r, path_, 1), 0);
  EXPECT_EQ(zqtest::FileBytes(file_),
            "icon_path = folder.aai\r\nicon_valign = center\r\n\r\n"
            "use_icon_view = yes\r\nnum_cols = 6\r\nnum_rows = 3\r\nicon_top = 0\r\nicon_bottom = 0\r\n"
            "caption_font_size = small\r\ntext_bottom = 0\r\n\r\n"
            "background_path = bg.aai\r\nbackground_x = 0\r\nbackground_y = 0\r\nbackground_width = 1920\r\n"
            "background_height = 1080\r\n");
  EXPECT_EQ(r.ALLIGN, "center");
  EXPECT_EQ(r.COLS, 6);
  EXPECT_EQ(r.ROWS, 3);
  EXPECT_EQ(r.FSIZE, "small");
  EXPECT_EQ(r.BGW, 1920);
  EXPECT_EQ(r.BGH, 1080);
}

TEST_F(FolderFile, ALongerOldFileLeavesNothingBehind) {
  PutBytes(file_, std::string(5000, 'x'));
  DUNEFILE r = BackgroundOnly();
  WRITEDUNEFILE(r, path_, 1);
  EXPECT_EQ(zqtest::FileBytes(file_), kBackgroundBlock);
}

TEST_F(FolderFile, AWriteOfMoreThan32KiBReportsItsWholeCount) {
  DUNEFILE r;
  r.ICON = std::string(40000, 'i') + ".aai";
  const std::string bytes = "icon_path = " + r.ICON + "\r\nicon_valign = center\r\n";
  EXPECT_EQ(WRITEDUNEFILE(r, path_, 0), static_cast<int32_t>(bytes.size()));
  EXPECT_EQ(zqtest::FileBytes(file_), bytes);
}

TEST_F(FolderFile, ScaleFactorsInTheirShortestForm) {
  for (const auto& [scale, text] : {std::pair{2.0, "2"}, {1.2, "1.2"}, {0.1, "0.1"}, {-0.75, "-0.75"}}) {
    DUNEFILE r;
    r.ICON = "i.aai";
    r.SCALE = scale;
    WRITEDUNEFILE(r, path_, 1);
    EXPECT_EQ(zqtest::FileBytes(file_),
              std::string("icon_path = i.aai\r\nicon_valign = center\r\nicon_scale_factor = ") + text + "\r\n");
  }
}

TEST(FolderFileText, ThePaddedFormStartsEveryValueAtTheLines21stCharacterAndHasNoTextBottom) {
  DUNEFILE r = AllThree();
  r.ICON = "folder.aai";
  r.MURL = "Alien.mkv";
  const FolderBlocks all{true, true, true};
  EXPECT_EQ(FOLDERFILETEXT(r, all, kPaddedKeys),
            "icon_path         = folder.aai\r\nicon_valign       = top\r\nicon_dx           = -5\r\n"
            "icon_scale_factor = 1.5\r\nmedia_url         = Alien.mkv\r\n\r\n"
            "use_icon_view     = yes\r\nnum_cols          = 4\r\nnum_rows          = 2\r\nicon_top          = 10\r\n"
            "icon_bottom       = 20\r\ncaption_font_size = normal\r\n\r\n"
            "background_path   = background.aai\r\nbackground_x      = 12\r\nbackground_y      = -3\r\n"
            "background_width  = 1280\r\nbackground_height = 720\r\n");
  EXPECT_EQ(FOLDERFILETEXT(r, FolderBlocks{false, true, false}, kPaddedKeys).substr(0, 20), "use_icon_view     = ")
      << "a block given alone starts the text";
  EXPECT_EQ(FOLDERFILETEXT(r, FolderBlocks{}, kPaddedKeys), "");
}

TEST_F(FolderFile, LineFeedOnlyAndCarriageReturnFilesReadAlike) {
  const std::string lines[] = {"icon_path = folder.aai", "icon_valign = top", "icon_dx = 12",
                               "media_url = Alien.mkv", "use_icon_view = yes", "num_cols = 5",
                               "background_path = bg.aai", "background_height = 720"};
  DUNEFILE expected;
  bool first = true;
  for (const char* end : {"\r\n", "\n", "\r"}) {
    std::string text;
    for (const std::string& line : lines) text += line + end;
    PutBytes(file_, text);
    DUNEFILE r;
    ASSERT_EQ(READDUNEFILE(r, path_), 0);
    EXPECT_EQ(r.ICON, "folder.aai");
    EXPECT_EQ(r.ALLIGN, "top");
    EXPECT_EQ(r.IDX, 12);
    EXPECT_EQ(r.MURL, "Alien.mkv");
    EXPECT_EQ(r.COLS, 5);
    EXPECT_EQ(r.BGPATH, "bg.aai");
    EXPECT_EQ(r.BGH, 720);
    if (first) expected = r;
    ExpectSameKeyedFields(r, expected);
    first = false;
  }
}

TEST(KeyReader, KeysMatchOnlyAtTheStartOfALine) {
  const std::string text =
      "icon_path = media_url = cover.aai\r\n"
      "  MEDIA_URL   =   Alien.mkv  \r\n"
      "icon_dx_extra = 7\r\n"
      "icon_dx=3\n"
      "note = background_path = x\r"
      "background_path\tno equals\r\n"
      "text_bottom = \ttab kept\t\r\n";
  EXPECT_EQ(RDFI(text, "media_url"), "Alien.mkv") << "a value holding a key's name does not shadow it";
  EXPECT_EQ(RDFI(text, "icon_path"), "media_url = cover.aai") << "everything after the first \"=\"";
  EXPECT_EQ(RDFI(text, "icon_dx"), "3") << "another key that begins with the name is not it";
  EXPECT_EQ(RDFI(text, "background_path"), "");
  EXPECT_EQ(RDFI(text, "text_bottom"), "\ttab kept\t") << "only blanks are removed";
  EXPECT_EQ(RDFI(text, "icon_path   "), "media_url = cover.aai") << "the key's trailing blanks";
  EXPECT_EQ(RDFI(text, "num_rows"), "");
  EXPECT_EQ(RDFI(text, ""), "");
  EXPECT_EQ(RDFI("", "icon_path"), "");
}

TEST_F(FolderFile, AByteOrderMarkAndTabsBeforeTheEqualsSignHideNoKey) {
  PutBytes(file_, "\xEF\xBB\xBF" "icon_path = " + kAmelieUtf8 + ".aai\r\nicon_valign\t= top\r\n"
                  "media_url \t = Alien.mkv\r\n\tnum_cols\t=\t4\r\n");
  DUNEFILE r;
  ASSERT_EQ(READDUNEFILE(r, path_), 0);
  EXPECT_EQ(r.ICON, AmelieAnsi() + ".aai");
  EXPECT_EQ(r.ALLIGN, "top");
  EXPECT_EQ(r.MURL, "Alien.mkv");
  EXPECT_EQ(r.COLS, 4) << "a tab after the \"=\" belongs to the value, whose number still reads";
  EXPECT_EQ(RDFI("\xEF\xBB\xBFicon_path\t= a.aai\r\n", "icon_path"), "a.aai");
  EXPECT_EQ(RDFI("x\xEF\xBB\xBFicon_path = a.aai", "icon_path"), "") << "a mark only at the text's start";
}

TEST_F(FolderFile, NumbersKeepTheirLow16BitsAndMissingKeysClearTheirFields) {
  PutBytes(file_, "num_cols = 65541\r\nnum_rows = -65530\r\nicon_top = abc\r\nicon_bottom = 12px\r\n"
                  "icon_scale_factor = 0.25\r\n");
  DUNEFILE r = AllThree();
  ASSERT_EQ(READDUNEFILE(r, path_), 0);
  EXPECT_EQ(r.COLS, 5);
  EXPECT_EQ(r.ROWS, 6);
  EXPECT_EQ(r.TOP, 0) << "not a number";
  EXPECT_EQ(r.BOT, 12) << "the leading number";
  EXPECT_EQ(r.SCALE, 0.25);
  EXPECT_EQ(r.ICON, "");
  EXPECT_EQ(r.IDX, 0);
  EXPECT_EQ(r.BGPATH, "");
  EXPECT_EQ(r.BGH, 0);
}

TEST_F(FolderFile, NumbersBeyondTheirTypesReadAsTheirLow16BitsOrInfinity) {
  PutBytes(file_, "icon_dx = 18446744073709551617\r\nicon_dy = +7\r\nicon_scale_factor = 1e400\r\n");
  DUNEFILE r;
  ASSERT_EQ(READDUNEFILE(r, path_), 0);
  EXPECT_EQ(r.IDX, 1) << "2^64 + 1";
  EXPECT_EQ(r.IDY, 7);
  EXPECT_EQ(r.SCALE, std::numeric_limits<double>::infinity());
  PutBytes(file_, "icon_scale_factor = inf\r\n");
  ASSERT_EQ(READDUNEFILE(r, path_), 0);
  EXPECT_EQ(r.SCALE, 0) << "not a number";
}

TEST_F(FolderFile, OnlyTheFirst2048BytesAreReadAndValuesAreCutToTheirFields) {
  const std::string longPath(300, 'p');
  std::string text = "icon_path = " + longPath + "\r\nicon_valign = centercenter\r\n";
  text += std::string(2048 - text.size() - 4, '#') + "\r\nnum_cols = 4\r\n";
  PutBytes(file_, text);
  DUNEFILE r;
  ASSERT_EQ(READDUNEFILE(r, path_), 0);
  EXPECT_EQ(r.ICON, longPath.substr(0, 255));
  EXPECT_EQ(r.ALLIGN, "centercen");
  EXPECT_EQ(r.COLS, 0) << "beyond the first 2,048 bytes";
}

TEST_F(FolderFile, ReadingMissingEmptyAndBlankPaths) {
  DUNEFILE r = AllThree();
  EXPECT_EQ(READDUNEFILE(r, path_), 0);
  EXPECT_FALSE(fs::exists(file_)) << "a missing folder file is not created";
  EXPECT_EQ(r.ICON, AllThree().ICON) << "the record is untouched";
  PutBytes(file_, "");
  EXPECT_EQ(READDUNEFILE(r, path_), 0);
  EXPECT_EQ(r.ICON, AllThree().ICON);
  EXPECT_EQ(READDUNEFILE(r, "   "), -999);
  EXPECT_LT(READDUNEFILE(r, (scratch_ / "no folder" / "dune_folder.txt").string()), 0);
  EXPECT_EQ(r.BGPATH, AllThree().BGPATH);
}

TEST_F(FolderFile, AFailedWriteIsReportedQuietlyByItsCodeOrElseByTheErrorDialog) {
  const std::string path = (scratch_ / "no folder" / "dune_folder.txt").string();
  DUNEFILE r = IconOnly();
  orvid::test::DialogWatcher watcher;
  EXPECT_LT(WRITEDUNEFILE(r, path, 1), 0);
  EXPECT_TRUE(watcher.Errors().empty());
  EXPECT_EQ(WRITEDUNEFILE(r, path, 0), 1) << "the dialog's answer, OK";
  EXPECT_EQ(watcher.Errors(), std::vector<std::string>{"Error Writing dune_folder.txt"});
}

TEST_F(FolderFile, AFolderOrAReadOnlyFileInThePlaceIsReportedAndKeptAsItWas) {
  struct Case {
    const char* what;
    std::function<void()> make;
  };
  const Case cases[] = {
      {"a folder", [&] { fs::create_directories(file_ / "inside"); }},
      {"a read-only file",
       [&] {
         PutBytes(file_, "icon_path = old.aai\r\n");
         fs::permissions(file_, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
       }},
  };
  for (const Case& c : cases) {
    fs::remove_all(file_);
    c.make();
    const auto before = zqtest::Tree(scratch_.path());
    DUNEFILE r = IconOnly();
    orvid::test::DialogWatcher watcher;
    EXPECT_EQ(WRITEDUNEFILE(r, path_, 0), 1) << c.what;
    EXPECT_EQ(watcher.Errors(), std::vector<std::string>{"Error Writing dune_folder.txt"}) << c.what;
    EXPECT_EQ(zqtest::Tree(scratch_.path()), before) << c.what << ": no temporary file stays";
  }
}

TEST_F(FolderFile, AWriteKeepsTheOldFilesPermissionBits) {
  PutBytes(file_, "icon_path = old.aai\r\n");
  const fs::perms bits = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(file_, bits);
  DUNEFILE r = IconOnly();
  EXPECT_GT(WRITEDUNEFILE(r, path_, 1), 0);
  EXPECT_EQ(zqtest::FileBytes(file_), kIconBlock);
  EXPECT_EQ(fs::status(file_).permissions(), bits);
}

// The pass and the catalogs replace a link at the name; the editor, saving the file the user
// opened, follows it and replaces the file it leads to.
TEST_F(FolderFile, ALinkAtTheNameIsReplacedOrFollowedAsAsked) {
  struct Case {
    zq::fs::AtLink atLink;
    bool linkStays;
  };
  for (const Case c : {Case{zq::fs::AtLink::Replace, false}, Case{zq::fs::AtLink::Follow, true}}) {
    zqtest::ScratchFolder outside("orvid-outside");
    const fs::path opened = outside / "opened.txt";
    PutBytes(opened, "icon_path = old.aai\r\n");
    fs::remove(file_);
    fs::create_symlink(opened, file_);
    EXPECT_EQ(WRITEFOLDERBYTES(kViewBlock, path_, 1, c.atLink), static_cast<int32_t>(kViewBlock.size()));
    EXPECT_EQ(fs::is_symlink(file_), c.linkStays);
    EXPECT_EQ(zqtest::FileBytes(file_), kViewBlock);
    EXPECT_EQ(zqtest::FileBytes(opened), c.linkStays ? kViewBlock : "icon_path = old.aai\r\n");
    EXPECT_EQ(zqtest::Tree(outside.path()).size(), 1u) << "no temporary file stays beside the opened file";
  }
}

}  // namespace
