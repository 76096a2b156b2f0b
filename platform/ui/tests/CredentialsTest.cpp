#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "zqplatform/credui.h"
#include "zqplatform/msgbox.h"
#include "zqplatform/questions.h"
#include "zqplatform/uiinput.h"
#include "zqplatform/uimodel.h"

namespace {

constexpr DWORD kFlags = CREDUI_FLAGS_GENERIC_CREDENTIALS | CREDUI_FLAGS_ALWAYS_SHOW_UI | CREDUI_FLAGS_DO_NOT_PERSIST;

struct Prompt {
  char user[CREDUI_MAX_USERNAME_LENGTH + 1] = {};
  char password[CREDUI_MAX_PASSWORD_LENGTH + 1] = {};

  DWORD Ask(const char* givenUser, const char* givenPassword, uint32_t userSize = sizeof user) {
    std::strcpy(user, givenUser);
    std::strcpy(password, givenPassword);
    CREDUI_INFOA info{sizeof(CREDUI_INFOA), 0, "Remote computer account information", "Enter Account Information", nullptr};
    return CredUIPromptForCredentialsA(&info, "", nullptr, 0, user, userSize, password, sizeof password, nullptr, kFlags);
  }
};

class Credentials : public ::testing::Test {
 protected:
  void SetUp() override { zq::ui::TakeAsked(); }
  void TearDown() override { zq::ui::input::ForgetAnswers(); }
};

TEST_F(Credentials, OkGivesTheFieldsAsTheyStand) {
  zq::ui::input::AnswerQuestion(zq::ui::Answer::Pressed(IDOK));
  Prompt p;
  EXPECT_EQ(p.Ask("anna", "secret"), NO_ERROR);
  EXPECT_STREQ(p.user, "anna");
  EXPECT_STREQ(p.password, "secret");
  auto asked = zq::ui::TakeAsked();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].question.kind, zq::ui::QuestionKind::Window);
  EXPECT_EQ(asked[0].question.caption, "Enter Account Information");
}

TEST_F(Credentials, CancelAndCloseLeaveTheBuffersAlone) {
  for (auto answer : {zq::ui::Answer::Cancelled(), zq::ui::Answer::Pressed(IDCANCEL)}) {
    zq::ui::input::AnswerQuestion(answer);
    Prompt p;
    EXPECT_EQ(p.Ask("anna", ""), ERROR_CANCELLED);
    EXPECT_STREQ(p.user, "anna");
  }
}

TEST_F(Credentials, EnterInAFieldPressesOkAndEscapeCancel) {
  if (zq::ui::PresenterName() == "null") GTEST_SKIP() << "keys need a dialog that waits";
  for (auto [key, expected] : {std::pair{VK_RETURN, NO_ERROR}, std::pair{VK_ESCAPE, ERROR_CANCELLED}}) {
    std::thread typist([key = key] {
      for (int tries = 0; tries < 4000; ++tries) {
        for (const zq::ui::Question& q : zq::ui::OpenQuestions()) {
          if (q.caption == "Enter Account Information") {
            zq::ui::input::KeyPress(GetDlgItem(q.owner, kCredentialsPasswordField), key);
            return;
          }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
    });
    Prompt p;
    EXPECT_EQ(p.Ask("anna", "secret"), expected);
    typist.join();
  }
}

TEST_F(Credentials, AnEntryLongerThanItsBufferIsRefusedNotCut) {
  zq::ui::input::AnswerQuestion(zq::ui::Answer::Pressed(IDOK));
  Prompt p;
  EXPECT_EQ(p.Ask("anna-maria", "", 5), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_STREQ(p.user, "anna-maria");
}

TEST_F(Credentials, WithoutAPresenterAndWithoutAnAnswerItIsCancelled) {
  if (zq::ui::PresenterName() != "null") GTEST_SKIP() << "the Qt presenter waits for the user";
  Prompt p;
  EXPECT_EQ(p.Ask("anna", ""), ERROR_CANCELLED);
  EXPECT_EQ(zq::ui::TakeAsked().size(), 1u);
}

TEST_F(Credentials, MissingBuffersAreRefused) {
  char user[4] = {}, password[4] = {};
  EXPECT_EQ(CredUIPromptForCredentialsA(nullptr, "", nullptr, 0, nullptr, 4, password, 4, nullptr, kFlags),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(CredUIPromptForCredentialsA(nullptr, "", nullptr, 0, user, 4, password, 0, nullptr, kFlags),
            ERROR_INVALID_PARAMETER);
  EXPECT_TRUE(zq::ui::TakeAsked().empty());
}

}  // namespace
