// A window defined as a question takes the answers of the question seam as input: a button
// answer clicks that control, a cancel asks the window to close.
#include <gtest/gtest.h>

#include "TestWindows.h"
#include "zqplatform/uiinput.h"

namespace zq::rt {
namespace {

constexpr std::string_view kAsk = R"(window "Ask" size 120,40 question
1  button "&Yes" at 4,20,40,14 default
2  button "&No"  at 50,20,40,14
)";

// Runs the window until it ends: the button accepted (0 for a close).
int32_t RunAsk() {
  auto def = ParseWindowDefinition(kAsk);
  EXPECT_TRUE(def.window);
  EXPECT_TRUE(def.window->question);
  Window w(*def.window);
  EXPECT_TRUE(w.Open());
  int32_t pressed = 0;
  while (w.Accept()) {
    if (w.Event() == kAccepted) {
      pressed = w.Field();
      w.End();
    }
  }
  w.Close();
  return pressed;
}

TEST(QuestionWindow, AnAnswerQueuedAheadPressesTheButtonOfThatNumber) {
  zq::ui::TakeAsked();
  zq::ui::input::AnswerQuestion(zq::ui::Answer::Pressed(2));
  EXPECT_EQ(RunAsk(), 2);
  auto asked = zq::ui::TakeAsked();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].question.kind, zq::ui::QuestionKind::Window);
  EXPECT_EQ(asked[0].question.caption, "Ask");
  EXPECT_EQ(asked[0].answer, zq::ui::Answer::Pressed(2));
  zq::ui::input::AnswerQuestion(zq::ui::Answer::Cancelled());
  EXPECT_EQ(RunAsk(), 0);
  EXPECT_TRUE(zq::ui::OpenQuestions().empty());
}

TEST(QuestionWindow, AWindowThatIsNoQuestionLeavesTheAnswerWaiting) {
  zq::ui::TakeAsked();
  zq::ui::input::AnswerQuestion(zq::ui::Answer::Pressed(1));
  {
    Window plain(test::Load("Pair"));
    ASSERT_TRUE(plain.Open());
    EXPECT_TRUE(zq::ui::OpenQuestions().empty());
    plain.Close();
  }
  EXPECT_EQ(RunAsk(), 1);
  EXPECT_EQ(zq::ui::TakeAsked().size(), 1u);
}

TEST(QuestionWindow, APathIsTypedIntoTheFocusedEntryAndEnterPressed) {
  auto def = ParseWindowDefinition(R"(window "Folder name" size 150,30 notitle question keys Enter,Esc
1  entry "" at 4,4,140,12
)");
  ASSERT_TRUE(def.window);
  std::string name;
  Window w(*def.window);
  zq::ui::input::AnswerQuestion(zq::ui::Answer::Chosen("New Folder"));
  ASSERT_TRUE(w.Open());
  ASSERT_TRUE(w.Use(1, Bind(name)));
  bool entered = false;
  while (w.Accept()) {
    if (w.Event() == kAlertKey && w.Keycode() == VK_RETURN) {
      w.Take();
      entered = true;
      w.End();
    }
  }
  w.Close();
  EXPECT_TRUE(entered);
  EXPECT_EQ(name, "New Folder");
}

}  // namespace
}  // namespace zq::rt
