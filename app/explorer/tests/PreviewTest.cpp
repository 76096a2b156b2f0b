// The preview in place of the other panel, the buttons and the mouse, the drive lists and the
// path fields, and the explorer rendered with both panels filled and with an AAI picture.
#include <cstdlib>
#include <set>

#include "ExplorerFixture.h"
#include "zqruntime/threads.h"
#include "zqruntime/window.h"
#include "zqtest/FileBytes.h"

namespace {

using orvid::test::WaitFor;
namespace fs = std::filesystem;

class PreviewTest : public ExplorerFixture {
 protected:
  void Open(const std::string& left, const std::string& right) {
    WriteSettings(left, right);
  }

  bool Shown(int32_t control) const { return zq::ui::Snapshot(Control(control))->visible; }

  std::shared_ptr<const zq::ui::Picture> Preview() const { return zq::ui::Snapshot(Control(ew::Preview))->picture; }

  static bool QtPresenter() {
    const char* presenter = std::getenv("ZQ_PRESENTER");
    return presenter && std::string(presenter) == "qt";
  }

  // The window grabbed to PNG (Qt presenter only), checked to be no blank picture.
  void Grab(const std::string& name) {
    if (!QtPresenter()) return;
    EXPECT_FALSE(orvid::test::Grab(explorer_, name).empty());
    auto image = zq::ui::GrabImage(explorer_);
    ASSERT_TRUE(image);
    std::set<COLORREF> colours(image->pixels.begin(), image->pixels.end());
    EXPECT_GT(colours.size(), 20u);
  }
};

TEST_F(PreviewTest, F2ShowsTheChosenPictureOverTheOtherPanelAndF2AgainTheListsAgain) {
  WriteSettings("T:\\Pictures\\", "T:\\Films\\");
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    Grab("explorer-panels");
    Choose(ew::LeftPanel, RowOf(Left().Entries(), "folder", "aai"));
    Press(ew::LeftPanel, "F2");
    EXPECT_TRUE(WaitFor([&] { return Text(ew::ImageInfo).starts_with(std::to_string(Preview() ? Preview()->width : -1)); }));
    Sync();
    EXPECT_EQ(Ex().IMGACT, 2);
    EXPECT_FALSE(Shown(ew::RightPanel));
    EXPECT_FALSE(Shown(ew::RightPath));
    EXPECT_TRUE(Shown(ew::Preview));
    EXPECT_TRUE(Shown(ew::ImageInfo));
    ASSERT_TRUE(Preview());
    // Fitted into the preview keeping its aspect ratio (the setting "Resize" 3, with 4).
    const RECT at = zq::ui::Snapshot(Control(ew::Preview))->rect;
    EXPECT_TRUE(Preview()->width == at.right - at.left || Preview()->height == at.bottom - at.top);
    EXPECT_NEAR(Preview()->width * 300.0 / Preview()->height, 400, 4);
    Grab("explorer-preview-aai");
    // While the preview shows, F5 copies nothing and a folder from the main window is not shown.
    Press(ew::LeftPanel, "F5");
    SHOWINEXPLORER("T:\\Music\\");
    Sync();
    EXPECT_FALSE(fs::exists(OnDisk("Films/folder.aai")));
    EXPECT_EQ(RPPATH.Get(), "T:\\Films\\");
    // A row that is no picture clears the preview and its line.
    Choose(ew::LeftPanel, 1);
    EXPECT_TRUE(WaitFor([&] { return !Preview() && Text(ew::ImageInfo).empty(); }));
    // The window resized: the picture is loaded again at the new size.
    Choose(ew::LeftPanel, RowOf(Left().Entries(), "sunset", "jpg"));
    EXPECT_TRUE(WaitFor([&] { return Preview() != nullptr; }));
    const int32_t before = Preview()->width;
    RECT bigger = zq::ui::Snapshot(explorer_)->rect;
    bigger.right += 300;
    bigger.bottom += 200;
    zq::ui::input::MovedTo(explorer_, bigger);
    EXPECT_TRUE(WaitFor([&] { return Preview() && Preview()->width > before; }));
    Press(ew::LeftPanel, "F2");
    Sync();
    EXPECT_EQ(Ex().IMGACT, 0);
    EXPECT_TRUE(Shown(ew::RightPanel));
    EXPECT_FALSE(Shown(ew::Preview));
    EXPECT_FALSE(Shown(ew::ImageInfo));
  });
}

TEST_F(PreviewTest, SteppingQuicklyThroughLargePicturesShowsTheLastOneChosen) {
  MakePicture("Large/a00.jpg", 2000, 1500);
  for (int n = 1; n < 49; ++n) {
    const std::string name = std::string("a") + (n < 10 ? "0" : "") + std::to_string(n) + ".jpg";
    fs::copy_file(OnDisk("Large/a00.jpg"), OnDisk("Large/" + name));
  }
  MakePicture("Large/a49.jpg", 1500, 2000);  // the last one stands upright
  WriteSettings("T:\\Large\\", "T:\\Films\\");
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    Choose(ew::LeftPanel, 2);
    Press(ew::LeftPanel, "F2");
    for (int n = 0; n < 49; ++n) Press(ew::LeftPanel, "Down");
    Sync();  // the panel answers while pictures decode
    EXPECT_EQ(zq::ui::Snapshot(Control(ew::LeftPanel))->value, 50);
    EXPECT_TRUE(WaitFor([&] { return Preview() && Preview()->height > Preview()->width; }));
    Sync();
    EXPECT_GT(Preview()->height, Preview()->width);
  });
}

TEST_F(PreviewTest, ButtonsPressTheirKeyIntoThePanelAndTheRightClickShowsThePicture) {
  WriteSettings("T:\\Pictures\\", "T:\\Films\\Alien (1979)\\");
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    Choose(ew::LeftPanel, RowOf(Left().Entries(), "poster", "png"));
    zq::ui::input::Click(Control(ew::CopyButton));
    Sync();
    EXPECT_EQ(zqtest::FileBytes(OnDisk("Films/Alien (1979)/folder.png")), zqtest::FileBytes(OnDisk("Pictures/poster.png")));
    zq::ui::input::Click(Control(ew::ModeButton));
    EXPECT_TRUE(WaitFor([&] { return Text(ew::ModeButton) == "F4 - Background"; }));
    // The buttons take the mode's colour after its text.
    WaitFor([&] { return zq::ui::Snapshot(Control(ew::CopyButton))->backColour == 0xFF00FFu; });
    EXPECT_EQ(zq::ui::Snapshot(Control(ew::CopyButton))->backColour, 0xFF00FFu);
    zq::ui::input::Click(Control(ew::ModeButton));
    EXPECT_TRUE(WaitFor([&] { return Text(ew::ModeButton) == "F4 - Icon"; }));
    // The right button on a picture row of the right panel: chosen there and shown over the left.
    const uint32_t row = RowOf(Right().Entries(), "folder", "jpg");
    const auto folderPng = static_cast<int32_t>(RowOf(Right().Entries(), "folder", "png"));
    zq::ui::input::ListPress(Control(ew::RightPanel), folderPng - 1, 0, true);
    Sync();
    EXPECT_EQ(Ex().IMGACT, 1);
    EXPECT_FALSE(Shown(ew::LeftPanel));
    EXPECT_TRUE(WaitFor([&] { return Preview() != nullptr; }));
    zq::ui::input::Click(Control(ew::ImageButton));
    Sync();
    EXPECT_EQ(Ex().IMGACT, 0);
    EXPECT_NE(row, 0u);
    // The OK button closes the explorer; the main window runs on.
    zq::ui::input::Click(Control(ew::OkButton));
    EXPECT_TRUE(WaitFor([] { return !EXPRUNNING; }));
    EXPECT_FALSE(ABORTALL);
  });
}

TEST_F(PreviewTest, PathFieldsDriveListsAndCtrlRListFoldersAgain) {
  WriteSettings("T:\\Pictures\\", "T:\\Films\\");
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    // A folder typed into the right path field.
    SetWindowTextA(Control(ew::RightPath), "T:\\Music\\Abba - Gold");
    Press(ew::RightPath, "Enter");
    EXPECT_TRUE(WaitFor([] { return RPPATH.Get() == "T:\\Music\\Abba - Gold\\"; }));
    Sync();
    EXPECT_EQ(Text(ew::RightPath), "T:\\Music\\Abba - Gold\\");
    EXPECT_EQ(QHISTORYF.PATH(*Right().History().Peek(1)), "T:\\Music\\Abba - Gold\\");
    // A missing folder shows ".." alone and is kept all the same.
    SetWindowTextA(Control(ew::LeftPath), "T:\\Nowhere");
    Press(ew::LeftPath, "Enter");
    EXPECT_TRUE(WaitFor([] { return LPPATH.Get() == "T:\\Nowhere\\"; }));
    Sync();
    EXPECT_EQ(Names(Left().Entries()), std::vector<std::string>{".."});
    // The drive list: T: is there; choosing it lists its root.
    uint32_t drive = 0;
    for (uint32_t i = 1; i <= Ex().Drives().Records(); ++i)
      if (QDRIVEF.DRV(*Ex().Drives().Peek(i)) == "T:") drive = i;
    ASSERT_NE(drive, 0u);
    EXPECT_EQ(QDRIVEF.DRV(*Ex().Drives().Peek(1)), "C:");
    zq::ui::input::Choose(Control(ew::LeftDrive), static_cast<int32_t>(drive) - 1);
    Press(ew::LeftDrive, "Enter");
    EXPECT_TRUE(WaitFor([] { return LPPATH.Get() == "T:\\"; }));
    Sync();  // the choice and the Enter both handled, the root listed
    // Ctrl+R lists the folder again: a file made meanwhile shows up.
    std::ofstream(OnDisk("late.nfo")) << "x";
    Sync();
    EXPECT_EQ(RowOf(Left().Entries(), "late", "nfo"), 0u);
    Press(ew::LeftPanel, "Ctrl+R");
    Sync();
    EXPECT_NE(RowOf(Left().Entries(), "late", "nfo"), 0u);
    // Eleven folders on one side keep the ten newest.
    for (int n = 0; n < 11; ++n) fs::create_directories(OnDisk("Many/F" + std::to_string(n)));
    for (int n = 0; n < 11; ++n) {
      SetWindowTextA(Control(ew::LeftPath), ("T:\\Many\\F" + std::to_string(n)).c_str());
      Press(ew::LeftPath, "Enter");
      Sync();
    }
    EXPECT_EQ(Left().History().Records(), 10u);
    EXPECT_EQ(QHISTORYF.PATH(*Left().History().Peek(1)), "T:\\Many\\F10\\");
  });
}

}  // namespace
