// Lists of the runtime: cell colours from queue fields, tool tips, the line height and a
// control placed over a cell; the window asks for a maximise button.
#include <gtest/gtest.h>

#include "TestWindows.h"

namespace zq::rt {
namespace {

const char* kPanel =
    "window \"Panel\" size 200,120 font \"MS Sans Serif\",8 resizable maximize\n"
    "2 list \"\" at 4,4,190,100 tip \"\\r\\nThe files\\r\\n\"\n"
    "  column \"Name\" width 60 field 1 colour 2 back 3 selcolour 4 selback 5\n"
    "  column \"Ext\" width 40 field 6\n";

const RecordLayout kPanelRows{CSTRING("FN", 32), LONG("C1"), LONG("C2"), LONG("C3"), LONG("C4"), CSTRING("EXT", 8)};

struct Fixture {
  Window w{*ParseWindowDefinition(kPanel).window};
  Queue q{kPanelRows};
  Fixture() {
    EXPECT_TRUE(w.Open());
    struct File {
      const char* name;
      int32_t text, back, selectedText, selectedBack;
    };
    for (File f : {File{"a.jpg", -1, -1, -1, -1}, File{"b.jpg", 255, 0xD3D3D3, 0xFFFFFF, 255},
                   File{"c.jpg", 0x00FF00, -1, -1, 0x800000}}) {
      q.Buffer().SetText("FN", f.name);
      q.Buffer().SetWhole("C1", f.text);
      q.Buffer().SetWhole("C2", f.back);
      q.Buffer().SetWhole("C3", f.selectedText);
      q.Buffer().SetWhole("C4", f.selectedBack);
      q.Buffer().SetText("EXT", "jpg");
      q.Add();
    }
    EXPECT_TRUE(w.From(2, q));
  }
  ~Fixture() { w.Close(); }
};

TEST(ListCells, ColoursComeFromTheQueueFieldsOfTheirColumn) {
  Fixture f;
  auto s = zq::ui::Snapshot(f.w.ControlHandle(2));
  ASSERT_TRUE(s);
  ASSERT_EQ(s->rows.size(), 3u);
  struct Case {
    std::size_t row;
    zq::ui::CellColours colours;
  };
  constexpr COLORREF kOwn = zq::ui::kDefaultColour;
  for (Case c : {Case{0, {kOwn, kOwn, kOwn, kOwn}}, Case{1, {255, 0xD3D3D3, 0xFFFFFF, 255}},
                 Case{2, {0x00FF00, kOwn, kOwn, 0x800000}}}) {
    ASSERT_EQ(s->rows[c.row].colours.size(), 1u) << c.row;  // only the first column has colour fields
    EXPECT_EQ(s->rows[c.row].colours[0], c.colours) << c.row;
  }
  EXPECT_EQ(f.w.Definition().controls[0].columns[0].textColourField, 2u);
  EXPECT_TRUE(s->parent && zq::ui::Snapshot(s->parent)->maximizeBox);
}

TEST(ListCells, TipAndLineHeightReachTheModel) {
  Fixture f;
  HWND list = f.w.ControlHandle(2);
  EXPECT_EQ(zq::ui::Snapshot(list)->tip, "\r\nThe files\r\n");
  EXPECT_TRUE(f.w.SetTip(2, "Other"));
  EXPECT_EQ(f.w.Tip(2), "Other");
  EXPECT_EQ(zq::ui::Snapshot(list)->tip, "Other");
  EXPECT_FALSE(f.w.SetTip(77, "x"));

  EXPECT_TRUE(f.w.SetLineHeight(2, 11));
  EXPECT_EQ(f.w.LineHeight(2), 11);
  RECT eleven = zq::ui::DialogUnitsToPixels(f.w.Definition().font, RECT{0, 0, 0, 11});
  EXPECT_EQ(zq::ui::Snapshot(list)->lineHeight, eleven.bottom);
  EXPECT_FALSE(f.w.SetLineHeight(2, -1));
  EXPECT_FALSE(f.w.SetLineHeight(77, 10));
}

TEST(ListCells, AControlMadeAtRunTimeIsPlacedOverACell) {
  Fixture f;
  ASSERT_TRUE(f.w.SetLineHeight(2, 10));
  ControlDef editor;
  editor.number = 999;
  editor.kind = zq::ui::Kind::Edit;
  ASSERT_TRUE(f.w.Create(editor));
  zq::ui::Flush();
  auto cell = f.w.CellPixels(2, 2, 2);
  ASSERT_TRUE(cell);
  auto above = f.w.CellPixels(2, 1, 2);
  ASSERT_TRUE(above);
  EXPECT_EQ(cell->top - above->top, zq::ui::Snapshot(f.w.ControlHandle(2))->lineHeight);
  ASSERT_TRUE(f.w.PlaceOverCell(999, 2, 2, 2));
  auto s = zq::ui::Snapshot(f.w.ControlHandle(999));
  EXPECT_EQ(s->rect.left, cell->left);
  EXPECT_EQ(s->rect.top, cell->top);
  EXPECT_EQ(s->rect.right, cell->right);
  EXPECT_EQ(s->rect.bottom, cell->bottom);
  EXPECT_EQ(f.w.Rect(999), f.w.CellRect(2, 2, 2));  // dialog units, as the runtime keeps them

  struct Outside {
    uint32_t row;
    int32_t column;
  };
  for (Outside o : {Outside{0, 1}, Outside{4, 1}, Outside{1, 0}, Outside{1, 3}, Outside{0xFFFFFFFFu, 1}}) {
    EXPECT_FALSE(f.w.CellRect(2, o.row, o.column)) << o.row << "," << o.column;
    EXPECT_FALSE(f.w.PlaceOverCell(999, 2, o.row, o.column)) << o.row << "," << o.column;
  }
  EXPECT_FALSE(f.w.PlaceOverCell(2, 2, 1, 1));  // not over itself
  EXPECT_FALSE(f.w.PlaceOverCell(998, 2, 1, 1));
}

}  // namespace
}  // namespace zq::rt
