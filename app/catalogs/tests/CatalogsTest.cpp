// Catalog rebuilds on small trees, scanned first: entries by first letter, names shared by
// two media folders, media in the root itself, missing pictures, the catalog background off,
// the empty index folders, and the rebuild's own errors.
#include <gtest/gtest.h>

#include <set>

#include "DialogAnswers.h"
#include "PassFixture.h"
#include "app/Catalogs.h"
#include "zqtest/FileBytes.h"

namespace {

using orvid::test::DialogWatcher;
using Strings = std::vector<std::string>;
using zqtest::media_tree_detail::Put;

std::set<std::string> Folders(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(folder))
    if (e.is_directory()) names.insert(e.path().filename().string());
  return names;
}

class Catalogs : public PassFixture {
 protected:
  void SetUp() override {
    PassFixture::SetUp();
    // The program folder's pictures in a folder of the test's own, so that some can go.
    fs::copy(fs::path(ORVID_PROGRAM_FOLDER) / "Chars", program_.path() / "Chars");
    INIPATH = CHECKPATH(zq::rt::WindowsForm(program_.path().string()));
    REMEMPTYV = 0;
  }

  // A film folder with an AAI icon, below the root.
  void Film(const std::string& folder, const std::string& file) {
    Put(Root() / folder / file, 10);
    fs::copy_file(Pictures().aai, Root() / folder / "folder.aai");
  }

  void Rebuild() {
    Scan();
    REBUILDINDEX(QDIR, "T:\\", CatalogKind::Video, TAKEPASSSETTINGS(QDIR));
  }

  fs::path Video() const { return Root() / "_CatVideo"; }

  zqtest::ScratchFolder program_{"orvid-program"};
};

TEST_F(Catalogs, EntriesGoUnderTheirFirstLetterAndAllWithLinksBackToTheMedia) {
  Film("Films/Alien", "Alien.mkv");
  Film("Films/amadeus", "Amadeus.avi");
  Film("Films/2001", "2001.mkv");
  Film("Films/Ébène", "Ebene.mkv");
  Film("Films/Heat", "Heat.part1.mkv");
  Put(Root() / "Films/Heat/Heat.part2.mkv", 10);
  Put(Root() / "Films/No Icon/No Icon.mkv", 10);
  DialogWatcher answers;
  Rebuild();
  EXPECT_EQ(answers.Errors(), Strings{});
  EXPECT_EQ(Folders(Video() / "A"), (std::set<std::string>{"Alien", "amadeus"}));
  EXPECT_EQ(Folders(Video() / "0"), (std::set<std::string>{"2001", "Ébène"}));
  EXPECT_EQ(Folders(Video() / "(All)"), (std::set<std::string>{"2001", "Alien", "amadeus", "Heat", "Ébène"}));
  EXPECT_EQ(zqtest::FileBytes(Video() / "A/Alien/dune_folder.txt"),
            "icon_path = ../../../Films/Alien/folder.aai\r\nicon_valign = center\r\n"
            "media_url = ../../../Films/Alien/Alien.mkv\r\n");
  EXPECT_EQ(
      zqtest::FileBytes(Video() / "(All)/Heat/dune_folder.txt"),
      "icon_path = ../../../Films/Heat/folder.aai\r\nicon_valign = center\r\nmedia_url = ../../../Films/Heat/\r\n");
  EXPECT_EQ(Folders(Video()).size(), 28u);  // with REMEMPTYV off every index folder exists
  EXPECT_TRUE(fs::exists(Video() / "Q/dune_folder.txt"));
  EXPECT_EQ(STATUSNOW().PROCSTAT, "Ready.");
}

TEST_F(Catalogs, ANameTwoMediaFoldersShareGetsANumberAndTheRebuildGoesOn) {
  Film("Series/Lost/Season 1", "Lost 1.mkv");
  Film("Series/Heroes/Season 1", "Heroes 1.mkv");
  Film("Series/Fringe/Season 1", "Fringe 1.mkv");
  Film("Series/Zorro", "Zorro.mkv");
  DialogWatcher answers;
  Rebuild();
  EXPECT_EQ(answers.Errors(), Strings{});
  EXPECT_EQ(Folders(Video() / "S"), (std::set<std::string>{"Season 1", "Season 1 (2)", "Season 1 (3)"}));
  EXPECT_EQ(Folders(Video() / "(All)"), (std::set<std::string>{"Season 1", "Season 1 (2)", "Season 1 (3)", "Zorro"}));
  // Each entry leads to its own folder.
  std::set<std::string> media;
  for (const auto& e : fs::directory_iterator(Video() / "S")) {
    if (!e.is_directory()) continue;
    DUNEFILE d;
    READDUNEFILE(d, (e.path() / "dune_folder.txt").string());
    media.insert(d.MURL);
  }
  EXPECT_EQ(media, (std::set<std::string>{"../../../Series/Lost/Season 1/Lost 1.mkv",
                                          "../../../Series/Heroes/Season 1/Heroes 1.mkv",
                                          "../../../Series/Fringe/Season 1/Fringe 1.mkv"}));
  EXPECT_TRUE(fs::exists(Video() / "Z/Zorro/dune_folder.txt"));
  EXPECT_EQ(Folders(Video()).size(), 28u);  // the empty-index step ran
}

TEST_F(Catalogs, MediaInTheRootItselfHasNoEntry) {
  Put(Root() / "Film.mkv", 10);
  fs::copy_file(Pictures().aai, Root() / "folder.aai");
  Film("Films/Alien", "Alien.mkv");
  DEEPSCAN = 1;  // below the root's own film
  DialogWatcher answers;
  Rebuild();
  EXPECT_EQ(answers.Errors(), Strings{});
  EXPECT_EQ(Folders(Video() / "(All)"), std::set<std::string>{"Alien"});
}

TEST_F(Catalogs, AMissingMainPictureStopsTheRebuildAfterMakingTheCatalogFolder) {
  Film("Films/Alien", "Alien.mkv");
  fs::remove(program_.path() / "Chars/.MainV.aai");
  DialogWatcher answers;
  Rebuild();
  EXPECT_EQ(answers.Errors(), Strings{"Error Copying .Main.aai"});
  EXPECT_EQ(answers.Seen()[0].procedure, "MakeRootDir");
  EXPECT_TRUE(fs::is_directory(Video()));
  EXPECT_TRUE(fs::is_empty(Video()));
}

TEST_F(Catalogs, AMissingIndexPictureLeavesItsFolderWithoutFileWhileItsEntriesAreMade) {
  Film("Films/Quiz Show", "Quiz Show.mkv");
  fs::remove(program_.path() / "Chars/.Q.aai");
  DialogWatcher answers;
  Rebuild();
  EXPECT_EQ(answers.Errors(), Strings{"Error Copying .Q.aai"});
  EXPECT_EQ(answers.Seen()[0].procedure, "MakeDir");
  EXPECT_FALSE(fs::exists(Video() / "Q/dune_folder.txt"));
  EXPECT_TRUE(fs::exists(Video() / "Q/Quiz Show/dune_folder.txt"));
  EXPECT_TRUE(fs::exists(Video() / "(All)/Quiz Show/dune_folder.txt"));
}

TEST_F(Catalogs, WithTheCatalogBackgroundOffNoFileHasABackground) {
  Film("Films/Alien", "Alien.mkv");
  ST.Change([&](SETTINGSGROUP& st) { st.CATBG.ACT = 0; });
  DialogWatcher answers;
  Rebuild();
  EXPECT_FALSE(fs::exists(Video() / ".Back.aai"));
  EXPECT_FALSE(fs::exists(Video() / ".BackS.aai"));
  for (const auto& e : fs::recursive_directory_iterator(Video())) {
    if (e.path().filename() != "dune_folder.txt") continue;
    EXPECT_EQ(zqtest::FileBytes(e.path()).find("background"), std::string::npos) << e.path();
  }
}

TEST_F(Catalogs, AMissingBackgroundPictureIsSkipped) {
  Film("Films/Alien", "Alien.mkv");
  fs::remove(program_.path() / "Chars/.BackV.aai");
  DialogWatcher answers;
  Rebuild();
  EXPECT_EQ(answers.Errors(), Strings{});
  EXPECT_FALSE(fs::exists(Video() / ".Back.aai"));
  EXPECT_TRUE(fs::exists(Video() / ".BackS.aai"));
  EXPECT_EQ(zqtest::FileBytes(Video() / "dune_folder.txt").find("background"), std::string::npos);
  EXPECT_NE(zqtest::FileBytes(Video() / "A/dune_folder.txt").find("background_path = ../.BackS.aai"), std::string::npos);
}

TEST_F(Catalogs, ALinkLeftInTheOldCatalogIsRemovedAsALink) {
  Film("Films/Alien", "Alien.mkv");
  fs::create_directories(Video() / "A");
  fs::create_directory_symlink(Root() / "Films", Video() / "A/Films");
  fs::create_symlink(Root() / "Films/Alien/Alien.mkv", Video() / "A/Alien.mkv");
  const auto before = Contents(Root() / "Films");
  DialogWatcher answers;
  Rebuild();
  EXPECT_EQ(answers.Errors(), Strings{});
  EXPECT_FALSE(fs::exists(fs::symlink_status(Video() / "A/Films")));
  EXPECT_EQ(Contents(Root() / "Films"), before);
  EXPECT_TRUE(fs::exists(Video() / "A/Alien/dune_folder.txt"));
}

TEST_F(Catalogs, ALinkInPlaceOfTheCatalogOrOfAFolderInItGoesAsALinkAndWhatItLeadsToStays) {
  Film("Films/Alien", "Alien.mkv");
  Put(Root() / "Films/Alien/dune_folder.txt", 40);
  zqtest::ScratchFolder elsewhere("orvid-elsewhere");
  Put(elsewhere / "keep.txt", 10);
  Put(elsewhere / "A/Alien/dune_folder.txt", 20);
  fs::create_directory_symlink("A", elsewhere / "B");
  Scan();
  DialogWatcher answers;
  REBUILDINDEX(QDIR, "T:\\", CatalogKind::Video, TAKEPASSSETTINGS(QDIR));
  const auto catalog = Tree(Video());

  struct Case {
    const char* link;  // below the root
    fs::path target;
    bool folder;
  };
  const Case cases[] = {
      {"_CatVideo", elsewhere.path(), true},
      {"_catvideo", Root() / "Films", true},  // the media folder itself, named in another case
      {"_CatVideo", Root() / "Gone", true},   // leading nowhere
      {"_CatVideo/A", elsewhere.path(), true},
      {"_CatVideo/(All)", Root() / "Films", true},
      {"_CatVideo/A/Alien", Root() / "Films/Alien", true},
      {"_CatVideo/(All)/Alien/dune_folder.txt", Root() / "Films/Alien/dune_folder.txt", false},
  };
  for (const Case& c : cases) {
    fs::remove_all(Video());
    fs::create_directories((Root() / c.link).parent_path());
    if (c.folder) fs::create_directory_symlink(c.target, Root() / c.link);
    else fs::create_symlink(c.target, Root() / c.link);
    const auto media = Tree(Root() / "Films");
    const auto other = Tree(elsewhere.path());
    REBUILDINDEX(QDIR, "T:\\", CatalogKind::Video, TAKEPASSSETTINGS(QDIR));
    EXPECT_EQ(Tree(Root() / "Films"), media) << c.link;
    EXPECT_EQ(Tree(elsewhere.path()), other) << c.link;
    EXPECT_FALSE(fs::is_symlink(Video())) << c.link;
    EXPECT_EQ(Tree(Video()), catalog) << c.link;  // real folders and files, as without the link
  }
  EXPECT_FALSE(fs::exists(fs::symlink_status(Root() / "_catvideo")));
  EXPECT_EQ(answers.Errors(), Strings{});
}

TEST_F(Catalogs, ACatalogFolderThatCannotBeMadeIsReportedByItsPath) {
  Film("Films/Alien", "Alien.mkv");
  Scan();
  const auto media = Tree(Root() / "Films");
  struct Case {
    const char* root;
    const char* plainFile;  // below the root, in the catalog folder's place
    const char* details;
  };
  const Case cases[] = {
      {"T:\\Gone\\", nullptr, "T:\\Gone\\_CatVideo\\"},  // a root whose folder is gone
      {"T:\\", "_CatVideo", "T:\\_CatVideo\\"},
      {"T:\\", "_catvideo", "T:\\_CatVideo\\"},
  };
  for (const Case& c : cases) {
    if (c.plainFile) Put(Root() / c.plainFile, 30);
    const auto before = Tree(Root());
    DialogWatcher answers;
    REBUILDINDEX(QDIR, c.root, CatalogKind::Video, TAKEPASSSETTINGS(QDIR));
    EXPECT_EQ(answers.Errors(), Strings{"Error Creating Folder."}) << c.details;
    ASSERT_FALSE(answers.Seen().empty());
    EXPECT_EQ(answers.Seen()[0].procedure, "MakeRootDir");
    EXPECT_EQ(answers.Seen()[0].details, c.details);
    EXPECT_NE(STATUSNOW().PROCSTAT, "Ready.");
    EXPECT_EQ(Tree(Root()), before) << c.details;
    if (c.plainFile) fs::remove(Root() / c.plainFile);
  }
  EXPECT_EQ(Tree(Root() / "Films"), media);
}

TEST_F(Catalogs, TheRebuildsOwnErrors) {
  DialogWatcher answers;
  PASSSETTINGS s = TAKEPASSSETTINGS(QDIR);
  REBUILDINDEX(QDIR, "  ", CatalogKind::Video, s);
  REBUILDINDEX(QDIR, "T:\\", CatalogKind::Video, s);
  EXPECT_EQ(answers.Errors(), (Strings{"Error Invalid Path.", "Error No Data available."}));
  EXPECT_EQ(answers.Seen()[1].details, "Run Scan Root First.");
  EXPECT_EQ(answers.Seen()[1].procedure, "RebuildIndex");
}

}  // namespace
