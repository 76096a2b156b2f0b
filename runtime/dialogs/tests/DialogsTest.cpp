#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "zqplatform/files.h"
#include "zqplatform/uiinput.h"
#include "zqruntime/dialogs.h"
#include "zqtest/ScratchFolder.h"

namespace zq::rt {
namespace {

using zq::ui::Answer;
using zq::ui::QuestionKind;

// Every dialog here is answered through the question seam, ahead of the question.
class StandardDialogs : public ::testing::Test {
 protected:
  void SetUp() override { zq::ui::TakeAsked(); }
  void TearDown() override { zq::ui::input::ForgetAnswers(); }
  // The one question asked since the last call.
  zq::ui::Question Asked() {
    auto asked = zq::ui::TakeAsked();
    EXPECT_EQ(asked.size(), 1u);
    return asked.empty() ? zq::ui::Question{} : asked.back().question;
  }
};

TEST_F(StandardDialogs, FileDialogsAskWithTitleAndExtension) {
  struct Case {
    bool save;
    Answer answer;
    const char* result;
  };
  const Case cases[] = {
      {true, Answer::Chosen("C:\\data\\media"), "C:\\data\\media.csv"},
      {true, Answer::Chosen("C:\\data\\media.CSV"), "C:\\data\\media.CSV"},
      {true, Answer::Chosen("C:\\data.d\\media"), "C:\\data.d\\media.csv"},
      {true, Answer::Cancelled(), ""},
      {true, Answer::Pressed(IDOK), ""},
      {false, Answer::Chosen("C:\\data\\media"), "C:\\data\\media"},
      {false, Answer::Cancelled(), ""},
  };
  for (const Case& c : cases) {
    zq::ui::input::AnswerQuestion(c.answer);
    std::string got = c.save ? SaveFileDialog("Write CSV", ".csv") : OpenFileDialog("Read CSV", ".csv");
    EXPECT_EQ(got, c.result);
    zq::ui::Question q = Asked();
    EXPECT_EQ(q.kind, c.save ? QuestionKind::Save : QuestionKind::Open);
    EXPECT_EQ(q.caption, c.save ? "Write CSV" : "Read CSV");
    EXPECT_EQ(q.extension, ".csv");
  }
}

TEST_F(StandardDialogs, AChosenPosixPathComesBackInTheWindowsView) {
  const zqtest::ScratchFolder scratch("zq-dialog");
  std::filesystem::create_directory(scratch / "Alien");
  zq::ui::input::AnswerQuestion(Answer::Chosen((scratch / "Alien").string()));
  EXPECT_EQ(FolderDialog("Select Root"), zq::fs::ToWindowsPath((scratch / "Alien").string()) + "\\");
}

TEST_F(StandardDialogs, TheFolderDialogAnswersAFolderPath) {
  const zqtest::ScratchFolder scratch("zq-dialog");
  zq::ui::input::AnswerQuestion(Answer::Chosen("D:\\Films\\Alien"));
  EXPECT_EQ(FolderDialog("Select Root", scratch.path().string()), "D:\\Films\\Alien\\");
  zq::ui::Question q = Asked();
  EXPECT_EQ(q.kind, QuestionKind::Folder);
  EXPECT_EQ(q.folder, scratch.path().string());
  zq::ui::input::AnswerQuestion(Answer::Chosen("D:\\"));
  EXPECT_EQ(FolderDialog("Select Root"), "D:\\");
  zq::ui::input::AnswerQuestion(Answer::Cancelled());
  EXPECT_EQ(FolderDialog("Select Root"), "");
}

TEST_F(StandardDialogs, MessageBoxAndHelpFile) {
  zq::ui::input::AnswerQuestion(Answer::Pressed(IDOK));
  EXPECT_EQ(Message("Critical System Error Creating ZQImage Object."), IDOK);
  zq::ui::Question q = Asked();
  EXPECT_EQ(q.kind, QuestionKind::Message);
  EXPECT_EQ(q.text, "Critical System Error Creating ZQImage Object.");
  EXPECT_EQ(q.caption, "");
  zq::ui::input::AnswerQuestion(Answer::Pressed(IDNO));
  EXPECT_EQ(Message("Error Writing Queue - Errorcode = 5", "", MB_YESNO), IDNO);
  EXPECT_EQ(Asked().type, MB_YESNO);

  const zqtest::ScratchFolder scratch("zq-help");
  const auto& folder = scratch.path();
  std::ofstream(folder / "Orvid.HLP") << "F2 - Explorer\r\n";
  zq::ui::input::AnswerQuestion(Answer::Pressed(IDOK));
  EXPECT_TRUE(ShowHelp((folder / "orvid.hlp").string()));  // names match case-blind
  q = Asked();
  EXPECT_EQ(q.text, "F2 - Explorer\r\n");
  EXPECT_EQ(q.caption, "orvid.hlp");
  EXPECT_FALSE(ShowHelp((folder / "missing.hlp").string()));
  EXPECT_FALSE(ShowHelp(""));
  EXPECT_TRUE(zq::ui::TakeAsked().empty());
}

}  // namespace
}  // namespace zq::rt
