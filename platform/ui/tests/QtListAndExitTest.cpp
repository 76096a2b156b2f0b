// The Qt presenter's lists (cell colours where the cell lies, rows changed in place) and its
// end: a process that exits while windows of every kind are painted ends cleanly.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "QtTestSupport.h"
#include "zqplatform/uimodel.h"

const bool kQtPresenterForLists = zq::ui::UsePresenter("qt");

namespace {

using zq::ui::Kind;

zq::ui::Row RowOf(std::string name, COLORREF sizeBack) {
  zq::ui::Row r;
  r.cells = {std::move(name), ""};
  r.icon = 1;
  r.colours = {{}, {zq::ui::kDefaultColour, sizeBack}};
  return r;
}

// The colour in the middle of a cell, as grabbed.
COLORREF CellColour(HWND window, HWND list, int32_t row, int32_t column) {
  zq::ui::Flush();
  auto cell = zq::ui::CellRect(list, row, column);
  auto shot = zq::ui::GrabImage(window);
  if (!cell || !shot) return 0xFFFFFFFF;
  return shot->At((cell->left + cell->right) / 2, (cell->top + cell->bottom) / 2);
}

TEST(QtList, CellColoursShowWhereTheCellLiesAndRowsChangeInPlace) {
  ASSERT_EQ(zq::ui::PresenterName(), "qt");
  HWND w = CreateWindowExA(0, "List", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, 0, 0, nullptr);
  HWND list = zq::ui::CreateControl(w, Kind::List, 1, "", RECT{10, 10, 390, 290});
  HICON icon = zq::ui::test::RedIcon();
  zq::ui::Update(list, [&](zq::ui::WindowState& s) {
    s.columns = {{"Name", 150, zq::ui::Align::Left}, {"Size", 100, zq::ui::Align::Right}};
    s.icons = {icon};
    s.lineHeight = 20;
    s.rows = {RowOf("a", 0x0000FF), RowOf("b", 0x00FF00), RowOf("c", 0xFF0000)};
  });
  EXPECT_EQ(CellColour(w, list, 0, 1), 0x0000FFu);
  EXPECT_EQ(CellColour(w, list, 2, 1), 0xFF0000u);
  auto first = zq::ui::CellRect(list, 0, 1), second = zq::ui::CellRect(list, 1, 1);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(second->top - first->top, 20);  // the line height
  EXPECT_EQ(first->left, 10 + 150 + 1);     // inside the list's frame, right of the first column

  // One row changed, one added, then the last two gone: each shows as it should.
  zq::ui::Update(list, [](zq::ui::WindowState& s) {
    s.rows.Edit()[1].colours[1].back = 0x00FFFF;
    s.rows.push_back(RowOf("d", 0xFF00FF));
  });
  EXPECT_EQ(CellColour(w, list, 1, 1), 0x00FFFFu);
  EXPECT_EQ(CellColour(w, list, 3, 1), 0xFF00FFu);
  EXPECT_EQ(CellColour(w, list, 0, 1), 0x0000FFu);
  zq::ui::Update(list, [](zq::ui::WindowState& s) { s.rows.Edit().resize(2); });
  zq::ui::Flush();
  EXPECT_FALSE(zq::ui::CellRect(list, 2, 1));
  EXPECT_EQ(CellColour(w, list, 1, 1), 0x00FFFFu);

  // A selected row shows its cells' selected colours where it has them.
  zq::ui::Update(list, [](zq::ui::WindowState& s) {
    s.rows.Edit()[1].colours[1].selectedBack = 0x0080FF;
    s.value = 1;
  });
  EXPECT_EQ(CellColour(w, list, 1, 1), 0x0080FFu);
  EXPECT_EQ(CellColour(w, list, 0, 1), 0x0000FFu);
  DestroyWindow(w);
  zq::ui::Flush();
}

// One window with a control of every kind, with icons and tool tips, shown and then changed
// over and over so that the GUI thread is busy painting when the process ends.
void ShowEveryKind(bool keepChanging) {
  HWND w = CreateWindowExA(0, "Every kind", WS_OVERLAPPEDWINDOW | WS_MAXIMIZEBOX | WS_VISIBLE, 0, 0, 640, 480, 0, 0,
                           nullptr);
  HICON icon = zq::ui::test::RedIcon();  // not inside Update, which holds the model
  zq::ui::Update(w, [&](zq::ui::WindowState& s) { s.icon = icon; });
  const Kind kinds[] = {Kind::Text, Kind::Edit, Kind::Button, Kind::Check, Kind::Radio, Kind::Group,
                        Kind::List, Kind::Combo, Kind::DropList, Kind::Spin, Kind::Progress, Kind::Image,
                        Kind::Panel, Kind::Line, Kind::Region, Kind::Tab, Kind::Window};
  std::vector<HWND> controls;
  int32_t id = 1;
  for (Kind k : kinds) {
    int32_t x = (id % 6) * 100, y = (id / 6) * 120;
    HWND c = zq::ui::CreateControl(w, k, id, "Text &" + std::to_string(id), RECT{x, y, x + 95, y + 110});
    zq::ui::Update(c, [&](zq::ui::WindowState& s) {
      s.tip = "\r\nTip\r\n";
      s.columns = {{"Name", 60, zq::ui::Align::Left}};
      s.rows = {RowOf("one", 0x00FF00), RowOf("two", 0x0000FF)};
      s.icons = {icon};
      s.tabs = {"Catalog", "Misc"};
      s.value = 1;
      s.multiLine = id % 2 == 0;
    });
    controls.push_back(c);
    ++id;
  }
  for (int round = 0; keepChanging && round < 200; ++round) {
    for (HWND c : controls) {
      zq::ui::Update(c, [&](zq::ui::WindowState& s) {
        s.text = "Round " + std::to_string(round);
        s.value = round % 2;
        s.rows.Edit()[0].cells[0] = s.text;
      });
    }
  }
}

TEST(QtPresenterExit, ExitWhileWindowsOfEveryKindArePainted) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  struct Case {
    const char* when;
    bool keepChanging, flush;
  };
  for (Case c : {Case{"at once", false, false}, Case{"once shown", false, true}, Case{"while changing", true, false}}) {
    EXPECT_EXIT(
        {
          ShowEveryKind(c.keepChanging);
          if (c.flush) zq::ui::Flush();
          std::exit(0);
        },
        ::testing::ExitedWithCode(0), "")
        << c.when;
  }
}

// Returning from a thread's procedure does not stop the presenter; only the process's end does.
TEST(QtPresenterExit, AnotherThreadsEndLeavesThePresenterRunning) {
  std::thread([] { zq::ui::Flush(); }).join();
  HWND w = CreateWindowExA(0, "Still", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, 0, 0, nullptr);
  zq::ui::Flush();
  EXPECT_TRUE(zq::ui::GrabImage(w));
  DestroyWindow(w);
  zq::ui::Flush();
}

}  // namespace
