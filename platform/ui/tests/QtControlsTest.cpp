// The Qt presenter's controls as the model sets them: a tab chosen by the user tells the
// parent, a right click on a list marks the row under the mouse, a window's size limits hold
// while the user drags, combos show icons, row heights and their drop-down sizes (a read-only
// one too narrow for its icon beside the text shows the text alone), a button its
// icon, and a list its icon and tree in the marked columns and the highlighted cell alone.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QPushButton>
#include <QTabBar>
#include <QTreeView>

#include "QtTestSupport.h"
#include "zqplatform/uimodel.h"

const bool kQtPresenterForControls = zq::ui::UsePresenter("qt");

namespace {

using zq::ui::Kind;
using zq::ui::test::OnWidget;
using zq::ui::test::Posted;

HWND Window(const char* title) {
  return CreateWindowExA(0, title, WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, 0, 0, nullptr);
}

TEST(QtControls, ATabChosenInQtTellsTheParent) {
  ASSERT_EQ(zq::ui::PresenterName(), "qt");
  HWND w = Window("Tabs");
  HWND tabs = zq::ui::CreateControl(w, Kind::Tab, 5, "", RECT{10, 10, 300, 40});
  zq::ui::Update(tabs, [](zq::ui::WindowState& s) {
    s.tabs = {"Catalog", "Processing", "Misc"};
    s.value = 0;
  });
  OnWidget<QTabBar>(tabs, [](QTabBar& t) { t.setCurrentIndex(2); });
  auto command = Posted(w, WM_COMMAND);
  ASSERT_TRUE(command);
  EXPECT_EQ(command->wParam, (WPARAM{TCN_SELCHANGE} << 16) | 5u);
  EXPECT_EQ(zq::ui::Snapshot(tabs)->value, 2);
  // The program's choice is shown without telling anyone.
  zq::ui::Update(tabs, [](zq::ui::WindowState& s) { s.value = 1; });
  OnWidget<QTabBar>(tabs, [](QTabBar& t) { EXPECT_EQ(t.currentIndex(), 1); });
  EXPECT_FALSE(Posted(w, WM_COMMAND));
  DestroyWindow(w);
}

TEST(QtControls, ARightClickOnAListMarksTheRowUnderTheMouseWithoutChoosingIt) {
  HWND w = Window("Right");
  HWND list = zq::ui::CreateControl(w, Kind::List, 3, "", RECT{10, 10, 390, 290});
  zq::ui::Update(list, [](zq::ui::WindowState& s) {
    s.columns = {{"Name", 150, zq::ui::Align::Left}, {"Size", 100, zq::ui::Align::Right}};
    s.rows = std::vector<zq::ui::Row>(3, zq::ui::Row{{"x", "1"}, 0, 0, {}});
    s.value = 0;
  });
  OnWidget<QTreeView>(list, [](QTreeView& v) {
    zq::ui::test::Press(*v.viewport(), v.visualRect(v.model()->index(2, 1)).center(), Qt::RightButton);
  });
  EXPECT_TRUE(Posted(list, WM_RBUTTONDOWN));
  auto s = zq::ui::Snapshot(list);
  EXPECT_EQ(s->mouseRow, 2);
  EXPECT_EQ(s->mouseColumn, 1);
  EXPECT_EQ(s->value, 0);
  DestroyWindow(w);
}

TEST(QtControls, AWindowsSizeLimitsHoldWhileTheUserDrags) {
  HWND w = CreateWindowExA(0, "Limits", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 300, 200, 0, 0, nullptr);
  zq::ui::Update(w, [](zq::ui::WindowState& s) {
    s.minWidth = 250;
    s.minHeight = 150;
    s.maxWidth = 500;
    s.maxHeight = 400;
  });
  OnWidget<QWidget>(w, [](QWidget& t) {
    EXPECT_EQ(t.minimumSize(), QSize(250, 150));
    EXPECT_EQ(t.maximumSize(), QSize(500, 400));
    t.setGeometry(20, 20, 100, 900);  // as a drag past both limits
    QCoreApplication::processEvents();
  });
  zq::ui::Flush();
  RECT r{};
  ASSERT_TRUE(GetWindowRect(w, &r));
  EXPECT_EQ(r.right - r.left, 250);
  EXPECT_EQ(r.bottom - r.top, 400);
  DestroyWindow(w);
}

TEST(QtControls, CombosShowIconsRowHeightsAndTheirDropDownSizes) {
  HWND w = Window("Combos");
  HWND drives = zq::ui::CreateControl(w, Kind::Combo, 5, "", RECT{10, 10, 60, 30});
  HICON icon = zq::ui::test::RedIcon();
  zq::ui::Update(drives, [&](zq::ui::WindowState& s) {
    s.readOnly = true;
    s.icons = {icon};
    s.rows = std::vector<zq::ui::Row>{{{"C:"}, 1, 0, {}}, {{"D:"}, 0, 0, {}}};
    s.value = 0;
    s.lineHeight = 22;
    s.dropCount = 5;
    s.dropWidth = 120;
  });
  OnWidget<QComboBox>(drives, [](QComboBox& c) {
    EXPECT_FALSE(c.isEditable());
    ASSERT_EQ(c.count(), 2);
    EXPECT_FALSE(c.itemIcon(0).isNull());
    EXPECT_TRUE(c.itemIcon(1).isNull());
    EXPECT_EQ(c.itemData(0, Qt::SizeHintRole).toSize().height(), 22);
    EXPECT_EQ(c.maxVisibleItems(), 5);
    EXPECT_EQ(c.view()->minimumWidth(), 120);
  });
  zq::ui::Update(drives, [](zq::ui::WindowState& s) { s.readOnly = false; });
  OnWidget<QComboBox>(drives, [](QComboBox& c) { EXPECT_TRUE(c.isEditable()); });
  DestroyWindow(w);
}

// The pixels of a widget as it paints itself: how many are red (the test icon) and how many dark.
struct Painted {
  int red = 0, dark = 0;
};
Painted PixelsOf(QWidget& w) {
  const QImage image = w.grab().toImage();
  Painted painted;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 200 && c.green() < 60 && c.blue() < 60) ++painted.red;
      if (c.lightness() < 80) ++painted.dark;
    }
  }
  return painted;
}

TEST(QtControls, AReadOnlyComboTooNarrowForItsIconBesideTheTextShowsTheTextAlone) {
  HWND w = Window("Drives");
  HWND narrow = zq::ui::CreateControl(w, Kind::Combo, 5, "", RECT{10, 10, 48, 28});
  HWND wide = zq::ui::CreateControl(w, Kind::Combo, 7, "", RECT{60, 10, 200, 28});
  HICON icon = zq::ui::test::RedIcon();
  for (HWND combo : {narrow, wide}) {
    zq::ui::Update(combo, [&](zq::ui::WindowState& s) {
      s.readOnly = true;
      s.icons = {icon};
      s.rows = std::vector<zq::ui::Row>{{{"C:"}, 1, 0, {}}, {{"T:"}, 1, 0, {}}};
      s.value = 1;
    });
  }
  OnWidget<QComboBox>(narrow, [](QComboBox& c) {
    EXPECT_EQ(c.currentText(), "T:");
    const Painted painted = PixelsOf(c);
    EXPECT_EQ(painted.red, 0);
    EXPECT_GT(painted.dark, 0);  // the letter
  });
  OnWidget<QComboBox>(wide, [](QComboBox& c) { EXPECT_GT(PixelsOf(c).red, 0); });
  DestroyWindow(w);
}

TEST(QtControls, AButtonShowsItsIcon) {
  HWND w = Window("Button");
  HWND plain = zq::ui::CreateControl(w, Kind::Button, 1, "Go", RECT{10, 10, 60, 30});
  HWND pictured = zq::ui::CreateControl(w, Kind::Button, 2, "", RECT{70, 10, 100, 30});
  HICON icon = zq::ui::test::RedIcon();
  zq::ui::Update(pictured, [&](zq::ui::WindowState& s) { s.icon = icon; });
  OnWidget<QPushButton>(plain, [](QPushButton& b) { EXPECT_TRUE(b.icon().isNull()); });
  OnWidget<QPushButton>(pictured, [](QPushButton& b) { EXPECT_FALSE(b.icon().isNull()); });
  DestroyWindow(w);
}

// The colour in the middle of a cell, as grabbed.
COLORREF CellColour(HWND window, HWND list, int32_t row, int32_t column) {
  zq::ui::Flush();
  auto cell = zq::ui::CellRect(list, row, column);
  auto shot = zq::ui::GrabImage(window);
  if (!cell || !shot) return 0xFFFFFFFF;
  return shot->At((cell->left + cell->right) / 2, (cell->top + cell->bottom) / 2) & 0xFFFFFF;
}

// Whether a cell shows a pixel of the colour anywhere, as grabbed.
bool CellShows(HWND window, HWND list, int32_t row, int32_t column, COLORREF colour) {
  zq::ui::Flush();
  auto cell = zq::ui::CellRect(list, row, column);
  auto shot = zq::ui::GrabImage(window);
  if (!cell || !shot) return false;
  for (int32_t y = cell->top; y < cell->bottom; ++y) {
    for (int32_t x = cell->left; x < cell->right; ++x) {
      if ((shot->At(x, y) & 0xFFFFFF) == colour) return true;
    }
  }
  return false;
}

TEST(QtControls, AListDrawsIconAndTreeInTheirColumnsAndTheHighlightedCellAlone) {
  HWND w = Window("Folders");
  HWND list = zq::ui::CreateControl(w, Kind::List, 3, "", RECT{10, 10, 390, 290});
  HICON icon = zq::ui::test::RedIcon();
  zq::ui::Update(list, [&](zq::ui::WindowState& s) {
    s.columns = {{"Nr", 60, zq::ui::Align::Left}, {"Folder", 200, zq::ui::Align::Left, true, true}};
    s.icons = {icon};
    s.lineHeight = 20;
    s.rows = std::vector<zq::ui::Row>{{{"0", "Films"}, 1, 0, {}}, {{"1", "Alien"}, 1, 2, {}}};
    s.backColour = 0xFFFFFF;
  });
  EXPECT_TRUE(CellShows(w, list, 0, 1, 0x0000FF));  // the red icon in "Folder"
  EXPECT_FALSE(CellShows(w, list, 0, 0, 0x0000FF));
  OnWidget<QTreeView>(list, [](QTreeView& v) {
    EXPECT_EQ(v.model()->index(1, 1).data().toString(), QString("    Alien"));
    EXPECT_EQ(v.model()->index(1, 0).data().toString(), QString("1"));
  });
  // A chosen row with cell selection: only the highlighted cell is drawn as selected.
  zq::ui::Update(list, [](zq::ui::WindowState& s) { s.value = 0; });
  COLORREF selected = CellColour(w, list, 0, 0);
  EXPECT_EQ(CellColour(w, list, 0, 1), selected);
  zq::ui::Update(list, [](zq::ui::WindowState& s) { s.cellColumn = 1; });
  EXPECT_EQ(CellColour(w, list, 0, 1), selected);
  EXPECT_NE(CellColour(w, list, 0, 0), selected);
  DestroyWindow(w);
}

}  // namespace
