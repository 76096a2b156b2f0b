#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <future>
#include <memory>
#include <thread>

#include "TrayHarness.h"
#include "frame/CVantor.h"
#include "tray/CSystemTray.h"
#include "zqplatform/uiinput.h"

// These tests run on the model alone.
const bool kNullPresenter = zq::ui::UsePresenter("null");

namespace {

using traytest::Host;
using traytest::Pump;
namespace input = zq::ui::input;

class Tray : public ::testing::Test {
 protected:
  void SetUp() override { zq::ui::SetNullTrayAvailable(true); }
  void TearDown() override {
    UTDestroyTrayIcon();
    zq::ui::SetNullTrayAvailable(false);
  }
  Host host;
};

TEST_F(Tray, CreateChecksItsArgumentsInOrder) {
  struct Case {
    HWND window;
    bool instance;
    const char* name;
    int32_t expected;
  } cases[] = {
      {0, false, nullptr, -6},
      {0, true, "movie_ico", -6},
      {host.window, false, nullptr, -7},
      {host.window, true, nullptr, -8},
      {host.window, true, "missing_ico", -4},
      {0x7FFFFF00, true, "movie_ico", -3},  // no such window
  };
  const auto before = zq::ui::WindowsOfThread(GetCurrentThreadId()).size();
  for (const Case& c : cases) {
    int32_t len = c.name ? static_cast<int32_t>(std::strlen(c.name)) : 5;
    EXPECT_EQ(UTCreateTrayIcon(c.window, c.instance ? host.instance : 0, len, c.name, 0, nullptr, 0, nullptr, 1073,
                               nullptr, 0),
              c.expected);
    EXPECT_FALSE(zq::ui::Tray().present);
  }
  // A failed create leaves no hidden window behind.
  EXPECT_EQ(zq::ui::WindowsOfThread(GetCurrentThreadId()).size(), before);
}

TEST_F(Tray, OneIconAtATimeAndRemovalCodes) {
  EXPECT_EQ(UTDestroyTrayIcon(), -9);
  ASSERT_EQ(host.Create(), 0);
  EXPECT_EQ(host.Create(), -1);
  zq::ui::TrayState t = zq::ui::Tray();
  EXPECT_TRUE(t.present);
  EXPECT_EQ(t.id, 7777u);
  EXPECT_EQ(t.callbackMessage, 1024u);
  EXPECT_EQ(t.tip, "Orvid");
  auto hidden = zq::ui::Snapshot(t.hwnd);
  ASSERT_TRUE(hidden);
  EXPECT_EQ(hidden->text, "CSystemTray Dummy Window");
  EXPECT_FALSE(hidden->visible);
  EXPECT_EQ(UTDestroyTrayIcon(), 0);
  EXPECT_FALSE(IsWindow(t.hwnd));
  EXPECT_EQ(UTDestroyTrayIcon(), -9);
  EXPECT_EQ(host.Create(), 0);
}

TEST_F(Tray, MissingNotificationAreaRefusesTheIcon) {
  zq::ui::SetNullTrayAvailable(false);
  const auto before = zq::ui::WindowsOfThread(GetCurrentThreadId()).size();
  EXPECT_EQ(host.Create(), -5);
  EXPECT_EQ(zq::ui::WindowsOfThread(GetCurrentThreadId()).size(), before);
  EXPECT_EQ(UTDestroyTrayIcon(), -9);
}

// A notification area that refuses: the calls report it, and a refused removal leaves the
// icon, its hidden window and the wrapper in place for another try.
TEST_F(Tray, RefusedCallsReportAndRemovalCanBeRetried) {
  ASSERT_EQ(host.Create(), 0);
  const HWND hidden = zq::ui::Tray().hwnd;
  zq::ui::SetNullTrayAvailable(false);
  EXPECT_EQ(UTChangeTrayIcon(host.instance, 9, "other_ico"), -5);
  EXPECT_EQ(UTSetTrayNotificationWin(3, "tip", 0, -1), -5);
  EXPECT_EQ(UTDestroyTrayIcon(), -10);
  EXPECT_TRUE(IsWindow(hidden));
  EXPECT_EQ(host.Create(), -1);
  ASSERT_TRUE(input::TrayDoubleClick());  // the wrapper still toggles the window
  Pump();
  EXPECT_TRUE(UTIsTrayWinHidden());
  EXPECT_FALSE(IsWindowVisible(host.window));
  zq::ui::SetNullTrayAvailable(true);
  EXPECT_EQ(UTDestroyTrayIcon(), 0);
  EXPECT_FALSE(IsWindow(hidden));
  EXPECT_FALSE(zq::ui::Tray().present);
  // Removal leaves the hidden flag alone; the next double click shows the window again.
  EXPECT_TRUE(UTIsTrayWinHidden());
  ASSERT_EQ(host.Create(), 0);
  ASSERT_TRUE(input::TrayDoubleClick());
  Pump();
  EXPECT_FALSE(UTIsTrayWinHidden());
  EXPECT_TRUE(IsWindowVisible(host.window));
}

// A tray object that goes while the notification area refuses the removal takes its hidden
// window with it: no message can reach the object after it is gone.
TEST_F(Tray, DestroyedObjectLeavesNoHiddenWindow) {
  auto tray = std::make_unique<CSystemTray>();
  ASSERT_EQ(tray->Create(host.window, host.instance, "movie_ico", "tip", "", 1073, nullptr, 0), 0);
  const zq::ui::TrayState shown = zq::ui::Tray();
  zq::ui::SetNullTrayAvailable(false);
  tray.reset();
  EXPECT_FALSE(IsWindow(shown.hwnd));
  EXPECT_FALSE(input::TrayDoubleClick());
  zq::ui::SetNullTrayAvailable(true);
  NOTIFYICONDATAA left{};
  left.uID = shown.id;
  EXPECT_TRUE(Shell_NotifyIconA(NIM_DELETE, &left));  // the icon the refusal left behind
}

// Unloading the library removes an icon still shown.
TEST_F(Tray, LibraryExitRemovesTheIcon) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        if (host.Create() != 0) std::_Exit(2);
        const HWND hidden = zq::ui::Tray().hwnd;
        CVantor::App().ExitInstance();
        std::_Exit(zq::ui::Tray().present || IsWindow(hidden) ? 1 : 0);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(Tray, TipIsCutTo127Characters) {
  ASSERT_EQ(host.Create("", 1073, &traytest::Callback, std::string(200, 'x')), 0);
  EXPECT_EQ(zq::ui::Tray().tip, std::string(127, 'x'));
  // In the UTF-8 code page the cut does not split a character.
  std::string wide = std::string(126, 'x') + "\xC3\xA9" + "tail";
  EXPECT_EQ(UTSetTrayNotificationWin(static_cast<int32_t>(wide.size()), wide.data(), 0, -1), 0);
  EXPECT_EQ(zq::ui::Tray().tip, std::string(126, 'x'));
  // A byte outside any valid sequence is a character of its own: nothing before it goes.
  std::string stray = std::string(127, 'x') + "\x80tail";
  EXPECT_EQ(UTSetTrayNotificationWin(static_cast<int32_t>(stray.size()), stray.data(), 0, -1), 0);
  EXPECT_EQ(zq::ui::Tray().tip, std::string(127, 'x'));
  EXPECT_EQ(UTSetTrayNotificationWin(3, "New", 0, -1), 0);
  EXPECT_EQ(zq::ui::Tray().tip, "New");
  EXPECT_EQ(UTSetTrayNotificationWin(0, nullptr, 0, -1), 0);  // an empty tip keeps the old one
  EXPECT_EQ(zq::ui::Tray().tip, "New");
}

TEST_F(Tray, ChangeAndNotificationCodes) {
  EXPECT_EQ(UTChangeTrayIcon(host.instance, 9, "other_ico"), -1);
  EXPECT_EQ(UTSetTrayNotificationWin(3, "tip", 0, -1), -9);
  ASSERT_EQ(host.Create(), 0);
  HICON first = zq::ui::Tray().icon;
  EXPECT_EQ(UTChangeTrayIcon(host.instance, 5, nullptr), 0);
  EXPECT_EQ(zq::ui::Tray().icon, first);
  EXPECT_EQ(UTChangeTrayIcon(host.instance, 7, "nothing"), -4);
  EXPECT_EQ(UTChangeTrayIcon(host.instance, 9, "OTHER_ICO"), 0);  // names are case-blind
  EXPECT_NE(zq::ui::Tray().icon, first);
  // A new user value reaches the callback; -1 keeps it.
  EXPECT_EQ(UTSetTrayNotificationWin(0, nullptr, 0, 77), 0);
  EXPECT_EQ(UTSetTrayNotificationWin(0, nullptr, 0, -1), 0);
  input::TrayDoubleClick();
  input::TrayDoubleClick();  // hidden and shown again
  Pump();
  ASSERT_EQ(traytest::calls.size(), 2u);
  EXPECT_EQ(traytest::calls[0], std::make_pair(1073, 77));
  EXPECT_FALSE(UTIsTrayWinHidden());
  // A new window receives the icon's messages from then on, and the icon can still go.
  EXPECT_EQ(UTSetTrayNotificationWin(0, nullptr, host.window, -1), 0);
  EXPECT_EQ(zq::ui::Tray().hwnd, host.window);
  EXPECT_EQ(UTDestroyTrayIcon(), 0);
}

TEST_F(Tray, DoubleClickTogglesAndCallsBack) {
  struct Case {
    int32_t command;
    bool toggles;
    bool calls;
  } cases[] = {{1073, true, true}, {1024, true, true}, {500, true, false}, {0, true, false}, {-1, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    ASSERT_EQ(host.Create("", c.command), 0);
    traytest::calls.clear();
    const bool hiddenBefore = UTIsTrayWinHidden() != 0;
    const bool visibleBefore = IsWindowVisible(host.window);
    ASSERT_TRUE(input::TrayDoubleClick());
    Pump();
    EXPECT_EQ(IsWindowVisible(host.window), c.toggles ? hiddenBefore : visibleBefore);
    EXPECT_EQ(UTIsTrayWinHidden() != 0, c.toggles ? !hiddenBefore : hiddenBefore);
    ASSERT_EQ(traytest::calls.size(), c.calls ? 1u : 0u);
    if (c.calls) {
      EXPECT_EQ(traytest::calls[0], std::make_pair(c.command, 42));
    }
    ASSERT_TRUE(input::TrayDoubleClick());  // and back again
    Pump();
    if (c.toggles) {
      EXPECT_TRUE(IsWindowVisible(host.window));
      EXPECT_EQ(GetForegroundWindow(), host.window);
    }
    EXPECT_EQ(traytest::calls.size(), c.calls ? 2u : 0u);
    EXPECT_EQ(UTDestroyTrayIcon(), 0);
  }
}

DWORD callbackThread = 0;
void RecordThread(int32_t, int32_t) {
  callbackThread = GetCurrentThreadId();
  PostQuitMessage(0);
}

// The icon's messages, and so the callback, run in the loop of the thread that created it,
// whichever thread the input comes from.
TEST_F(Tray, CallbackRunsOnTheCreatingThread) {
  std::promise<DWORD> created;
  std::thread creator([&] {
    Host own;
    created.set_value(own.Create("", 1073, &RecordThread) == 0 ? GetCurrentThreadId() : 0);
    MSG m;
    while (GetMessage(&m, 0, 0, 0) > 0) DispatchMessage(&m);
  });
  const DWORD owner = created.get_future().get();
  const bool clicked = owner != 0 && input::TrayDoubleClick();
  if (!clicked && owner != 0) PostThreadMessage(owner, WM_QUIT, 0, 0);
  creator.join();
  ASSERT_TRUE(clicked);
  EXPECT_EQ(callbackThread, owner);
  EXPECT_NE(callbackThread, GetCurrentThreadId());
}

TEST_F(Tray, MenuGoesToTheCallbackOrAsACommandToTheWindow) {
  const std::string menu = "Open;1100| - ;5|Save;900|Save; 1200|Help;12|Exit;1101";
  for (bool withCallback : {true, false}) {
    SCOPED_TRACE(withCallback);
    ASSERT_EQ(host.Create(menu, 1073, withCallback ? &traytest::Callback : nullptr), 0);
    traytest::calls.clear();
    traytest::received.clear();
    input::MenuChoice(1200);
    ASSERT_TRUE(input::TrayRightClick());
    Pump();
    zq::ui::TrackedMenu tracked = zq::ui::LastTrackedMenu();
    EXPECT_EQ(tracked.owner, host.window);
    EXPECT_EQ(tracked.flags, withCallback ? 384u : 0u);
    ASSERT_EQ(tracked.items.size(), 4u);
    EXPECT_EQ(tracked.items[0].text, "Open");
    EXPECT_EQ(tracked.items[0].command, 1100u);
    EXPECT_TRUE(tracked.items[1].separator);
    EXPECT_EQ(tracked.items[2].text, "Save");
    EXPECT_EQ(tracked.items[2].command, 1200u);
    EXPECT_EQ(tracked.items[3].command, 1101u);
    int commands = 0;
    for (const MSG& m : traytest::received) commands += m.message == WM_COMMAND && (m.wParam & 0xFFFF) == 1200;
    if (withCallback) {
      ASSERT_EQ(traytest::calls.size(), 1u);
      EXPECT_EQ(traytest::calls[0], std::make_pair(1200, 42));
      EXPECT_EQ(commands, 0);
    } else {
      EXPECT_TRUE(traytest::calls.empty());
      EXPECT_EQ(commands, 1);
    }
    EXPECT_EQ(UTDestroyTrayIcon(), 0);
  }
}

TEST_F(Tray, IconMessagesAnswerOneOnlyForTheIconNumber) {
  ASSERT_EQ(host.Create(""), 0);
  HWND hidden = zq::ui::Tray().hwnd;
  HMENU before = zq::ui::LastTrackedMenu().menu;
  EXPECT_EQ(SendMessage(hidden, 1024, 7777, WM_RBUTTONUP), 1);  // empty menu: nothing to show
  EXPECT_EQ(zq::ui::LastTrackedMenu().menu, before);
  EXPECT_EQ(SendMessage(hidden, 1024, 7777, 0x0200), 1);
  EXPECT_EQ(SendMessage(hidden, 1024, 1234, WM_LBUTTONDBLCLK), 0);
  EXPECT_TRUE(traytest::calls.empty());
}

}  // namespace
