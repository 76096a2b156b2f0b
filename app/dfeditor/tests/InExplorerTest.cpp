// The folder-file editor in the running explorer beside the main window: F3 on the folder
// file lays the form over the other panel.
#include "../../explorer/tests/ExplorerFixture.h"

#include "zqtest/FileBytes.h"

namespace {

namespace df = orvid::res::FolderFileEditor;
using orvid::test::ScreenRect;
using orvid::test::WaitFor;

class InExplorer : public ExplorerFixture {};

TEST_F(InExplorer, F3OnTheFolderFileOpensTheEditorOverTheOtherPanel) {
  WriteSettings("T:\\Films\\Alien (1979)\\", "T:\\Pictures\\");
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    const uint32_t row = RowOf(Left().Entries(), "dune_folder", "txt");
    ASSERT_GT(row, 0u);
    Choose(ew::LeftPanel, row);
    Press(ew::LeftPanel, "F3");
    HWND form = 0;
    ASSERT_TRUE(WaitFor([&] {
      for (HWND h : zq::ui::Children(0)) {
        auto s = zq::ui::Snapshot(h);
        auto save = zq::ui::Snapshot(orvid::test::ControlOf(h, df::Save));
        if (s && s->visible && s->text.empty() && save && save->text == "&Save") form = h;
      }
      return form != 0;
    }));
    SendMessage(form, WM_NULL, 0, 0);
    // The presenter may settle the form's frame a moment after it was placed.
    const std::vector<int32_t> panel = ScreenRect(Control(ew::RightPanel));
    WaitFor([&] { return ScreenRect(form) == panel; });
    const std::vector<int32_t> placed = ScreenRect(form);
    for (size_t i = 0; i < 4; ++i) EXPECT_NEAR(placed[i], panel[i], 2) << i;
    auto icon = zq::ui::Snapshot(orvid::test::ControlOf(form, df::Icon));
    EXPECT_EQ(icon->text, "folder.aai");
    EXPECT_TRUE(orvid::test::Grabbed(form, "Explorer-editor"));
    zq::ui::input::Click(orvid::test::ControlOf(form, df::Ok));
    EXPECT_TRUE(WaitFor([&] { return !zq::ui::Snapshot(form); }));
    EXPECT_EQ(zqtest::FileBytes(OnDisk("Films/Alien (1979)/dune_folder.txt")), "icon_path = folder.aai\r\n");
    Press(ew::LeftPanel, "F10");
    EXPECT_TRUE(WaitFor([] { return !EXPRUNNING; }));
  });
}

}  // namespace
