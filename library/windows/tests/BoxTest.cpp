#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "BoxHarness.h"
#include "zqplatform/uiinput.h"
#include "zqvantor/windows.h"

// These tests run on the model alone.
const bool kNullPresenter = zq::ui::UsePresenter("null");

namespace {

using boxtest::BoxWindow;
using boxtest::Edit;

TEST(FloatingBox, DownCodes) {
  const std::pair<int32_t, int32_t> cases[] = {{0, 0}, {65536, -2}, {-1, -2}, {777, -3}, {65535, -3}};
  for (auto [handle, code] : cases) EXPECT_EQ(VtorDown(handle), code) << handle;
}

TEST(FloatingBox, LowestFreeHandleAndClosing) {
  int32_t a = VtorUp(5, "first", -1, -1, -1);
  int32_t b = VtorUp(6, "second", -1, -1, -1);
  ASSERT_EQ(a, 1);
  ASSERT_EQ(b, 2);
  HWND boxA = 0;
  for (HWND h : zq::ui::Children(0)) {
    if (auto e = Edit(h); e && e->text == "first") boxA = h;
  }
  ASSERT_NE(boxA, 0u);
  EXPECT_EQ(VtorDown(1), 0);
  // VtorDown has waited for the box's thread: its window and edit are gone.
  EXPECT_FALSE(IsWindow(boxA));
  EXPECT_EQ(VtorDown(1), -3);
  EXPECT_EQ(VtorUp(0, nullptr, -1, -1, -1), 1);
  EXPECT_EQ(VtorDown(1), 0);
  EXPECT_EQ(VtorDown(2), 0);
  EXPECT_EQ(BoxWindow(), 0u);
}

// The text is a host string: a null pointer or a length below 1 is the empty text, the
// length is taken exactly (trailing blanks kept, the rest of a longer buffer left out).
TEST(FloatingBox, TextIsTakenAsPassed) {
  const struct Case {
    int32_t len;
    const char* text;
    std::string shown;
  } cases[] = {
      {0, nullptr, ""}, {20, nullptr, ""}, {-5, "abc", ""},
      {0, "abc", ""}, {3, "abcdef", "abc"}, {6, "wait  ", "wait  "},
  };
  for (const Case& c : cases) {
    int32_t h = VtorUp(c.len, c.text, -1, -1, -1);
    ASSERT_GT(h, 0) << c.len;
    auto e = Edit(BoxWindow());
    ASSERT_TRUE(e);
    EXPECT_EQ(e->text, c.shown) << c.len;
    EXPECT_EQ(VtorDown(h), 0);
  }
}

TEST(FloatingBox, LayoutAndColours) {
  struct Case {
    int32_t text, edit, window;
    COLORREF wantText, wantEdit, wantWindow;
  } cases[] = {
      {-1, -1, -1, 0x000000, 0xFFFFFF, 0x93FFFF},
      {0x0000FF, 0x00FF00, 0xFF0000, 0x0000FF, 0x00FF00, 0xFF0000},
  };
  for (const Case& c : cases) {
    int32_t h = VtorUp(11, "Please wait", c.text, c.edit, c.window);
    ASSERT_GT(h, 0);
    HWND box = BoxWindow();
    auto s = zq::ui::Snapshot(box);
    ASSERT_TRUE(s);
    EXPECT_TRUE(s->visible);
    EXPECT_TRUE(s->topmost);
    EXPECT_TRUE(s->frameless);
    EXPECT_EQ(VTWinGetTop(), box);
    EXPECT_EQ(s->backColour, c.wantWindow);
    EXPECT_NE(s->thread, GetCurrentThreadId());  // the dialog belongs to the box's own thread
    auto e = Edit(box);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->text, "Please wait");
    EXPECT_TRUE(e->readOnly);
    EXPECT_TRUE(e->multiLine);
    EXPECT_EQ(e->align, zq::ui::Align::Center);
    EXPECT_FALSE(e->caretVisible);
    EXPECT_EQ(e->selStart, e->selEnd);
    EXPECT_EQ(e->textColour, c.wantText);
    EXPECT_EQ(e->backColour, c.wantEdit);
    // The box is 177 by 56 dialog units of Arial 15 points, centred on the screen without a
    // title; the edit inside it at 7, 7, 163 by 42.
    EXPECT_EQ(s->font.face, "Arial");
    EXPECT_EQ(s->font.points, 15);
    EXPECT_EQ(s->text, "");
    RECT du = zq::ui::DialogUnitsToPixels(s->font, RECT{7, 7, 177, 56});
    EXPECT_EQ(s->rect.right - s->rect.left, du.right);
    EXPECT_EQ(s->rect.bottom - s->rect.top, du.bottom);
    const RECT screen = zq::ui::WorkArea();
    EXPECT_LE(std::abs((s->rect.left + s->rect.right) - (screen.left + screen.right)), 1);
    EXPECT_LE(std::abs((s->rect.top + s->rect.bottom) - (screen.top + screen.bottom)), 1);
    RECT edit = zq::ui::DialogUnitsToPixels(s->font, RECT{7, 7, 170, 49});
    EXPECT_EQ(e->rect.left, edit.left);
    EXPECT_EQ(e->rect.top, edit.top);
    EXPECT_EQ(e->rect.right, edit.right);
    EXPECT_EQ(e->rect.bottom, edit.bottom);
    EXPECT_NE(e->style & WS_VSCROLL, 0u);
    auto cancel = zq::ui::Snapshot(GetDlgItem(box, 2));
    ASSERT_TRUE(cancel);
    EXPECT_FALSE(cancel->visible);
    EXPECT_FALSE(cancel->enabled);
    EXPECT_EQ(VtorDown(h), 0);
  }
}

TEST(FloatingBox, EscReturnAndCloseLeaveItOpen) {
  int32_t h = VtorUp(4, "Busy", -1, -1, -1);
  ASSERT_GT(h, 0);
  HWND box = BoxWindow();
  HWND edit = GetDlgItem(box, 1004);
  EXPECT_TRUE(zq::ui::input::KeyPress(edit, VK_ESCAPE));
  EXPECT_TRUE(zq::ui::input::KeyPress(edit, VK_RETURN));
  EXPECT_TRUE(zq::ui::input::KeyPress(box, VK_ESCAPE));
  EXPECT_TRUE(zq::ui::input::CloseRequest(box));
  // Sent messages are handled on the box's thread before the call returns.
  SendMessage(box, WM_KEYDOWN, VK_ESCAPE, 1);
  SendMessage(box, WM_SYSCOMMAND, static_cast<WPARAM>(SC_CLOSE), 0);
  SendMessage(box, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(box));
  EXPECT_TRUE(IsWindowVisible(box));
  EXPECT_EQ(VtorDown(h), 0);
  EXPECT_FALSE(IsWindow(box));
}

TEST(FloatingBox, BoxesFromManyThreadsGetDistinctHandles) {
  constexpr int kThreads = 4;
  std::vector<int32_t> handles(kThreads);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) threads.emplace_back([&, i] { handles[i] = VtorUp(1, "x", -1, -1, -1); });
  for (auto& t : threads) t.join();
  std::sort(handles.begin(), handles.end());
  EXPECT_EQ(handles, (std::vector<int32_t>{1, 2, 3, 4}));
  for (int32_t h : handles) EXPECT_EQ(VtorDown(h), 0);
}

}  // namespace
