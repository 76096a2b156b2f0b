// The file commands on the media tree: copy as icon and background, conversions with and
// without the options window, marks, new folders, deletions, and source and target being
// one file. Dialogs are answered through the question seam and the input calls.
#include "ExplorerFixture.h"
#include "hostlib/ConversionPool.h"
#include "zqruntime/window.h"
#include "zqtest/FileBytes.h"

namespace {

using orvid::test::WaitFor;
using zq::ui::Answer;
namespace fs = std::filesystem;
namespace cw = orvid::res::ConvertDialog;
namespace fw = orvid::res::FolderNameDialog;
namespace dw = orvid::res::DeleteDialog;

const std::string kSameFile = "Source and Target are the same File.";

class CommandsTest : public ExplorerFixture {
 protected:
  // The explorer with the pictures on the left and the film folder Alien on the right.
  void WithPicturesAndAlien(const std::function<void()>& steps, int confirmDelete = 0) {
    WriteSettings("T:\\Pictures\\", "T:\\Films\\Alien (1979)\\", confirmDelete);
    RunWithMain([&] {
      ASSERT_NE(OpenExplorer(), 0u);
      Sync();
      steps();
    });
  }

  fs::path Alien(const std::string& name) const { return OnDisk("Films/Alien (1979)/" + name); }
  fs::path Pictures(const std::string& name) const { return OnDisk("Pictures/" + name); }
};

TEST_F(CommandsTest, F5CopiesAPictureAsTheOtherFoldersIconOrBackground) {
  WithPicturesAndAlien([&] {
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "sunset", "jpg"), "F5");
    EXPECT_EQ(zqtest::FileBytes(Alien("folder.jpg")), zqtest::FileBytes(Pictures("sunset.jpg")));
    Press(ew::LeftPanel, "F4");
    EXPECT_TRUE(WaitFor([&] { return Text(ew::ModeButton) == "F4 - Background"; }));
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "poster", "png"), "F5");
    // The existing "Background.PNG" is the same name to Windows: it is overwritten.
    EXPECT_EQ(zqtest::FileBytes(Alien("Background.PNG")), zqtest::FileBytes(Pictures("poster.png")));
    EXPECT_FALSE(fs::exists(Alien("background.png")));
    const uint32_t row = RowOf(Right().Entries(), "Background", "PNG");
    ASSERT_NE(row, 0u);
    EXPECT_EQ(QPANELF.FS(*Right().Entries().Peek(row)), std::to_string(fs::file_size(Pictures("poster.png"))));
    // A folder or a non-picture is not copied.
    PressOn(ew::LeftPanel, 1, "F5");
    EXPECT_TRUE(Errors().empty());
  });
}

TEST_F(CommandsTest, SourceAndTargetBeingOneFileIsRefusedAndTheFileKept) {
  WriteSettings("T:\\Pictures\\", "t:\\PICTURES\\");
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    const std::string before = zqtest::FileBytes(Pictures("folder.aai"));
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "folder", "aai"), "F5");  // icon mode: folder.aai onto itself
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "folder", "aai"), "F7");
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "folder", "aai"), "F6");
    EXPECT_TRUE(WaitFor([&] { return Errors().size() == 3; }));
    EXPECT_EQ(Errors(), (std::vector<std::string>{kSameFile, kSameFile, kSameFile}));
    EXPECT_EQ(zqtest::FileBytes(Pictures("folder.aai")), before);
  });
}

TEST_F(CommandsTest, F6AndF7ConvertTheChosenPictureToAai) {
  WithPicturesAndAlien([&] {
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "poster", "png"), "F6");
    EXPECT_EQ(AaiSize(Alien("poster.aai")), std::make_pair(300, 450));
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "sunset", "jpg"), "F7");
    EXPECT_EQ(AaiSize(Alien("folder.aai")), std::make_pair(640, 400));
    Press(ew::LeftPanel, "F4");
    EXPECT_TRUE(WaitFor([&] { return Text(ew::ModeButton) == "F4 - Background"; }));
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "beach", "bmp"), "F7");
    EXPECT_EQ(AaiSize(Alien("background.aai")), std::make_pair(200, 100));
    EXPECT_NE(RowOf(Right().Entries(), "background", "aai"), 0u);  // the other panel listed again
    EXPECT_EQ(QPANELF.FT(*Right().Entries().Peek(RowOf(Right().Entries(), "folder", "aai"))), kFtFolderIcon);
    // F7 ignores marks: only the chosen picture is converted.
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "poster", "png"), "Ins");
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "sunset", "jpg"), "F7");
    EXPECT_EQ(AaiSize(Alien("background.aai")), std::make_pair(640, 400));
    EXPECT_TRUE(Marked(Left().Entries(), RowOf(Left().Entries(), "poster", "png")));
    EXPECT_TRUE(Errors().empty());
  });
}

TEST_F(CommandsTest, TheIconAndBackgroundNamesOfTheSettingsAreTakenWithoutTrailingBlanks) {
  WriteSettings("T:\\Pictures\\", "T:\\Films\\Alien (1979)\\", 0, "folder ", "background ");
  const std::map<std::string, std::string> pictures = Files(OnDisk("Pictures"));
  std::map<std::string, std::string> alien = Files(OnDisk("Films/Alien (1979)"));
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    EXPECT_EQ(QPANELF.FT(*Left().Entries().Peek(RowOf(Left().Entries(), "folder", "aai"))), kFtFolderIcon);
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "sunset", "jpg"), "F7");
    EXPECT_EQ(AaiSize(Alien("folder.aai")), std::make_pair(640, 400));
    EXPECT_EQ(QPANELF.FT(*Right().Entries().Peek(RowOf(Right().Entries(), "folder", "aai"))), kFtFolderIcon);
    Press(ew::LeftPanel, "F4");
    EXPECT_TRUE(WaitFor([&] { return Text(ew::ModeButton) == "F4 - Background"; }));
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "poster", "png"), "F5");
    EXPECT_TRUE(Errors().empty());
  });
  // The icon made, the background replaced under its own name, nothing else touched.
  alien["folder.aai"] = Checksum(Alien("folder.aai"));
  alien["Background.PNG"] = pictures.at("poster.png");
  EXPECT_EQ(Files(OnDisk("Films/Alien (1979)")), alien);
  EXPECT_EQ(Files(OnDisk("Pictures")), pictures);
}

TEST_F(CommandsTest, InsMarksOnlyPicturesAndMovesTheCursorDown) {
  WithPicturesAndAlien([&] {
    PressOn(ew::LeftPanel, 1, "Ins");  // ".."
    EXPECT_FALSE(Marked(Left().Entries(), 1));
    EXPECT_EQ(zq::ui::Snapshot(Control(ew::LeftPanel))->value, 1);  // row 2 chosen
    Press(ew::LeftPanel, "Ins");
    Sync();
    EXPECT_TRUE(Marked(Left().Entries(), 2));
    PressOn(ew::LeftPanel, 2, "Ins");
    EXPECT_FALSE(Marked(Left().Entries(), 2));
    EXPECT_EQ(QPANELF.C1(*Left().Entries().Peek(2)), -1);
  });
}

TEST_F(CommandsTest, F6WithMarksConvertsTheMarkedPicturesWithTheOptionsChosen) {
  WithPicturesAndAlien([&] {
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "beach", "bmp"), "Ins");
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "sunset", "jpg"), "Ins");
    // The choice on an unmarked picture: still the marked ones only.
    Choose(ew::LeftPanel, RowOf(Left().Entries(), "poster", "png"));
    Press(ew::LeftPanel, "F6");
    HWND dialog = WaitForDialog();
    ASSERT_NE(dialog, 0u);
    auto enabled = [&](int32_t control) {
      return zq::ui::Snapshot(orvid::test::ControlOf(dialog, control))->enabled;
    };
    EXPECT_FALSE(enabled(cw::Width));
    EXPECT_FALSE(enabled(cw::Filter));
    zq::ui::input::Choose(orvid::test::ControlOf(dialog, cw::ResizeMode), 2);  // "Smaller"
    EXPECT_TRUE(WaitFor([&] { return enabled(cw::Width) && enabled(cw::KeepAspect); }));
    zq::ui::input::Spun(orvid::test::ControlOf(dialog, cw::Width), "100");
    zq::ui::input::Spun(orvid::test::ControlOf(dialog, cw::Height), "100");
    zq::ui::input::Choose(orvid::test::ControlOf(dialog, cw::Filter), 1);  // "Bicubic"
    zq::ui::input::AnswerQuestion(Answer::Pressed(cw::Ok));
    Sync();
    EXPECT_EQ(AaiSize(Alien("beach.aai")), std::make_pair(100, 50));
    EXPECT_EQ(AaiSize(Alien("sunset.aai")).first, 100);
    EXPECT_FALSE(fs::exists(Alien("poster.aai")));
    EXPECT_FALSE(Marked(Left().Entries(), RowOf(Left().Entries(), "beach", "bmp")));
    EXPECT_FALSE(Marked(Left().Entries(), RowOf(Left().Entries(), "sunset", "jpg")));
    EXPECT_NE(RowOf(Right().Entries(), "beach", "aai"), 0u);
  });
}

TEST_F(CommandsTest, TheOptionsWindowKeepsTheSourcesFormatOrCancelsAndAFailedConversionKeepsItsMark) {
  WithPicturesAndAlien([&] {
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "poster", "png"), "Ins");
    Press(ew::LeftPanel, "F6");
    ASSERT_NE(WaitForDialog(), 0u);
    zq::ui::input::AnswerQuestion(Answer::Cancelled());
    EXPECT_TRUE(WaitFor(NoDialog));
    Sync();
    EXPECT_FALSE(fs::exists(Alien("poster.aai")));
    EXPECT_TRUE(Marked(Left().Entries(), RowOf(Left().Entries(), "poster", "png")));
    Press(ew::LeftPanel, "F6");
    HWND dialog = WaitForDialog();
    ASSERT_NE(dialog, 0u);
    zq::ui::input::Click(orvid::test::ControlOf(dialog, cw::Aai));  // "Convert to AAI" cleared
    zq::ui::input::AnswerQuestion(Answer::Pressed(cw::Ok));

    Sync();
    EXPECT_TRUE(fs::exists(Alien("poster.png")));
    EXPECT_FALSE(Marked(Left().Entries(), RowOf(Left().Entries(), "poster", "png")));
  });
  // The film folder's "folder.jpg" is no picture inside: its conversion fails and it stays marked.
  WriteSettings("T:\\Films\\Alien (1979)\\", "T:\\Pictures\\");
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "folder", "jpg"), "Ins");
    Press(ew::LeftPanel, "F6");
    ASSERT_NE(WaitForDialog(), 0u);
    zq::ui::input::AnswerQuestion(Answer::Pressed(cw::Ok));
    Sync();
    EXPECT_EQ(Errors(), std::vector<std::string>{"Error Converting."});
    EXPECT_TRUE(Marked(Left().Entries(), RowOf(Left().Entries(), "folder", "jpg")));
  });
}

TEST_F(CommandsTest, F6OnMarkedPicturesConvertedAheadLeavesTheFilesErrorsAndMarksOfOneAfterTheOther) {
  // Pictures of three formats, two among them that do not convert.
  const char* kinds[] = {".jpg", ".png", ".bmp"};
  for (int n = 0; n < 12; ++n) MakePicture("Group/p" + std::to_string(n) + kinds[n % 3], 300 + 20 * n, 200 + 10 * n);
  std::ofstream(OnDisk("Group/p3b.jpg"), std::ios::binary) << "\xFF\xD8\xFF\xE0 no picture";
  std::ofstream(OnDisk("Group/p7b.png"), std::ios::binary) << "\x89PNG\r\n\x1A\n no picture";
  struct Outcome {
    std::map<std::string, std::string> files;
    std::vector<std::string> errors, marked;
  };
  auto convert = [&](uint32_t workers, const std::string& out) {
    hostlib::SetConversionThreads(workers);
    fs::create_directories(OnDisk(out));
    WriteSettings("T:\\Group\\", "T:\\" + out + "\\");
    watcher_.Clear();
    Outcome outcome;
    RunWithMain([&] {
      ASSERT_NE(OpenExplorer(), 0u);
      Sync();
      for (uint32_t row = 1; row <= Left().Entries().Records(); ++row) PressOn(ew::LeftPanel, row, "Ins");
      Press(ew::LeftPanel, "F6");
      HWND dialog = WaitForDialog();
      ASSERT_NE(dialog, 0u);
      zq::ui::input::Choose(orvid::test::ControlOf(dialog, cw::ResizeMode), 2);  // "Smaller"
      EXPECT_TRUE(WaitFor([&] { return zq::ui::Snapshot(orvid::test::ControlOf(dialog, cw::Width))->enabled; }));
      zq::ui::input::Spun(orvid::test::ControlOf(dialog, cw::Width), "150");
      zq::ui::input::Spun(orvid::test::ControlOf(dialog, cw::Height), "150");
      zq::ui::input::AnswerQuestion(Answer::Pressed(cw::Ok));
      Sync();
      outcome.errors = Errors();
      const std::vector<std::string> names = Names(Left().Entries());
      for (uint32_t row = 1; row <= Left().Entries().Records(); ++row)
        if (Marked(Left().Entries(), row)) outcome.marked.push_back(names[row - 1]);
    });
    outcome.files = Files(OnDisk(out));
    return outcome;
  };
  const Outcome one = convert(0, "One"), many = convert(8, "Many");
  hostlib::SetConversionThreads(std::thread::hardware_concurrency());
  EXPECT_EQ(one.files.size(), 12u);
  EXPECT_EQ(one.errors, (std::vector<std::string>{"Error Converting.", "Error Converting."}));
  EXPECT_EQ(one.marked, (std::vector<std::string>{"p3b.jpg", "p7b.png"}));
  EXPECT_EQ(many.files, one.files);
  EXPECT_EQ(many.errors, one.errors);
  EXPECT_EQ(many.marked, one.marked);
}

struct NameCase {
  std::string name;
  bool made;
};

TEST_F(CommandsTest, F8MakesAFolderOnlyFromANameThatStaysInThePanelsFolder) {
  const std::vector<NameCase> cases = {
      {"New Folder", true}, {"Extras 2", true},   {"a.b", true},         {"日本語", true},
      {"..\\Escape", false}, {"a/b", false},     {"C:x", false},        {".", false},
      {"..", false},         {"CON", false},     {"nul.txt", false},    {"Notes.", false},
      {"what?", false},      {"pipe|name", false}, {"<angle>", false},  {"   ", false},
  };
  WithPicturesAndAlien([&] {
    for (const bool left : {true, false}) {
      const int32_t list = left ? ew::LeftPanel : ew::RightPanel;
      const fs::path folder = left ? Pictures("") : Alien("");
      for (const NameCase& c : cases) {
        watcher_.Clear();
        auto entries = [&] {
          return std::distance(fs::recursive_directory_iterator(Disk()), fs::recursive_directory_iterator{});
        };
        const auto before = entries();
        Choose(list, 1);
        Press(list, "F8");
        HWND dialog = WaitForDialog();
        ASSERT_NE(dialog, 0u) << c.name;
        HWND entry = orvid::test::ControlOf(dialog, fw::FolderName);
        SetWindowTextA(entry, c.name.c_str());
        Press(entry, "Enter");
        EXPECT_TRUE(WaitFor(NoDialog)) << c.name;
        Sync();
        const std::string trimmed = c.name.substr(0, c.name.find_last_not_of(' ') + 1);
        if (c.made) {
          EXPECT_TRUE(fs::is_directory(folder / c.name)) << c.name;
          EXPECT_NE(RowOf((left ? Left() : Right()).Entries(), c.name), 0u) << c.name;
          EXPECT_TRUE(Errors().empty()) << c.name;
          fs::remove(folder / c.name);
          Press(list, "Ctrl+R");
        } else if (!trimmed.empty()) {
          EXPECT_EQ(Errors().size(), 1u) << c.name;
        }
        EXPECT_EQ(entries(), before) << c.name;  // nothing made anywhere on the disk
      }
    }
    // The right side shows the path and the result in notices.
    watcher_.Clear();
    Choose(ew::RightPanel, 1);
    Press(ew::RightPanel, "F8");
    HWND dialog = WaitForDialog();
    ASSERT_NE(dialog, 0u);
    SetWindowTextA(orvid::test::ControlOf(dialog, fw::FolderName), "Shown");
    Press(orvid::test::ControlOf(dialog, fw::FolderName), "Enter");
    EXPECT_TRUE(WaitFor([&] { return watcher_.Notices().size() == 2; }));
    auto shown = [&](size_t n) {  // the text box's text without the line ends it starts with
      const std::string text = watcher_.Notices()[n];
      return text.substr(text.find_first_not_of("\r\n"));
    };
    EXPECT_EQ(shown(0), "T:\\Films\\Alien (1979)\\Shown");
    EXPECT_EQ(shown(1), "0");
    Sync();  // the notices closed: the explorer takes keys again
    // Esc makes nothing.
    Press(ew::LeftPanel, "F8");
    dialog = WaitForDialog();
    ASSERT_NE(dialog, 0u);
    SetWindowTextA(orvid::test::ControlOf(dialog, fw::FolderName), "Never");
    Press(orvid::test::ControlOf(dialog, fw::FolderName), "Esc");
    EXPECT_TRUE(WaitFor(NoDialog));
    EXPECT_FALSE(fs::exists(Pictures("Never")));
  });
}

TEST_F(CommandsTest, DelDeletesAPictureOrTheFolderFileAtOnceWithoutConfirmation) {
  WriteSettings("T:\\Films\\Alien (1979)\\", "T:\\Pictures\\");
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "dune_folder", "txt"), "Del");
    EXPECT_FALSE(fs::exists(Alien("dune_folder.txt")));
    EXPECT_EQ(RowOf(Left().Entries(), "dune_folder", "txt"), 0u);
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "Background", "PNG"), "Del");
    EXPECT_FALSE(fs::exists(Alien("Background.PNG")));
    // A folder, a film and any other file stay.
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "Featurettes"), "Del");
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "Alien", "mkv"), "Del");
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "Alien", "nfo"), "Del");
    EXPECT_TRUE(fs::is_directory(Alien("Featurettes")));
    EXPECT_TRUE(fs::exists(Alien("Alien.mkv")));
    EXPECT_TRUE(fs::exists(Alien("Alien.nfo")));
    EXPECT_TRUE(NoDialog());
  });
}

TEST_F(CommandsTest, DelAsksWhenSetToAndAlwaysForMarkedEntries) {
  WithPicturesAndAlien(
      [&] {
        Choose(ew::LeftPanel, RowOf(Left().Entries(), "poster", "png"));
        Press(ew::LeftPanel, "Del");
        ASSERT_NE(WaitForDialog(), 0u);
        zq::ui::input::AnswerQuestion(Answer::Pressed(dw::Cancel));
        Sync();
        EXPECT_TRUE(fs::exists(Pictures("poster.png")));
        Press(ew::LeftPanel, "Del");
        ASSERT_NE(WaitForDialog(), 0u);
        zq::ui::input::AnswerQuestion(Answer::Pressed(dw::Ok));
        Sync();
        EXPECT_FALSE(fs::exists(Pictures("poster.png")));
        EXPECT_EQ(RowOf(Left().Entries(), "poster", "png"), 0u);
        // Marked entries: one question, every marked picture deleted.
        PressOn(ew::LeftPanel, RowOf(Left().Entries(), "beach", "bmp"), "Ins");
        PressOn(ew::LeftPanel, RowOf(Left().Entries(), "sunset", "jpg"), "Ins");
        Press(ew::LeftPanel, "Del");
        ASSERT_NE(WaitForDialog(), 0u);
        zq::ui::input::AnswerQuestion(Answer::Pressed(dw::Ok));
        Sync();
        EXPECT_FALSE(fs::exists(Pictures("beach.bmp")));
        EXPECT_FALSE(fs::exists(Pictures("sunset.jpg")));
        EXPECT_TRUE(fs::exists(Pictures("folder.aai")));
        EXPECT_EQ(Names(Left().Entries()), (std::vector<std::string>{"..", "folder.aai"}));
      },
      1);
}

TEST_F(CommandsTest, DelRemovesALinkAsALinkAndAFailedDeletionKeepsTheEntry) {
  fs::create_symlink(Pictures("sunset.jpg"), Pictures("linked.jpg"));
  fs::create_directories(OnDisk("Locked"));
  fs::copy_file(Pictures("poster.png"), OnDisk("Locked/kept.png"));
  fs::create_directory_symlink(OnDisk("Locked"), Pictures("Linked Folder"));
  WriteSettings("T:\\Pictures\\", "T:\\Locked\\");
  RunWithMain([&] {
    ASSERT_NE(OpenExplorer(), 0u);
    Sync();
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "linked", "jpg"), "Del");
    EXPECT_FALSE(fs::exists(fs::symlink_status(Pictures("linked.jpg"))));
    EXPECT_TRUE(fs::exists(Pictures("sunset.jpg")));
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "Linked Folder"), "Del");
    EXPECT_TRUE(fs::is_symlink(Pictures("Linked Folder")));
    EXPECT_TRUE(fs::exists(OnDisk("Locked/kept.png")));
    // A file that became a folder with content since the listing cannot be deleted: the error
    // is reported and the entry stays.
    fs::remove(OnDisk("Locked/kept.png"));
    fs::create_directories(OnDisk("Locked/kept.png/inside"));
    PressOn(ew::RightPanel, RowOf(Right().Entries(), "kept", "png"), "Del");
    EXPECT_TRUE(WaitFor([&] { return Errors().size() == 1; }));
    EXPECT_EQ(Errors(), std::vector<std::string>{"Error Deleting."});
    EXPECT_TRUE(fs::is_directory(OnDisk("Locked/kept.png/inside")));
    EXPECT_NE(RowOf(Right().Entries(), "kept", "png"), 0u);
  });
}

TEST_F(CommandsTest, ClosingTheMainWindowEndsAGroupCommandBetweenEntries) {
  WithPicturesAndAlien([&] {
    for (const char* name : {"beach", "poster", "sunset"}) {
      Choose(ew::LeftPanel, RowOf(Left().Entries(), name));
      Press(ew::LeftPanel, "Ins");
    }
    Sync();
    Press(ew::LeftPanel, "Del");
    ASSERT_NE(WaitForDialog(), 0u);
    zq::ui::input::CloseRequest(main_);
    EXPECT_TRUE(WaitFor([] { return ABORTALL != 0; }));
    zq::ui::input::AnswerQuestion(Answer::Pressed(dw::Ok));
    EXPECT_TRUE(WaitFor([] { return !EXPRUNNING; }));
    int left = 0;
    for (const char* name : {"beach.bmp", "poster.png", "sunset.jpg"}) left += fs::exists(Pictures(name)) ? 1 : 0;
    EXPECT_GE(left, 2);  // at most the entry under way when the close came
  });
}

TEST_F(CommandsTest, ClosingTheMainWindowCancelsTheOptionsWindowAndNothingIsConverted) {
  WithPicturesAndAlien([&] {
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "beach", "bmp"), "Ins");
    PressOn(ew::LeftPanel, RowOf(Left().Entries(), "poster", "png"), "Ins");
    Press(ew::LeftPanel, "F6");
    ASSERT_NE(WaitForDialog(), 0u);
    zq::ui::input::CloseRequest(main_);
    EXPECT_TRUE(WaitFor(NoDialog));  // closed at its next timer tick
    EXPECT_TRUE(WaitFor([] { return !EXPRUNNING; }));
    EXPECT_FALSE(fs::exists(Alien("beach.aai")));
    EXPECT_FALSE(fs::exists(Alien("poster.aai")));
  });
}

}  // namespace
