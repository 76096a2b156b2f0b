// What the user does to the Qt presenter's widgets becomes model input: a press on a list's
// row or header is the model's click with the row and column under the mouse, and a row
// chosen in a list or a drop list, or a value spun, tells the control's parent; text typed into
// a combo is its text in the model, and values changed through the accessibility interface are
// the model's; an entry shows the caret the program sets; the close button, moves, sizes and
// clicks become the messages Windows sends.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTreeView>
#include <QtTest/QTest>

#include "QtTestSupport.h"
#include "zqplatform/filedialog.h"
#include "zqplatform/uiinput.h"
#include "zqplatform/uimodel.h"

const bool kQtPresenterForInput = zq::ui::UsePresenter("qt");

namespace {

using zq::ui::Kind;
using zq::ui::test::OnWidget;
using zq::ui::test::Posted;
using zq::ui::test::Press;


TEST(QtInput, APressOnAListIsTheModelsClickWithTheRowUnderTheMouse) {
  ASSERT_EQ(zq::ui::PresenterName(), "qt");
  HWND w = CreateWindowExA(0, "Input", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, 0, 0, nullptr);
  HWND list = zq::ui::CreateControl(w, Kind::List, 3, "", RECT{10, 10, 290, 190});
  zq::ui::Update(list, [](zq::ui::WindowState& s) {
    s.columns = {{"Name", 150, zq::ui::Align::Left}, {"Size", 100, zq::ui::Align::Right}};
    s.rows = std::vector<zq::ui::Row>(3, zq::ui::Row{{"x", "1"}, 0, 0, {}});
    s.value = -1;
  });
  struct Case {
    bool onHeader;
    int32_t row;
    int32_t column;
  };
  for (Case c : {Case{false, 1, 0}, Case{true, -1, 1}, Case{false, 2, 1}, Case{true, -1, 0}}) {
    OnWidget<QTreeView>(list, [&](QTreeView& v) {
      if (c.onHeader) {
        int x = v.header()->sectionViewportPosition(c.column) + 5;
        Press(*v.header()->viewport(), QPoint(x, v.header()->height() / 2));
      } else {
        Press(*v.viewport(), v.visualRect(v.model()->index(c.row, c.column)).center());
      }
    });
    EXPECT_TRUE(Posted(list, WM_LBUTTONDOWN)) << c.row;
    EXPECT_EQ(zq::ui::Snapshot(list)->value, c.row);
    EXPECT_EQ(zq::ui::Snapshot(list)->mouseColumn, c.column);
  }
  DestroyWindow(w);
}

TEST(QtInput, ARowChosenInQtTellsTheParent) {
  HWND w = CreateWindowExA(0, "Choose", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, 0, 0, nullptr);
  HWND drop = zq::ui::CreateControl(w, Kind::DropList, 7, "", RECT{10, 10, 100, 30});
  zq::ui::Update(drop, [](zq::ui::WindowState& s) {
    s.rows = std::vector<zq::ui::Row>{{{"None"}, 0, 0, {}}, {{"Bigger"}, 0, 0, {}}, {{"Both"}, 0, 0, {}}};
    s.value = 0;
  });
  OnWidget<QComboBox>(drop, [](QComboBox& c) { c.setCurrentIndex(2); });
  auto command = Posted(w, WM_COMMAND);
  ASSERT_TRUE(command);
  EXPECT_EQ(command->wParam, (WPARAM{CBN_SELCHANGE} << 16) | 7u);
  EXPECT_EQ(zq::ui::Snapshot(drop)->value, 2);
  DestroyWindow(w);
}

TEST(QtInput, TextTypedIntoAnEditableComboIsItsTextInTheModel) {
  HWND w = CreateWindowExA(0, "Type", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, 0, 0, nullptr);
  HWND path = zq::ui::CreateControl(w, Kind::Combo, 4, "T:\\Films\\", RECT{10, 10, 200, 30});
  zq::ui::Update(path, [](zq::ui::WindowState& s) { s.rows = std::vector<zq::ui::Row>{{{"T:\\Films\\"}, 0, 0, {}}}; });
  OnWidget<QComboBox>(path, [](QComboBox& c) {
    ASSERT_NE(c.lineEdit(), nullptr);
    c.lineEdit()->selectAll();
    QTest::keyClicks(c.lineEdit(), "U:\\Covers");
  });
  EXPECT_EQ(zq::ui::Snapshot(path)->text, "U:\\Covers");
  DestroyWindow(w);
}

TEST(QtInput, ASpinBoxShowsItsStepAndTellsTheParentOfTheUsersValue) {
  HWND w = CreateWindowExA(0, "Spin", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, 0, 0, nullptr);
  HWND spin = zq::ui::CreateControl(w, Kind::Spin, 4, "", RECT{10, 10, 100, 30});
  zq::ui::Update(spin, [](zq::ui::WindowState& s) {
    s.low = 0;
    s.high = 5;
    s.step = 0.1;
    s.text = "1.5";
    s.value = 2;
  });
  OnWidget<QDoubleSpinBox>(spin, [](QDoubleSpinBox& sp) {
    EXPECT_EQ(sp.decimals(), 1);
    EXPECT_DOUBLE_EQ(sp.singleStep(), 0.1);
    EXPECT_DOUBLE_EQ(sp.value(), 1.5);
    sp.setValue(2.3);
  });
  auto command = Posted(w, WM_COMMAND);
  ASSERT_TRUE(command);
  EXPECT_EQ(command->wParam, (WPARAM{EN_CHANGE} << 16) | 4u);
  EXPECT_EQ(zq::ui::Snapshot(spin)->text, "2.3");
  DestroyWindow(w);
}

// A value changed through the accessibility interface (as screen readers and desktop automation
// change it) is the model's, as one the mouse changes: a check box toggled or clicked is
// checked once and tells the parent, an entry's and a combo's text, a spin box's value.
TEST(QtInput, ValuesChangedThroughTheAccessibilityInterfaceAreTheModels) {
  HWND w = CreateWindowExA(0, "Values", WS_POPUP | WS_VISIBLE, 0, 0, 400, 200, 0, 0, nullptr);
  HWND box = zq::ui::CreateControl(w, Kind::Check, 7, "Deep", RECT{10, 10, 100, 30});
  HWND entry = zq::ui::CreateControl(w, Kind::Edit, 5, "", RECT{10, 40, 200, 60});
  HWND combo = zq::ui::CreateControl(w, Kind::Combo, 6, "", RECT{10, 70, 200, 90});
  HWND spin = zq::ui::CreateControl(w, Kind::Spin, 4, "", RECT{10, 100, 100, 120});
  zq::ui::Update(combo, [](zq::ui::WindowState& s) { s.rows = {{{"Top"}, 0, 0, {}}, {{"Bottom"}, 0, 0, {}}}; });
  zq::ui::Update(spin, [](zq::ui::WindowState& s) {
    s.high = 10;
    s.step = 1;
    s.text = "1";
  });
  auto accessible = [](QWidget& on) { return QAccessible::queryAccessibleInterface(&on); };
  auto commands = [&] {
    zq::ui::Flush();  // the box's check for a click of its own has run
    std::vector<WPARAM> seen;
    while (auto m = Posted(w, WM_COMMAND)) seen.push_back(m->wParam);
    return seen;
  };
  const std::vector<WPARAM> onceClicked{(WPARAM{BN_CLICKED} << 16) | 7u};
  commands();
  OnWidget<QCheckBox>(box, [&](QCheckBox& b) {
    accessible(b)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  });
  EXPECT_EQ(commands(), onceClicked);
  EXPECT_EQ(zq::ui::Snapshot(box)->value, 1);
  OnWidget<QCheckBox>(box, [&](QCheckBox& b) { QTest::mouseClick(&b, Qt::LeftButton); });
  EXPECT_EQ(commands(), onceClicked);
  EXPECT_EQ(zq::ui::Snapshot(box)->value, 0);
  OnWidget<QCheckBox>(box, [](QCheckBox& b) { EXPECT_FALSE(b.isChecked()); });

  OnWidget<QLineEdit>(entry, [&](QLineEdit& e) { accessible(e)->setText(QAccessible::Value, "D:\\Films"); });
  zq::ui::Flush();
  EXPECT_EQ(zq::ui::Snapshot(entry)->text, "D:\\Films");
  OnWidget<QComboBox>(combo, [&](QComboBox& c) { accessible(*c.lineEdit())->setText(QAccessible::Value, "Middle"); });
  zq::ui::Flush();
  EXPECT_EQ(zq::ui::Snapshot(combo)->text, "Middle");
  OnWidget<QDoubleSpinBox>(spin, [&](QDoubleSpinBox& sp) { accessible(sp)->valueInterface()->setCurrentValue(7); });
  zq::ui::Flush();
  EXPECT_EQ(zq::ui::Snapshot(spin)->text, "7");
  EXPECT_EQ(commands(), std::vector<WPARAM>{(WPARAM{EN_CHANGE} << 16) | 4u});
  // The program's own changes are shown, not reported back.
  zq::ui::Update(entry, [](zq::ui::WindowState& s) { s.text = "E:\\"; });
  zq::ui::Update(box, [](zq::ui::WindowState& s) { s.value = 1; });
  OnWidget<QLineEdit>(entry, [](QLineEdit& e) { EXPECT_EQ(e.text(), "E:\\"); });
  OnWidget<QCheckBox>(box, [](QCheckBox& b) { EXPECT_TRUE(b.isChecked()); });
  EXPECT_EQ(commands(), std::vector<WPARAM>{});
  EXPECT_EQ(zq::ui::Snapshot(entry)->text, "E:\\");
  DestroyWindow(w);
}

TEST(QtInput, AKeyIsTheModelsInputOnceWhereverQtPassesItOn) {
  HWND w = CreateWindowExA(0, "Keys", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, 0, 0, nullptr);
  HWND button = zq::ui::CreateControl(w, Kind::Button, 1, "Go", RECT{10, 10, 100, 30});
  HWND entry = zq::ui::CreateControl(w, Kind::Edit, 2, "", RECT{10, 40, 100, 60});
  struct Case {
    HWND on;
    int key;
  };
  for (Case c : {Case{button, Qt::Key_F9}, Case{entry, Qt::Key_F2}, Case{entry, Qt::Key_A}, Case{w, Qt::Key_Escape}}) {
    OnWidget<QWidget>(c.on, [&](QWidget& widget) {
      QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier);
      QKeyEvent release(QEvent::KeyRelease, c.key, Qt::NoModifier);
      QApplication::sendEvent(&widget, &press);
      QApplication::sendEvent(&widget, &release);
    });
    std::vector<HWND> down;
    for (auto m = Posted(0, WM_KEYDOWN); m; m = Posted(0, WM_KEYDOWN)) down.push_back(m->hwnd);
    EXPECT_EQ(down, std::vector<HWND>{c.on}) << c.key;
  }
  DestroyWindow(w);
}

TEST(QtInput, SpaceOnAButtonOrCheckBoxIsOnlyTheModelsKey) {
  HWND w = CreateWindowExA(0, "Space", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, 0, 0, nullptr);
  HWND check = zq::ui::CreateControl(w, Kind::Check, 1, "Keep", RECT{10, 10, 100, 30});
  HWND button = zq::ui::CreateControl(w, Kind::Button, 2, "Go", RECT{10, 40, 100, 60});
  for (HWND on : {check, button}) {
    OnWidget<QAbstractButton>(on, [](QAbstractButton& b) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ");
      QApplication::sendEvent(&b, &press);
      QApplication::sendEvent(&b, &release);
    });
    OnWidget<QAbstractButton>(on, [](QAbstractButton&) {});  // Qt's own click would come by now
    EXPECT_TRUE(Posted(on, WM_KEYDOWN));
    EXPECT_FALSE(Posted(w, WM_COMMAND));
  }
  EXPECT_EQ(zq::ui::Snapshot(check)->value, 0);
  DestroyWindow(w);
}

TEST(QtInput, AKeyTheControlTakesIsOnlyTheModelsInput) {
  HWND w = CreateWindowExA(0, "Taken", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, 0, 0, nullptr);
  HWND list = zq::ui::CreateControl(w, Kind::List, 3, "", RECT{10, 10, 290, 190});
  for (bool taken : {true, false}) {
    zq::ui::Update(list, [&](zq::ui::WindowState& s) {
      s.columns = {{"Name", 150, zq::ui::Align::Left}};
      s.rows = std::vector<zq::ui::Row>(3, zq::ui::Row{{"x"}, 0, 0, {}});
      s.value = 0;
      s.takenKeys = taken ? std::vector<uint32_t>{VK_DOWN} : std::vector<uint32_t>{};
    });
    OnWidget<QTreeView>(list, [](QTreeView& v) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
      QApplication::sendEvent(&v, &press);
    });
    OnWidget<QTreeView>(list, [](QTreeView&) {});
    EXPECT_TRUE(Posted(list, WM_KEYDOWN)) << taken;
    EXPECT_EQ(zq::ui::Snapshot(list)->value, taken ? 0 : 1) << taken;
    MSG m;
    while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
    }
  }
  DestroyWindow(w);
}

TEST(QtInput, AControlThatTakesNoFocusByClickLeavesItWhereItIs) {
  HWND w = CreateWindowExA(0, "Skip", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, 0, 0, nullptr);
  HWND entry = zq::ui::CreateControl(w, Kind::Edit, 1, "", RECT{10, 10, 200, 30});
  HWND button = zq::ui::CreateControl(w, Kind::Button, 2, "F5 Copy", RECT{10, 40, 100, 60});
  HWND list = zq::ui::CreateControl(w, Kind::List, 3, "", RECT{10, 70, 290, 190});
  zq::ui::Update(list, [](zq::ui::WindowState& s) {
    s.columns = {{"Name", 150, zq::ui::Align::Left}};
    s.rows = std::vector<zq::ui::Row>(3, zq::ui::Row{{"x"}, 0, 0, {}});
  });
  struct Case {
    HWND on;
    bool byClick;
    HWND focus;
  };
  for (Case c : {Case{button, false, entry}, Case{list, false, entry}, Case{button, true, button}}) {
    SetFocus(entry);
    zq::ui::Update(c.on, [&](zq::ui::WindowState& s) { s.focusByClick = c.byClick; });
    OnWidget<QWidget>(c.on, [&](QWidget& widget) {
      QWidget* target = &widget;
      if (auto* v = qobject_cast<QTreeView*>(&widget)) target = v->viewport();
      // As from the window system: only such a press gives the focus by the widget's policy.
      QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    });
    zq::ui::Flush();
    EXPECT_EQ(GetFocus(), c.focus) << c.on;
  }
  DestroyWindow(w);
}

TEST(QtInput, ADisabledWindowRefusesTheUsersInputAndKeepsItsLook) {
  HWND w = CreateWindowExA(0, "Below", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, 0, 0, nullptr);
  HWND button = zq::ui::CreateControl(w, Kind::Button, 1, "Go", RECT{10, 10, 100, 30});
  HWND entry = zq::ui::CreateControl(w, Kind::Edit, 2, "", RECT{10, 40, 200, 60});
  for (bool enabled : {false, true}) {
    EnableWindow(w, enabled);
    OnWidget<QPushButton>(button, [&](QPushButton& b) {
      EXPECT_TRUE(b.isEnabled());  // not grayed
      QTest::mouseClick(&b, Qt::LeftButton);
    });
    OnWidget<QLineEdit>(entry, [](QLineEdit& e) { QTest::keyClicks(&e, "ab"); });
    zq::ui::Flush();
    EXPECT_EQ(Posted(button, WM_LBUTTONDOWN).has_value(), enabled);
    EXPECT_EQ(zq::ui::Snapshot(entry)->text, enabled ? "ab" : "");
    MSG m;
    while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
    }
  }
  DestroyWindow(w);
}

TEST(QtInput, AFileDialogIsModalToItsOwnersWindowOnly) {
  HWND owner = CreateWindowExA(0, "Main", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, 0, 0, nullptr);
  HWND ownerButton = zq::ui::CreateControl(owner, Kind::Button, 1, "Scan", RECT{10, 10, 100, 30});
  HWND other = CreateWindowExA(0, "Explorer", WS_POPUP | WS_VISIBLE, 320, 0, 300, 200, 0, 0, nullptr);
  HWND otherButton = zq::ui::CreateControl(other, Kind::Button, 1, "F5 Copy", RECT{10, 10, 100, 30});
  zq::ui::Flush();
  std::thread asking([&] { zq::ui::AskFileName({zq::ui::FileDialogKind::Folder, owner, "Select Root", "", "/tmp"}); });
  while (zq::ui::OpenQuestions().empty()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  zq::ui::Flush();
  QMetaObject::invokeMethod(
      qApp,
      [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
        ASSERT_NE(dialog->parentWidget(), nullptr);
        EXPECT_EQ(dialog->parentWidget()->window()->property("zqHwnd").toUInt(), owner);
      },
      Qt::BlockingQueuedConnection);
  // As the window system delivers a click: a window the dialog blocks never sees it.
  for (HWND on : {otherButton, ownerButton}) {
    OnWidget<QPushButton>(on, [](QPushButton& b) {
      QTest::mouseClick(b.window()->windowHandle(), Qt::LeftButton, {}, b.mapTo(b.window(), b.rect().center()));
    });
  }
  EXPECT_TRUE(Posted(otherButton, WM_LBUTTONDOWN));
  EXPECT_FALSE(Posted(ownerButton, WM_LBUTTONDOWN));
  zq::ui::input::AnswerQuestion(zq::ui::Answer::Cancelled());
  asking.join();
  MSG m;
  while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
  }
  DestroyWindow(other);
  DestroyWindow(owner);
}

TEST(QtInput, AnEntryShowsTheSelectionTheProgramSets) {
  HWND w = CreateWindowExA(0, "Caret", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, 0, 0, nullptr);
  HWND entry = zq::ui::CreateControl(w, Kind::Edit, 2, "h\xC3\xA9llo", RECT{10, 10, 200, 30});
  struct Case {
    int32_t selStart, selEnd;  // bytes
    int cursor;
    const char* selected;
  };
  for (Case c : {Case{0, 6, 5, "h\xC3\xA9llo"}, Case{3, 3, 2, ""}, Case{1, 4, 3, "\xC3\xA9l"}}) {
    zq::ui::Update(entry, [&](zq::ui::WindowState& s) {
      s.selStart = c.selStart;
      s.selEnd = c.selEnd;
    });
    OnWidget<QLineEdit>(entry, [&](QLineEdit& e) {
      EXPECT_EQ(e.cursorPosition(), c.cursor);
      EXPECT_EQ(e.selectedText(), QString::fromUtf8(c.selected));
    });
  }
  DestroyWindow(w);
}

}  // namespace

namespace {

struct Seen {
  HWND hwnd;
  uint32_t message;
  WPARAM wParam;
  bool operator==(const Seen&) const = default;
};

// Every message queued for this thread, taken off the queue.
std::vector<Seen> Drain() {
  std::vector<Seen> out;
  MSG m{};
  while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
    if (m.message != WM_NULL) out.push_back(Seen{m.hwnd, m.message, m.wParam});
  }
  return out;
}

// The close button, moving and sizing by the user, and clicks reach the owning thread as the
// messages Windows sends, and a refused close leaves the window shown.
TEST(QtInput, CloseMovesSizesAndClicksOfTheUserBecomeMessages) {
  HWND w = CreateWindowExA(0, "User", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 30, 300, 200, 0, 0, nullptr);
  HWND go = zq::ui::CreateControl(w, Kind::Button, 9, "Go", RECT{10, 10, 100, 30});
  const WPARAM clicked = 9;
  const WPARAM doubleClicked = (WPARAM{BN_DOUBLECLICKED} << 16) | 9u;
  struct Case {
    const char* what;
    HWND on;
    std::function<void(QWidget&)> act;
    std::vector<Seen> expected;
  } cases[] = {
      {"close", w, [](QWidget& t) { t.close(); }, {{w, WM_SYSCOMMAND, static_cast<WPARAM>(SC_CLOSE)}}},
      {"move", w, [](QWidget& t) { t.setGeometry(70, 60, 300, 200); }, {{w, WM_MOVE, 0}}},
      {"size", w, [](QWidget& t) { t.setGeometry(70, 60, 320, 240); }, {{w, WM_SIZE, 0}}},
      {"click", go, [](QWidget& b) { static_cast<QAbstractButton&>(b).click(); },
       {{go, WM_LBUTTONDOWN, 1}, {go, WM_LBUTTONUP, 0}, {w, WM_COMMAND, clicked}}},
      {"double click", go,
       [](QWidget& b) {
         QPoint at(5, 5);
         QMouseEvent twice(QEvent::MouseButtonDblClick, at, b.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                           Qt::NoModifier);
         QApplication::sendEvent(&b, &twice);
       },
       {{go, WM_LBUTTONDBLCLK, 1}, {w, WM_COMMAND, doubleClicked}}},
  };
  Drain();
  for (const Case& c : cases) {
    OnWidget<QWidget>(c.on, [&](QWidget& widget) {
      c.act(widget);
      QCoreApplication::processEvents();  // the window system's answer to a move or size
    });
    EXPECT_EQ(Drain(), c.expected) << c.what;
  }
  RECT r{};
  ASSERT_TRUE(GetWindowRect(w, &r));
  EXPECT_EQ((std::vector{r.left, r.top, r.right, r.bottom}), (std::vector{70, 60, 390, 300}));
  EXPECT_TRUE(IsWindowVisible(w));
  OnWidget<QWidget>(w, [](QWidget& t) { EXPECT_TRUE(t.isVisible()); });
  DestroyWindow(w);
}

// Moves and sizes by the program, however quick, are not undone by the presenter's echo of
// an earlier one, and do not come back as the user's.
TEST(QtInput, TheProgramsMovesStayAndAreNotReportedBack) {
  HWND w = CreateWindowExA(0, "Moved", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100, 0, 0, nullptr);
  zq::ui::Flush();
  Drain();
  for (int32_t i = 0; i < 50; ++i) {
    ASSERT_TRUE(MoveWindow(w, 10 + i, 20 + i, 200 + i, 100 + i, true));
    if (i % 7 == 0) zq::ui::Flush();
  }
  OnWidget<QWidget>(w, [](QWidget&) { QCoreApplication::processEvents(); });
  zq::ui::Flush();
  RECT r{};
  ASSERT_TRUE(GetWindowRect(w, &r));
  EXPECT_EQ((std::vector{r.left, r.top, r.right, r.bottom}), (std::vector{59, 69, 308, 218}));
  EXPECT_EQ(Drain(), std::vector<Seen>{});
  OnWidget<QWidget>(w, [](QWidget& t) { EXPECT_EQ(t.geometry(), QRect(59, 69, 249, 149)); });
  DestroyWindow(w);
}

}  // namespace
