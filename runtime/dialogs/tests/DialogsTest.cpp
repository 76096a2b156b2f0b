#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "zqruntime/dialogs.h"
#include "zqtest/ScratchFolder.h"

namespace zq::rt {
namespace {

class StandardDialogs : public ::testing::Test {
 protected:
  void TearDown() override { SetDialogAnswerer(nullptr); }
  // Answers every dialog with answer and keeps the question.
  void Answer(std::optional<std::string> answer) {
    SetDialogAnswerer([this, answer](const DialogQuestion& q) {
      asked = q;
      return answer;
    });
  }
  DialogQuestion asked;
};

TEST_F(StandardDialogs, FileDialogsAskWithTitleAndExtension) {
  struct Case {
    bool save;
    std::optional<std::string> answer;
    const char* result;
  };
  const Case cases[] = {
      {true, "C:\\data\\media", "C:\\data\\media.csv"},
      {true, "C:\\data\\media.CSV", "C:\\data\\media.CSV"},
      {true, "C:\\data.d\\media", "C:\\data.d\\media.csv"},
      {true, std::nullopt, ""},
      {false, "C:\\data\\media", "C:\\data\\media"},
      {false, std::nullopt, ""},
  };
  for (const Case& c : cases) {
    Answer(c.answer);
    std::string got = c.save ? SaveFileDialog("Write CSV", ".csv") : OpenFileDialog("Read CSV", ".csv");
    EXPECT_EQ(got, c.result);
    EXPECT_EQ(asked.kind, c.save ? zq::ui::FileDialogKind::Save : zq::ui::FileDialogKind::Open);
    EXPECT_EQ(asked.title, c.save ? "Write CSV" : "Read CSV");
    EXPECT_EQ(asked.extension, ".csv");
  }
}

TEST_F(StandardDialogs, TheFolderDialogAnswersAFolderPath) {
  Answer("D:\\Films\\Alien");
  EXPECT_EQ(FolderDialog("Select Root", "D:\\"), "D:\\Films\\Alien\\");
  EXPECT_EQ(asked.kind, zq::ui::FileDialogKind::Folder);
  EXPECT_EQ(asked.start, "D:\\");
  Answer("D:\\");
  EXPECT_EQ(FolderDialog("Select Root"), "D:\\");
  Answer(std::nullopt);
  EXPECT_EQ(FolderDialog("Select Root"), "");
}

TEST_F(StandardDialogs, WithoutAnAnswererTheNullPresenterCancels) {
  EXPECT_EQ(OpenFileDialog("Read CSV", ".csv"), "");
  EXPECT_EQ(FolderDialog("Select Root"), "");
}

TEST_F(StandardDialogs, MessageBoxAndHelpFile) {
  EXPECT_EQ(Message("Critical System Error Creating ZQImage Object."), IDOK);
  EXPECT_EQ(Message("Error Writing Queue - Errorcode = 5", "", MB_YESNO), IDYES);
  const zqtest::ScratchFolder scratch("zq-help");
  const auto& folder = scratch.path();
  std::ofstream(folder / "Orvid.HLP") << "F2 - Explorer\r\n";
  EXPECT_TRUE(ShowHelp((folder / "orvid.hlp").string()));  // names match case-blind
  EXPECT_FALSE(ShowHelp((folder / "missing.hlp").string()));
  EXPECT_FALSE(ShowHelp(""));
}

}  // namespace
}  // namespace zq::rt
