// WINPOSCLASS: position texts, centring, minimum and maximum sizes and the resize rules.
#include <gtest/gtest.h>

#include "DialogAnswers.h"
#include "hostlib/ResizeRules.h"
#include "hostlib/WinPos.h"
#include "zqplatform/uiinput.h"

namespace {

using zq::rt::DlgRect;
using zq::rt::Window;

zq::rt::WindowDef Def(const char* text) {
  zq::rt::ParsedDefinition p = zq::rt::ParseWindowDefinition(text);
  EXPECT_TRUE(p.window) << p.error;
  return p.window.value_or(zq::rt::WindowDef{});
}

// A window of 600 by 400 units: controls near each corner, a list, two panels side by side
// with a button inside the left one, and a label below the list.
const char* kWindow =
    "window \"Resized\" pos 10,10 size 600,400 resizable\n"
    "1 button \"TL\" at 10,10,40,14\n"
    "2 button \"TR\" at 500,10,50,14\n"
    "3 button \"BL\" at 10,370,40,14\n"
    "4 button \"BR\" at 540,370,50,14\n"
    "5 list \"\" at 60,40,300,200\n"
    "6 panel \"\" at 0,250,300,100\n"
    "7 panel \"\" at 300,250,300,100\n"
    "8 button \"In\" at 20,260,40,14\n"
    "9 text \"Below\" at 60,244,250,4\n"
    "10 button \"Half\" at 280,240,40,14\n";

// The user sizes the window (its inner area, in units); the loop resizes on kSized as the
// program's windows do.
void UserSizes(Window& w, WINPOSCLASS* pos, int32_t width, int32_t height) {
  RECT r{};
  GetWindowRect(w.Handle(), &r);
  RECT size = zq::ui::DialogUnitsToPixels(w.Definition().font, RECT{0, 0, width, height});
  zq::ui::input::MovedTo(w.Handle(), RECT{r.left, r.top, r.left + size.right, r.top + size.bottom});
  w.Post(0x7FF);
  while (w.Accept() && w.Event() != 0x7FF) {
    if (w.Event() == zq::rt::kSized && pos) pos->RESIZE();
  }
}

struct Resized : ::testing::Test {
  Window w{Def(kWindow)};
  WINPOSCLASS pos;
  void SetUp() override {
    ASSERT_TRUE(w.Open());
    pos.INIT(w, 0, 0, 1, kTopLeft, kKeepSize);
  }
  void SizeTo(int32_t width, int32_t height) { UserSizes(w, &pos, width, height); }
  DlgRect At(int32_t control) { return w.Rect(control).value_or(DlgRect{}); }
};

TEST_F(Resized, TheBaseSizeIsTheClientAreaAtInit) {
  EXPECT_EQ(pos.CLA_W, 600);
  EXPECT_EQ(pos.CLA_H, 400);
  EXPECT_EQ(pos.Rules().size(), 10u);
  EXPECT_EQ(pos.MAINHANDLE, w.Handle());
}

TEST_F(Resized, EachModeKeepsItsDistancesOverATableOfWindowSizes) {
  pos.SET(2, kTopRight, kKeepSize, 0, 0);
  pos.SET(3, kBottomLeft, kKeepSize, 0, 0);
  pos.SET(4, kBottomRight, kKeepSize, 0, 0);
  pos.SET(5, kTopLeft, kGrowWidth | kGrowHeight, 0, 0);
  pos.SET(6, kBottomLeft, kGrowHeight | kShareWidth, 0, 0);
  pos.SET(7, kBottomRight, kGrowHeight | kShareWidth, 0, 0);
  pos.SET(9, kBottomLeft, kFollowWidth, 0, 5);  // below the list
  pos.SET(10, kTopRight, kKeepSize, 0, 5);     // right edge with the list's, above it
  struct Size {
    int32_t w, h;
  };
  for (Size s : {Size{800, 400}, Size{600, 600}, Size{900, 500}, Size{400, 300}, Size{600, 400}}) {
    SizeTo(s.w, s.h);
    int32_t dw = s.w - 600, dh = s.h - 400;
    EXPECT_EQ(At(1), (DlgRect{10, 10, 40, 14})) << s.w << "x" << s.h;
    EXPECT_EQ(At(2), (DlgRect{500 + dw, 10, 50, 14})) << s.w << "x" << s.h;
    EXPECT_EQ(At(3), (DlgRect{10, 370 + dh, 40, 14})) << s.w << "x" << s.h;
    EXPECT_EQ(At(4), (DlgRect{540 + dw, 370 + dh, 50, 14})) << s.w << "x" << s.h;
    EXPECT_EQ(At(5), (DlgRect{60, 40, 300 + dw, 200 + dh})) << s.w << "x" << s.h;
    // Their bottoms keep their distance as they grow.
    EXPECT_EQ(At(6), (DlgRect{0, 250, s.w / 2, 100 + dh})) << s.w << "x" << s.h;
    EXPECT_EQ(At(7), (DlgRect{s.w - s.w / 2, 250, s.w / 2, 100 + dh})) << s.w << "x" << s.h;
    EXPECT_EQ(At(9), (DlgRect{60, 244 + dh, 250 + dw, 4})) << s.w << "x" << s.h;
    // Its distance is to the list's top, which stays.
    EXPECT_EQ(At(10), (DlgRect{280 + dw, 240, 40, 14})) << s.w << "x" << s.h;
  }
}

TEST_F(Resized, SetInsideChangesOnlyTheControlsWhollyWithin) {
  pos.SET(6, kBottomLeft, kKeepSize, 1, 0);
  for (const auto& r : pos.Rules()) {
    bool within = r.FNR == 6 || r.FNR == 8;
    EXPECT_EQ(r.RP, within ? 3 : 1) << r.FNR;  // 10 lies only partly inside
  }
}

TEST_F(Resized, ALoopOfRelativeControlsIsReportedAndLeavesThemInPlace) {
  pos.SET(1, kBottomLeft, kKeepSize, 0, 1);
  int reports = 0;
  std::string code;
  auto answer = [&] {
    return orvid::test::AnswerWhenShown("Error", [&](HWND d) {
      ++reports;
      code = orvid::test::TextOf(d, 16);
      zq::ui::input::Click(orvid::test::ChildWithText(d, zq::ui::Kind::Button, "&OK"));
    });
  };
  auto answerer = answer();
  EXPECT_EQ(pos.RESIZECONTROL(1), -2);
  answerer.get();
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(code, "-2");
  EXPECT_EQ(At(1), (DlgRect{10, 10, 40, 14}));

  answerer = orvid::test::AnswerWhenShown("Error", [&](HWND d) {
    code = orvid::test::TextOf(d, 16);
    zq::ui::input::KeyPress(d, VK_RETURN);
  });
  EXPECT_EQ(pos.RESIZECONTROL(77), -1);
  answerer.get();
  EXPECT_EQ(code, "-1");
}

TEST_F(Resized, SetForAControlWithoutARuleSaysSoInTheTextBox) {
  std::string text;
  auto answerer = orvid::test::AnswerWhenShown("Message", [&](HWND d) {
    text = orvid::test::TextOf(d, 1);
    zq::ui::input::KeyPress(d, VK_ESCAPE);
  });
  pos.SET(55, kTopRight, kKeepSize, 0, 0);
  answerer.get();
  EXPECT_EQ(text, "\r\n(2) Memory Queue Error : 30");
}

TEST(WinPos, AZeroBaseSizeChangesNothing) {
  Window w(Def("window \"Empty\" pos 10,10 size 100,50 resizable\n1 button \"B\" at 0,0,40,14\n"));
  ASSERT_TRUE(w.Open());
  UserSizes(w, nullptr, 0, 0);  // its client area is empty when the rules are recorded
  WINPOSCLASS pos;
  pos.INIT(w, 0, 0, 1, kTopLeft, kShareWidth | kShareHeight);
  EXPECT_EQ(pos.CLA_W, 0);
  UserSizes(w, &pos, 200, 100);
  EXPECT_EQ(w.Rect(1), (DlgRect{0, 0, 40, 14}));
}

TEST(WinPos, MinimumAndMaximumSizes) {
  struct Case {
    uint8_t min, max;
    DlgRect small, large;
  };
  for (Case c : {Case{0, 0, {0, 0, 150, 100}, {0, 0, 900, 700}}, Case{1, 0, {0, 0, 600, 400}, {0, 0, 900, 700}},
                 Case{1, 1, {0, 0, 600, 400}, {0, 0, 600, 400}}}) {
    Window w(Def(kWindow));
    ASSERT_TRUE(w.Open());
    WINPOSCLASS pos;
    pos.INIT(w, c.min, c.max, 0, kTopLeft, kKeepSize);
    EXPECT_TRUE(pos.Rules().empty());
    UserSizes(w, nullptr, 100, 50);
    EXPECT_EQ(w.Position().width, c.small.width);
    EXPECT_EQ(w.Position().height, c.small.height);
    UserSizes(w, nullptr, 900, 700);
    EXPECT_EQ(w.Position().width, c.large.width);
    EXPECT_EQ(w.Position().height, c.large.height);
  }
}

TEST(WinPos, PositionTextsRoundTrip) {
  struct Case {
    const char* text;
    DlgRect at;
    const char* back;
  };
  for (Case c : {Case{"10,20,300,200", {10, 20, 300, 200}, "10,20,300,200"},
                 Case{"-5,0,1,2", {-5, 0, 1, 2}, "-5,0,1,2"},
                 Case{"1,2", {1, 2, 0, 0}, "1,2,0,0"},
                 Case{"", {0, 0, 0, 0}, "0,0,0,0"},
                 Case{"a,2,,4", {0, 2, 0, 4}, "0,2,0,4"},
                 Case{"2147483647,-2147483648,3,4", {2147483647, -2147483648, 3, 4}, "2147483647,-2147483648,3,4"},
                 // Numbers as typed values read: a sign, blanks and tabs around; nothing else.
                 Case{"+5, \t6\t,7x,2147483648", {5, 6, 0, 0}, "5,6,0,0"}}) {
    EXPECT_EQ(WinPosFromText(c.text), c.at) << c.text;
    EXPECT_EQ(WinPosText(c.at), c.back) << c.text;
  }
}

TEST(WinPos, TheCurrentWindowTakesAStoredPositionOrItsDesignedPlace) {
  Window w(Def("window \"Main\" size 300,200\n1 button \"B\" at 0,0,40,14\n"));
  ASSERT_TRUE(w.Open());
  WINPOSCLASS pos;
  pos.SETSTRWINPOS("20,30,320,210");
  EXPECT_EQ(pos.GETSTRWINPOS(), "20,30,320,210");
  EXPECT_EQ(WinPosFromText(pos.GETSTRWINPOS()), w.Position());
  DlgRect designed;
  {
    pos.SETSTRWINPOS("");
    designed = w.Position();
    EXPECT_EQ(designed.width, 300);
    EXPECT_EQ(designed.height, 200);
    RECT work = zq::ui::WorkArea();
    RECT r{};
    GetWindowRect(w.Handle(), &r);
    EXPECT_NEAR((r.left + r.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, (work.top + work.bottom) / 2, 1);
  }
  for (const char* stored : {"20,30", "20,30,0,210", "20,30,320,-1", "90000,90000,320,210", "-90000,30,320,210", "x,y,w,h"}) {
    pos.SETSTRWINPOS("20,30,320,210");
    pos.SETSTRWINPOS(stored);
    EXPECT_EQ(w.Position(), designed) << stored;
  }
}

TEST(WinPos, CentresOverTheOwnerAndNotWithoutOne) {
  Window owner(Def("window \"Owner\" pos 50,40 size 300,200\n1 button \"B\" at 0,0,40,14\n"));
  Window child(Def("window \"Child\" pos 0,0 size 100,60\n1 button \"B\" at 0,0,40,14\n"));
  ASSERT_TRUE(owner.Open());
  ASSERT_TRUE(child.Open());
  WINPOSCLASS none;
  none.INIT(0);
  RECT before{}, after{};
  GetWindowRect(child.Handle(), &before);
  none.CENTERWIN(child.Handle());
  GetWindowRect(child.Handle(), &after);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);

  WINPOSCLASS over;
  over.INIT(owner.Handle());
  over.CENTERWIN(child.Handle());
  RECT o{};
  GetWindowRect(owner.Handle(), &o);
  GetWindowRect(child.Handle(), &after);
  int32_t w = before.right - before.left, h = before.bottom - before.top;
  EXPECT_EQ(after.left, o.left + (o.right - o.left) / 2 - w / 2 - ((o.right - o.left) % 2 == 0 && w % 2 ? 1 : 0) * 0);
  EXPECT_EQ(after.right - after.left, w);
  EXPECT_EQ(after.bottom - after.top, h);
  EXPECT_NEAR((after.top + after.bottom) / 2.0, (o.top + o.bottom) / 2.0, 1);
}

}  // namespace
