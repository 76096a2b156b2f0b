// The media list of the fixture's media tree, as the scan makes it and as its CSV file must
// read, and the CSV procedures run with their dialogs answered through the question seam.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ScanFixture.h"
#include "app/MediaList.h"
#include "zqplatform/uiinput.h"
#include "zqtest/FileBytes.h"
#include "zqtest/SmallVolume.h"

namespace medialist_test {

const std::string kE = zqtest::media_tree_detail::NameOfLength("The Long Way Round ", 192);
const std::string kF = zqtest::media_tree_detail::NameOfLength("Long Film Folder ", 29);

// One record line of the file, the values as the scan's record gives them.
struct Line {
  std::string path, folder, media, extension, category, type, size, sizeText;
  int kind;
};

// The fixture's media list in scan order.
inline std::vector<Line> FixtureLines() {
  const std::string films = "T:\\Films\\", music = "T:\\Music\\", lost = "T:\\Series\\Lost\\";
  return {
      {"T:\\Deep\\" + kE + "\\", kF, "Long Film Title.mkv", "mkv", "V", "Video-File", "100", "100 Bs", 3},
      {films, "Alien (1979)", "Alien.mkv", "mkv", "V", "Video-File", "1500", "      1.46 Kb", 3},
      {films, "alien resurrection", "Alien Resurrection.avi", "avi", "V", "Video-File", "2500", "      2.44 Kb", 3},
      {films, "Amélie (2001)", "Amélie.avi", "avi", "V", "Video-File", "2000", "      1.95 Kb", 3},
      {films, "Brazil (1985)", "Brazil.IMG", "IMG", "V", "DVD-Rip", "8589934591", "      8.00 Gb", 2},
      {films, "Heat [DVD]", "VIDEO_TS", "", "V", "DVD-Rip", "1050624", "      1.00 Mb", 2},
      {films, "Inception [BluRay]", "BDMV", "", "V", "BD-Rip", "30100", "     29.39 Kb", 1},
      {films, "Kill Bill", "Kill Bill.part1.mkv", "mkv", "V", "Video-File", "4000", "      3.91 Kb", 3},
      {films, "Kill Bill", "Kill Bill.part2.mkv", "mkv", "V", "Video-File", "4100", "      4.00 Kb", 3},
      {films, "Live Aid (1985)", "Live Aid.ts", "ts", "V", "Video-File", "3500", "      3.42 Kb", 3},
      {films, "Ran (1985)", "Ran.iso", "iso", "V", "BD-Rip", "8589934592", "      8.00 Gb", 1},
      {films, "千と千尋の神隠し", "Spirited Away.mp4", "mp4", "V", "Video-File", "3000", "      2.93 Kb", 3},
      {music, "Abba - Gold", "01 Dancing Queen.mp3", "mp3", "A", "Music-File", "5000", "      4.88 Kb", 4},
      {music, "Abba - Gold", "02 Mamma Mia.mp3", "mp3", "A", "Music-File", "4000", "      3.91 Kb", 4},
      {music, "Björk - Homogenic", "01 Hunter.flac", "flac", "A", "Music-File", "9000", "      8.79 Kb", 4},
      {music, "Björk - Homogenic", "02 Jóga.flac", "flac", "A", "Music-File", "8000", "      7.81 Kb", 4},
      {lost, "Season 1", "Lost S01E01.mkv", "mkv", "V", "Video-File", "1000", "1000 Bs", 3},
      {lost, "Season 1", "Lost S01E02.mkv", "mkv", "V", "Video-File", "1001", "1001 Bs", 3},
      {lost, "Season 2", "Lost S02E01.mkv", "mkv", "V", "Video-File", "1002", "1002 Bs", 3},
  };
}

// Counts and sizes of the fixture's kinds: Blu-ray rips, DVD rips, video files, music files.
struct KindTotals {
  int count;
  double size;
};
inline constexpr KindTotals kBluRays{2, 30100.0 + 8589934592.0};
inline constexpr KindTotals kDvds{2, 8589934591.0 + 1050624.0};
inline constexpr KindTotals kVideos{11, 100 + 1500 + 2500 + 2000 + 4000 + 4100 + 3500 + 3000 + 1000 + 1001 + 1002};
inline constexpr KindTotals kMusic{4, 5000 + 4000 + 9000 + 8000};

// The disk lines' numbers and size texts.
struct DiskTotals {
  std::string total, totalText, used, usedText, free, freeText;
};

// The file as its rules give it, with plain string operations: the header, a line per record
// (the size text with all 25 characters of its field), two empty lines and eight total lines,
// every line ended by CR LF.
inline std::string FileOfRules(const std::vector<Line>& lines, const std::vector<std::string>& kindTotals,
                               const DiskTotals& disk) {
  std::string text = "Path;Folder;MediaName;Combined;Extension;Category;Type;Size;R-Size\r\n";
  for (const Line& l : lines) {
    std::string sizeText = l.sizeText;
    sizeText.resize(25, ' ');
    text += l.path + ";" + l.folder + ";" + l.media + ";" + l.extension + ";" + l.category + ";" + l.type + ";" +
            l.size + ";" + sizeText + "\r\n";
  }
  text += "\r\n\r\n";
  const char* labels[] = {"Total BD-Rip", "Total DVD-Rip", "Total MediaFile", "Total MusicFile", "Total Unknown"};
  for (int i = 0; i < 5; ++i) text += std::string(";;;;;;;;;") + labels[i] + ";" + kindTotals[i] + "\r\n";
  text += ";;;;;;;;;Total Disk Space;" + disk.total + ";" + disk.totalText + "\r\n";
  text += ";;;;;;;;;Used  Disk Space;" + disk.used + ";" + disk.usedText + "\r\n";
  text += ";;;;;;;;;Free  Disk Space;" + disk.free + ";" + disk.freeText + "\r\n";
  return text;
}

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// The media tree is scanned on the drive T:, a file system of its own that nothing else writes
// to (its free space stays as it is between two writes of the list); the CSV files go to the
// drive W:, the scratch folder.
class MediaListFixture : public ScanFixture {
 protected:
  void SetUp() override {
    ScanFixture::SetUp();
    if (!disk_.mounted()) GTEST_SKIP() << "a file system of the test's own needs mount rights";
    MapDrives("T=" + disk_.folder() + ";W=" + scratch_.path().string());
    zq::ui::input::ForgetAnswers();
    zq::ui::TakeAsked();
  }
  void TearDown() override {
    zq::ui::input::ForgetAnswers();
    ScanFixture::TearDown();
  }

  static void MapDrives(const std::string& drives) {
    setenv("ZQ_DRIVES", drives.c_str(), 1);
    zq::fs::ReloadDriveMap();
  }

  void ScanTheTree() {
    zqtest::BuildMediaTree(disk_.folder());
    Scan("T:\\");
    PostedEvents();
  }

  zqtest::SmallVolume disk_{"8m"};

  // MFEXPORT with the save dialog answered by a name; the notice of the written file closed.
  static std::string Export(const std::string& name) {
    zq::ui::input::AnswerQuestion(zq::ui::Answer::Chosen(name));
    zq::ui::input::AnswerQuestion(zq::ui::Answer::Cancelled());
    std::string result = MFEXPORT();
    zq::ui::input::ForgetAnswers();
    return result;
  }
  // MFIMPORT with the open dialog answered by a name.
  static std::string Import(const std::string& name) {
    zq::ui::input::AnswerQuestion(zq::ui::Answer::Chosen(name));
    std::string result = MFIMPORT();
    zq::ui::input::ForgetAnswers();
    return result;
  }
};

}  // namespace medialist_test
