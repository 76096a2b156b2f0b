// Every dialog is a question answered through one seam: answers queued ahead, a standing
// answer, an answer to the question that is open, and program windows answered as input.
// The same tests run with the Qt presenter offscreen and with the null presenter ("null:").
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "zqplatform/filedialog.h"
#include "zqplatform/msgbox.h"
#include "zqplatform/uiinput.h"
#include "zqplatform/uimodel.h"

namespace {

using zq::ui::Answer;
using zq::ui::QuestionKind;

class Questions : public ::testing::Test {
 protected:
  void SetUp() override { zq::ui::TakeAsked(); }
  void TearDown() override { zq::ui::input::ForgetAnswers(); }
};

// Waits until a question is open.
bool WaitForQuestion() {
  for (int i = 0; i < 1000; ++i) {
    if (!zq::ui::OpenQuestions().empty()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

TEST_F(Questions, QueuedAnswersTakeTheNextQuestionsInOrderAndAreRecorded) {
  EXPECT_FALSE(zq::ui::input::AnswerQuestion(Answer::Pressed(IDNO)));
  EXPECT_FALSE(zq::ui::input::AnswerQuestion(Answer::Chosen("/tmp/media.csv")));
  EXPECT_EQ(MessageBoxA(0, "Go on?", "Question", MB_YESNO | MB_ICONQUESTION), IDNO);
  zq::ui::FileDialogRequest save{zq::ui::FileDialogKind::Save, 0, "Write CSV", ".csv", "/tmp"};
  EXPECT_EQ(zq::ui::AskFileName(save), "/tmp/media.csv");
  auto asked = zq::ui::TakeAsked();
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].question.kind, QuestionKind::Message);
  EXPECT_EQ(asked[0].question.text, "Go on?");
  EXPECT_EQ(asked[0].question.caption, "Question");
  EXPECT_EQ(asked[0].question.type, MB_YESNO | MB_ICONQUESTION);
  EXPECT_EQ(asked[0].answer, Answer::Pressed(IDNO));
  EXPECT_EQ(asked[1].question.kind, QuestionKind::Save);
  EXPECT_EQ(asked[1].question.caption, "Write CSV");
  EXPECT_EQ(asked[1].question.extension, ".csv");
  EXPECT_EQ(asked[1].question.folder, "/tmp");
  EXPECT_TRUE(zq::ui::TakeAsked().empty());
}

TEST_F(Questions, AStandingAnswerTakesWhatNoQueuedAnswerTakes) {
  zq::ui::input::AnswerEvery(Answer::Pressed(IDRETRY));
  zq::ui::input::AnswerQuestion(Answer::Pressed(IDCANCEL));
  EXPECT_EQ(MessageBoxA(0, "1", "", MB_RETRYCANCEL), IDCANCEL);
  EXPECT_EQ(MessageBoxA(0, "2", "", MB_RETRYCANCEL), IDRETRY);
  EXPECT_EQ(MessageBoxA(0, "3", "", MB_RETRYCANCEL), IDRETRY);
  zq::ui::input::AnswerEvery(std::nullopt);
  zq::ui::input::AnswerQuestion(Answer::Pressed(IDOK));
  EXPECT_EQ(MessageBoxA(0, "4", "", MB_OK), IDOK);
  EXPECT_EQ(zq::ui::TakeAsked().size(), 4u);
}

TEST_F(Questions, ACancelPressesTheButtonThatClosesTheBox) {
  const std::pair<uint32_t, int32_t> cases[] = {
      {MB_OK, IDOK},           {MB_OKCANCEL, IDCANCEL}, {MB_YESNOCANCEL, IDCANCEL},
      {MB_YESNO, IDNO},        {MB_RETRYCANCEL, IDCANCEL}, {MB_ABORTRETRYIGNORE, IDABORT},
  };
  for (auto [type, button] : cases) {
    zq::ui::input::AnswerQuestion(Answer::Cancelled());
    EXPECT_EQ(MessageBoxA(0, "text", "caption", type), button) << type;
  }
  zq::ui::input::AnswerQuestion(Answer::Cancelled());
  EXPECT_EQ(zq::ui::AskFileName({zq::ui::FileDialogKind::Folder, 0, "Select Root", "", ""}), std::nullopt);
}

TEST_F(Questions, AProgramWindowIsAnsweredAsInputIntoIt) {
  HWND w = CreateWindowExA(0, "Error", WS_POPUP | WS_VISIBLE, 0, 0, 300, 100, 0, 0, nullptr);
  HWND yes = zq::ui::CreateControl(w, zq::ui::Kind::Button, 3, "&Yes", RECT{10, 10, 60, 30});
  MSG m;
  while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
  }
  // Queued ahead: given when the window opens as a question.
  zq::ui::input::AnswerQuestion(Answer::Pressed(3));
  zq::ui::OpenQuestion(w);
  ASSERT_TRUE(PeekMessage(&m, w, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(m.wParam, (BN_CLICKED << 16) | 3u);
  EXPECT_EQ(m.lParam, static_cast<LPARAM>(yes));
  // Given while it is open: a cancel is a close request.
  EXPECT_TRUE(zq::ui::input::AnswerQuestion(Answer::Cancelled()));
  ASSERT_TRUE(PeekMessage(&m, w, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
  EXPECT_EQ(m.wParam, static_cast<WPARAM>(SC_CLOSE));
  zq::ui::CloseQuestion(w);
  EXPECT_TRUE(zq::ui::OpenQuestions().empty());
  auto asked = zq::ui::TakeAsked();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].question.kind, QuestionKind::Window);
  EXPECT_EQ(asked[0].question.caption, "Error");
  EXPECT_EQ(asked[0].answer, Answer::Cancelled());
  DestroyWindow(w);
}

TEST_F(Questions, UnansweredTheNullPresenterPressesTheFirstButtonAndCancelsFileDialogs) {
  if (zq::ui::PresenterName() != "null") GTEST_SKIP() << "the Qt presenter waits for the user";
  EXPECT_EQ(MessageBoxA(0, "text", "caption", MB_OK | MB_ICONHAND), IDOK);
  EXPECT_EQ(MessageBoxA(0, nullptr, nullptr, MB_YESNO), IDYES);
  EXPECT_EQ(zq::ui::AskFileName({zq::ui::FileDialogKind::Open, 0, "Read CSV", ".csv", ""}), std::nullopt);
}

TEST_F(Questions, AnAnswerEndsTheOpenDialogTheQtPresenterShows) {
  if (zq::ui::PresenterName() != "qt") GTEST_SKIP() << "the null presenter answers at once";
  struct Case {
    Answer answer;
    bool message;
  };
  for (const Case& c : {Case{Answer::Pressed(IDNO), true}, Case{Answer::Chosen("/tmp/x.csv"), false},
                        Case{Answer::Cancelled(), false}}) {
    std::optional<Answer> got;
    std::thread asking([&] {
      if (c.message) {
        got = Answer::Pressed(MessageBoxA(0, "Go on?", "Question", MB_YESNO));
      } else {
        auto path = zq::ui::AskFileName({zq::ui::FileDialogKind::Open, 0, "Read CSV", ".csv", "/tmp"});
        got = path ? Answer::Chosen(*path) : Answer::Cancelled();
      }
    });
    ASSERT_TRUE(WaitForQuestion());
    EXPECT_TRUE(zq::ui::input::AnswerQuestion(c.answer));
    asking.join();
    EXPECT_EQ(got, c.answer);
    EXPECT_TRUE(zq::ui::OpenQuestions().empty());
  }
}

}  // namespace
