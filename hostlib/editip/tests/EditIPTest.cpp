// EDITIP over a list of the layout kind: the column table, the cell cursor, edits committed by
// keys into the queue, refused keys, inserting, deleting and sorting. Every key and click goes
// through the window model's input, as a user's would.
#include <gtest/gtest.h>

#include <filesystem>

#include "DialogAnswers.h"
#include "hostlib/EditIP.h"
#include "zqplatform/uiinput.h"

namespace {

using zq::rt::Queue;
using zq::rt::Window;
namespace input = zq::ui::input;

// The layout list: 14 columns, each showing the queue field of its number.
const char* kLayoutWindow =
    "window \"Layouts\" size 420,200 font \"MS Sans Serif\",8\n"
    "3 list \"\" at 4,4,412,150\n"
    "  column \"Name\" width 40 field 1\n  column \"Pos\" width 36 field 2\n"
    "  column \"X\" width 24 field 3\n  column \"Y\" width 24 field 4\n"
    "  column \"Zoom\" width 24 field 5\n  column \"Mode\" width 28 field 6\n"
    "  column \"Note\" width 30 field 7\n  column \"A\" width 20 field 8\n"
    "  column \"B\" width 20 field 9\n  column \"C\" width 20 field 10\n"
    "  column \"D\" width 20 field 11\n  column \"E\" width 20 field 12\n"
    "  column \"Size\" width 36 field 13\n  column \"Show\" width 30 field 14\n"
    "20 entry \"\" at 4,160,100,12\n";

const char* kLayoutSpec =
    "1~U;@2~Top|Center|Bottom~3;#3~~0|999|1~1;#4~~0|999|1~1;#5~~0|5|.1;@6~OMI|ALL~2;#8~~1|10|1;#9~~1|10|1;"
    "#10~~0|50|1;#11~~0|50|1;#12~~-50|50|1;@13~Small|Normal~2;@14~Yes|No~2;";

const zq::rt::RecordLayout kLayoutRows{
    zq::rt::STRING("Name", 12), zq::rt::STRING("Pos", 8), zq::rt::LONG("X"), zq::rt::LONG("Y"),
    zq::rt::REAL("Zoom"),       zq::rt::STRING("Mode", 4), zq::rt::STRING("Note", 8), zq::rt::LONG("A"),
    zq::rt::LONG("B"),          zq::rt::LONG("C"),        zq::rt::LONG("D"),         zq::rt::LONG("E"),
    zq::rt::STRING("Size", 8),  zq::rt::STRING("Show", 4)};

struct Editor {
  Window w{*zq::rt::ParseWindowDefinition(kLayoutWindow).window};
  Queue q{kLayoutRows};
  EDITIP ed;

  explicit Editor(const char* spec = kLayoutSpec, const std::function<void(EDITIP&)>& before = {}) {
    EXPECT_TRUE(w.Open());
    for (const char* name : {"ONE", "TWO", "THREE", "FOUR"}) {
      q.ClearBuffer();
      q.Buffer().SetText("Name", name);
      q.Buffer().SetText("Pos", "Top");
      q.Buffer().SetReal("Zoom", 1);
      q.Add();
    }
    EXPECT_TRUE(w.From(3, q));
    if (before) before(ed);
    EXPECT_EQ(ed.INIT(q, 3, spec), 1);
    w.Focus(3);
    Pump();
  }
  ~Editor() { w.Close(); }

  // Runs the loop, every event through CHECKEVENT first, until nothing more happens.
  void Pump() {
    for (int round = 0; round < 20; ++round) {
      int events = 0;
      w.Post(0x7FF);
      while (w.Accept()) {
        if (w.Event() == 0x7FF) break;
        if (w.Event() != zq::rt::kTimer) ++events;
        ed.CHECKEVENT();
      }
      if (events == 0) return;
    }
  }
  // A key pressed on the control that has the focus.
  void Key(uint32_t code) {
    w.PressKey(code);
    Pump();
  }
  HWND EditorHandle() const { return w.ControlHandle(EDITIP::kEditControl); }
  void Type(std::string_view text) {
    zq::ui::Update(EditorHandle(), [&](zq::ui::WindowState& s) { s.text = std::string(text); });
  }
  std::pair<int32_t, int32_t> Cell() const { return {ed.CURROW, ed.CURCOL}; }
  std::string At(uint32_t row, const char* field) { return q.Peek(row)->Text(field); }
  // A click where the presenter marks a row (-1: the header) and a column (from 0).
  void Click(int32_t row, int32_t column) {
    zq::ui::Update(w.ControlHandle(3), [&](zq::ui::WindowState& s) {
      s.value = row;
      s.mouseColumn = column;
    });
    input::Click(w.ControlHandle(3));
    Pump();
  }
};

using Cell = std::pair<int32_t, int32_t>;

TEST(EditIP, TheColumnTableHoldsTheEditableColumnsAndEverySortOrder) {
  Editor e("1~U;@2~Top|Center|Bottom~3;#3~~0|999|1~1;!4~~~Name,X;#99~~1|2|1;x~U");
  const EDITIP::ColumnEntry* first = e.ed.FIELDS(1);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->field, 1u);
  EXPECT_EQ(first->kind, kEntry);
  EXPECT_EQ(first->part2, "U");
  EXPECT_EQ(e.ed.FIELDS(2)->part2, "Top|Center|Bottom");
  EXPECT_EQ(e.ed.FIELDS(2)->part3, "3");
  EXPECT_EQ(e.ed.FIELDS(3)->order, "1");
  ASSERT_TRUE(e.ed.FIELDS(4));
  EXPECT_EQ(e.ed.FIELDS(4)->field, 0u);  // sort only
  EXPECT_EQ(e.ed.FIELDS(4)->order, "Name,X");
  EXPECT_FALSE(e.ed.FIELDS(99));
  EXPECT_FALSE(e.ed.FIELDS(0));
  EXPECT_EQ(e.ed.COLCNT, 14);
  EXPECT_EQ(e.ed.NOFIELDS, 0);
  EXPECT_GT(e.w.HighlightedColumn(3), 0);  // cell selection
}

TEST(EditIP, ArrowKeysMoveOverTheEditableCellsOnly) {
  Editor e;
  EXPECT_EQ(e.Cell(), (Cell{1, 1}));
  struct Step {
    uint32_t key;
    Cell from, to;
  };
  const Step steps[] = {
      {VK_RIGHT, {1, 2}, {1, 3}},  {VK_RIGHT, {1, 6}, {1, 8}},  {VK_RIGHT, {2, 14}, {3, 1}},
      {VK_LEFT, {1, 1}, {4, 14}},  {VK_LEFT, {2, 8}, {2, 6}},   {VK_DOWN, {4, 5}, {1, 5}},
      {VK_UP, {1, 5}, {4, 5}},     {VK_DOWN, {2, 3}, {3, 3}},
  };
  for (const Step& s : steps) {
    e.ed.CURROW = s.from.first;
    e.ed.CURCOL = s.from.second;
    e.ed.STEP();
    e.Key(s.key);
    EXPECT_EQ(e.Cell(), s.to) << s.key << " from " << s.from.first << "," << s.from.second;
    // The list shows the cursor: its row chosen, its column highlighted.
    EXPECT_EQ(e.w.Choice(3), static_cast<uint32_t>(s.to.first));
    EXPECT_EQ(e.w.HighlightedColumn(3), s.to.second);
  }
}

TEST(EditIP, AKeySequenceEditsACellAndCommitsItIntoTheQueue) {
  Editor e;
  e.Key(VK_RETURN);  // opens the entry over row 1, column 1
  ASSERT_NE(e.EditorHandle(), 0u);
  EXPECT_EQ(e.ed.EDITMODE, 1);
  EXPECT_EQ(e.w.Text(EDITIP::kEditControl), "ONE");
  EXPECT_EQ(e.w.Focused(), EDITIP::kEditControl);
  auto caret = zq::ui::Snapshot(e.EditorHandle());
  EXPECT_EQ(caret->selStart, 3);  // CURSORMODE "E": after the last character
  EXPECT_EQ(caret->selEnd, 3);
  e.Type("first");
  e.Key(VK_TAB);  // commits and moves on: the next cell's editor opens
  EXPECT_EQ(e.At(1, "Name"), "FIRST");  // an upper-case entry
  EXPECT_EQ(e.Cell(), (Cell{1, 2}));
  ASSERT_NE(e.EditorHandle(), 0u);
  EXPECT_EQ(e.ed.TYPE, kDropList);
  auto drop = zq::ui::Snapshot(e.EditorHandle());
  EXPECT_EQ(drop->rows.size(), 3u);  // Top, Center, Bottom
  EXPECT_EQ(drop->dropCount, 3);
  EXPECT_EQ(drop->dropWidth, zq::ui::DialogUnitsToPixels(e.w.Definition().font, RECT{0, 0, 36, 0}).right);
  e.Key(VK_DOWN);  // the drop list's own key: the next choice
  e.Key(VK_RETURN);
  EXPECT_EQ(e.At(1, "Pos"), "Center");
  EXPECT_EQ(e.EditorHandle(), 0u);
  EXPECT_EQ(e.ed.EDITMODE, 0);
  EXPECT_EQ(e.w.Focused(), 3);
  // The list shows the new values.
  auto rows = zq::ui::Snapshot(e.w.ControlHandle(3))->rows;
  EXPECT_EQ(rows[0].cells[0], "FIRST");
  EXPECT_EQ(rows[0].cells[1], "Center");
}

TEST(EditIP, ASpinBoxOverARealStepsByATenth) {
  Editor e;
  e.ed.CURCOL = 5;
  e.ed.STEP();
  e.Key(VK_RETURN);
  ASSERT_EQ(e.ed.TYPE, kSpinBox);
  auto s = zq::ui::Snapshot(e.EditorHandle());
  EXPECT_EQ(s->low, 0);
  EXPECT_EQ(s->high, 5);
  EXPECT_DOUBLE_EQ(s->step, 0.1);
  for (int i = 0; i < 3; ++i) e.Key(VK_UP);
  e.Key(VK_RETURN);
  EXPECT_DOUBLE_EQ(e.q.Peek(1)->Real("Zoom"), 1.3);
  // A whole-number spin box with its limits.
  e.ed.CURCOL = 12;
  e.ed.STEP();
  e.Key(VK_RETURN);
  for (int i = 0; i < 60; ++i) e.Key(VK_DOWN);
  e.Key(VK_RETURN);
  EXPECT_EQ(e.q.Peek(1)->Whole("E"), -50);
}

TEST(EditIP, ASpinBoxAndADropListReadTheirNumbersAsLeadingNumbersWithinTheSpinRange) {
  struct Case {
    const char* spec;
    int32_t low, high;
    double step;
  };
  const Case cases[] = {
      {"#5~~0|1e400|1", 0, 2000000000, 1},  // beyond the spin range: its limit
      {"#5~~-1e400|5|1", -2000000000, 5, 1},
      {"#5~~ 0 |5x|\t.5 ", 0, 5, 0.5},
      {"#5~~0|5|1e400", 0, 5, 1},  // no step beyond the range: a step of 1
  };
  for (const Case& c : cases) {
    Editor e(c.spec);
    e.ed.CURCOL = 5;
    e.ed.STEP();
    e.Key(VK_RETURN);
    ASSERT_EQ(e.ed.TYPE, kSpinBox) << c.spec;
    auto s = zq::ui::Snapshot(e.EditorHandle());
    EXPECT_EQ(s->low, c.low) << c.spec;
    EXPECT_EQ(s->high, c.high) << c.spec;
    EXPECT_DOUBLE_EQ(s->step, c.step) << c.spec;
  }
  Editor e("@2~Top|Center|Bottom~2x");
  e.ed.CURCOL = 2;
  e.ed.STEP();
  e.Key(VK_RETURN);
  ASSERT_EQ(e.ed.TYPE, kDropList);
  EXPECT_EQ(zq::ui::Snapshot(e.EditorHandle())->dropCount, 2);
}

TEST(EditIP, EscCancelsAndAnUnchangedValueWritesNothing) {
  Editor e;
  e.Key(VK_RETURN);
  e.Type("changed");
  e.Key(VK_ESCAPE);
  EXPECT_EQ(e.At(1, "Name"), "ONE");
  EXPECT_EQ(e.ed.EDITMODE, 0);
  EXPECT_EQ(e.EditorHandle(), 0u);
  e.Key(VK_RETURN);
  e.Key(VK_RETURN);
  EXPECT_EQ(e.ed.LQE, 0);
  EXPECT_EQ(e.At(1, "Name"), "ONE");
}

TEST(EditIP, ARefusedKeyKeepsItsActionFromTheList) {
  Editor e;
  e.ed.CURCOL = 6;
  e.ed.STEP();
  // The list's own Right would highlight column 7, which has no entry.
  e.Key(VK_RIGHT);
  EXPECT_EQ(e.w.HighlightedColumn(3), 8);
  // Down on the last row wraps to the first instead of staying.
  e.ed.CURROW = 4;
  e.ed.STEP();
  e.Key(VK_DOWN);
  EXPECT_EQ(e.w.Choice(3), 1u);
  // Delete and Insert refused by the owner: the list and the queue stay.
  Editor refused(kLayoutSpec, [](EDITIP& ed) {
    ed.INSALLOWED = 0;
    ed.DELALLOWED = 0;
  });
  refused.Key(VK_DELETE);
  refused.Key(VK_INSERT);
  refused.Key(zq::rt::kCtrlKey | 'A');
  EXPECT_EQ(refused.q.Records(), 4u);
  EXPECT_EQ(refused.ed.DELOK, 0);
  EXPECT_EQ(refused.ed.INSOK, 0);
  EXPECT_EQ(refused.EditorHandle(), 0u);
}

TEST(EditIP, InsertAddsARecordThatEscTakesBackAndDeleteRemovesOne) {
  Editor e;
  e.ed.CURROW = 3;
  e.ed.STEP();
  e.Key(VK_INSERT);
  EXPECT_EQ(e.ed.INSOK, 1);
  EXPECT_EQ(e.q.Records(), 5u);
  EXPECT_EQ(e.At(3, "Name"), "");
  EXPECT_EQ(e.Cell(), (Cell{3, 1}));
  ASSERT_NE(e.EditorHandle(), 0u);
  e.Key(VK_ESCAPE);
  EXPECT_EQ(e.q.Records(), 4u);
  EXPECT_EQ(e.At(3, "Name"), "THREE");

  e.Key(zq::rt::kCtrlKey | 'I');  // as Insert
  EXPECT_EQ(e.q.Records(), 5u);
  EXPECT_EQ(e.ed.ADDNEW, 1);
  e.Key(VK_ESCAPE);
  EXPECT_EQ(e.q.Records(), 4u);

  e.Key(zq::rt::kCtrlKey | 'A');  // at the end
  EXPECT_EQ(e.ed.CURROW, 5);
  e.Type("five");
  e.Key(VK_RETURN);
  EXPECT_EQ(e.At(5, "Name"), "FIVE");
  e.Key(VK_RETURN);  // a later edit of the record: Esc keeps it
  e.Key(VK_ESCAPE);
  EXPECT_EQ(e.q.Records(), 5u);

  e.ed.CURROW = 2;
  e.ed.STEP();
  e.Key(VK_DELETE);
  EXPECT_EQ(e.ed.DELOK, 1);
  EXPECT_EQ(e.q.Records(), 4u);
  EXPECT_EQ(e.At(2, "Name"), "THREE");
  EXPECT_EQ(zq::ui::Snapshot(e.w.ControlHandle(3))->rows.size(), 4u);
}

TEST(EditIP, ASortOnlyListSelectsRowsDeletesAndEditsNothing) {
  Editor e("!1~~~Name,X;!2~~~Pos", [](EDITIP& ed) { ed.DELALLOWED = 0; });
  EXPECT_EQ(e.ed.NOFIELDS, 1);
  EXPECT_EQ(e.w.HighlightedColumn(3), 0);  // whole rows
  e.Key(VK_RETURN);
  e.Key(VK_INSERT);
  EXPECT_EQ(e.EditorHandle(), 0u);
  EXPECT_EQ(e.q.Records(), 4u);
  input::Choose(e.w.ControlHandle(3), 1);  // the user chooses row 2
  e.Pump();
  e.Key(VK_DELETE);
  EXPECT_EQ(e.q.Records(), 3u);
  EXPECT_EQ(e.At(2, "Name"), "THREE");
}

TEST(EditIP, HeaderClicksSortByTheColumnsOrderAscendingThenDescending) {
  Editor e("!1~~~Pos,Name;!2");
  e.q.Get(2);
  e.q.Buffer().SetText("Pos", "Bottom");
  e.q.Put();
  struct Click {
    const char* first;
    int16_t lastSort;
  };
  for (Click c : {Click{"TWO", 1}, Click{"THREE", 0}, Click{"TWO", 1}}) {
    e.Click(-1, 0);
    EXPECT_EQ(e.At(1, "Name"), c.first);
    EXPECT_EQ(e.ed.LASTSORT, c.lastSort);
  }
  EXPECT_EQ(zq::ui::Snapshot(e.w.ControlHandle(3))->rows[0].cells[0], "TWO");
  e.Key(zq::rt::kAltKey | '1');  // Alt+1: by field 1 ascending
  EXPECT_EQ(e.At(1, "Name"), "FOUR");
}

// CHECKEVENT's answer for the pre-key event of a click on the list, and for another key.
int32_t PreKeyAnswer(Editor& e, uint32_t key) {
  if (key == zq::rt::kLeftClick) {
    zq::ui::Update(e.w.ControlHandle(3), [](zq::ui::WindowState& s) { s.value = 1; });
  }
  e.w.PressKey(key);
  int32_t answer = -1;
  e.w.Post(0x7FF);
  while (e.w.Accept() && e.w.Event() != 0x7FF) {
    int32_t r = e.ed.CHECKEVENT();
    if (e.w.Event() == zq::rt::kPreAlertKey && e.w.Field() == 3) answer = r;
  }
  e.Pump();
  return answer;
}

TEST(EditIP, OnlyAClickWithoutAnEditIsLeftToTheList) {
  Editor e;
  EXPECT_EQ(PreKeyAnswer(e, zq::rt::kLeftClick), 1);
  EXPECT_EQ(e.w.Choice(3), 2u);  // the click's own action chose its row
  EXPECT_EQ(PreKeyAnswer(e, VK_DOWN), 0);
  EXPECT_EQ(PreKeyAnswer(e, VK_DELETE), 0);
  e.ed.EDITMODE = 1;
  EXPECT_EQ(PreKeyAnswer(e, zq::rt::kLeftClick), 0);
}

TEST(EditIP, ACheckBoxTogglesWithSpaceAndWritesOneOrZero) {
  Editor e("1~U;$3", [](EDITIP& ed) { ed.CURSORMODE = "S"; });
  e.Key(VK_RETURN);
  auto selected = zq::ui::Snapshot(e.EditorHandle());
  EXPECT_EQ(selected->selStart, 0);  // "S": the whole text selected
  EXPECT_EQ(selected->selEnd, 3);
  e.Key(VK_ESCAPE);
  e.ed.CURCOL = 3;
  e.ed.STEP();
  e.Key(VK_RETURN);
  ASSERT_EQ(e.ed.TYPE, kCheckBox);
  e.Key(VK_SPACE);
  e.Key(VK_RETURN);
  EXPECT_EQ(e.q.Peek(1)->Whole("X"), 1);
  e.Key(VK_RETURN);
  e.Key(VK_SPACE);
  e.Key(VK_RETURN);
  EXPECT_EQ(e.q.Peek(1)->Whole("X"), 0);
}

TEST(EditIP, AClickOnTheCheckBoxTogglesItOnceAndADoubleClickTogglesItForEachPress) {
  Editor e("1~U;$3");
  e.ed.CURCOL = 3;
  e.ed.STEP();
  e.Key(VK_RETURN);
  ASSERT_EQ(e.ed.TYPE, kCheckBox);
  HWND box = e.EditorHandle();
  input::Click(box);
  e.Pump();
  EXPECT_EQ(e.w.Value(EDITIP::kEditControl), 1);
  // A double click as the presenter reports it: a click, the double click, a click.
  input::Click(box);
  input::DoubleClick(box);
  input::Click(box);
  e.Pump();
  EXPECT_EQ(e.w.Value(EDITIP::kEditControl), 1);
  e.Key(VK_SPACE);
  e.Key(VK_SPACE);
  e.Key(VK_RETURN);
  EXPECT_EQ(e.q.Peek(1)->Whole("X"), 1);
}

// The stored value shows as the choice it equals in any letter case, as none when it is no
// choice; Enter on a cell whose choice the user did not pick writes nothing.
TEST(EditIP, AnUntouchedDropListCellKeepsItsValueAndAPickedChoiceIsWritten) {
  Editor e;
  const std::vector<std::pair<std::string, int32_t>> stored = {{"center", 1}, {"Middle", -1}, {"", -1}, {"BOTTOM", 2}};
  for (uint32_t row = 1; row <= stored.size(); ++row) {
    e.q.Get(row);
    e.q.Buffer().SetText("Pos", stored[row - 1].first);
    e.q.Put();
  }
  std::vector<std::string> before;
  for (uint32_t row = 1; row <= e.q.Records(); ++row) before.emplace_back(e.q.Peek(row)->Bytes());
  for (uint32_t row = 1; row <= stored.size(); ++row) {
    e.ed.CURROW = static_cast<int32_t>(row);
    e.ed.CURCOL = 2;
    e.ed.STEP();
    e.Key(VK_RETURN);
    ASSERT_EQ(e.ed.TYPE, kDropList);
    EXPECT_EQ(zq::ui::Snapshot(e.EditorHandle())->value, stored[row - 1].second) << stored[row - 1].first;
    e.Key(VK_RETURN);
  }
  for (uint32_t row = 1; row <= e.q.Records(); ++row) EXPECT_EQ(e.q.Peek(row)->Bytes(), before[row - 1]) << row;
  e.ed.CURROW = 3;
  e.ed.STEP();
  e.Key(VK_RETURN);
  input::Choose(e.EditorHandle(), 0);
  e.Pump();
  e.Key(VK_RETURN);
  EXPECT_EQ(e.At(3, "Pos"), "Top");
}

TEST(EditIP, AClickOnACellMovesTheCursorAndTheFocusLeavingDropsTheEdit) {
  Editor e;
  e.Click(2, 3);  // row 3, column 4
  EXPECT_EQ(e.Cell(), (Cell{3, 4}));
  input::DoubleClick(e.w.ControlHandle(3));  // opens the cell's editor
  e.Pump();
  ASSERT_NE(e.EditorHandle(), 0u);
  EXPECT_EQ(e.ed.TYPE, kSpinBox);
  e.Key(VK_UP);
  e.w.Focus(20);
  e.Pump();
  EXPECT_EQ(e.EditorHandle(), 0u);
  EXPECT_EQ(e.ed.EDITMODE, 0);
  EXPECT_EQ(e.q.Peek(3)->Whole("Y"), 0);
}

TEST(EditIP, AnEditorCellOpenOverTheListRendered) {
  if (zq::ui::PresenterName() != "qt") GTEST_SKIP() << "grabs need the Qt presenter";
  Editor e;
  e.ed.CURROW = 2;
  e.ed.CURCOL = 2;
  e.ed.STEP();
  e.Key(VK_RETURN);
  ASSERT_NE(e.EditorHandle(), 0u);
  std::string png = orvid::test::Grab(e.w.Handle(), "EditorOverList");
  ASSERT_FALSE(png.empty());
  EXPECT_GT(std::filesystem::file_size(png), 0u);
  auto cell = e.w.CellPixels(3, 2, 2);
  auto editor = zq::ui::Snapshot(e.EditorHandle());
  ASSERT_TRUE(cell);
  EXPECT_EQ(editor->rect.left, cell->left);
  EXPECT_EQ(editor->rect.top, cell->top);
  EXPECT_TRUE(editor->visible);
}

}  // namespace
