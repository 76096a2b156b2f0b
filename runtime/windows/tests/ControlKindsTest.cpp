// What the definitions give the controls in the model: a button's picture, drop-down sizes,
// read-only combos with icons and row heights, the columns that draw a list's icon and tree;
// and at run time the highlighted column, a right press on a list, the row a read-only combo
// shows for its variable, the text colour read back
// and a control bound to a field of one of two groups with fields of the same name.
#include <gtest/gtest.h>

#include "TestWindows.h"
#include "zqplatform/uiinput.h"

namespace zq::rt {
namespace {

using test::Seen;

std::vector<Seen> Batch(Window& w) {
  std::vector<Seen> seen;
  w.Post(0x7FF);
  while (w.Accept() && w.Event() != 0x7FF) {
    if (test::Interesting(w) && w.Event() != kOpenWindow) seen.push_back({w.Event(), w.Field()});
  }
  return seen;
}

zq::ui::WindowState State(const Window& w, int32_t control) {
  return zq::ui::Snapshot(w.ControlHandle(control)).value_or(zq::ui::WindowState{});
}

// A 1 x 1 PNG.
const std::string kPng(
    "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x01\x00\x00\x00\x01\x08\x02\x00"
    "\x00\x00\x90\x77\x53\xde\x00\x00\x00\x0c\x49\x44\x41\x54\x78\x9c\x63\xf8\xcf\xc0\x00\x00\x03\x01\x01\x00\xc9"
    "\xfe\x92\xef\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82",
    69);

TEST(ControlKinds, AButtonShowsItsPictureFromTheProgramsIcons) {
  HINSTANCE instance = zq::ui::CreateInstance();
  ASSERT_TRUE(zq::ui::AddIconResource(instance, "folder", kPng));
  SetIconInstance(instance);
  Window w(test::Load("Sheet"));
  ASSERT_TRUE(w.Open());
  EXPECT_EQ(zq::ui::IconImage(State(w, 10).icon), kPng);
  EXPECT_EQ(State(w, 11).icon, 0u);
  w.Close();
  SetIconInstance(0);
}

TEST(ControlKinds, DropListsAndCombosTakeTheirDropSizesRowHeightAndReadOnly) {
  Window w(test::Load("Sheet"));
  ASSERT_TRUE(w.Open());
  zq::ui::WindowState drop = State(w, 5), combo = State(w, 6);
  RECT eighty = zq::ui::DialogUnitsToPixels(w.Definition().font, RECT{0, 0, 80, 0});
  EXPECT_EQ(drop.dropCount, 4);
  EXPECT_EQ(drop.dropWidth, eighty.right);
  EXPECT_EQ(combo.dropCount, 5);
  EXPECT_TRUE(combo.readOnly);
  EXPECT_TRUE(combo.columns.at(0).showsIcon);
  ASSERT_TRUE(w.SetLineHeight(6, 11));
  ASSERT_TRUE(w.SetLineHeight(5, 11));
  EXPECT_EQ(w.LineHeight(6), 11);
  EXPECT_EQ(State(w, 6).lineHeight, zq::ui::DialogUnitsToPixels(w.Definition().font, RECT{0, 0, 0, 11}).bottom);
  EXPECT_FALSE(w.SetLineHeight(2, 11));  // a check box has no rows
  EXPECT_EQ(State(w, 2).dropCount, 0);
}

// The chosen row of the combo, as a read-only combo shows it; empty when none is chosen.
std::string ShownRow(const Window& w, int32_t control) {
  const zq::ui::WindowState s = State(w, control);
  return s.value >= 0 && static_cast<std::size_t>(s.value) < s.rows.size() ? s.rows[s.value].cells.at(0) : "";
}

TEST(ControlKinds, AReadOnlyComboShowsTheRowHoldingItsVariableAtEveryDisplay) {
  Window w(test::Load("Sheet"));
  ASSERT_TRUE(w.Open());
  Queue drives(RecordLayout{STRING("DRV", 3), LONG("DICON")});
  auto fill = [&](std::initializer_list<const char*> letters) {
    drives.Free();
    for (const char* letter : letters) {
      drives.Buffer().Clear();
      drives.Buffer().SetText("DRV", letter);
      drives.Add();
    }
  };
  fill({"C:", "D:", "T:"});
  std::string drive = "T:";
  ASSERT_TRUE(w.From(6, drives));
  ASSERT_TRUE(w.Use(6, Bind(drive)));
  w.Display();
  EXPECT_EQ(ShownRow(w, 6), "T:");
  // Chosen by the user, then changed by the program: the program's drive shows.
  zq::ui::input::Choose(w.ControlHandle(6), 0);
  drive = "D:";
  w.Display();
  EXPECT_EQ(ShownRow(w, 6), "D:");
  // The rows read again in another order.
  fill({"T:", "D:", "C:"});
  ASSERT_TRUE(w.Refresh(6));
  EXPECT_EQ(ShownRow(w, 6), "D:");
  // A drive the list does not hold, and none.
  for (const char* other : {"X:", ""}) {
    drive = other;
    w.Display();
    EXPECT_EQ(State(w, 6).value, -1) << other;
  }
  w.Close();
}

TEST(ControlKinds, TheTextColourIsReadBack) {
  Window w(test::Load("Sheet"));
  ASSERT_TRUE(w.Open());
  EXPECT_EQ(w.TextColour(11), zq::ui::kDefaultColour);
  ASSERT_TRUE(w.SetTextColour(11, 0x0045FF));
  EXPECT_EQ(w.TextColour(11), 0x0045FFu);
  EXPECT_EQ(w.TextColour(99), zq::ui::kDefaultColour);
}

const char* kFolders =
    "window \"Folders\" size 200,120\n"
    "3 list \"\" at 4,4,190,100 keys RightClick\n"
    "  column \"Nr\" width 20 field 3\n"
    "  column \"Folder\" width 120 field 1 icon 2 tree 3\n";

const RecordLayout kFolderRows{CSTRING("NAME", 64), LONG("ICON"), LONG("LEVEL")};

struct FolderList : ::testing::Test {
  Window w{*ParseWindowDefinition(kFolders).window};
  Queue q{kFolderRows};
  void SetUp() override {
    ASSERT_TRUE(w.Open());
    for (int i = 0; i < 3; ++i) {
      q.Buffer().SetText("NAME", "Folder " + std::to_string(i));
      q.Buffer().SetWhole("ICON", 1);
      q.Buffer().SetWhole("LEVEL", i);
      q.Add();
    }
    ASSERT_TRUE(w.From(3, q));
    Batch(w);
  }
};

TEST_F(FolderList, IconAndTreeAreDrawnInTheColumnThatNamesThem) {
  zq::ui::WindowState s = State(w, 3);
  ASSERT_EQ(s.columns.size(), 2u);
  EXPECT_FALSE(s.columns[0].showsIcon || s.columns[0].showsTree);
  EXPECT_TRUE(s.columns[1].showsIcon && s.columns[1].showsTree);
  EXPECT_EQ(s.rows[2].indent, 2);
  EXPECT_EQ(s.rows[2].cells, (std::vector<std::string>{"2", "Folder 2"}));
}

TEST_F(FolderList, TheHighlightedColumnReachesTheModel) {
  EXPECT_EQ(State(w, 3).cellColumn, -1);
  ASSERT_TRUE(w.SetCellSelection(3, true));
  EXPECT_EQ(State(w, 3).cellColumn, 0);
  ASSERT_TRUE(w.HighlightColumn(3, 2));
  EXPECT_EQ(State(w, 3).cellColumn, 1);
  w.Select(3, 1);
  w.Focus(3);
  w.PressKey(VK_LEFT);
  Batch(w);
  EXPECT_EQ(w.HighlightedColumn(3), 1);
  EXPECT_EQ(State(w, 3).cellColumn, 0);
  ASSERT_TRUE(w.SetCellSelection(3, false));
  EXPECT_EQ(State(w, 3).cellColumn, -1);
}

TEST_F(FolderList, ARightPressTellsTheRowAndColumnUnderTheMouseWithoutChoosingIt) {
  w.Select(3, 1);
  struct Press {
    int32_t row, column;  // as the presenter marks them, from 0 (-1: the header, none)
    uint32_t mouseRow;
    int32_t mouseColumn;
  };
  for (Press p : {Press{2, 1, 3, 2}, Press{-1, 0, 0, 1}, Press{1, -1, 2, 0}}) {
    ASSERT_TRUE(zq::ui::input::ListPress(w.ControlHandle(3), p.row, p.column, true));
    EXPECT_EQ(Batch(w), (std::vector<Seen>{{kPreAlertKey, 3}, {kAlertKey, 3}})) << p.row;
    EXPECT_EQ(w.Keycode(), kRightClick);
    EXPECT_EQ(w.MouseDownRow(3), p.mouseRow) << p.row;
    EXPECT_EQ(w.MouseDownColumn(3), p.mouseColumn) << p.row;
    EXPECT_EQ(w.Choice(3), 1u);
  }
  // A left press marks and chooses.
  ASSERT_TRUE(zq::ui::input::ListPress(w.ControlHandle(3), 2, 0));
  EXPECT_EQ(Batch(w), (std::vector<Seen>{{kNewSelection, 3}}));
  EXPECT_EQ(w.MouseDownRow(3), 3u);
  EXPECT_EQ(w.Choice(3), 3u);
}

// Two groups with fields of the same name, as the settings bind them.
const RecordLayout kSettings{
    GROUP("CAT1", {STRING("ALLIGN", 10), SHORT("DX")}),
    GROUP("CAT2", {STRING("ALLIGN", 10), SHORT("DX")}),
};

TEST(ControlKinds, AControlBindsTheFieldOfOneGroupAmongFieldsOfTheSameName) {
  std::vector<std::byte> buffer(kSettings.Size());
  RecordRef st(kSettings, buffer.data());
  st.SetText("CAT1.ALLIGN", "Top");
  st.SetText("CAT2.ALLIGN", "Bot");
  Window w(test::Load("Choices"));
  ASSERT_TRUE(w.Open());
  ASSERT_TRUE(w.Use(1, Bind(st, "CAT2.ALLIGN")));
  w.Display();
  EXPECT_EQ(w.Value(1), 3);  // "Bot"
  zq::ui::input::Choose(w.ControlHandle(1), 1);
  Batch(w);
  EXPECT_EQ(st.Text("CAT2.ALLIGN"), "Center");
  EXPECT_EQ(st.Text("CAT1.ALLIGN"), "Top");
}

}  // namespace
}  // namespace zq::rt
