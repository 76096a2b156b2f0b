// Lists in the model with the null presenter: shared rows, cell colours, line height, tool
// tips, the maximise button and where a cell lies.
#include <gtest/gtest.h>

#include "zqplatform/uimodel.h"

const bool kNullPresenterForCells = zq::ui::UsePresenter("null");

namespace {

using zq::ui::Kind;

struct ListWindow {
  HWND window = CreateWindowExA(0, "Cells", WS_POPUP | WS_CAPTION | WS_MAXIMIZEBOX, 0, 0, 400, 300, 0, 0, nullptr);
  HWND list = zq::ui::CreateControl(window, Kind::List, 3, "", RECT{10, 20, 310, 220});
  ~ListWindow() { DestroyWindow(window); }
};

std::vector<zq::ui::Row> Rows(int n) {
  std::vector<zq::ui::Row> rows(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) rows[static_cast<std::size_t>(i)].cells = {"row " + std::to_string(i), "x"};
  return rows;
}

TEST(ListRows, SnapshotsShareRowsUntilTheModelChangesThem) {
  ListWindow t;
  zq::ui::Update(t.list, [](zq::ui::WindowState& s) { s.rows = Rows(3); });
  auto before = zq::ui::Snapshot(t.list);
  auto again = zq::ui::Snapshot(t.list);
  ASSERT_TRUE(before && again);
  EXPECT_TRUE(before->rows.Shares(again->rows));
  zq::ui::Update(t.list, [](zq::ui::WindowState& s) { s.value = 1; });  // a new selection
  auto moved = zq::ui::Snapshot(t.list);
  EXPECT_TRUE(moved->rows.Shares(before->rows));
  zq::ui::Update(t.list, [](zq::ui::WindowState& s) { s.rows.Edit()[1].cells[0] = "changed"; });
  auto changed = zq::ui::Snapshot(t.list);
  EXPECT_FALSE(changed->rows.Shares(before->rows));
  EXPECT_EQ(before->rows[1].cells[0], "row 1");  // an older snapshot keeps what it saw
  EXPECT_EQ(changed->rows[1].cells[0], "changed");
  EXPECT_EQ(changed->rows[0], before->rows[0]);
  zq::ui::RowList empty;
  EXPECT_TRUE(empty.empty());
  EXPECT_EQ(empty.begin(), empty.end());
}

TEST(ListRows, ControlsKeepColoursLineHeightAndTips) {
  ListWindow t;
  zq::ui::Row red;
  red.cells = {"a", "b"};
  red.colours = {{0x0000FF, zq::ui::kDefaultColour}, {zq::ui::kDefaultColour, 0x80FFFF}};
  zq::ui::Update(t.list, [&](zq::ui::WindowState& s) {
    s.rows = {red};
    s.lineHeight = 17;
    s.tip = "\r\nFirst line\r\nSecond\r\n";
  });
  auto s = zq::ui::Snapshot(t.list);
  EXPECT_EQ(s->rows[0].colours[1].back, 0x80FFFFu);
  EXPECT_EQ(s->lineHeight, 17);
  EXPECT_EQ(s->tip, "\r\nFirst line\r\nSecond\r\n");
  EXPECT_TRUE(zq::ui::Snapshot(t.window)->maximizeBox);
  HWND plain = CreateWindowExA(0, "Plain", WS_POPUP | WS_CAPTION, 0, 0, 10, 10, 0, 0, nullptr);
  EXPECT_FALSE(zq::ui::Snapshot(plain)->maximizeBox);
  // On a child the same bit is the Tab stop, not a maximise button.
  HWND child = zq::ui::CreateControl(t.window, Kind::Button, 4, "", RECT{}, WS_CHILD | WS_MAXIMIZEBOX);
  EXPECT_FALSE(zq::ui::Snapshot(child)->maximizeBox);
  DestroyWindow(plain);
}

TEST(ListCells, CellsLieInRowsOfTheLineHeightUnderTheHeader) {
  ListWindow t;
  zq::ui::Font font = zq::ui::Snapshot(t.list)->font;
  int32_t header = zq::ui::Measure(font).height + 4;
  zq::ui::Update(t.list, [](zq::ui::WindowState& s) {
    s.columns = {{"Name", 120, zq::ui::Align::Left}, {"Size", 60, zq::ui::Align::Right}};
    s.rows = Rows(5);
    s.lineHeight = 16;
  });
  struct Case {
    int32_t row, column;
    std::optional<RECT> want;
  };
  const Case cases[] = {
      {0, 0, RECT{10, 20 + header, 130, 20 + header + 16}},
      {4, 1, RECT{130, 20 + header + 64, 190, 20 + header + 80}},
      {5, 0, std::nullopt},   // below the rows
      {0, 2, std::nullopt},   // right of the columns
      {-1, 0, std::nullopt},
      {0, -1, std::nullopt},
  };
  for (const Case& c : cases) {
    auto got = zq::ui::CellRect(t.list, c.row, c.column);
    ASSERT_EQ(got.has_value(), c.want.has_value()) << c.row << "," << c.column;
    if (!got) continue;
    EXPECT_EQ(got->left, c.want->left) << c.row << "," << c.column;
    EXPECT_EQ(got->top, c.want->top) << c.row << "," << c.column;
    EXPECT_EQ(got->right, c.want->right) << c.row << "," << c.column;
    EXPECT_EQ(got->bottom, c.want->bottom) << c.row << "," << c.column;
  }
  EXPECT_FALSE(zq::ui::CellRect(t.window, 0, 0));  // not a list
  EXPECT_FALSE(zq::ui::CellRect(0x7FFFFFF0, 0, 0));
}

}  // namespace
