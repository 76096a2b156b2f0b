// The pass's edge cases: each option off in turn, the answers to each kind of error, a stop
// in the middle, a root chosen after the scan, settings changed while the pass runs, deep
// folders, and the folder list read by another thread meanwhile.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <thread>

#include "DialogAnswers.h"
#include "PassFixture.h"
#include "app/MainWindow.h"
#include "zqtest/FileBytes.h"

namespace {

using orvid::test::DialogWatcher;
using orvid::test::ErrorSeen;
using orvid::test::Reply;
using Strings = std::vector<std::string>;

const std::string kOldAlienFile = "icon_path = folder.aai\r\n";  // the tree's own

size_t Count(const Strings& messages, const std::string& message) {
  return static_cast<size_t>(std::count(messages.begin(), messages.end(), message));
}

std::set<std::string> Folders(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(folder))
    if (e.is_directory()) names.insert(e.path().filename().string());
  return names;
}

class PassEdge : public PassFixture {
 public:
  // The tree's own catalog entries, which a rebuild replaces.
  bool OldVideoCatalog() const {
    return zqtest::FileBytes(Root() / "_CatVideo/(All)/Alien (1979)/dune_folder.txt") ==
           "media_url = ../../../Films/Alien (1979)/\r\n";
  }
  bool OldAudioCatalog() const {
    return zqtest::FileBytes(Root() / "_CatAudio/A/Abba - Gold/dune_folder.txt") == "media_url = ../../../Music/Abba - Gold/\r\n";
  }
  std::string AlienFile() const { return zqtest::FileBytes(Root() / "Films/Alien (1979)/dune_folder.txt"); }
};

struct OptionCase {
  const char* name;
  uint8_t* option;
  std::function<void(const PassEdge&, const fs::path&)> check;
};
void PrintTo(const OptionCase& c, std::ostream* os) { *os << c.name; }

const OptionCase kOptionCases[] = {
  {"RMC", &RMC,
   [](const PassEdge&, const fs::path& r) { EXPECT_FALSE(fs::exists(r / "Films/Ran (1985)/folder.aai")); }},
  {"DOICCONV", &DOICCONV,
   [](const PassEdge&, const fs::path& r) {
     EXPECT_FALSE(fs::exists(r / "Films/Alien (1979)/folder.aai"));
     EXPECT_EQ(zqtest::FileBytes(r / "Films/Alien (1979)/dune_folder.txt").find("icon_path"), std::string::npos);
   }},
  {"AUTOICRESIZE", &AUTOICRESIZE,
   [](const PassEdge&, const fs::path& r) {
     EXPECT_EQ(SizeByImageMagick(r / "Films/Alien (1979)/folder.aai"), "600 900");
   }},
  {"DOBGCONV", &DOBGCONV,
   [](const PassEdge&, const fs::path& r) {
     EXPECT_FALSE(fs::exists(r / "Films/Alien (1979)/background.aai"));
     EXPECT_EQ(zqtest::FileBytes(r / "Films/Alien (1979)/dune_folder.txt").find("background_path"), std::string::npos);
   }},
  {"AUTOBGRESIZE", &AUTOBGRESIZE,
   [](const PassEdge&, const fs::path& r) {
     EXPECT_EQ(SizeByImageMagick(r / "Films/Alien (1979)/background.aai"), "800 450");
   }},
  {"UPDSCRIPT", &UPDSCRIPT,
   [](const PassEdge&, const fs::path& r) {
     EXPECT_FALSE(fs::exists(r / "Films/Alien (1979)/dune_folder.txt"));
     EXPECT_FALSE(fs::exists(r / "Films/dune_folder.txt"));
   }},
  {"DELSCRIPT", &DELSCRIPT,
   [](const PassEdge& t, const fs::path&) { EXPECT_NE(t.AlienFile().find("media_url"), std::string::npos); }},
  {"PROCESSV", &PROCESSV,
   [](const PassEdge& t, const fs::path& r) {
     EXPECT_EQ(t.AlienFile(), kOldAlienFile);
     EXPECT_TRUE(t.OldVideoCatalog());
     EXPECT_FALSE(t.OldAudioCatalog());
     EXPECT_TRUE(fs::exists(r / "Music/Abba - Gold/dune_folder.txt"));
   }},
  {"DOINDEXV", &DOINDEXV,
   [](const PassEdge& t, const fs::path&) {
     EXPECT_TRUE(t.OldVideoCatalog());
     EXPECT_NE(t.AlienFile(), kOldAlienFile);
   }},
  {"PROCESSA", &PROCESSA,
   [](const PassEdge& t, const fs::path& r) {
     EXPECT_FALSE(fs::exists(r / "Music/Abba - Gold/dune_folder.txt"));
     EXPECT_TRUE(t.OldAudioCatalog());
     EXPECT_FALSE(t.OldVideoCatalog());
   }},
  {"DOINDEXA", &DOINDEXA, [](const PassEdge& t, const fs::path&) { EXPECT_TRUE(t.OldAudioCatalog()); }},
  {"REMEMPTYV", &REMEMPTYV,
   [](const PassEdge&, const fs::path& r) {
     EXPECT_EQ(Folders(r / "_CatVideo").size(), 28u);
     EXPECT_TRUE(fs::exists(r / "_CatVideo/Q/dune_folder.txt"));
     EXPECT_TRUE(fs::exists(r / "_CatVideo/Q/.Q.aai"));
     EXPECT_TRUE(Folders(r / "_CatVideo/Q").empty());
     EXPECT_EQ(Folders(r / "_CatAudio").size(), 3u);
   }},
  {"REMEMPTYA", &REMEMPTYA,
   [](const PassEdge&, const fs::path& r) {
     EXPECT_EQ(Folders(r / "_CatAudio").size(), 28u);
     EXPECT_EQ(Folders(r / "_CatVideo").size(), 10u);
   }},
};

class OptionOff : public PassEdge, public ::testing::WithParamInterface<OptionCase> {};

TEST_P(OptionOff, LeavesOutItsStepOnly) {
  BuildTree();
  *GetParam().option = 0;
  Scan();
  DialogWatcher answers;
  Pass();
  GetParam().check(*this, Root());
}

INSTANTIATE_TEST_SUITE_P(EachInTurn, OptionOff, ::testing::ValuesIn(kOptionCases),
                         [](const ::testing::TestParamInfo<OptionCase>& info) { return std::string(info.param.name); });

TEST_F(PassEdge, ConversionErrorsAnsweredCancelIgnoreAndIgnoreAll) {
  BuildTree(false);  // the tree's pictures are no pictures: every conversion fails
  RMC = 0;
  Scan();
  {
    DialogWatcher answers([](const ErrorSeen&) { return Reply::Cancel; });
    const auto events = Pass();
    EXPECT_EQ(answers.Errors(), Strings{"Error Converting (Cover) to AAI Format."});
    EXPECT_EQ(answers.Seen()[0].details, "T:\\Films\\Alien (1979)\\folder.jpg");
    EXPECT_EQ(answers.Seen()[0].procedure, "WriteScript");
    EXPECT_EQ(STATUSNOW().PROCSTAT, "Error Converting (Cover) to AAI Format.");  // no "Ready."
    EXPECT_TRUE(OldVideoCatalog());
    EXPECT_NE(std::find(events.begin(), events.end(), static_cast<uint32_t>(kPassEnded)), events.end());
  }
  Scan();
  {
    DialogWatcher answers(
        [](const ErrorSeen& e) { return e.message.starts_with("Error Converting") ? Reply::Ignore : Reply::First; });
    Pass();
    const Strings m = answers.Errors();
    EXPECT_EQ(Count(m, "Error Converting (Cover) to AAI Format.") + Count(m, "Error Converting to AAI Format."), 12u);
    EXPECT_EQ(STATUSNOW().PROCSTAT, "Ready.");
    EXPECT_FALSE(OldVideoCatalog());
  }
  Scan();
  {
    // Icons and backgrounds share one flag; missing AAI icons are a kind of their own.
    DialogWatcher answers([](const ErrorSeen& e) {
      return e.message.starts_with("Error Converting") ? Reply::IgnoreAll : Reply::Ignore;
    });
    Pass();
    const Strings m = answers.Errors();
    EXPECT_EQ(Count(m, "Error Converting (Cover) to AAI Format.") + Count(m, "Error Converting to AAI Format."), 1u);
    EXPECT_GE(Count(m, "Error NO AAI Format Cover Found."), 5u);
  }
}

TEST_F(PassEdge, MissingOrEmptyAaiIconAnsweredCancelIgnoreAndIgnoreAll) {
  BuildTree();
  RMC = 0;
  DOICCONV = 0;  // folders with a JPEG icon have no AAI one
  fs::resize_file(Root() / "Music/Björk - Homogenic/Folder.aai", 0);
  Scan();
  {
    DialogWatcher answers([](const ErrorSeen&) { return Reply::Cancel; });
    Pass();
    EXPECT_EQ(answers.Errors(), Strings{"Error NO AAI Format Cover Found."});
    EXPECT_NE(STATUSNOW().PROCSTAT, "Ready.");
    EXPECT_TRUE(OldVideoCatalog());
  }
  {
    DialogWatcher answers([](const ErrorSeen&) { return Reply::Ignore; });
    Pass();
    const Strings m = answers.Errors();
    EXPECT_GE(Count(m, "Error NO AAI Format Cover Found."), 8u);
    const auto seen = answers.Seen();
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](const ErrorSeen& e) {
      return e.details == "T:\\Music\\Björk - Homogenic\\folder.aai";  // 0 bytes count as missing
    }));
    // Written without the icon block.
    EXPECT_EQ(zqtest::FileBytes(Root() / "Music/Björk - Homogenic/dune_folder.txt").substr(0, 15), "background_path");
  }
  {
    DialogWatcher answers([](const ErrorSeen& e) {
      return e.message == "Error NO AAI Format Cover Found." ? Reply::IgnoreAll : Reply::First;
    });
    Pass();
    EXPECT_EQ(Count(answers.Errors(), "Error NO AAI Format Cover Found."), 1u);
  }
}

TEST_F(PassEdge, DeletionAndWritingErrorsAnsweredCancelIgnoreAndIgnoreAll) {
  BuildTree();
  RMC = 0;
  const fs::path alien = Root() / "Films/Alien (1979)/dune_folder.txt";
  const fs::path amelie = Root() / "Films/Amélie (2001)/dune_folder.txt";
  std::ofstream(amelie, std::ios::binary) << "icon_path = folder.aai\r\n";
  for (const fs::path& f : {alien, amelie}) fs::permissions(f, fs::perms::owner_read | fs::perms::group_read);
  Scan();
  {
    DialogWatcher answers([](const ErrorSeen&) { return Reply::Cancel; });
    Pass();
    EXPECT_EQ(answers.Errors(), Strings{"Error Deleting dune_folder.txt"});
    EXPECT_EQ(answers.Seen()[0].details, "T:\\Films\\Alien (1979)\\dune_folder.txt");
    EXPECT_EQ(STATUSNOW().PROCSTAT, "Error Deleting dune_folder.txt");
    EXPECT_TRUE(OldVideoCatalog());
  }
  Scan();
  {
    DialogWatcher answers([](const ErrorSeen&) { return Reply::Ignore; });
    Pass();
    EXPECT_EQ(answers.Errors(), (Strings{"Error Deleting dune_folder.txt", "Error Writing dune_folder.txt",
                                           "Error Deleting dune_folder.txt", "Error Writing dune_folder.txt"}));
    EXPECT_EQ(AlienFile(), kOldAlienFile);  // a failed write leaves the old file whole
    EXPECT_FALSE(OldVideoCatalog());
  }
  Scan();
  {
    DialogWatcher answers([](const ErrorSeen&) { return Reply::IgnoreAll; });
    Pass();
    EXPECT_EQ(answers.Errors(), (Strings{"Error Deleting dune_folder.txt", "Error Writing dune_folder.txt"}));
  }
  DELSCRIPT = 0;
  Scan();
  {
    DialogWatcher answers([](const ErrorSeen&) { return Reply::Cancel; });
    Pass();
    EXPECT_EQ(answers.Errors(), Strings{"Error Writing dune_folder.txt"});
    EXPECT_EQ(STATUSNOW().PROCSTAT, "Error Writing dune_folder.txt");
  }
}

TEST_F(PassEdge, CoverCopyErrorsAnsweredCancelIgnoreAndIgnoreAll) {
  BuildTree();
  zqtest::ScratchFolder empty("orvid-nocovers");
  Scan();
  const uint32_t scanned = QDIR.Records();
  const std::string program = INIPATH;
  INIPATH = CHECKPATH(zq::rt::WindowsForm(empty.path().string()));
  {
    DialogWatcher answers(
        [](const ErrorSeen& e) { return e.message == "Error Copying Cover Image." ? Reply::Cancel : Reply::First; });
    Pass();
    EXPECT_EQ(Count(answers.Errors(), "Error Copying Cover Image."), 1u);
    EXPECT_EQ(answers.Seen()[0].procedure, "MissingCovers");
    EXPECT_EQ(QDIR.Records(), scanned);  // no rescan; the pass went on with the list as it was
    EXPECT_NE(AlienFile(), kOldAlienFile);
  }
  Scan();
  {
    DialogWatcher answers(
        [](const ErrorSeen& e) { return e.message == "Error Copying Cover Image." ? Reply::Ignore : Reply::First; });
    Pass();
    EXPECT_GE(Count(answers.Errors(), "Error Copying Cover Image."), 8u);
  }
  Scan();
  {
    DialogWatcher answers(
        [](const ErrorSeen& e) { return e.message == "Error Copying Cover Image." ? Reply::IgnoreAll : Reply::First; });
    Pass();
    EXPECT_EQ(Count(answers.Errors(), "Error Copying Cover Image."), 1u);
  }
  INIPATH = program;
}

TEST_F(PassEdge, AStopAfterTheFirstFolderEndsReadyWithoutCatalogs) {
  BuildTree();
  RMC = 0;
  Scan();
  T2ABORT = 1;
  DialogWatcher answers;
  const auto events = Pass();
  EXPECT_EQ(STATUSNOW().PROCSTAT, "Ready.");
  EXPECT_TRUE(OldVideoCatalog());
  EXPECT_TRUE(OldAudioCatalog());
  EXPECT_EQ(AlienFile(), kOldAlienFile);  // a later folder: untouched
  EXPECT_NE(std::find(events.begin(), events.end(), static_cast<uint32_t>(kPassEnded)), events.end());
}

TEST_F(PassEdge, ARootChosenAfterTheScanAsksForAScanAndChangesNothing) {
  BuildTree();
  Scan();
  ROOTDIR.Set("T:\\Films\\");
  const auto before = Contents(Root());
  const uint32_t records = QDIR.Records();
  DialogWatcher answers;
  const auto events = Pass();
  EXPECT_EQ(answers.Errors(), Strings{"Run Scan Root First."});
  EXPECT_EQ(STATUSNOW().PROCSTAT, "Run Scan Root First.");
  EXPECT_EQ(Contents(Root()), before);
  EXPECT_EQ(QDIR.Records(), records);
  EXPECT_NE(std::find(events.begin(), events.end(), static_cast<uint32_t>(kPassEnded)), events.end());
  ROOTDIR.Set("t:\\");  // the same root in another case: accepted
  Pass();
  EXPECT_EQ(answers.Errors(), Strings{"Run Scan Root First."});
  EXPECT_NE(AlienFile(), kOldAlienFile);
}

TEST_F(PassEdge, ABlankCoverNameEndsOnItsErrorWithNothingProcessed) {
  BuildTree();
  Scan();
  ST.Change([&](SETTINGSGROUP& st) { st.ACR.NAME.clear(); });
  DialogWatcher answers;
  Pass();
  EXPECT_EQ(answers.Errors(), Strings{"Error no Cover Name."});
  EXPECT_EQ(answers.Seen()[0].details, "Is the INI File Corrupt?");
  EXPECT_EQ(STATUSNOW().PROCSTAT, "Error no Cover Name.");
  EXPECT_EQ(AlienFile(), kOldAlienFile);
}

TEST_F(PassEdge, SettingsChangedWhileThePassRunsDoNotReachIt) {
  // An error stops the pass at its dialog; meanwhile the settings, the options and the root
  // change as a settings window and the main window would change them. The pass, its rescan
  // for default covers and its catalogs go on with what they took when the pass started.
  struct Case {
    const char* error;
    std::function<void(const fs::path&)> provoke;
  };
  const Case cases[] = {
      // A default cover that cannot be copied: before the rescan.
      {"Error Copying Cover Image.", [](const fs::path& root) { fs::create_directory(root / "Films/folder.aai"); }},
      // A background that cannot be converted: after it.
      {"Error Converting to AAI Format.",
       [](const fs::path& root) {
         std::ofstream(root / "Films/Alien (1979)/Background.PNG", std::ios::binary | std::ios::trunc) << "no picture";
       }},
  };
  const SETTINGSGROUP settings = ST.Get();
  for (const Case& c : cases) {
    for (const auto& e : fs::directory_iterator(Root())) fs::remove_all(e.path());
    BuildTree();
    c.provoke(Root());
    ST.Set(settings);
    UPDSCRIPT = DOINDEXV = 1;
    ROOTDIR.Set("T:\\");
    Scan();
    {
      DialogWatcher answers([](const ErrorSeen&) {
        ST.Change([](SETTINGSGROUP& st) {
          st.ACR.WIDTH = 10;
          st.ACR.NAME = "cover";
        });
        UPDSCRIPT = 0;
        DOINDEXV = 0;
        ROOTDIR.Set("T:\\Films\\");
        return Reply::Ignore;
      });
      Pass();
      EXPECT_EQ(answers.Errors(), Strings{c.error});
    }
    EXPECT_EQ(SizeByImageMagick(Root() / "Films/Kill Bill/folder.aai"), "400 600") << c.error;
    EXPECT_NE(zqtest::FileBytes(Root() / "Films/Kill Bill/dune_folder.txt").find("icon_path         = folder.aai"),
              std::string::npos)
        << c.error;
    EXPECT_NE(zqtest::FileBytes(Root() / "_CatVideo/(All)/Kill Bill/dune_folder.txt").find("../../../Films/Kill Bill/folder.aai"),
              std::string::npos)
        << c.error;
  }
}

TEST_F(PassEdge, AFolderDeeperThanLevelSevenGetsNoDefaultCoverButItsFile) {
  BuildTree();
  // The root's own record is of level 1, so "L1\...\L7" is of level 8.
  fs::path deep = Root() / "L1";
  for (int level = 2; level <= 7; ++level) deep /= "L" + std::to_string(level);
  zqtest::media_tree_detail::Put(deep / "Film.mkv", 10);
  zqtest::media_tree_detail::Put(deep.parent_path() / "Film7.mkv", 10);
  DEEPSCAN = 1;
  Scan();
  DialogWatcher answers;
  Pass();
  EXPECT_FALSE(fs::exists(deep / "folder.aai"));
  EXPECT_TRUE(fs::exists(deep.parent_path() / "folder.aai"));
  // No icon: the folder file holds only what the row read last allows (nothing here).
  EXPECT_FALSE(fs::exists(deep / "dune_folder.txt"));
  EXPECT_TRUE(fs::exists(deep.parent_path() / "dune_folder.txt"));
}

// Sets fields of the layout row of a level.
void SetRow(int64_t level, const std::function<void(zq::rt::Record&)>& change) {
  ASSERT_TRUE(QSCRIPT.Get(static_cast<uint32_t>(level)));
  change(QSCRIPT.Buffer());
  ASSERT_TRUE(QSCRIPT.Put());
}

TEST_F(PassEdge, TheLayoutRowDecidesDefaultCoversAndTheViewBlock) {
  BuildTree();
  DOICCONV = 0;
  // Level 3 (the films): default covers for every folder, also over an AAI icon there.
  // Its alignment in the editors' old word, written as the player reads it.
  SetRow(3, [](zq::rt::Record& r) {
    QSCRIPTF.AUTOICON.Set(r, "ALL");
    QSCRIPTF.ALIGN.Set(r, "Bot");
  });
  // Level 2 ("Films"): 8 columns, no rows given, no icon view asked for.
  SetRow(2, [](zq::rt::Record& r) {
    QSCRIPTF.COLS.Set(r, 8);
    QSCRIPTF.ROWS.Set(r, 0);
    QSCRIPTF.IVIEW.Set(r, "No");
  });
  Scan();
  const uint32_t media = MFQ.Records();
  DialogWatcher answers;
  Pass();
  const fs::path covers = fs::path(ORVID_PROGRAM_FOLDER) / "Covers";
  EXPECT_EQ(zqtest::FileBytes(Root() / "Films/千と千尋の神隠し/folder.aai"), zqtest::FileBytes(covers / "MP4.aai"));
  EXPECT_EQ(zqtest::FileBytes(Root() / "Films/Kill Bill/folder.aai"), zqtest::FileBytes(covers / "Series.aai"));
  EXPECT_EQ(zqtest::FileBytes(Root() / "Films/Inception [BluRay]/folder.aai"), zqtest::FileBytes(covers / "BluRay.aai"));
  EXPECT_EQ(zqtest::FileBytes(Root() / "Films/Heat [DVD]/folder.aai"), zqtest::FileBytes(covers / "DVD.aai"));
  // Level 4 keeps its own rule: a folder with an icon picture gets none.
  EXPECT_FALSE(fs::exists(Root() / "Series/Lost/Season 2/folder.aai"));
  EXPECT_EQ(MFQ.Records(), media);  // the rescan lists each medium once
  const std::string films = zqtest::FileBytes(Root() / "Films/dune_folder.txt");
  EXPECT_NE(films.find("use_icon_view     = no\r\nnum_cols          = 8\r\nnum_rows          = 3\r\n"),
            std::string::npos)
      << films;
  const std::string killBill = zqtest::FileBytes(Root() / "Films/Kill Bill/dune_folder.txt");
  EXPECT_TRUE(killBill.starts_with("icon_path         = folder.aai\r\nicon_valign       = bottom\r\n")) << killBill;

  // A film whose extension the table no longer holds gets the "Misc" cover.
  Scan();
  ASSERT_TRUE(VEXTENSIONS.Get(1));
  ASSERT_EQ(TrimmedText(VEXTF.EXT(VEXTENSIONS.Buffer())), "MKV");
  VEXTENSIONS.Delete();
  Pass();
  EXPECT_EQ(zqtest::FileBytes(Root() / "Films/Alien (1979)/folder.aai"), zqtest::FileBytes(covers / "Misc.aai"));
}

TEST_F(PassEdge, AnotherThreadReadsTheFolderListThroughCopiesWhileThePassWritesIt) {
  BuildTree();
  Scan();
  std::atomic<bool> done{false};
  std::atomic<int> torn{0};
  std::thread reader([&] {
    while (!done) {
      for (uint32_t i = 1; i <= QDIR.Records(); ++i) {
        const std::optional<zq::rt::Record> r = QDIR.Peek(i);
        if (!r) continue;
        const std::string cn = TrimmedText(QDIRF.CN(*r));
        if (QDIRF.CNACT(*r) != 0 && cn.empty()) ++torn;
        if (QDIRF.CNACT(*r) == 0 && !cn.empty()) ++torn;
      }
    }
  });
  DialogWatcher answers;
  Pass();
  done = true;
  reader.join();
  EXPECT_EQ(torn, 0);
  EXPECT_EQ(answers.Errors(), Strings{});
}

}  // namespace
