// A layout row's scale as Script.dat holds it, hand-edited: a number the program cannot hold
// reads as 0, so the folder file gets no scale line, as for a scale of 0.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogAnswers.h"
#include "PassFixture.h"
#include "zqtest/FileBytes.h"

namespace {

using orvid::test::DialogWatcher;

constexpr char kRecordMark = '\xFE', kFieldMark = '\xFD';
constexpr size_t kScaleField = 4;  // NR, ALIGN, IDX, IDY, then SCALE

std::vector<std::string> Split(const std::string& text, char mark) {
  std::vector<std::string> pieces(1);
  for (char c : text) {
    if (c == mark) pieces.emplace_back();
    else pieces.back().push_back(c);
  }
  return pieces;
}

std::string Join(const std::vector<std::string>& pieces, char mark) {
  std::string text;
  for (size_t i = 0; i < pieces.size(); ++i) text += (i ? std::string(1, mark) : "") + pieces[i];
  return text;
}

class LayoutReals : public PassFixture {
 protected:
  // Alien's folder file after a pass with every layout row's scale written as scale.
  std::string AlienFileWithScale(const std::string& scale) {
    for (const auto& e : fs::directory_iterator(Root())) fs::remove_all(e.path());
    BuildTree();
    std::vector<std::string> rows = Split(zqtest::FileBytes(home_ / "Script.dat"), kRecordMark);
    for (std::string& row : rows) {
      std::vector<std::string> fields = Split(row, kFieldMark);
      fields.at(kScaleField) = scale;
      row = Join(fields, kFieldMark);
    }
    std::ofstream(home_ / "Script.dat", std::ios::binary | std::ios::trunc) << Join(rows, kRecordMark);
    LoadSettings();
    Scan();
    DialogWatcher answers;
    Pass();
    EXPECT_EQ(answers.Errors(), std::vector<std::string>{}) << scale.substr(0, 12);
    return zqtest::FileBytes(Root() / "Films/Alien (1979)/dune_folder.txt");
  }
};

TEST_F(LayoutReals, AScaleThatIsNoFiniteNumberReadsAsZeroAndTheFolderFileGetsNoScaleLine) {
  const std::string scaleOne = "icon_scale_factor = 1\r\n";
  const std::string withOne = AlienFileWithScale("1");
  const size_t at = withOne.find(scaleOne);
  ASSERT_NE(at, std::string::npos) << withOne;
  const std::string withoutScale = std::string(withOne).erase(at, scaleOne.size());
  ASSERT_EQ(AlienFileWithScale("0"), withoutScale);

  struct Case {
    std::string scale;
    std::string file;
  };
  const Case cases[] = {
      {"1e400", withoutScale},
      {"nan", withoutScale},
      {"inf", withoutScale},
      {"-inf", withoutScale},
      {"1" + std::string(400, '0'), withoutScale},
      {"1.5", std::string(withOne).replace(at, scaleOne.size(), "icon_scale_factor = 1.5\r\n")},
  };
  for (const Case& c : cases) EXPECT_EQ(AlienFileWithScale(c.scale), c.file) << c.scale.substr(0, 12);
}

}  // namespace
