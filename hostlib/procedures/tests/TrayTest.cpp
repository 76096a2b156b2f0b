#include <gtest/gtest.h>

#include "ZQ_Vantor.h"
#include "hostlib/Procedures.h"
#include "zqplatform/uiinput.h"
#include "zqplatform/uimodel.h"
#include "zqruntime/threads.h"
#include "zqruntime/window.h"

namespace {

constexpr int32_t kTrayEvent = zq::rt::kUserEvent + 0x31;

class TrayCallback : public ::testing::Test {
 protected:
  void SetUp() override {
    zq::ui::SetNullTrayAvailable(true);
    HINSTANCE instance = zq::ui::CreateInstance();
    zq::ui::AddIconResource(instance, "orvid_ico", "");
    zq::rt::SetIconInstance(instance);
    zq::rt::WindowDef def;
    def.title = "Main";
    def.width = 120;
    def.height = 60;
    window = std::make_unique<zq::rt::Window>(def);
    ASSERT_TRUE(window->Open());
  }
  void TearDown() override {
    UTDestroyTrayIcon();
    window->Close();
    zq::rt::SetIconInstance(0);
    zq::ui::SetNullTrayAvailable(false);
  }
  // The program events the window's loop sees, ended by a marker event posted behind them; the
  // tray's own message takes one more turn of the loop before its event is posted, so the
  // marker goes round a few times.
  std::vector<int32_t> ProgramEvents() {
    constexpr int32_t kMarker = 0x7FF;
    std::vector<int32_t> events;
    int markers = 3;
    window->Post(kMarker);
    while (window->Accept()) {
      if (window->Event() < zq::rt::kUserEvent) continue;
      if (window->Event() != kMarker) {
        events.push_back(window->Event());
      } else if (--markers == 0) {
        break;
      } else {
        window->Post(kMarker);
      }
    }
    return events;
  }
  std::unique_ptr<zq::rt::Window> window;
};

TEST_F(TrayCallback, ADoubleClickPostsTheEventToTheCreatingThread) {
  ASSERT_EQ(CREATETRAYICON(window->Handle(), "orvid_ico", "Orvid", "", kTrayEvent), 0);
  ASSERT_TRUE(zq::ui::input::TrayDoubleClick());
  EXPECT_EQ(ProgramEvents(), std::vector<int32_t>{kTrayEvent});
}

TEST_F(TrayCallback, AMenuChoicePostsTheItemNumber) {
  ASSERT_EQ(CREATETRAYICON(window->Handle(), "orvid_ico", "Orvid", "Open;1100|Exit;1101", kTrayEvent), 0);
  zq::ui::input::MenuChoice(1101);
  ASSERT_TRUE(zq::ui::input::TrayRightClick());
  EXPECT_EQ(ProgramEvents(), std::vector<int32_t>{1101});
}

TEST_F(TrayCallback, PostItReachesTheThreadsActiveWindow) {
  POSTIT(zq::rt::kUserEvent + 0x20, static_cast<int32_t>(zq::rt::CurrentThread()));
  EXPECT_EQ(ProgramEvents(), std::vector<int32_t>{zq::rt::kUserEvent + 0x20});
}

TEST_F(TrayCallback, CreateFailuresAreTheLibrarysCodes) {
  EXPECT_EQ(CREATETRAYICON(window->Handle(), "missing_ico", "Orvid", "", kTrayEvent), -4);
  EXPECT_EQ(CREATETRAYICON(0, "orvid_ico", "Orvid", "", kTrayEvent), -6);
  ASSERT_EQ(CREATETRAYICON(window->Handle(), "orvid_ico", "Orvid", "", kTrayEvent), 0);
  EXPECT_EQ(CREATETRAYICON(window->Handle(), "orvid_ico", "Orvid", "", kTrayEvent), -1);  // one icon at a time
}

}  // namespace
