#include <gtest/gtest.h>

#include "TestWindows.h"

namespace zq::rt {
namespace {

TEST(WindowDefinition, ReadsWindowControlsAndColumns) {
  WindowDef w = test::Load("Pair");
  EXPECT_EQ(w.title, "Pair");
  EXPECT_EQ(w.width, 200);
  EXPECT_EQ(w.height, 120);
  EXPECT_EQ(w.font.face, "MS Sans Serif");
  EXPECT_EQ(w.timer, 5);
  EXPECT_EQ(w.keys, std::vector<uint32_t>{VK_F1 + 1});
  ASSERT_EQ(w.controls.size(), 5u);
  const ControlDef* ok = w.Control(1);
  ASSERT_TRUE(ok);
  EXPECT_EQ(ok->kind, zq::ui::Kind::Button);
  EXPECT_EQ(ok->text, "&OK");
  EXPECT_EQ(ok->at, (DlgRect{4, 100, 40, 14}));
  EXPECT_TRUE(ok->isDefault);
  const ControlDef* list = w.Control(4);
  ASSERT_TRUE(list);
  ASSERT_EQ(list->columns.size(), 2u);
  EXPECT_EQ(list->columns[0].iconField, 2u);
  EXPECT_EQ(list->columns[0].levelField, 3u);
  EXPECT_EQ(list->columns[1].align, zq::ui::Align::Right);
  EXPECT_EQ(list->columns[1].picture, "@N_16.B@");
  EXPECT_EQ(list->keys, std::vector<uint32_t>{kDoubleClick});
}

TEST(WindowDefinition, ReadsAttributesOfEveryForm) {
  ParsedDefinition p = ParseWindowDefinition(
      "window \"A \\\"b\\\"\" size 10,20 pos 3,4 back rgb(255,255,147) notitle nosysmenu resizable status 1\n"
      "  # a comment line\n"
      "7 string \"x\\r\\ny\" at 1,2,3,4 font \"Arial\",12,bold colour D3D3D3H back -1 center skip readonly "
      "tip \"\\r\\nTip\\r\\n\" max 63 name Details_2\n");
  ASSERT_TRUE(p.window) << p.error;
  const WindowDef& w = *p.window;
  EXPECT_EQ(w.title, "A \"b\"");
  ASSERT_TRUE(w.at);
  EXPECT_EQ(w.at->x, 3);
  EXPECT_EQ(w.backColour, 0x93FFFFu);  // (R, G, B) becomes 0x00BBGGRR
  EXPECT_FALSE(w.caption);
  EXPECT_FALSE(w.systemMenu);
  EXPECT_TRUE(w.resizable);
  const ControlDef& c = w.controls.at(0);
  EXPECT_EQ(c.text, "x\r\ny");
  EXPECT_EQ(c.font->face, "Arial");
  EXPECT_EQ(c.font->points, 12);
  EXPECT_EQ(c.font->weight, 700);
  EXPECT_EQ(c.textColour, 0xD3D3D3u);
  EXPECT_EQ(c.backColour, zq::ui::kDefaultColour);
  EXPECT_EQ(c.align, zq::ui::Align::Center);
  EXPECT_TRUE(c.skip && c.readOnly);
  EXPECT_EQ(c.tip, "\r\nTip\r\n");
  EXPECT_EQ(c.maxLength, 63);
  EXPECT_EQ(c.name, "Details_2");
  EXPECT_EQ(w.Named("Details_2"), &c);
  EXPECT_EQ(w.Named("Details"), nullptr);
  EXPECT_EQ(w.Named(""), nullptr);
}

TEST(WindowDefinition, ReportsTheLineOfTheFirstFault) {
  struct Case {
    const char* text;
    int32_t line;
    const char* message;
  };
  const Case cases[] = {
      {"", 0, "no window line"},
      {"1 button \"x\" at 1,2,3,4\n", 1, "window line comes first"},
      {"window size 10,10\nwindow size 1,1\n", 2, "second window"},
      {"window \"x\"\n", 1, "needs a size"},
      {"window size 10,10\n1 knob\n", 2, "unknown control kind"},
      {"window size 10,10\n1 button \"a\nb\"\n", 2, "unterminated"},
      {"window size 10,10\n1 button at 1,2,3\n", 2, "expected 4 numbers"},
      {"window size 10,10\n1 button at 1,2,-3,4\n", 2, "negative size"},
      {"window size 10,10\n1 button\n1 check\n", 3, "defined twice"},
      {"window size 10,10\n0 button\n", 2, "start at 1"},
      {"window size 10,10\n1 button keys Esc,Hyper+Q\n", 2, "unknown key"},
      {"window size 10,10\n1 button back rgb(256,0,0)\n", 2, "out of range"},
      {"window size 10,10\n1 spin range 5,1\n", 2, "bad range"},
      {"window size 10,10\n1 spin range 0,1e300\n", 2, "bad range"},
      {"window size 10,10\n1 spin range 0,5,0\n", 2, "bad range"},
      {"window size 10,10\n1 spin range 0,5,inf\n", 2, "bad range"},
      {"window size 10,10\ncolumn \"x\"\n", 2, "belongs to a list"},
      {"window size 10,10\n1 button font \"Arial\"\n", 2, "face and a size"},
      {"window size 10,10\n1 button at\n", 2, "value expected"},
      {"window size 10,10\n1 text \"a\\q\"\n", 2, "unknown escape"},
      {"window size 99999999999,1\n", 1, "whole number expected"},
      {"window size 40000,1\n", 1, "dialog units out of range"},
      {"window size 10,10 timer -1\n", 1, "timer out of range"},
      {"window size 10,10\n1 button name Ok\n2 button name Ok\n", 3, "given twice"},
      {"window size 10,10\n1 button tab 1\n", 2, "belongs to a sheet"},
      {"window size 10,10\n1 sheet choices \"a|b\"\n2 check tab 3\n", 3, "no such tab"},
      {"window size 10,10\n1 sheet choices \"a|b\"\n2 check tab 0\n", 3, "no such tab"},
      {"window size 10,10\n1 combo drop 0\n", 2, "drop count"},
      {"window size 10,10\n1 combo dropwidth -4\n", 2, "negative size"},
      {"window size 10,10\n1 button name 2nd\n", 2, "a name is a letter"},
      {"window size 10,10\n1 button name Ok-Go\n", 2, "a name is a letter"},
      {"window size 10,10\n1 button name \"Ok\"\n", 2, "a name is a letter"},
  };
  for (const Case& c : cases) {
    ParsedDefinition p = ParseWindowDefinition(c.text);
    EXPECT_FALSE(p.window) << c.text;
    EXPECT_EQ(p.errorLine, c.line) << c.text;
    EXPECT_NE(p.error.find(c.message), std::string::npos) << c.text << " -> " << p.error;
  }
}

TEST(KeyCodes, FollowTheVirtualKeyCoding) {
  struct Case {
    const char* name;
    uint32_t code;
  };
  const Case cases[] = {
      {"Enter", 13},        {"Esc", 27},         {"Tab", 9},         {"Shift+Tab", 0x109},
      {"Space", 0x20},      {"Backspace", 8},    {"Ins", 0x2D},      {"Del", 0x2E},
      {"Left", 0x25},       {"Down", 0x28},      {"Ctrl+Left", 0x225}, {"Ctrl+A", 0x241},
      {"ctrl+r", 0x252},    {"F1", 0x70},        {"F10", 0x79},      {"Alt+F4", 0x473},
      {"Alt+1", 0x431},     {"Alt+5", 0x435},    {"LeftClick", 1},   {"RightClick", 2},
      {"DoubleClick", 5},   {"Ctrl+Shift+X", 0x358},
      {"F25", 0},           {"Alt+", 0},         {"Hyper+A", 0},     {"Ctrl+LeftClick", 0},
      {"", 0},              {"AB", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(KeyCode(c.name), c.code) << c.name;
}

}  // namespace
}  // namespace zq::rt
