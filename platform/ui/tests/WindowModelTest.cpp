// The model's windows, controls, input, menus, icons and tray with the null presenter.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <vector>

#include "zqplatform/msgbox.h"
#include "zqplatform/uiinput.h"
#include "zqplatform/uimodel.h"

// These tests run on the model alone.
const bool kNullPresenter = zq::ui::UsePresenter("null");

namespace {

namespace input = zq::ui::input;
using zq::ui::Kind;

std::vector<MSG> Drain() {
  std::vector<MSG> out;
  MSG m;
  while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
    out.push_back(m);
    DispatchMessage(&m);
  }
  return out;
}

struct Top {
  explicit Top(uint32_t style = WS_OVERLAPPEDWINDOW | WS_VISIBLE)
      : hwnd(CreateWindowExA(0, "top", style, 0, 0, 200, 100, 0, 0, nullptr)) {}
  ~Top() { DestroyWindow(hwnd); }
  HWND hwnd;
};

TEST(WindowModel, NullPresenterIsChosen) { EXPECT_EQ(zq::ui::PresenterName(), "null"); }

TEST(WindowModel, ChildrenTheirRectanglesAndDestruction) {
  Top top;
  ASSERT_TRUE(SetWindowPos(top.hwnd, 0, 50, 40, 300, 200, SWP_NOZORDER));
  HWND panel = zq::ui::CreateControl(top.hwnd, Kind::Panel, 1, "", RECT{10, 10, 110, 60});
  HWND text = zq::ui::CreateControl(panel, Kind::Text, 2, "Name", RECT{5, 5, 55, 15});
  ASSERT_NE(text, 0u);
  EXPECT_EQ(zq::ui::Children(top.hwnd), std::vector<HWND>{panel});
  EXPECT_EQ(GetDlgItem(panel, 2), text);
  EXPECT_EQ(GetParent(text), panel);
  RECT r;
  ASSERT_TRUE(GetWindowRect(text, &r));
  EXPECT_EQ(r.left, 65);
  EXPECT_EQ(r.top, 55);
  EXPECT_EQ(r.right, 115);
  char buffer[3];
  EXPECT_EQ(GetWindowTextA(text, buffer, sizeof buffer), 2);
  EXPECT_STREQ(buffer, "Na");
  EXPECT_TRUE(IsWindowVisible(text));
  ShowWindow(top.hwnd, SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(text));
  EXPECT_EQ(zq::ui::CreateControl(0x7FFFFF00, Kind::Edit, 3, "", RECT{}), 0u);
  DestroyWindow(panel);
  EXPECT_FALSE(IsWindow(text));
  EXPECT_TRUE(IsWindow(top.hwnd));
}

TEST(WindowModel, ClicksTogglesAndCommands) {
  Top top;
  HWND check = zq::ui::CreateControl(top.hwnd, Kind::Check, 12, "Sub", RECT{});
  HWND r1 = zq::ui::CreateControl(top.hwnd, Kind::Radio, 20, "A", RECT{});
  HWND r2 = zq::ui::CreateControl(top.hwnd, Kind::Radio, 21, "B", RECT{});
  HWND off = zq::ui::CreateControl(top.hwnd, Kind::Button, 8, "Go", RECT{}, WS_CHILD | WS_VISIBLE | WS_DISABLED);
  Drain();
  EXPECT_TRUE(input::Click(check));
  EXPECT_TRUE(input::Click(r2));
  EXPECT_FALSE(input::Click(off));  // disabled controls take no input
  EXPECT_FALSE(input::Click(0x7FFFFF00));
  std::vector<MSG> got = Drain();
  std::vector<uint32_t> commands;
  for (const MSG& m : got) {
    if (m.message == WM_COMMAND) commands.push_back(static_cast<uint32_t>(m.wParam & 0xFFFF));
  }
  EXPECT_EQ(commands, (std::vector<uint32_t>{12, 21}));
  EXPECT_EQ(zq::ui::Snapshot(check)->value, 1);
  EXPECT_EQ(zq::ui::Snapshot(r1)->value, 0);
  EXPECT_EQ(zq::ui::Snapshot(r2)->value, 1);
  input::Click(r1);
  Drain();
  EXPECT_EQ(zq::ui::Snapshot(r2)->value, 0);
}

TEST(WindowModel, KeysAndCloseRequests) {
  std::vector<MSG> seen;
  HWND w = CreateWindowExA(0, "keys", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 10, 10, 0, 0,
                           [&](HWND h, uint32_t m, WPARAM wp, LPARAM lp) {
                             seen.push_back(MSG{h, m, wp, lp, 0, {}});
                             return DefWindowProc(h, m, wp, lp);
                           });
  input::KeyPress(w, VK_F1 + 1, input::kCtrl | input::kShift);
  input::CloseRequest(w);
  Drain();
  ASSERT_GE(seen.size(), 5u);
  EXPECT_EQ(seen[1].message, WM_KEYDOWN);
  EXPECT_EQ(seen[1].wParam, 0x71u);
  EXPECT_EQ((seen[1].lParam >> 16) & 0xFF, 3);
  EXPECT_EQ(seen[2].message, WM_KEYUP);
  EXPECT_EQ(seen[3].message, WM_SYSCOMMAND);
  EXPECT_EQ(seen[4].message, WM_CLOSE);
  EXPECT_FALSE(IsWindow(w));  // the default handling of WM_CLOSE destroys it
}

TEST(WindowModel, ZOrderForegroundAndTopmost) {
  Top a, b;
  Top hidden(WS_OVERLAPPEDWINDOW);
  EXPECT_EQ(GetForegroundWindow(), b.hwnd);
  EXPECT_FALSE(SetForegroundWindow(hidden.hwnd));
  EXPECT_TRUE(SetForegroundWindow(a.hwnd));
  EXPECT_EQ(GetTopWindow(0), a.hwnd);
  SetWindowPos(b.hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(a.hwnd);
  EXPECT_EQ(GetTopWindow(0), b.hwnd);
  SetWindowPos(b.hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_FALSE(zq::ui::Snapshot(b.hwnd)->topmost);
  SetWindowPos(b.hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(zq::ui::Children(0).back(), b.hwnd);
  ShowWindow(a.hwnd, SW_HIDE);
  EXPECT_EQ(GetForegroundWindow(), 0u);
}

TEST(WindowModel, FocusGoesToShownEnabledWindowsOnly) {
  Top top;
  HWND edit = zq::ui::CreateControl(top.hwnd, Kind::Edit, 5, "", RECT{});
  HWND off = zq::ui::CreateControl(top.hwnd, Kind::Edit, 6, "", RECT{}, WS_CHILD | WS_VISIBLE | WS_DISABLED);
  HWND hidden = zq::ui::CreateControl(top.hwnd, Kind::Edit, 7, "", RECT{}, WS_CHILD);
  SetFocus(top.hwnd);
  EXPECT_EQ(SetFocus(edit), top.hwnd);
  EXPECT_EQ(SetFocus(off), 0u);
  EXPECT_EQ(SetFocus(hidden), 0u);
  EXPECT_EQ(GetFocus(), edit);
  DestroyWindow(edit);
  EXPECT_EQ(GetFocus(), 0u);
}

TEST(WindowModel, DialogUnitsFollowTheFont) {
  zq::ui::Font font{"Arial", 15, 400, false};
  zq::ui::FontMetrics fm = zq::ui::Measure(font);
  ASSERT_GT(fm.averageWidth, 0);
  RECT px = zq::ui::DialogUnitsToPixels(font, RECT{4, 8, 400, 80});
  EXPECT_EQ(px.left, fm.averageWidth);
  EXPECT_EQ(px.top, fm.height);
  EXPECT_EQ(px.right, 100 * fm.averageWidth);
  EXPECT_EQ(px.bottom, 10 * fm.height);
  EXPECT_LT(zq::ui::Measure(zq::ui::Font{"Arial", 8, 400, false}).height, fm.height);
}

TEST(WindowModel, MenusReturnOrPostTheChoice) {
  Top owner;
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, 1100, "Open");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING | MF_GRAYED, 1102, "Off");
  Drain();
  struct Case {
    std::optional<uint32_t> choice;
    uint32_t flags;
    int32_t result;
    bool posted;
  } cases[] = {
      {1100, TPM_RETURNCMD, 1100, false}, {1100, 0, 1, true},        {std::nullopt, TPM_RETURNCMD, 0, false},
      {1102, TPM_RETURNCMD, 0, false},    {999, TPM_RETURNCMD, 0, false}, {0, 0, 0, false},
  };
  for (const Case& c : cases) {
    if (c.choice) input::MenuChoice(*c.choice);
    EXPECT_EQ(TrackPopupMenu(menu, c.flags, 5, 6, 0, owner.hwnd, nullptr), c.result);
    int posted = 0;
    for (const MSG& m : Drain()) posted += m.message == WM_COMMAND && m.wParam == 1100;
    EXPECT_EQ(posted, c.posted ? 1 : 0);
  }
  zq::ui::TrackedMenu last = zq::ui::LastTrackedMenu();
  EXPECT_FALSE(last.open);
  EXPECT_EQ(last.items.size(), 3u);
  EXPECT_TRUE(last.items[1].separator);
  EXPECT_TRUE(DestroyMenu(menu));
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner.hwnd, nullptr), 0);
  EXPECT_FALSE(AppendMenuA(menu, MF_STRING, 1, "x"));
}

TEST(WindowModel, TrayIconOfTheNotificationArea) {
  Top owner;
  HINSTANCE inst = zq::ui::CreateInstance();
  ASSERT_TRUE(zq::ui::AddIconResource(inst, "Star.ico", "bytes"));
  HICON icon = LoadIconA(inst, "STAR.ICO");
  ASSERT_NE(icon, 0u);
  EXPECT_EQ(zq::ui::IconImage(icon), "bytes");
  EXPECT_EQ(LoadIconA(inst, "none"), 0u);
  EXPECT_FALSE(zq::ui::AddIconResource(0x7FFFFF00, "x", ""));

  NOTIFYICONDATAA d{};
  d.hWnd = owner.hwnd;
  d.uID = 5;
  d.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  d.uCallbackMessage = WM_USER + 9;
  d.hIcon = icon;
  std::snprintf(d.szTip, sizeof d.szTip, "%s", "tip");
  zq::ui::SetNullTrayAvailable(false);
  EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &d));
  EXPECT_FALSE(input::TrayDoubleClick());
  zq::ui::SetNullTrayAvailable(true);
  ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &d));
  EXPECT_FALSE(Shell_NotifyIconA(NIM_ADD, &d));
  EXPECT_EQ(zq::ui::Tray().tip, "tip");
  Drain();
  input::TrayDoubleClick();
  input::TrayRightClick();
  std::vector<MSG> got = Drain();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].message, WM_USER + 9);
  EXPECT_EQ(got[0].wParam, 5u);
  EXPECT_EQ(got[0].lParam, 515);
  EXPECT_EQ(got[1].lParam, 517);
  d.uID = 6;
  EXPECT_FALSE(Shell_NotifyIconA(NIM_DELETE, &d));
  d.uID = 5;
  EXPECT_TRUE(Shell_NotifyIconA(NIM_DELETE, &d));
  EXPECT_FALSE(zq::ui::Tray().present);
  zq::ui::SetNullTrayAvailable(false);
}

}  // namespace
