// VIEWDF on a folder file of the media tree, driven as a user would: the form over the other
// panel, every value in its control, Close and an untouched Save leaving the file's bytes as
// they were, edits saved, an emptied form, entries other than the folder file, and a file that
// cannot be read.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "DialogAnswers.h"
#include "app/Explorer.h"
#include "app/FolderFileEditor.h"
#include "app/State.h"
#include "orvid/controlnumbers.h"
#include "zqplatform/uiinput.h"
#include "zqplatform/uimodel.h"
#include "zqruntime/window.h"
#include "zqtest/MediaTree.h"
#include "zqtest/TempDrive.h"

namespace {

namespace df = orvid::res::FolderFileEditor;
namespace fs = std::filesystem;
namespace input = zq::ui::input;
using orvid::test::ControlOf;
using orvid::test::ScreenRect;
using orvid::test::WaitFor;

const std::string kFile =
    "icon_path = folder.aai\r\nicon_valign = center\r\nicon_dx = -5\r\nicon_scale_factor = 1.25\r\n"
    "media_url = Alien.mkv\r\n\r\n"
    "use_icon_view = yes\r\nnum_cols = 6\r\nnum_rows = 3\r\nicon_top = 10\r\nicon_bottom = 20\r\n"
    "caption_font_size = small\r\ntext_bottom = -4\r\n\r\n"
    "background_path = fanart.aai\r\nbackground_x = 0\r\nbackground_y = 0\r\nbackground_width = 1920\r\n"
    "background_height = 1080\r\n\r\nanimation_enabled = no\r\n";

// Two panels side by side, as the explorer shows them.
const char* kPanels =
    "window \"Panels\" size 678,242 font \"MS Sans Serif\",8\n"
    "2 list \"\" at 6,17,332,202\n  column \"Name\" width 200 field 1\n"
    "3 list \"\" at 340,17,332,202\n  column \"Name\" width 200 field 1\n";

class ViewDF : public ::testing::Test {
 protected:
  void SetUp() override {
    RESETSTATE();
    zqtest::BuildMediaTree(drive_.folder());
    drive_.Put("Films/Alien (1979)/dune_folder.txt", kFile);
    ASSERT_TRUE(panels_.Open());
    LPPATH.Set(drive_.Win("Films\\Alien (1979)\\"));
    panel_.ListAgain();
  }
  void TearDown() override {
    panels_.Close();
    RESETSTATE();
  }
  std::string Stored() const { return drive_.Get("Films/Alien (1979)/dune_folder.txt"); }
  uint32_t Row(const std::string& name, const std::string& ext) const {
    for (uint32_t i = 1; i <= panel_.Entries().Records(); ++i) {
      auto r = panel_.Entries().Peek(i);
      if (QPANELF.FN(*r) == name && QPANELF.EXT(*r) == ext) return i;
    }
    return 0;
  }
  // VIEWDF on a thread of its own, as the explorer runs it; the form once it shows.
  void Start(uint32_t row) {
    editor_ = std::thread([this, row] { VIEWDF(panel_, static_cast<int32_t>(row), 0, panels_.ControlHandle(3)); });
    WaitFor([&] { return (form_ = FindForm()) != 0; });
    if (form_ != 0) SendMessage(form_, WM_NULL, 0, 0);
  }
  void Finish() { editor_.join(); }
  static HWND FindForm() {
    for (HWND h : zq::ui::Children(0)) {
      auto s = zq::ui::Snapshot(h);
      auto save = zq::ui::Snapshot(ControlOf(h, df::Save));
      if (s && s->visible && s->text.empty() && save && save->text == "&Save") return h;
    }
    return 0;
  }
  HWND Control(int32_t number) const { return ControlOf(form_, number); }
  std::string Text(int32_t number) const {
    auto s = zq::ui::Snapshot(Control(number));
    return s ? s->text : std::string();
  }
  std::string Choice(int32_t number) const {
    auto s = zq::ui::Snapshot(Control(number));
    if (!s || s->value < 0 || static_cast<size_t>(s->value) >= s->rows.size()) return {};
    return s->rows[s->value].cells.front();
  }
  void Press(int32_t button) {
    input::Click(Control(button));
    Finish();
  }
  void Type(int32_t number, const std::string& text) {
    zq::ui::Update(Control(number), [&](zq::ui::WindowState& s) { s.text = text; });
  }

  zqtest::TempDrive drive_{'T'};
  ExplorerPanel panel_{LPPATH};  // the left panel the editor reads
  zq::rt::Window panels_{*zq::rt::ParseWindowDefinition(kPanels).window};
  std::thread editor_;
  HWND form_ = 0;
};

TEST_F(ViewDF, TheFormLiesOverTheOtherPanelAndShowsEveryValue) {
  const uint32_t row = Row("dune_folder", "txt");
  ASSERT_GT(row, 0u);
  Start(row);
  ASSERT_NE(form_, 0u);
  // The presenter may settle the form's frame a moment after it was placed.
  const std::vector<int32_t> panel = ScreenRect(panels_.ControlHandle(3));
  WaitFor([&] { return ScreenRect(form_) == panel; });
  const std::vector<int32_t> placed = ScreenRect(form_);
  for (size_t i = 0; i < 4; ++i) EXPECT_NEAR(placed[i], panel[i], 2) << i;
  EXPECT_EQ(Text(df::Icon), "folder.aai");
  EXPECT_EQ(Choice(df::Allign), "Center");
  EXPECT_EQ(Text(df::IDX), "-5");
  EXPECT_EQ(Text(df::IDY), "0");
  EXPECT_EQ(Text(df::MediaUrl), "Alien.mkv");
  EXPECT_EQ(Choice(df::IView), "Yes");
  EXPECT_EQ(Text(df::Cols), "6");
  EXPECT_EQ(Text(df::Bot), "20");
  EXPECT_EQ(Choice(df::FSize), "Small");
  EXPECT_EQ(Text(df::BgPath), "fanart.aai");
  EXPECT_EQ(Text(df::BgW), "1920");
  EXPECT_EQ(Text(df::BgH), "1080");
  EXPECT_FALSE(zq::ui::Snapshot(Control(df::IfPath))->enabled);
  EXPECT_TRUE(orvid::test::Grabbed(form_, "FolderFileEditor"));
  Press(df::Ok);
  EXPECT_EQ(Stored(), kFile);
}

TEST_F(ViewDF, AnUntouchedSaveWritesTheSameBytesAndKeepsUnknownKeys) {
  // A user's own file too: a byte-order mark, keys padded or followed by a tab, a name outside
  // Windows-1252, "bot", LF line ends and no end after the last line.
  const std::string thousand = "\xE5\x8D\x83";
  const std::string usersOwn = "\xEF\xBB\xBFicon_path\t= " + thousand + ".aai\nicon_valign       = bot\n" +
                               "media_url = Alien.mkv\n\nuse_icon_view     = yes\nnum_cols          = 06\nnote = x";
  const bool cp1252 = std::getenv("ZQ_ACP") && std::string(std::getenv("ZQ_ACP")) == "1252";
  for (const auto& [stored, icon] : {std::pair{kFile, std::string("folder.aai")},
                                     {usersOwn, (cp1252 ? "?" : thousand) + ".aai"}}) {
    drive_.Put("Films/Alien (1979)/dune_folder.txt", stored);
    Start(Row("dune_folder", "txt"));
    ASSERT_NE(form_, 0u);
    EXPECT_EQ(Text(df::Icon), icon);
    Press(df::Save);
    EXPECT_EQ(Stored(), stored);
  }
}

TEST_F(ViewDF, EditsAreSaved) {
  Start(Row("dune_folder", "txt"));
  ASSERT_NE(form_, 0u);
  input::Choose(Control(df::Allign), 2);
  input::Spun(Control(df::IDY), "7");
  input::Choose(Control(df::IView), 1);
  Type(df::BgPath, "background.aai");
  EXPECT_TRUE(orvid::test::Grabbed(form_, "FolderFileEditor-edited"));
  Press(df::Save);
  EXPECT_EQ(Stored(),
            "icon_path = folder.aai\r\nicon_valign = bottom\r\nicon_dx = -5\r\nicon_dy = 7\r\n"
            "icon_scale_factor = 1.25\r\nmedia_url = Alien.mkv\r\n\r\n"
            "background_path = background.aai\r\nbackground_x = 0\r\nbackground_y = 0\r\nbackground_width = 1920\r\n"
            "background_height = 1080\r\n\r\nanimation_enabled = no\r\n");
}

TEST_F(ViewDF, KeysTheFileLacksShowNoChoiceAndTheFirstChoicePickedIsSaved) {
  const std::string lacking = "icon_path = folder.aai\r\nmedia_url = Alien.mkv\r\n";
  drive_.Put("Films/Alien (1979)/dune_folder.txt", lacking);
  Start(Row("dune_folder", "txt"));
  ASSERT_NE(form_, 0u);
  for (int32_t list : {df::Allign, df::IView, df::FSize}) EXPECT_EQ(Choice(list), "") << list;
  Press(df::Save);  // untouched: the file as it was, no default written for the missing keys
  EXPECT_EQ(Stored(), lacking);
  drive_.Put("Films/Alien (1979)/dune_folder.txt", lacking);
  Start(Row("dune_folder", "txt"));
  ASSERT_NE(form_, 0u);
  for (int32_t list : {df::Allign, df::IView, df::FSize}) ASSERT_TRUE(input::Choose(Control(list), 0)) << list;
  Press(df::Save);
  EXPECT_EQ(Stored(), "icon_path = folder.aai\r\nicon_valign = top\r\nmedia_url = Alien.mkv\r\n\r\n"
                      "use_icon_view = yes\r\nnum_cols = 6\r\nnum_rows = 3\r\nicon_top = 0\r\nicon_bottom = 0\r\n"
                      "caption_font_size = normal\r\ntext_bottom = 0\r\n");
}

TEST_F(ViewDF, AnEmptiedFormSavesAnEmptyFile) {
  drive_.Put("Films/Alien (1979)/dune_folder.txt", "icon_path = folder.aai\r\nicon_valign = top\r\n");
  Start(Row("dune_folder", "txt"));
  ASSERT_NE(form_, 0u);
  Type(df::Icon, "");
  Press(df::Save);
  EXPECT_TRUE(drive_.Has("Films/Alien (1979)/dune_folder.txt"));
  EXPECT_EQ(Stored(), "");
}

TEST_F(ViewDF, OtherEntriesAndRowsOutsideThePanelDoNothing) {
  for (uint32_t row : {Row("Alien", "mkv"), Row("..", "<DIR>"), 0u, panel_.Entries().Records() + 1}) {
    VIEWDF(panel_, static_cast<int32_t>(row), 0, panels_.ControlHandle(3));  // returns at once
  }
  EXPECT_EQ(FindForm(), 0u);
  EXPECT_EQ(Stored(), kFile);
}

TEST_F(ViewDF, AFileThatCannotBeReadIsReportedAndNoFormOpens) {
  const uint32_t row = Row("dune_folder", "txt");
  fs::remove(drive_.Posix("Films/Alien (1979)/dune_folder.txt"));
  orvid::test::DialogWatcher watcher;
  VIEWDF(panel_, static_cast<int32_t>(row), 0, panels_.ControlHandle(3));
  EXPECT_EQ(watcher.Errors(), (std::vector<std::string>{"Error Reading dune_folder.txt"}));
  EXPECT_FALSE(drive_.Has("Films/Alien (1979)/dune_folder.txt"));
}

TEST_F(ViewDF, AUtf16FileIsRefusedAtOpeningWithWhyAndNothingIsWritten) {
  const std::string utf16("\xFF\xFEi\0c\0o\0n\0_\0p\0a\0t\0h\0 \0=\0 \0a\0\r\0\n\0", 32);
  drive_.Put("Films/Alien (1979)/dune_folder.txt", utf16);
  const std::string path = drive_.Win("Films\\Alien (1979)\\dune_folder.txt");
  orvid::test::DialogWatcher watcher;
  VIEWDF(panel_, static_cast<int32_t>(Row("dune_folder", "txt")), 0, panels_.ControlHandle(3));
  EXPECT_EQ(FindForm(), 0u);
  EXPECT_EQ(watcher.Seen(),
            (std::vector<orvid::test::ErrorSeen>{{"Error Reading dune_folder.txt", "ViewDF",
                                                  path + " - the file is UTF-16 text or holds NUL bytes, and the "
                                                         "editor keeps UTF-8 only",
                                                  "-998"}}));
  EXPECT_EQ(Stored(), utf16);
}

TEST_F(ViewDF, AReadOnlyFileOpensAndItsSaveSaysItCannotWriteAndLeavesIt) {
  const fs::path file = drive_.Posix("Films/Alien (1979)/dune_folder.txt");
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  Start(Row("dune_folder", "txt"));
  ASSERT_NE(form_, 0u);
  EXPECT_EQ(Text(df::Icon), "folder.aai");
  Type(df::Icon, "changed.aai");
  orvid::test::DialogWatcher watcher;
  Press(df::Save);
  EXPECT_EQ(watcher.Errors(), (std::vector<std::string>{"Error Writing dune_folder.txt"}));
  EXPECT_EQ(Stored(), kFile);
  EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

TEST_F(ViewDF, TheProgramsCloseEndsTheFormWithoutSaving) {
  Start(Row("dune_folder", "txt"));
  ASSERT_NE(form_, 0u);
  Type(df::Icon, "changed.aai");
  ABORTALL = 1;
  Finish();
  EXPECT_EQ(Stored(), kFile);
}

}  // namespace
