#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "TestWindows.h"
#include "zqplatform/uiinput.h"

namespace zq::rt {
namespace {

using test::Seen;

// The next event other than a timer tick; none after a few ticks without one.
Seen Next(Window& w) {
  int ticks = 0;
  while (w.Accept()) {
    if (w.Event() != kTimer) return {w.Event(), w.Field()};
    if (++ticks > 20) break;
  }
  return {0, 0};
}

// The events other than ticks and focus changes until the queue is empty.
std::vector<Seen> Batch(Window& w) {
  std::vector<Seen> seen;
  w.Post(0x7FF);
  while (w.Accept() && w.Event() != 0x7FF) {
    if (test::Interesting(w) && w.Event() != kOpenWindow) seen.push_back({w.Event(), w.Field()});
  }
  return seen;
}

const RecordLayout kFiles{CSTRING("NAME", 32), LONG("ICON"), LONG("LEVEL"), REAL("SIZE")};

TEST(ListOverQueue, ShowsColumnsIconsTreeAndPictures) {
  Window w(test::Load("Pair"));
  ASSERT_TRUE(w.Open());
  Queue q(kFiles);
  struct Entry {
    const char* name;
    int32_t icon, level;
    double size;
  };
  for (Entry e : {Entry{"Films", 1, 0, 0}, Entry{"Alien.mkv", 3, 1, 1234567}, Entry{"x", 2, 2, 999}}) {
    q.Buffer().SetText("NAME", e.name);
    q.Buffer().SetWhole("ICON", e.icon);
    q.Buffer().SetWhole("LEVEL", e.level);
    q.Buffer().SetReal("SIZE", e.size);
    q.Add();
  }
  ASSERT_TRUE(w.From(4, q));
  auto s = zq::ui::Snapshot(w.ControlHandle(4));
  ASSERT_TRUE(s);
  ASSERT_EQ(s->rows.size(), 3u);
  EXPECT_EQ(s->rows[1].cells, (std::vector<std::string>{"Alien.mkv", "       1.234.567"}));
  EXPECT_EQ(s->rows[0].cells[1], std::string(16, ' '));  // blank when 0
  EXPECT_EQ(s->rows[1].icon, 3);
  EXPECT_EQ(s->rows[2].indent, 2);
  ASSERT_EQ(s->columns.size(), 2u);
  EXPECT_EQ(s->columns[0].header, "Name");
  EXPECT_EQ(s->columns[1].align, zq::ui::Align::Right);
  EXPECT_EQ(s->columns[0].width, zq::ui::DialogUnitsToPixels(w.Definition().font, RECT{0, 0, 60, 0}).right);

  EXPECT_TRUE(w.Select(4, 3));
  EXPECT_EQ(w.Choice(4), 3u);
  EXPECT_FALSE(w.Select(4, 4));
  q.Delete(3);
  ASSERT_TRUE(w.Refresh(4));
  EXPECT_EQ(w.Choice(4), 2u);  // the choice stays inside the rows
  // A text picture shows the field's text; number and time pictures format its value.
  ControlDef pictured;
  pictured.number = 6;
  pictured.kind = zq::ui::Kind::List;
  pictured.at = {4, 4, 100, 40};
  for (const char* picture : {"@s20", "@N_12,.2", "@T", ""}) {
    ColumnDef col;
    col.field = std::string_view(picture) == "@s20" || !*picture ? 1 : 4;
    col.picture = picture;
    pictured.columns.push_back(col);
  }
  ASSERT_TRUE(w.Create(pictured));
  ASSERT_TRUE(w.From(6, q));
  EXPECT_EQ(zq::ui::Snapshot(w.ControlHandle(6))->rows[1].cells,
            (std::vector<std::string>{"Alien.mkv", "1,234,567.00", "03:25:45", "Alien.mkv"}));
  EXPECT_TRUE(w.SetIcon(4, 2, 77));
  EXPECT_EQ(zq::ui::Snapshot(w.ControlHandle(4))->icons, (std::vector<HICON>{0, 77}));
  EXPECT_FALSE(w.SetIcon(4, 0, 1));
}

TEST(ListOverQueue, KeysAndDoubleClicksOfTheLoop) {
  Window w(test::Load("Pair"));
  ASSERT_TRUE(w.Open());
  EXPECT_EQ(Next(w), (Seen{kOpenWindow, 0}));
  Queue q(kFiles);
  for (int i = 0; i < 3; ++i) q.Add();
  w.From(4, q);
  ASSERT_TRUE(w.Focus(4));
  EXPECT_EQ(Next(w), (Seen{kFocus, 4}));
  struct Step {
    uint32_t key;
    Seen expected;
    uint32_t choice;
  };
  const Step steps[] = {
      {VK_DOWN, {kNewSelection, 4}, 1}, {VK_DOWN, {kNewSelection, 4}, 2}, {VK_DOWN, {kNewSelection, 4}, 3},
      {VK_UP, {kNewSelection, 4}, 2},   {VK_RETURN, {kAccepted, 4}, 2},   {kDoubleClick, {kPreAlertKey, 4}, 2},
  };
  for (const Step& s : steps) {
    w.PressKey(s.key);
    EXPECT_EQ(Next(w), s.expected) << s.key;
    EXPECT_EQ(w.Choice(4), s.choice) << s.key;
  }
  EXPECT_EQ(Next(w), (Seen{kAlertKey, 4}));
  EXPECT_EQ(w.Keycode(), kDoubleClick);

  // With cell selection Left and Right move the highlighted column inside the columns.
  EXPECT_EQ(w.HighlightedColumn(4), 0);
  ASSERT_TRUE(w.SetCellSelection(4, true));
  EXPECT_EQ(w.HighlightedColumn(4), 1);
  const uint32_t moves[] = {VK_RIGHT, VK_RIGHT, VK_LEFT};
  for (uint32_t key : moves) w.PressKey(key);
  w.Post(0x7FF);
  std::vector<int32_t> columns;
  for (Seen s = Next(w); s.event != 0x7FF && s.event != 0; s = Next(w)) {
    if (s.event == kNewSelection) columns.push_back(w.HighlightedColumn(4));
  }
  EXPECT_EQ(columns, (std::vector<int32_t>{2, 1}));
  EXPECT_EQ(w.ColumnCount(4), 2);
  EXPECT_EQ(w.Column(4, 2)->picture, "@N_16.B@");
  EXPECT_FALSE(w.Column(4, 3));
  EXPECT_FALSE(w.HighlightColumn(4, 3));
  EXPECT_TRUE(w.HighlightColumn(4, 2));
  EXPECT_TRUE(w.SetCellSelection(4, false));
  EXPECT_EQ(w.HighlightedColumn(4), 0);
}

TEST(ListOverQueue, RowsTheUserChoosesReachTheLoop) {
  Window w(test::Load("Pair"));
  ASSERT_TRUE(w.Open());
  Queue q(kFiles);
  for (int i = 0; i < 3; ++i) q.Add();
  w.From(4, q);
  HWND list = w.ControlHandle(4);
  // Rows chosen by the presenter's keys or wheel, and a click on the header (no row).
  struct Step {
    int32_t row;
    bool headerClick;
    std::vector<Seen> expected;
    uint32_t choice;
  };
  const Step steps[] = {
      {1, false, {{kNewSelection, 4}}, 2},
      {1, false, {}, 2},  // the same row again: nothing new
      {-1, true, {}, 2},  // the header keeps the chosen row
      {2, false, {{kNewSelection, 4}}, 3},
  };
  for (const Step& s : steps) {
    if (s.headerClick) {
      zq::ui::Update(list, [&](zq::ui::WindowState& m) { m.value = s.row; });
      zq::ui::input::Click(list);
    } else {
      zq::ui::input::Choose(list, s.row);
    }
    EXPECT_EQ(Batch(w), s.expected) << s.row;
    EXPECT_EQ(w.Choice(4), s.choice) << s.row;
  }
  EXPECT_EQ(w.MouseDownRow(4), 0u);
  EXPECT_EQ(zq::ui::Snapshot(list)->value, 2);
}

TEST(ListOverQueue, AClickTellsTheRowAndColumnUnderTheMouse) {
  Window w(test::Load("Pair"));
  ASSERT_TRUE(w.Open());
  Queue q(kFiles);
  for (int i = 0; i < 3; ++i) q.Add();
  w.From(4, q);
  ASSERT_TRUE(w.SetCellSelection(4, true));
  HWND list = w.ControlHandle(4);
  struct Click {
    int32_t row, column;  // as the presenter marks them, from 0 (-1: the header, none)
    std::vector<Seen> expected;
    uint32_t mouseRow;
    int32_t mouseColumn, highlighted;
    uint32_t choice;
  };
  const Click clicks[] = {
      {0, 1, {{kNewSelection, 4}}, 1, 2, 2, 1},
      {-1, 0, {}, 0, 1, 2, 1},  // the header over the first column
      {0, 1, {}, 1, 2, 2, 1},   // the same cell again
      {2, 0, {{kNewSelection, 4}}, 3, 1, 1, 3},
      {1, 7, {{kNewSelection, 4}}, 2, 0, 1, 2},  // beside the columns
  };
  for (const Click& c : clicks) {
    zq::ui::Update(list, [&](zq::ui::WindowState& s) {
      s.value = c.row;
      s.mouseColumn = c.column;
    });
    zq::ui::input::Click(list);
    EXPECT_EQ(Batch(w), c.expected) << c.row << "," << c.column;
    EXPECT_EQ(w.MouseDownRow(4), c.mouseRow);
    EXPECT_EQ(w.MouseDownColumn(4), c.mouseColumn);
    EXPECT_EQ(w.HighlightedColumn(4), c.highlighted);
    EXPECT_EQ(w.Choice(4), c.choice);
  }
  EXPECT_EQ(w.MouseDownColumn(99), 0);
}

TEST(WindowControls, TheCaretOfAnEntryCountsCharacters) {
  Window w(test::Load("Pair"));
  ASSERT_TRUE(w.Open());
  ASSERT_TRUE(w.SetText(2, "h\xC3\xA9llo"));  // 5 characters, 6 bytes
  struct Case {
    int32_t start, end;
    int32_t selStart, selEnd;  // bytes in the model
  };
  const Case cases[] = {{-1, -1, 6, 6}, {0, 0, 0, 0}, {0, -1, 0, 6}, {2, 1, 3, 1}, {4, 99, 5, 6}};
  for (const Case& c : cases) {
    ASSERT_TRUE(w.SetSelection(2, c.start, c.end));
    auto s = zq::ui::Snapshot(w.ControlHandle(2));
    EXPECT_EQ(s->selStart, c.selStart) << c.start << "," << c.end;
    EXPECT_EQ(s->selEnd, c.selEnd) << c.start << "," << c.end;
  }
  EXPECT_FALSE(w.SetSelection(1, 0, 0));  // a button has no caret
  EXPECT_FALSE(w.SetSelection(99, 0, 0));
}

TEST(WindowControls, AValueTheUserSpinsIsKeptToTheRangeAndStep) {
  Window w(test::Load("Choices"));
  ASSERT_TRUE(w.Open());
  double scale = 1;
  w.Use(2, Bind(scale));
  w.Display();
  struct Case {
    const char* spun;
    std::vector<Seen> expected;
    double value;
  };
  const Case cases[] = {
      {"2.34", {{kNewSelection, 2}}, 2.3}, {"2.3", {}, 2.3}, {"9", {{kNewSelection, 2}}, 5},
      {"abc", {{kNewSelection, 2}}, 0},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(zq::ui::input::Spun(w.ControlHandle(2), c.spun));
    EXPECT_EQ(Batch(w), c.expected) << c.spun;
    EXPECT_EQ(w.Value(2), c.value) << c.spun;
  }
  w.Take();
  EXPECT_EQ(scale, 0);
  EXPECT_EQ(zq::ui::Snapshot(w.ControlHandle(2))->step, 0.1);
  EXPECT_FALSE(zq::ui::input::Spun(w.ControlHandle(1), "1"));  // not a spin box
}

TEST(WindowControls, AChoiceInADropListIsAccepted) {
  Window w(test::Load("Choices"));
  ASSERT_TRUE(w.Open());
  std::string align = "Top";
  w.Use(1, Bind(align));
  w.Display();
  ASSERT_TRUE(zq::ui::input::Choose(w.ControlHandle(1), 2));
  EXPECT_EQ(Batch(w), (std::vector<Seen>{{kAccepted, 1}}));
  EXPECT_EQ(align, "Bot");
  EXPECT_EQ(w.Value(1), 3);
  ASSERT_TRUE(w.Focus(1));
  w.PressKey(VK_UP);
  EXPECT_EQ(Batch(w), (std::vector<Seen>{{kNewSelection, 1}, {kAccepted, 1}}));
  EXPECT_EQ(align, "Center");
  EXPECT_FALSE(zq::ui::input::Choose(w.ControlHandle(2), 1));  // a spin box has no rows
}

TEST(WindowControls, ADropListShowsNoChoiceForAValueOutsideItsChoicesAndTakesTheFirstWhenPicked) {
  Window w(test::Load("Choices"));
  ASSERT_TRUE(w.Open());
  for (std::string value : {"", "Middle", "top"}) {
    std::string align = value;
    w.Use(1, Bind(align));
    w.Display();
    EXPECT_EQ(zq::ui::Snapshot(w.ControlHandle(1))->value, -1) << value;
    EXPECT_EQ(w.Value(1), 0) << value;
    w.Take();
    EXPECT_EQ(align, "") << value;
    align = value;
    ASSERT_TRUE(zq::ui::input::Choose(w.ControlHandle(1), 0));
    EXPECT_EQ(Batch(w), (std::vector<Seen>{{kAccepted, 1}})) << value;
    EXPECT_EQ(align, "Top") << value;
  }
}

TEST(WindowControls, RangesAndPropertiesByNumber) {
  Window w(test::Load("Pair"));
  ASSERT_TRUE(w.Open());
  EXPECT_EQ(w.Hide(2, 4), 3);
  EXPECT_TRUE(w.IsHidden(3));
  EXPECT_FALSE(w.IsHidden(5));
  EXPECT_EQ(w.Unhide(1, 100), 5);
  EXPECT_EQ(w.Disable(40, 50), 0);
  EXPECT_TRUE(w.SetText(5, "Stop"));
  EXPECT_EQ(w.Text(5), "Stop");
  EXPECT_TRUE(w.SetTextColour(5, 0x00FF00));
  EXPECT_EQ(zq::ui::Snapshot(w.ControlHandle(5))->textColour, 0x00FF00u);
  zq::ui::Font bold{"Arial", 12, 700, false};
  EXPECT_TRUE(w.SetFont(2, bold));
  EXPECT_EQ(w.Font(2)->face, "Arial");
  EXPECT_TRUE(w.SetRect(1, DlgRect{10, 20, 30, 40}));
  EXPECT_EQ(w.Rect(1), (DlgRect{10, 20, 30, 40}));
  RECT px{};
  GetWindowRect(w.ControlHandle(1), &px);
  RECT want = zq::ui::DialogUnitsToPixels(w.Definition().font, RECT{10, 20, 30, 40});  // place, size
  EXPECT_EQ(px.right - px.left, want.right);
  EXPECT_TRUE(w.SetAlign(2, zq::ui::Align::Right));
  EXPECT_FALSE(w.SetText(99, "x"));
  EXPECT_FALSE(w.SetRect(1, DlgRect{0, 0, -1, 5}));
  EXPECT_TRUE(w.SetRect(1, DlgRect{INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX}));  // held at the limits
  EXPECT_EQ(w.Text(99), "");

  ControlDef extra;
  extra.number = 999;
  extra.kind = zq::ui::Kind::Edit;
  extra.at = {4, 4, 50, 10};
  extra.maxLength = 3;
  extra.upper = true;
  EXPECT_TRUE(w.Create(extra));
  EXPECT_FALSE(w.Create(extra));
  struct Shown {
    const char* text;
    const char* shown;
  };
  for (Shown s : {Shown{"abcdef", "ABC"}, Shown{"ab  ", "AB"}, Shown{"\xC3\xA9\xC3\xA9x\xC3\xA9", "\xC3\x89\xC3\x89X"}}) {
    w.SetText(999, s.text);
    EXPECT_EQ(w.Text(999), s.shown) << s.text;
  }
  EXPECT_NE(w.ControlHandle(999), 0u);
  HWND made = w.ControlHandle(999);
  EXPECT_TRUE(w.Destroy(999));
  EXPECT_FALSE(IsWindow(made));
  EXPECT_FALSE(w.Destroy(999));
}

TEST(WindowControls, BoundVariablesRoundTrip) {
  Window w(test::Load("Choices"));
  ASSERT_TRUE(w.Open());
  std::string align = "Center   ";  // a STRING's padding
  double scale = 7;                // above the range
  uint8_t background = 2;
  int16_t progress = 40;
  int32_t tab = 2;
  std::string name = "dune";
  w.Use(1, Bind(align));
  w.Use(2, Bind(scale));
  w.Use(3, Bind(background));
  w.Use(6, Bind(progress));
  w.Use(7, Bind(tab));
  w.Use(8, Bind(name));
  w.Display();
  EXPECT_EQ(w.Value(1), 2);
  EXPECT_EQ(w.Value(2), 5);  // kept in the range
  EXPECT_EQ(w.Value(5), 1);  // the radio with value 2
  EXPECT_EQ(w.Value(4), 0);
  EXPECT_EQ(w.Value(6), 40);
  EXPECT_EQ(w.Value(7), 2);
  EXPECT_EQ(w.Text(8), "DUNE");

  w.SetValue(2, std::nan(""));
  EXPECT_EQ(w.Value(2), 0);
  w.SetValue(2, 2.34);  // to the step of 0.1
  w.SetValue(1, 3);
  w.SetText(8, "Ab");
  zq::ui::input::Click(w.ControlHandle(4));
  w.Take();
  EXPECT_EQ(scale, 2.3);
  EXPECT_EQ(align, "Bot");
  EXPECT_EQ(name, "AB");  // an upper-case entry
  zq::ui::Update(w.ControlHandle(8), [](zq::ui::WindowState& s) { s.text = "prime "; });  // typed
  w.Take(8, 8);
  EXPECT_EQ(name, "PRIME");
  EXPECT_EQ(background, 1);
  background = 0;  // the accepted radio writes its group's variable itself
  while (w.Accept() && !(w.Event() == kAccepted && w.Field() == 4)) {
  }
  EXPECT_EQ(background, 1);

  EXPECT_TRUE(w.SetStatus(1, "Esc is Einde"));
  EXPECT_EQ(w.Status(1), "Esc is Einde");
  EXPECT_FALSE(w.SetStatus(2, "x"));
  EXPECT_TRUE(w.SetChoices(1, "None|Bigger"));
  EXPECT_EQ(w.Value(1), 1);
  EXPECT_FALSE(w.SetChoices(2, "a|b"));
  EXPECT_FALSE(w.SetRange(2, 5, 1));
  EXPECT_FALSE(w.SetRange(2, 0, 5, std::numeric_limits<double>::infinity()));
  EXPECT_EQ(w.Value(2), 2.3);  // unchanged
}

TEST(WindowControls, WholeNumberVariablesKeepTheirWidth) {
  struct Case {
    const char* text;
    int32_t asLong;
    int16_t asShort;
    uint8_t asByte;
  };
  const Case cases[] = {
      {"65537", 65537, 1, 1}, {"-1", -1, -1, 255}, {"abc", 0, 0, 0}, {" 12.9", 12, 12, 12}, {"", 0, 0, 0},
      {"12abc", 0, 0, 0},     {"+7", 7, 7, 7},     {"4294967297", 1, 1, 1},  // not a number; low bits
  };
  for (const Case& c : cases) {
    int32_t l = 5;
    int16_t s = 5;
    uint8_t b = 5;
    Bind(l).write(c.text);
    Bind(s).write(c.text);
    Bind(b).write(c.text);
    EXPECT_EQ(l, c.asLong) << c.text;
    EXPECT_EQ(s, c.asShort) << c.text;
    EXPECT_EQ(b, c.asByte) << c.text;
  }
  Queue q(kFiles);
  Binding field = Bind(q.Buffer(), "level");
  field.write("42");
  EXPECT_EQ(q.Buffer().Whole("LEVEL"), 42);
  EXPECT_EQ(field.read(), "42");
}

}  // namespace
}  // namespace zq::rt

namespace zq::rt {
namespace {

TEST(WindowControls, WindowIconsComeFromTheProgramsResources) {
  WindowDef def = test::Load("Choices");
  // A red pixel as a PNG file.
  const std::string png(
      "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x01\x00\x00\x00\x01"
      "\x08\x02\x00\x00\x00\x90\x77\x53\xde\x00\x00\x00\x0c\x49\x44\x41\x54\x78\x9c\x63\xf8\xcf\xc0\x00"
      "\x00\x03\x01\x01\x00\xc9\xfe\x92\xef\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82",
      69);
  HINSTANCE instance = zq::ui::CreateInstance();
  ASSERT_TRUE(zq::ui::AddIconResource(instance, "movieclip", png));
  SetIconInstance(0);
  {
    Window w(def);
    ASSERT_TRUE(w.Open());
    EXPECT_EQ(zq::ui::Snapshot(w.Handle())->icon, 0u);
  }
  SetIconInstance(instance);
  Window w(def);
  ASSERT_TRUE(w.Open());
  HICON icon = zq::ui::Snapshot(w.Handle())->icon;
  EXPECT_NE(icon, 0u);
  EXPECT_EQ(zq::ui::IconImage(icon), png);
  SetIconInstance(0);
  zq::ui::Flush();  // the presenter has shown the icon before the process ends
}

}  // namespace
}  // namespace zq::rt
