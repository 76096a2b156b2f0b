#include "hostlib/CreateFailure.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FullRegistry.h"
#include "ZQ_Vantor.h"
#include "hostlib/Wrappers.h"
#include "zqplatform/uiinput.h"
#include "zqplatform/uimodel.h"

// No screen: the error dialog is answered through the question seam.
const bool kNullPresenter = zq::ui::UsePresenter("null");

namespace {

struct Report {
  std::string message, procedure, details;
  int32_t code;
};

class FailedCreate : public ::testing::Test {
 protected:
  void SetUp() override {
    hostlib::SetCreateFailureReport([this](const hostlib::CreateFailure& f) {
      reports.push_back({std::string(f.message), std::string(f.procedure), std::string(f.details), f.code});
    });
  }
  void TearDown() override { hostlib::SetCreateFailureReport({}); }
  void ExpectOneReport(const char* object) {
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].message, std::string("Critical System Error Creating ") + object + " Object.");
    EXPECT_EQ(reports[0].procedure, std::string(object) + ".Construct");
    EXPECT_EQ(reports[0].details, "Close your Application.");
    EXPECT_EQ(reports[0].code, -1);
  }
  std::vector<Report> reports;
};

TEST_F(FailedCreate, XStringReportsOnceAndPassesHandleZeroToTheLibrary) {
  FullRegistry<XSCreate, XSDestroy> full;
  XSTRING s;
  ExpectOneReport("XString");
  EXPECT_EQ(s.XSHANDLE, 0);
  EXPECT_EQ(s.INTERROR, -1);
  EXPECT_EQ(s.SET("abc", 0), -2);  // the look-up's code for handle 0
  EXPECT_EQ(s.INTERROR, -2);
  EXPECT_EQ(s.GET(0, 0), "");
  EXPECT_EQ(s.INTERROR, -2);
  EXPECT_EQ(s.GETLENGTH(), -2);
  s.INTERROR = -1;
  s.DESTRUCT();  // calls nothing: the code stays
  EXPECT_EQ(s.INTERROR, -1);
}

TEST_F(FailedCreate, RevArrayReportsOnce) {
  FullRegistry<RACreate, RADestroy> full;
  REVARRAY a;
  ExpectOneReport("RevArray");
  EXPECT_EQ(a.RAHANDLE, 0);
  EXPECT_EQ(a.INTERROR, -1);
  EXPECT_LT(a.SETS("x", 1, 1, 1), 0);
  EXPECT_EQ(a.GET(0, 0, 0), "");
  EXPECT_LT(a.INTERROR, 0);
}

TEST_F(FailedCreate, FileIOReportsOnce) {
  FullRegistry<FICreate, FIDestroy> full;
  FILEIO f;
  ExpectOneReport("FileIO");
  EXPECT_EQ(f.FIHANDLE, 0);
  EXPECT_LT(f.CLOSEFILE(), 0);
  EXPECT_LT(f.INTERROR, 0);
}

TEST_F(FailedCreate, TimerReportsOnceAndNeverRunsOut) {
  FullRegistry<TMCreate, TMDestroy> full;
  TIMER t;
  ExpectOneReport("Timer");
  EXPECT_EQ(t.TMHANDLE, 0);
  EXPECT_EQ(t.START(), -1);
  EXPECT_EQ(t.INTERROR, -1);
  t.SETWAIT(0);
  EXPECT_EQ(t.GETWAIT(), -1);
}

TEST_F(FailedCreate, SuccessfulCreatesReportNothing) {
  XSTRING s;
  REVARRAY a;
  FILEIO f;
  TIMER t;
  EXPECT_TRUE(reports.empty());
  for (int32_t h : {s.XSHANDLE, a.RAHANDLE, f.FIHANDLE, t.TMHANDLE}) EXPECT_GT(h, 0);
  for (int32_t e : {s.INTERROR, a.INTERROR, f.INTERROR, t.INTERROR}) EXPECT_EQ(e, 0);
}

TEST(WrapperLifetime, DestructReleasesTheLibraryObject) {
  int32_t handle = 0;
  {
    XSTRING s;
    handle = s.XSHANDLE;
    s.DESTRUCT();
    EXPECT_EQ(s.XSHANDLE, 0);
    EXPECT_EQ(s.INTERROR, 0);
    EXPECT_EQ(XSGetLength(handle), -3);  // no longer registered
  }
  XSTRING again;  // the lowest free handle comes back
  EXPECT_EQ(again.XSHANDLE, handle);
}

TEST(WrapperLifetime, LeavingTheScopeDestroysTheObject) {
  int32_t handle = 0;
  {
    REVARRAY a;
    handle = a.RAHANDLE;
  }
  EXPECT_LT(RAFieldCount(handle), 0);
}

TEST(WrapperLifetime, TheDefaultReportIsTheErrorDialog) {
  // The dialog's OK answered; the instance then goes on with handle 0.
  FullRegistry<TMCreate, TMDestroy> full;
  zq::ui::TakeAsked();
  zq::ui::input::AnswerQuestion(zq::ui::Answer::Pressed(1));
  TIMER t;
  EXPECT_EQ(t.TMHANDLE, 0);
  EXPECT_EQ(t.INTERROR, -1);
  auto asked = zq::ui::TakeAsked();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].question.caption, "Error");
}

}  // namespace
