// The settings window, driven through the window model's input as a user would: every setting
// shown and kept when untouched, edits of each kind of control, the three tables edited in
// place, the tabs, OK against the close box, the program's close, one window at a time, and
// the values written at the program's close.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "DialogAnswers.h"
#include "app/IniFile.h"
#include "app/SettingsWindow.h"
#include "app/State.h"
#include "orvid/controlnumbers.h"
#include "zqplatform/uiinput.h"
#include "zqplatform/uimodel.h"
#include "zqtest/FileBytes.h"
#include "zqtest/ScratchFolder.h"

namespace {

namespace sw = orvid::res::Settings;
namespace input = zq::ui::input;
using orvid::test::ControlOf;
using orvid::test::WaitFor;

constexpr const char* kTitle = "Settings - V2.191 - Orvid, the media disk maker";

void AddExtension(zq::rt::Queue& q, const char* ext, const char* cover, int no) {
  q.ClearBuffer();
  const EXTFIELDS& EXTF = &q == &AEXTENSIONS ? AEXTF : VEXTF;
  EXTF.EXT.Set(q.Buffer(), ext);
  EXTF.COVER.Set(q.Buffer(), cover);
  EXTF.NOMEDIAURL.Set(q.Buffer(), no);
  q.Add();
}

// Settings as the program writes them, some beyond the narrow ranges a form might offer.
void StoredSettings() {
  RESETSTATE();
  ST.Change([&](SETTINGSGROUP& st) {
    st.CAT1 = {"Bot", -5, 12, 1.25, 6, 3, 10, 20, -4, "small"};
    st.CAT2 = {"Center", 0, 0, 1, 5, 2, 10, 10, 0, "Normal"};
    st.CATBG = {0, 0, 1920, 1080, 1};
    st.ACR = {"folder", "Smaller", 1, "Bicubic", 400, 600};
    st.ABR.NAME = "fanart";
    st.ABR.RESIZE = "Both";
    st.ABR.KEEPAR = 1;
    st.ABR.FILTER = "Fast";
    st.ABR.WIDTH = 1920;
    st.ABR.HEIGHT = 1080;
    st.ABR.DFW = 1920;
    st.ABR.DFH = 1080;
    st.EXPFONTSIZE = 10;
    st.CONFIRMDELETE = 1;
    st.RESIZEIMAGE = 6;
    st.STRIPALPHA = 1;
    st.BACKGROUND = 2;
  });
  AddExtension(VEXTENSIONS, "MKV", "MKV", 0);
  AddExtension(VEXTENSIONS, "M2TS", "BLURAY", 1);
  AddExtension(AEXTENSIONS, "MP3", "", 0);
  QNOSCANF.FNAME.Set(QNOSCAN.Buffer(), "$RECYCLE.BIN");
  QNOSCAN.Add();
}

// SETTINGS on a thread of its own, as the main window or the explorer runs it.
class Open {
 public:
  Open() : thread_([] { SETTINGS(); }) { window_ = orvid::test::WaitForWindow(kTitle); }
  ~Open() {
    if (thread_.joinable()) {
      if (!Closed()) input::CloseRequest(window_);
      thread_.join();
    }
  }
  HWND Window() const { return window_; }
  HWND Control(int32_t number) const { return ControlOf(window_, number); }
  std::optional<zq::ui::WindowState> State(int32_t number) const { return zq::ui::Snapshot(Control(number)); }
  std::string Text(int32_t number) const {
    auto s = State(number);
    return s ? s->text : std::string();
  }
  int32_t Value(int32_t number) const {
    auto s = State(number);
    return s ? s->value : -99;
  }
  bool Visible(int32_t number) const {
    auto s = State(number);
    return s && s->visible;
  }
  // The shown choice of a drop list.
  std::string Choice(int32_t number) const {
    auto s = State(number);
    if (!s || s->value < 0 || static_cast<size_t>(s->value) >= s->rows.size()) return {};
    return s->rows[s->value].cells.front();
  }
  // Chooses a tab and waits until the window shows its controls.
  void Tab(int32_t tab, int32_t shown) {
    input::Choose(Control(sw::Sheet), tab - 1);
    EXPECT_TRUE(WaitFor([&] { return Visible(shown); })) << "tab " << tab;
  }
  // Lets the window's loop handle what was put on its queue.
  void Settle() const { SendMessage(window_, WM_NULL, 0, 0); }
  bool Closed() const { return !zq::ui::Snapshot(window_); }
  // Ends the window and waits for SETTINGS to return.
  void Ok() {
    input::Click(Control(sw::OkButton));
    thread_.join();
  }
  void CloseBox() {
    input::CloseRequest(window_);
    thread_.join();
  }

 private:
  std::thread thread_;
  HWND window_ = 0;
};

class Settings : public ::testing::Test {
 protected:
  void SetUp() override { StoredSettings(); }
  void TearDown() override { RESETSTATE(); }
};

TEST_F(Settings, ShowsEverySettingAndAnUntouchedOkKeepsEachValueAsItWas) {
  SETTINGSGROUP before = ST.Get();
  {
    Open s;
    ASSERT_NE(s.Window(), 0u);
    EXPECT_EQ(s.Choice(sw::Cat1Allign), "Bottom");  // "Bot" reads as "Bottom"
    EXPECT_EQ(s.Text(sw::Cat1DX), "-5");
    EXPECT_EQ(s.Text(sw::Cat1DY), "12");
    EXPECT_EQ(s.Text(sw::Cat1TextBot), "-4");
    EXPECT_EQ(s.Choice(sw::Cat1FSize), "Small");
    EXPECT_EQ(s.Choice(sw::Cat2Allign), "Center");
    EXPECT_EQ(s.Choice(sw::Cat2FSize), "Normal");
    EXPECT_EQ(s.Text(sw::CatBgW), "1920");
    EXPECT_EQ(s.Text(sw::CatBgH), "1080");
    EXPECT_EQ(s.Value(sw::CatBgAct), 1);
    EXPECT_EQ(s.Text(sw::IconName), "folder");
    EXPECT_EQ(s.Choice(sw::IconResize), "Smaller");
    EXPECT_EQ(s.Choice(sw::IconFilter), "Bicubic");
    EXPECT_EQ(s.Text(sw::IconWidth), "400");
    EXPECT_EQ(s.Text(sw::BackName), "fanart");
    EXPECT_EQ(s.Choice(sw::BackFilter), "Fast");
    EXPECT_EQ(s.Text(sw::BackW), "1920");
    EXPECT_EQ(s.Text(sw::FontSize), "10");
    EXPECT_EQ(s.Choice(sw::ViewResize), "Smaller");  // a stored 6
    EXPECT_EQ(s.Value(sw::DunePrime), 1);
    EXPECT_EQ(s.Value(sw::DuneCenter), 0);
    ASSERT_TRUE(s.State(sw::VideoList));
    EXPECT_EQ(s.State(sw::VideoList)->rows.size(), 2u);
    EXPECT_TRUE(orvid::test::Grabbed(s.Window(), "Settings-catalog"));
    s.Ok();
  }
  EXPECT_EQ(ST.Get().CAT1.ALLIGN, "Bot");
  EXPECT_EQ(ST.Get().CAT1.DX, -5);
  EXPECT_EQ(ST.Get().CAT1.SCALE, 1.25);  // not rounded to the spin box's step
  EXPECT_EQ(ST.Get().CAT1.TEXTBOT, -4);
  EXPECT_EQ(ST.Get().CAT1.FSIZE, "small");
  EXPECT_EQ(ST.Get().CATBG.W, 1920);
  EXPECT_EQ(ST.Get().CATBG.H, 1080);
  EXPECT_EQ(ST.Get().ABR.DFW, 1920);
  EXPECT_EQ(ST.Get().ABR.WIDTH, 1920);
  EXPECT_EQ(ST.Get().ACR.NAME, "folder");
  EXPECT_EQ(ST.Get().EXPFONTSIZE, 10);
  EXPECT_EQ(ST.Get().RESIZEIMAGE, 6);  // "Smaller" stored again
  EXPECT_EQ(ST.Get().BACKGROUND, 2);
  EXPECT_EQ(ST.Get().CAT2.ALLIGN, before.CAT2.ALLIGN);
  EXPECT_EQ(VEXTENSIONS.Records(), 2u);
}

TEST_F(Settings, EditsOfEveryKindReachTheSettings) {
  {
    Open s;
    ASSERT_NE(s.Window(), 0u);
    input::Choose(s.Control(sw::Cat1Allign), 0);
    input::Spun(s.Control(sw::Cat1Cols), "8");
    input::Spun(s.Control(sw::Cat2Scale), "2.3");
    input::Click(s.Control(sw::CatBgAct));
    s.Tab(2, sw::VideoList);
    zq::ui::Update(s.Control(sw::IconName), [](zq::ui::WindowState& st) { st.text = "poster"; });
    input::Choose(s.Control(sw::BackResize), 0);
    input::Spun(s.Control(sw::BackHeight), "720");
    input::Click(s.Control(sw::DeleteAfterConvert));
    s.Tab(3, sw::FontSize);
    input::Spun(s.Control(sw::FontSize), "12");
    input::Click(s.Control(sw::ConfirmDelete));
    input::Choose(s.Control(sw::ViewResize), 3);
    s.Tab(4, sw::DuneCenter);
    input::Click(s.Control(sw::DuneCenter));
    s.Settle();
    EXPECT_TRUE(orvid::test::Grabbed(s.Window(), "Settings-misc"));
    s.Ok();
  }
  EXPECT_EQ(ST.Get().CAT1.ALLIGN, "Top");
  EXPECT_EQ(ST.Get().CAT1.COLS, 8);
  EXPECT_DOUBLE_EQ(ST.Get().CAT2.SCALE, 2.3);
  EXPECT_EQ(ST.Get().CATBG.ACT, 0);
  EXPECT_EQ(ST.Get().ACR.NAME, "poster");
  EXPECT_EQ(ST.Get().ABR.RESIZE, "None");
  EXPECT_EQ(ST.Get().ABR.HEIGHT, 720);
  EXPECT_EQ(ST.Get().DELAC, 1);
  EXPECT_EQ(ST.Get().EXPFONTSIZE, 12);
  EXPECT_EQ(ST.Get().CONFIRMDELETE, 0);
  EXPECT_EQ(ST.Get().RESIZEIMAGE, 7);  // "Both" with the keep-aspect bit
  EXPECT_EQ(ST.Get().BACKGROUND, 1);
  // Untouched neighbours stay.
  EXPECT_EQ(ST.Get().CAT1.DX, -5);
  EXPECT_EQ(ST.Get().ABR.WIDTH, 1920);
}

TEST_F(Settings, AChoiceOutsideTheListShowsNoneAndTheFirstChoicePickedIsKept) {
  ST.Change([&](SETTINGSGROUP& st) {
    st.ACR.RESIZE = "";
    st.ACR.FILTER = "Sharpest";
  });
  for (bool pick : {false, true}) {
    Open s;
    ASSERT_NE(s.Window(), 0u);
    s.Tab(2, sw::IconResize);
    EXPECT_EQ(s.Choice(sw::IconResize), "");
    EXPECT_EQ(s.Choice(sw::IconFilter), "");
    if (pick) {
      input::Choose(s.Control(sw::IconResize), 0);
      input::Choose(s.Control(sw::IconFilter), 0);
    }
    s.Ok();
    if (!pick) {  // untouched, they stay as they were
      EXPECT_EQ(ST.Get().ACR.RESIZE, "");
      EXPECT_EQ(ST.Get().ACR.FILTER, "Sharpest");
    }
  }
  EXPECT_EQ(ST.Get().ACR.RESIZE, "None");
  EXPECT_EQ(ST.Get().ACR.FILTER, "Fast");
}

TEST_F(Settings, TabsShowTheirOwnControls) {
  Open s;
  ASSERT_NE(s.Window(), 0u);
  EXPECT_TRUE(s.Visible(sw::Cat1DX));
  EXPECT_FALSE(s.Visible(sw::VideoList));
  s.Tab(2, sw::VideoList);
  EXPECT_FALSE(s.Visible(sw::Cat1DX));
  EXPECT_TRUE(s.Visible(sw::VideoList));
  EXPECT_TRUE(s.Visible(sw::NoScanList));
  EXPECT_TRUE(s.Visible(sw::BackX));
  EXPECT_FALSE(s.Visible(sw::FontSize));
  EXPECT_TRUE(orvid::test::Grabbed(s.Window(), "Settings-processing"));
  s.Tab(3, sw::FontSize);
  EXPECT_TRUE(s.Visible(sw::FontSize));
  EXPECT_TRUE(s.Visible(sw::StripAlpha));
  EXPECT_FALSE(s.Visible(sw::VideoList));
  EXPECT_TRUE(orvid::test::Grabbed(s.Window(), "Settings-explorer"));
  s.Tab(4, sw::DuneCenter);
  EXPECT_TRUE(s.Visible(sw::DuneCenter));
  EXPECT_FALSE(s.Visible(sw::FontSize));
  EXPECT_TRUE(s.Visible(sw::OkButton));
}

TEST_F(Settings, TheTablesAreEditedInPlace) {
  {
    Open s;
    ASSERT_NE(s.Window(), 0u);
    s.Tab(2, sw::VideoList);
    HWND video = s.Control(sw::VideoList);
    input::ListPress(video, 1, 0);
    input::KeyPress(video, VK_INSERT);
    ASSERT_TRUE(WaitFor([&] { return s.Control(999) != 0; }));
    zq::ui::Update(s.Control(999), [](zq::ui::WindowState& st) { st.text = "webm"; });
    input::KeyPress(s.Control(999), VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return VEXTENSIONS.Records() == 3; }));
    // The folder not to scan goes.
    HWND folders = s.Control(sw::NoScanList);
    input::ListPress(folders, 0, 0);
    input::KeyPress(folders, VK_DELETE);
    ASSERT_TRUE(WaitFor([&] { return QNOSCAN.Records() == 0; }));
    EXPECT_TRUE(orvid::test::Grabbed(s.Window(), "Settings-tables"));
    s.Ok();
  }
  bool found = false;
  for (uint32_t n = 1; n <= VEXTENSIONS.Records(); ++n) found |= VEXTF.EXT(*VEXTENSIONS.Peek(n)) == "WEBM";
  EXPECT_TRUE(found) << "the new extension in upper case";
}

TEST_F(Settings, CheckValuesMapsTheExplorerOptions) {
  struct Case {
    const char* name;
    uint8_t code;
  };
  for (Case c : {Case{"Bigger", 5}, Case{"smaller  ", 6}, Case{"BOTH", 7}, Case{"None", 0}, Case{"", 0},
                 Case{"Big", 0}}) {
    ST.Change([&](SETTINGSGROUP& st) { st.RESIZEIMAGE = 99; });
    EXPECT_EQ(R$CHECKVALUES(c.name), 0);
    EXPECT_EQ(ST.Get().RESIZEIMAGE, c.code) << c.name;
  }
  for (auto [stored, mapped] : {std::pair<uint8_t, uint8_t>{0, 0}, {1, 1}, {5, 1}, {255, 1}}) {
    ST.Change([&](SETTINGSGROUP& st) { st.STRIPALPHA = stored; });
    R$CHECKVALUES("None");
    EXPECT_EQ(ST.Get().STRIPALPHA, mapped);
  }
}

TEST_F(Settings, TheCloseBoxKeepsWhatWasAcceptedWithoutMappingTheExplorerOptions) {
  ST.Change([&](SETTINGSGROUP& st) { st.STRIPALPHA = 3; });
  {
    Open s;
    ASSERT_NE(s.Window(), 0u);
    input::Click(s.Control(sw::CatBgAct));
    s.Settle();
    s.CloseBox();
  }
  EXPECT_EQ(ST.Get().CATBG.ACT, 0);
  EXPECT_EQ(ST.Get().RESIZEIMAGE, 2);  // the keep-aspect bit removed, the name not mapped back
  EXPECT_EQ(ST.Get().STRIPALPHA, 3);
}

TEST_F(Settings, TheProgramsCloseEndsTheWindowAtItsNextTimerTick) {
  Open s;
  ASSERT_NE(s.Window(), 0u);
  ABORTALL = 1;
  EXPECT_TRUE(WaitFor([&] { return s.Closed(); }));
}

TEST_F(Settings, ASecondCallBringsTheOpenWindowToTheFrontAndReturns) {
  Open s;
  ASSERT_NE(s.Window(), 0u);
  std::thread second([] { SETTINGS(); });
  second.join();  // returns at once
  size_t shown = 0;
  for (HWND h : zq::ui::Children(0)) {
    auto st = zq::ui::Snapshot(h);
    if (st && st->visible && st->text == kTitle) ++shown;
  }
  EXPECT_EQ(shown, 1u);
  EXPECT_EQ(GetForegroundWindow(), s.Window());
}

TEST_F(Settings, EditsReachTheSettingsFileAndTheDataFilesAtTheProgramsClose) {
  zqtest::ScratchFolder folder("orvid-settings");
  INIPATH = folder.path().string() + "/";
  {
    Open s;
    ASSERT_NE(s.Window(), 0u);
    input::Spun(s.Control(sw::CatBgX), "40");
    s.Tab(3, sw::FontSize);
    input::Spun(s.Control(sw::FontSize), "14");
    s.Ok();
  }
  {
    orvid::test::DialogWatcher watcher;
    PUTINI();
    EXPECT_TRUE(watcher.Errors().empty());
  }
  const std::string text = zqtest::FileBytes(folder.path() / "Orvid.INI");
  EXPECT_NE(text.find("CatBkGrnd=40|0|1920|1080|1\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("ExpFontSize=14\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Resize=6\r\n"), std::string::npos) << text;
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "VExtensions.dat"));
  EXPECT_GT(std::filesystem::file_size(folder.path() / "VExtensions.dat"), 0u);
}

}  // namespace
